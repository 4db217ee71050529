// Pacing of a real transfer through a pseudo-terminal pair: the ratio of the measured time to
// the ideal 5 x DY1 + (N - 5) x DY2, the CPU time the process spent as a share of the
// transfer's duration, and the time from Cancelar to the terminator. Then adapters slower than
// the pauses: a full memory to one that drains 120 bytes a second (a 1200-baud line) through a
// 1 KiB buffer, and to one that empties its buffer every 9 s; how long each took and how it
// ended. Prints figures; asserts nothing. (A minute and a half of it is those two.)

#include "link/ajustes.h"
#include "link/puertotcp.h"
#include "link/reloj.h"
#include "link/resolutor.h"
#include "link/transferencia.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <tuple>
#include <vector>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "medidas.h"

using namespace brelo;

namespace {

constexpr int Largo = 2000;
constexpr double Dy1 = 10;
constexpr double Dy2 = 5;

class PuertoCronometrado final : public Puerto {
public:
    RelojReal relojReal;
    ResolutorSistema resolutor;
    LineaCartel real{resolutor, relojReal};
    QElapsedTimer reloj;
    std::atomic<qint64> ultimo = 0;
    bool PortOpen() const override { return real.PortOpen(); }
    void Cerrar() override { real.Cerrar(); }
    bool Abrir(const QString& d, qint32 b, QString& e) override { return real.Abrir(d, b, e); }
    bool Preparar(const std::function<bool()>& seguir) override { return real.Preparar(seguir); }
    bool Conectar(const std::function<bool()>& seguir) override { return real.Conectar(seguir); }
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override {
        ultimo = reloj.nsecsElapsed();
        return real.Output(bytes, seguir);
    }
    bool Confirmar(const std::function<bool(qint64)>& seguir) override {
        return real.Confirmar(seguir);
    }
};

Transferencia::Fin esperarFin(Transferencia& t) {
    QEventLoop bucle;
    Transferencia::Fin fin = Transferencia::Fallido;
    QObject::connect(&t, &Transferencia::Terminada, &bucle, [&](Transferencia::Fin f) {
        fin = f;
        bucle.quit();
    });
    bucle.exec();
    return fin;
}

// An adapter on the loopback with a 1 KiB receive buffer, read on a thread of its own: cada
// bytes at a time every pausa ms (0: all there is).
class AdaptadorLento {
public:
    AdaptadorLento(int cada, int pausa) {
        escucha_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int recepcion = 1024;
        ::setsockopt(escucha_, SOL_SOCKET, SO_RCVBUF, &recepcion, sizeof recepcion);
        sockaddr_in d{};
        d.sin_family = AF_INET;
        d.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t largo = sizeof d;
        ::bind(escucha_, reinterpret_cast<sockaddr*>(&d), largo);
        ::listen(escucha_, 4);
        ::getsockname(escucha_, reinterpret_cast<sockaddr*>(&d), &largo);
        puerto_ = ntohs(d.sin_port);
        lector_ = std::thread([this, cada, pausa] {
            std::vector<char> b(65536);
            while (!fin_) { // the check's connection first, then the transfer's
                const int s = ::accept(escucha_, nullptr, nullptr);
                if (s < 0)
                    return;
                for (ssize_t n = 1; n > 0 && !fin_;) {
                    n = ::read(s, b.data(), cada ? size_t(cada) : b.size());
                    std::this_thread::sleep_for(std::chrono::milliseconds(pausa));
                }
                ::close(s);
            }
        });
    }
    ~AdaptadorLento() {
        fin_ = true;
        ::shutdown(escucha_, SHUT_RDWR);
        lector_.join();
        ::close(escucha_);
    }
    QString direccion() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(puerto_); }

private:
    int escucha_;
    quint16 puerto_ = 0;
    std::atomic<bool> fin_ = false;
    std::thread lector_;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString lado = dir.filePath("programa");
    QProcess socat;
    socat.setProcessChannelMode(QProcess::MergedChannels);
    socat.start("socat", {"-d", "-d", "pty,raw,echo=0,link=" + lado,
                          "pty,raw,echo=0,link=" + dir.filePath("cartel")});
    QByteArray dicho;
    while (!dicho.contains("starting data transfer loop") && socat.waitForReadyRead(5000))
        dicho += socat.readAll();
    // Something must drain the far end, as a sign would.
    QProcess lector;
    lector.start("sh", {"-c", "cat " + dir.filePath("cartel") + " > /dev/null"});
    lector.waitForStarted();

