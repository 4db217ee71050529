#pragma once

// A serial-to-Ethernet adapter standing in for the sign: a TCP listener on the loopback that
// keeps every byte it is sent, over however many connections.

#include "link/ajustes.h"
#include "link/puerto.h"
#include "link/resolutor.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <atomic>
#include <cstring>
#include <net/if.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brelo {

// Names as a test wants them found, with no name server: "cartel.invalid" is not found,
// "mudo.example" answers only when the test says so, "lento.example" at once the first time
// and then only when the test says so, "enlace.example" is an IPv6 address of one link
// without its interface, any other name is this machine. Numeric addresses are themselves.
class ResolutorGuion final : public Resolutor {
public:
    std::shared_future<ResultadoNombre> Resolver(const std::string& host,
                                                 const std::string& puerto) override {
        if (!QHostAddress(QString::fromStdString(host.substr(0, host.find('%')))).isNull())
            return sistema_.Resolver(host, puerto);
        if (host == "mudo.example" || (host == "lento.example" && lentas_++ > 0))
            return mudo_;
        if (host == "enlace.example")
            return sistema_.Resolver("fe80::1", puerto);
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
    std::atomic<int> lentas_ = 0;
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

// An adapter that reads only when the test says so: a plain socket, which no event loop of
// the test's reads behind its back, behind a receive buffer of recepcion bytes.
class AdaptadorRetenido {
public:
    explicit AdaptadorRetenido(int recepcion) {
        escucha_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        ::setsockopt(escucha_, SOL_SOCKET, SO_RCVBUF, &recepcion, sizeof recepcion);
        sockaddr_in d{};
        d.sin_family = AF_INET;
        d.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t largo = sizeof d;
        ::bind(escucha_, reinterpret_cast<sockaddr*>(&d), largo);
        ::listen(escucha_, 4);
        ::getsockname(escucha_, reinterpret_cast<sockaddr*>(&d), &largo);
        puerto_ = ntohs(d.sin_port);
    }
    ~AdaptadorRetenido() {
        for (int s : conexiones_)
            ::close(s);
        ::close(escucha_);
    }
    QString direccion() const { return "tcp://127.0.0.1:" + QString::number(puerto_); }
    // Takes the connections made so far, and everything they hold now; all received so far.
    QByteArray Leer() {
        for (int s; (s = ::accept4(escucha_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;)
            conexiones_ << s;
        char bloque[4096];
        for (int s : conexiones_)
            for (ssize_t n; (n = ::read(s, bloque, sizeof bloque)) > 0;)
                recibido_.append(bloque, n);
        return recibido_;
    }

private:
    int escucha_ = -1;
    quint16 puerto_ = 0;
    QList<int> conexiones_;
    QByteArray recibido_;
};

class Adaptador {
public:
    // A small receive buffer makes an adapter that stops reading stop acknowledging too; a
    // queue of 0 lets Enmudecer take no more connections.
    explicit Adaptador(int recepcion = 0, quint16 puerto = 0,
                       const QHostAddress& en = QHostAddress::LocalHost, int cola = 50) {
        server_.setListenBacklogSize(cola);
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
    quint16 puerto() const { return server_.serverPort(); }

    // From now on a new connection hangs: the adapter takes none, and its queue is full.
    void Enmudecer() {
        Leer(0); // the connections made so far, taken
        server_.pauseAccepting();
        enCola_.connectToHost(server_.serverAddress(), server_.serverPort());
        enCola_.waitForConnected();
    }

    // Whether the system has sent a byte of s again, unanswered: the loopback is down.
    static bool Retransmite(const QTcpSocket& s) {
        tcp_info info{};
        socklen_t largo = sizeof info;
        return ::getsockopt(int(s.socketDescriptor()), IPPROTO_TCP, TCP_INFO, &info, &largo) == 0 &&
               info.tcpi_retransmits > 0;
    }

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
    QTcpSocket enCola_;
};

} // namespace brelo
