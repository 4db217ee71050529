#pragma once

// A serial-to-Ethernet adapter standing in for the sign: a TCP listener on the loopback that
// keeps every byte it is sent, over however many connections.

#include <QTcpServer>
#include <QTcpSocket>

namespace brelo {

class Adaptador {
public:
    Adaptador() { server_.listen(QHostAddress::LocalHost); }
    QString direccion() const { return "tcp://127.0.0.1:" + QString::number(server_.serverPort()); }
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

private:
    QTcpServer server_;
    QList<QTcpSocket*> sockets_; // children of the server
    QByteArray recibido_;
};

} // namespace brelo
