#include "cli/envio.h"

#include "link/ajustes.h"
#include "link/motivos.h"
#include "link/puerto.h"
#include "link/puertoserie.h"
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

namespace brelo {

namespace {

constexpr int Fallo = 1;
constexpr int Interrumpido = 130;

volatile std::sig_atomic_t ctrlC = 0;

void alCtrlC(int) {
    ctrlC = 1;
}

// Progress overwrites one line of standard error, once per change of percentage.
class Avance {
public:
    explicit Avance(bool conLargo) : conLargo_(conLargo) {}
    void operator()(int porcentaje, int largo) {
        if (porcentaje == ultimo_)
            return;
        ultimo_ = porcentaje;
        std::cerr << '\r' << (conLargo_ ? "Enviando ..." : "Enviando Datos al CARTEL ...")
                  << porcentaje << '%';
        if (conLargo_)
            std::cerr << " [" << largo << ']';
        std::cerr.flush();
    }

private:
    bool conLargo_;
    int ultimo_ = -1;
};

// Sends the bytes paced as the window does; Ctrl-C cancels like Cancelar.
int transmitir(const QByteArray& trama, const OpcionesLinea& o, double demora1, double demora2,
               bool conLargo) {
    Ajustes a;
    a.Puerto = o.puerto;
    a.Baud = o.baud;
    if (std::max(demora1, demora2) > DemoraMaxima)
        std::cerr << "Aviso: una pausa guardada en Opciones pasa de " << DemoraMaxima
                  << " ms: se usa " << DemoraMaxima << " ms\n";
    PuertoSerie puerto;
    if (const QString error = IniciarPuerto(puerto, a); !error.isEmpty())
        return Fallar(texto::Error03, error);
    RelojReal reloj;
    Transferencia t(puerto, reloj);
    Avance avance(conLargo);
    QObject::connect(&t, &Transferencia::Progreso, &t, std::ref(avance));
    QObject::connect(&t, &Transferencia::Detenida, &t, [] {
        std::cerr << "\nAviso: la linea no acepta datos; se sigue esperando\n";
    });
    int estado = Fallo;
    QObject::connect(&t, &Transferencia::Terminada, &t, [&estado](Transferencia::Fin fin) {
        std::cerr << '\n';
        if (fin == Transferencia::Enviado) {
            std::cerr << texto::EnviadoOk << '\n';
            estado = 0;
        } else if (fin == Transferencia::Cancelado) {
            std::cerr << texto::Cancelado << '\n';
            estado = Interrumpido;
        } else {
            Fallar(texto::Error22, QStringLiteral("no se pudo escribir en el puerto"));
        }
        QCoreApplication::exit();
    });
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, &t, [&t] {
        if (ctrlC)
            t.Cancelar();
    });
    std::signal(SIGINT, alCtrlC);
    vigia.start(50);
    t.Iniciar(trama, demora1, demora2);
    if (t.Ocupado())
        QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    return estado;
}

} // namespace

int Fallar(const char* texto, const QString& motivo) {
    std::cerr << texto << ": " << Mostrable(motivo).toLocal8Bit().constData() << '\n';
    return Fallo;
}

bool LeerOpcionesLinea(QStringList& args, OpcionesLinea& o) {
    const Ajustes guardado = LeerAjustes();
    o = {guardado.Puerto, guardado.Baud, guardado.DY1, guardado.DY2};
    const std::pair<const char*, QString*> nombres[] = {
        {"--puerto", &o.puerto}, {"--baud", &o.baud}, {"--dy1", &o.dy1}, {"--dy2", &o.dy2}};
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
