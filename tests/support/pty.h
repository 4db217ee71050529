#pragma once

// A real pseudo-terminal pair of the test's own: the program writes to the end named
// programa(), as to a serial port, and the test reads the other end as the sign would.
// Nothing sits between the two, so an end the test does not read fills up and stays full.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace brelo {

class ParPty {
public:
    ParPty() { Renovar(); }
    ~ParPty() { Terminar(); }

    // A link to the program's end, as /dev/serial/by-id names are.
    QString programa() const { return dir_.filePath("programa"); }

    // Everything that reached the sign's end, waiting for at least n bytes.
    QByteArray Leer(qsizetype n) {
        char b[4096];
        for (pollfd p{cartel_, POLLIN, 0}; ::poll(&p, 1, recibido_.size() < n ? 10000 : 0) > 0;) {
            const ssize_t leidos = ::read(cartel_, b, sizeof b);
            if (leidos <= 0)
                break;
            recibido_.append(b, leidos);
        }
        return recibido_;
    }

    // The line as the program set it up, read on the sign's end: speed, data bits, parity,
    // stop bits ("19200 8N1"), and any flow control.
    QString Modo() const {
        termios t{};
        ::tcgetattr(cartel_, &t);
        const speed_t v = ::cfgetospeed(&t);
        return QString::number(v == B1200    ? 1200
                               : v == B19200 ? 19200
                                             : -1) +
               ((t.c_cflag & CSIZE) == CS8 ? " 8" : " 7") + (t.c_cflag & PARENB ? "P" : "N") +
               (t.c_cflag & CSTOPB ? "2" : "1") +
               (t.c_iflag & (IXON | IXOFF) || t.c_cflag & CRTSCTS ? " con control de flujo" : "");
    }

    // Writes to the program's end until the line takes no more; returns what was written.
    // Raw, as the program will set it: a terminal that processes its output keeps room in
    // reserve. The kernel moves what was written on to the reading end a little later, which
    // can make room again, so the line is full once it has stayed full for a while.
    QByteArray Llenar() {
        relleno_ = ::open(qPrintable(programa()), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        termios modo{};
        ::tcgetattr(relleno_, &modo);
        ::cfmakeraw(&modo);
        ::tcsetattr(relleno_, TCSANOW, &modo);
        const QByteArray bloque(4096, 'x');
        QByteArray escrito;
        for (pollfd p{relleno_, POLLOUT, 0}; ::poll(&p, 1, 300) > 0;)
            for (ssize_t n; (n = ::write(relleno_, bloque.constData(), bloque.size())) > 0;)
                escrito += bloque.left(n);
        return errno == EAGAIN ? escrito : QByteArray();
    }

    // The sign's end vanishes, as when a USB adapter is pulled out.
    void Terminar() {
        for (int* fd : {&cartel_, &relleno_})
            if (*fd >= 0)
                ::close(std::exchange(*fd, -1));
    }

    // A new pair behind the same name, as when the adapter is plugged in again.
    void Renovar() {
        Terminar();
        recibido_.clear();
        // Not inherited: a program started by the test must not keep the sign's end open.
        cartel_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        QFile::remove(programa());
        if (cartel_ < 0 || ::grantpt(cartel_) || ::unlockpt(cartel_) ||
            !QFile::link(QString::fromLocal8Bit(::ptsname(cartel_)), programa()))
            Terminar();
    }

private:
    QTemporaryDir dir_;
    int cartel_ = -1, relleno_ = -1;
    QByteArray recibido_;
};

} // namespace brelo
