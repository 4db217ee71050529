#include "cli/envio.h"

#include "link/ajustes.h"
#include "link/motivos.h"
#include "link/puerto.h"
#include "link/puertotcp.h"
#include "link/reloj.h"
#include "link/transferencia.h"
#include "model/valor.h"
#include "protocol/fechahora.h"
#include "shell/textos.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

namespace brelo {

namespace {

constexpr int Fallo = 1;
constexpr int Interrumpido = 130;

volatile std::sig_atomic_t ctrlC = 0;

void alCtrlC(int) {
    ctrlC = 1;
}

// One sign's transfer.
struct Envio {
    QString puerto;
    LineaCartel linea;
    std::unique_ptr<Transferencia> t;
    int porcentaje = 0;
    std::optional<Transferencia::Fin> fin;
};

// Each sign's ending, the failures naming their port; the exit status of them all.
int informar(const std::vector<std::unique_ptr<Envio>>& envios) {
    const bool varios = envios.size() > 1;
    int estado = 0;
    for (const auto& e : envios) {
        const QString quien = varios ? e->puerto + QStringLiteral(": ") : QString();
        if (e->fin == Transferencia::Enviado) {
            std::cerr << qPrintable(quien) << texto::EnviadoOk << '\n';
        } else if (e->fin == Transferencia::Cancelado) {
            std::cerr << qPrintable(quien) << texto::Cancelado << '\n';
            estado = std::max(estado, Interrumpido);
        } else {
            Fallar(texto::Error22,
                   e->puerto + QStringLiteral(": no se pudo escribir en el puerto"));
            estado = std::max(estado, Fallo);
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

// A transfer for each port that opens; each one that does not is reported, and estado then
// says a failure.
std::vector<std::unique_ptr<Envio>> abrirPuertos(const OpcionesLinea& o, Reloj& reloj,
                                                 int& estado) {
    std::vector<std::unique_ptr<Envio>> envios;
    for (const QString& puerto : o.puertos) {
        auto e = std::make_unique<Envio>();
        e->puerto = puerto;
        Ajustes a;
        a.Puerto = puerto;
        a.Baud = o.baud;
        if (const QString error = IniciarPuerto(e->linea, a); !error.isEmpty()) {
            estado = Fallar(texto::Error03, error);
            continue;
        }
        e->t = std::make_unique<Transferencia>(e->linea, reloj);
        envios.push_back(std::move(e));
    }
    return envios;
}

// Sends the bytes to every port at once, each paced on its own as the window paces its one;
// Ctrl-C cancels them all like Cancelar. 0 only when every sign got the whole stream.
int transmitir(const QByteArray& trama, const OpcionesLinea& o, double demora1, double demora2,
               bool conLargo) {
    if (std::max(demora1, demora2) > DemoraMaxima)
        std::cerr << "Aviso: una pausa guardada en Opciones pasa de " << DemoraMaxima
                  << " ms: se usa " << DemoraMaxima << " ms\n";
    int estado = 0;
    RelojReal reloj;
    const std::vector<std::unique_ptr<Envio>> envios = abrirPuertos(o, reloj, estado);
    if (envios.empty())
        return estado;
    std::size_t pendientes = envios.size();
    for (const auto& e : envios) {
        Envio* envio = e.get();
        QObject::connect(envio->t.get(), &Transferencia::Progreso, envio->t.get(),
                         [&, envio](int porcentaje, int largo) {
                             envio->porcentaje = porcentaje;
                             mostrarAvance(envios, conLargo, largo);
                         });
        QObject::connect(envio->t.get(), &Transferencia::Detenida, envio->t.get(), [envio] {
            std::cerr << "\nAviso: " << qPrintable(envio->puerto)
                      << ": la linea no acepta datos; se sigue esperando\n";
        });
        QObject::connect(envio->t.get(), &Transferencia::Terminada, envio->t.get(),
                         [&, envio](Transferencia::Fin fin) {
                             envio->fin = fin;
                             if (--pendientes == 0)
                                 QCoreApplication::exit();
                         });
    }
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, &vigia, [&envios] {
        if (ctrlC)
            for (const auto& e : envios)
                e->t->Cancelar();
    });
    std::signal(SIGINT, alCtrlC);
    vigia.start(50);
    for (const auto& e : envios)
        e->t->Iniciar(trama, demora1, demora2);
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::cerr << '\n';
    return std::max(estado, informar(envios));
}

} // namespace

int Fallar(const char* texto, const QString& motivo) {
    std::cerr << texto << ": " << Mostrable(motivo).toLocal8Bit().constData() << '\n';
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

int EnviarMensaje(const QByteArray& trama, const OpcionesLinea& o) {
    return transmitir(trama, o, ValorNumerico(o.dy1.toStdString()),
                      ValorNumerico(o.dy2.toStdString()), true);
}

int EnviarHora(const OpcionesLinea& o) {
    const QDateTime ahora = QDateTime::currentDateTime();
    const CamposFecha c =
        CamposDeReloj(ahora.time().hour(), ahora.time().minute(), ahora.time().second(),
                      ahora.date().day(), ahora.date().month(), ahora.date().year());
    std::cerr << TextoFecha(c) << '\n';
    return transmitir(QByteArray::fromStdString(TramaFecha(c)), o,
                      DemoraInicioFecha(o.dy1.toStdString()), DemoraByteFecha(o.dy2.toStdString()),
                      false);
}

} // namespace brelo
