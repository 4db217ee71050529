#include "cli/envio.h"

#include "core/model/valor.h"
#include "core/protocol/fechahora.h"
#include "core/textos.h"
#include "link/ajustes.h"
#include "link/motivos.h"
#include "link/parada.h"
#include "link/puerto.h"
#include "link/puertotcp.h"
#include "link/reloj.h"
#include "link/resolutor.h"
#include "link/transferencia.h"

#include <QCoreApplication>
#include <QDateTime>

#include <iostream>
#include <memory>
#include <optional>
#include <vector>

namespace brelo {

namespace {

constexpr int Fallo = 1;

// One sign's transfer.
struct Envio {
    QString puerto;
    LineaCartel linea;
    std::unique_ptr<Transferencia> t;
    int porcentaje = 0;
    std::optional<Transferencia::Fin> fin;
    QString hora; // the clock command's time, read on the transfer's thread
    explicit Envio(Entorno& e) : linea(e.resolutor, e.pausas) {}
};

// A port's failure printed, or kept for a quiet caller.
int fallar(Entorno& entorno, const char* texto, const QString& puerto, const QString& motivo) {
    if (!entorno.callado)
        return Fallar(texto, motivo);
    entorno.callado->fallos << QLatin1String(texto) + QStringLiteral(": ") + motivo;
    entorno.callado->puertos << puerto;
    return Fallo;
}

// Each sign's ending, the failures naming their port; the exit status of them all.
int informar(const std::vector<std::unique_ptr<Envio>>& envios, Entorno& entorno) {
    const bool varios = envios.size() > 1, callado = entorno.callado;
    int estado = 0;
    for (const auto& e : envios) {
        const QString quien = varios ? e->puerto + QStringLiteral(": ") : QString();
        if (!e->hora.isEmpty() && !callado)
            std::cerr << qUtf8Printable(quien + e->hora) << '\n';
        if (e->fin == Transferencia::Enviado) {
            if (!callado)
                std::cerr << qUtf8Printable(quien) << texto::EnviadoOk << '\n';
        } else if (e->fin == Transferencia::Cancelado) {
            if (!callado)
                std::cerr << qUtf8Printable(quien) << texto::Cancelado << '\n';
            estado = std::max(estado, Parada::Estado());
        } else {
            fallar(entorno, e->fin == Transferencia::SinLinea ? texto::Error03 : texto::Error22,
                   e->puerto, e->puerto + QStringLiteral(": ") + e->t->Motivo());
            // A stop that cut the wait for an adapter's acknowledgement is still a stop.
            estado = std::max(estado, Parada::Senal() ? Parada::Estado() : Fallo);
        }
    }
    return estado;
}

// Progress overwrites one line of standard error, a percentage for each sign.
void mostrarAvance(const std::vector<std::unique_ptr<Envio>>& envios, bool conLargo, int largo) {
    std::cerr << '\r' << (conLargo ? "Enviando ..." : "Enviando Datos al CARTEL ...");
    for (std::size_t i = 0; i < envios.size(); ++i)
        std::cerr << (i ? " " : "") << envios[i]->porcentaje << '%';
    if (conLargo)
        std::cerr << " [" << largo << ']';
    std::cerr.flush();
}

// A transfer for each port whose setting is good; an adapter is checked by its transfer,
// side by side with the others. Each port that cannot be opened is reported, and estado
// then says a failure.
std::vector<std::unique_ptr<Envio>> abrirPuertos(const OpcionesLinea& o, Entorno& entorno,
                                                 int& estado) {
    std::vector<std::unique_ptr<Envio>> envios;
    for (const QString& puerto : o.puertos) {
        auto e = std::make_unique<Envio>(entorno);
        e->puerto = puerto;
        Ajustes a;
        a.Puerto = puerto;
        a.Baud = o.baud;
        if (const QString error = IniciarPuerto(e->linea, a); !error.isEmpty()) {
            estado = fallar(entorno, texto::Error03, puerto, error);
            continue;
        }
        e->t = std::make_unique<Transferencia>(e->linea, entorno.pausas);
        envios.push_back(std::move(e));
    }
    return envios;
}

void conectar(Envio* envio, const std::vector<std::unique_ptr<Envio>>& envios, bool conLargo,
              std::size_t& pendientes, bool callado) {
    Transferencia* t = envio->t.get();
    QObject::connect(t, &Transferencia::Terminada, t, [envio, &pendientes](Transferencia::Fin f) {
        envio->fin = f;
        if (--pendientes == 0)
            QCoreApplication::exit();
    });
    if (callado)
        return;
    QObject::connect(t, &Transferencia::Progreso, t, [&envios, envio, conLargo](int p, int largo) {
        envio->porcentaje = p;
        mostrarAvance(envios, conLargo, largo);
    });
    QObject::connect(t, &Transferencia::Detenida, t, [envio] {
        std::cerr << "\nAviso: " << qUtf8Printable(envio->puerto) << ": " << texto::LineaDetenida
                  << '\n';
    });
    QObject::connect(t, &Transferencia::Confirmando, t, [envio] {
        std::cerr << '\n' << qUtf8Printable(envio->puerto) << ": " << texto::Confirmando << '\n';
    });
}

// Sends the stream to every port at once, each paced on its own as the window paces its one;
// a stopping signal cancels them all like Cancelar. 0 only when every sign got the whole
// stream. hacerTrama(envio) makes a port's stream once its line is ready.
int transmitir(const std::function<QByteArray(Envio&)>& hacerTrama, const OpcionesLinea& o,
               Entorno& entorno, double demora1, double demora2, bool conLargo) {
    const Parada parada;
    if (std::max(demora1, demora2) > DemoraMaxima && !entorno.callado)
        std::cerr << "Aviso: una pausa guardada en Opciones pasa de " << DemoraMaxima
                  << " ms: se usa " << DemoraMaxima << " ms\n";
    int estado = 0;
    const std::vector<std::unique_ptr<Envio>> envios = abrirPuertos(o, entorno, estado);
    if (envios.empty())
        return estado;
    std::size_t pendientes = envios.size();
    for (const auto& e : envios)
        conectar(e.get(), envios, conLargo, pendientes, entorno.callado);
    if (Parada::Senal()) { // while the ports were being opened: nothing goes out
        for (const auto& e : envios)
            e->fin = Transferencia::Cancelado;
        return std::max(estado, informar(envios, entorno));
    }
    // From here a stopping signal cancels each transfer itself, at its next byte.
    for (const auto& e : envios)
        e->t->Iniciar([&hacerTrama, envio = e.get()] { return hacerTrama(*envio); }, demora1,
                      demora2);
    if (Parada::Senal()) // one that came while they started
        for (const auto& e : envios)
            e->t->Cancelar();
    QCoreApplication::exec();
    if (!entorno.callado)
        std::cerr << '\n';
    return std::max(estado, informar(envios, entorno));
}

} // namespace

int Fallar(const char* texto, const QString& motivo) {
    std::cerr << texto << ": " << Mostrable(motivo).toUtf8().constData() << '\n';
    return Fallo;
}

bool LeerOpcionesLinea(QStringList& args, OpcionesLinea& o) {
    const Ajustes guardado = LeerAjustes();
    o = {{}, guardado.Baud, guardado.DY1, guardado.DY2};
    QString puerto;
    const std::pair<const char*, QString*> nombres[] = {
        {"--puerto", &puerto}, {"--baud", &o.baud}, {"--dy1", &o.dy1}, {"--dy2", &o.dy2}};
    QStringList resto;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            resto << arg;
            continue;
        }
        bool conocida = false;
        for (auto [nombre, destino] : nombres) {
            const QString n = QLatin1String(nombre);
            if (arg == n && i + 1 < args.size()) {
                *destino = args[++i];
                conocida = true;
            } else if (arg.startsWith(n + QLatin1Char('='))) {
                *destino = arg.mid(n.size() + 1);
                conocida = true;
            } else {
                continue;
            }
            if (destino == &puerto) // given again for each sign
                o.puertos << puerto;
            const bool demora = destino == &o.dy1 || destino == &o.dy2;
            if (demora && ValorNumerico(destino->toStdString()) > DemoraMaxima) {
                Fallar(
                    nombre,
                    QStringLiteral("%1: la pausa maxima es %2 ms").arg(*destino).arg(DemoraMaxima));
                o.demoraRechazada = true;
                return false;
            }
        }
        if (!conocida)
            return false;
    }
    args = resto;
    if (o.puertos.isEmpty())
        o.puertos << guardado.Puerto;
    return true;
}

int EnviarMensaje(const QByteArray& trama, const OpcionesLinea& o, Entorno& entorno) {
    return transmitir([&trama](Envio&) { return trama; }, o, entorno,
                      ValorNumerico(o.dy1.toStdString()), ValorNumerico(o.dy2.toStdString()), true);
}

// Each sign gets the time at which its own first byte goes out: an adapter slow to answer
// does not make the others' clocks late, nor its own.
int EnviarHora(const OpcionesLinea& o, Entorno& entorno) {
    const auto trama = [&entorno](Envio& envio) {
        const QDateTime ahora = entorno.ahora();
        const CamposFecha c =
            CamposDeReloj(ahora.time().hour(), ahora.time().minute(), ahora.time().second(),
                          ahora.date().day(), ahora.date().month(), ahora.date().year());
        envio.hora = QString::fromStdString(TextoFecha(c));
        return QByteArray::fromStdString(TramaFecha(c));
    };
    return transmitir(trama, o, entorno, DemoraInicioFecha(o.dy1.toStdString()),
                      DemoraByteFecha(o.dy2.toStdString()), false);
}

} // namespace brelo