    PuertoCronometrado puerto;
    Ajustes a;
    a.Puerto = lado;
    if (!IniciarPuerto(puerto, a).isEmpty()) {
        std::fprintf(stderr, "no se pudo abrir %s\n", qPrintable(lado));
        return 1;
    }
    RelojReal reloj;
    Transferencia t(puerto, reloj);
    const QByteArray trama(Largo, 'x');

    const double cpu = segundosDeCpu();
    puerto.reloj.start();
    t.Iniciar(trama, Dy1, Dy2);
    esperarFin(t);
    const double medido = puerto.reloj.nsecsElapsed() / 1e6;
    const double cpuMs = (segundosDeCpu() - cpu) * 1000;
    const double ideal = 5 * Dy1 + (Largo - 5) * Dy2;
    std::printf("transferencia de %d bytes, DY1 %.0f ms, DY2 %.0f ms\n", Largo, Dy1, Dy2);
    std::printf("  medido %.1f ms, ideal %.1f ms, razon %.4f\n", medido, ideal, medido / ideal);
    std::printf("  CPU %.1f ms, %.2f %% de un nucleo\n", cpuMs, 100 * cpuMs / medido);

    // The same through an adapter on the loopback, drained as it arrives.
    QTcpServer adaptador;
    adaptador.listen(QHostAddress::LocalHost);
    QObject::connect(&adaptador, &QTcpServer::newConnection, &adaptador, [&adaptador] {
        while (QTcpSocket* s = adaptador.nextPendingConnection())
            QObject::connect(s, &QTcpSocket::readyRead, s, [s] { s->readAll(); });
    });
    PuertoCronometrado red;
    Ajustes b;
    b.Puerto = QStringLiteral("tcp://127.0.0.1:%1").arg(adaptador.serverPort());
    if (!IniciarPuerto(red, b).isEmpty())
        return 1;
    Transferencia porRed(red, reloj);
    red.reloj.start();
    porRed.Iniciar(trama, Dy1, Dy2);
    esperarFin(porRed);
    std::printf("  por TCP (adaptador en el equipo): medido %.1f ms, razon %.4f\n",
                red.reloj.nsecsElapsed() / 1e6, red.reloj.nsecsElapsed() / 1e6 / ideal);

    // Cancelled 100 ms into the transfer, first with the pauses above, then with the longest
    // pause, which the cancel cuts short.
    for (const double dy2 : {Dy2, DemoraMaxima}) {
        double peor = 0;
        for (int vez = 0; vez < 10; ++vez) {
            qint64 cancelado = 0;
            puerto.reloj.start();
            t.Iniciar(trama, Dy1, dy2);
            QTimer::singleShot(100 + vez, [&] {
                cancelado = puerto.reloj.nsecsElapsed();
                t.Cancelar();
            });
            esperarFin(t);
            peor = std::max(peor, (puerto.ultimo - cancelado) / 1e6);
        }
        std::printf("  de Cancelar al terminador con DY2 %.0f ms: peor de 10, %.2f ms\n", dy2,
                    peor);
    }
    // Adapters slower than the pauses, a full memory with the default pauses.
    const QByteArray lleno(8002, 'x');
    for (auto [cada, pausa, como] :
         {std::tuple{12, 100, "120 bytes/s por 1 KiB"}, {0, 9000, "vacia su memoria cada 9 s"}}) {
        AdaptadorLento lento(cada, pausa);
        PuertoCronometrado linea;
        Ajustes c;
        c.Puerto = lento.direccion();
        if (!IniciarPuerto(linea, c).isEmpty())
            return 1;
        Transferencia aLento(linea, reloj);
        QElapsedTimer duracion;
        duracion.start();
        aLento.Iniciar(lleno, 200, 5);
        const Transferencia::Fin fin = esperarFin(aLento);
        std::printf("  adaptador lento (%s), 8002 bytes: %.1f s, %s %s\n", como,
                    duracion.elapsed() / 1000.0,
                    fin == Transferencia::Enviado ? "enviado" : "fallido",
                    qPrintable(aLento.Motivo()));
    }
    lector.kill();
    lector.waitForFinished();
    socat.terminate();
    socat.waitForFinished();
    return 0;
}
