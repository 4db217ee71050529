#pragma once

// A serial-to-Ethernet adapter standing in for the sign: a TCP listener on the loopback that
// keeps every byte it is sent, over however many connections.

#include "link/ajustes.h"
#include "link/puerto.h"
#include "link/resolutor.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <cstring>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brelo {

// Names as a test wants them found, with no name server: "cartel.invalid" is not found,
// "mudo.example" answers only when the test says so, any other name is this machine.
// Numeric addresses are themselves.
class ResolutorGuion final : public Resolutor {
public:
    std::shared_future<ResultadoNombre> Resolver(const std::string& host,
                                                 const std::string& puerto) override {
        if (!QHostAddress(QString::fromStdString(host.substr(0, host.find('%')))).isNull())
            return sistema_.Resolver(host, puerto);
        if (host == "mudo.example")
            return mudo_;
        std::promise<ResultadoNombre> r;
        r.set_value(host == "cartel.invalid" ? ResultadoNombre{{}, "no se encontro el equipo"}
                                             : sistema_.Resolver("127.0.0.1", puerto).get());
        return r.get_future().share();
    }
    void Responder(const std::string& puerto) {
        respuesta_.set_value(sistema_.Resolver("127.0.0.1", puerto).get());
    }

private:
    ResolutorSistema sistema_;
    std::promise<ResultadoNombre> respuesta_;
    std::shared_future<ResultadoNombre> mudo_ = respuesta_.get_future().share();
};

// An adapter that never answers: its queue of connections is full and nothing takes them, so
// a new one hangs.
struct AdaptadorMudo {
    QTcpServer server;
    QTcpSocket enCola;
    AdaptadorMudo() {
        server.setListenBacklogSize(0);
        server.listen(QHostAddress::LocalHost);
        server.pauseAccepting();
        enCola.connectToHost(QHostAddress::LocalHost, server.serverPort());
        enCola.waitForConnected();
    }
    QString direccion() const { return "tcp://127.0.0.1:" + QString::number(server.serverPort()); }
};

// A port set up as at start-up, with its check waited for: the reason, or nothing.
inline QString Iniciar(Puerto& puerto, const Ajustes& a) {
    const QString error = IniciarPuerto(puerto, a);
    const bool bien = !error.isEmpty() || puerto.Preparar([] { return true; });
    return bien ? error : a.Puerto + ": " + puerto.Motivo();
}

class Adaptador {
public:
    // A small receive buffer makes an adapter that stops reading stop acknowledging too.
    explicit Adaptador(int recepcion = 0, quint16 puerto = 0,
                       const QHostAddress& en = QHostAddress::LocalHost) {
        server_.listen(en, puerto);
        if (recepcion) // taken over by the connections it accepts
            ::setsockopt(int(server_.socketDescriptor()), SOL_SOCKET, SO_RCVBUF, &recepcion,
                         sizeof recepcion);
    }
    QString direccion() const {
        const QString host = server_.serverAddress().toString();
        return "tcp://" + (host.contains(':') ? '[' + host + ']' : host) + ':' +
               QString::number(server_.serverPort());
    }
    int conexiones() const { return int(sockets_.size()); }

    // Everything received, waiting until there are at least n bytes.
    QByteArray Leer(qsizetype n) {
        for (int vuelta = 0; vuelta < 100 && (recibido_.size() < n || vuelta == 0); ++vuelta) {
            server_.waitForNewConnection(vuelta ? 100 : 0);
            while (QTcpSocket* s = server_.nextPendingConnection())
                sockets_ << s;
            for (QTcpSocket* s : sockets_) {
                if (!s->isOpen())
                    continue;
                s->waitForReadyRead(vuelta ? 10 : 0);
                recibido_ += s->readAll();
            }
        }
        return recibido_;
    }

    // The adapter drops the connection it is on, as when it is restarted.
    void Cortar() {
        Leer(0);
        for (QTcpSocket* s : sockets_)
            s->abort();
    }

    // The loopback of the network namespace the link tests run in, which tests/red-propia.sh
    // marks BRELO_RED_PROPIA, brought up or down. Anywhere else, nothing is touched and it
    // says false: never set that mark by hand.
    static bool Loopback(bool arriba) {
        if (qgetenv("BRELO_RED_PROPIA") != "1")
            return false;
        const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ifreq r{};
        std::strcpy(r.ifr_name, "lo");
        bool bien = ::ioctl(s, SIOCGIFFLAGS, &r) == 0;
        r.ifr_flags = short(arriba ? r.ifr_flags | IFF_UP : r.ifr_flags & ~IFF_UP);
        bien = bien && ::ioctl(s, SIOCSIFFLAGS, &r) == 0;
        ::close(s);
        return bien;
    }

private:
    QTcpServer server_;
    QList<QTcpSocket*> sockets_; // children of the server
    QByteArray recibido_;
};

} // namespace brelo
