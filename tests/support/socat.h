#pragma once

// A real pseudo-terminal pair made by socat: the program writes to one end, the test reads
// the other, as the sign would.

#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>

namespace brelo {

class ParSocat {
public:
    ParSocat() {
        socat_.setProcessChannelMode(QProcess::MergedChannels);
        socat_.start("socat", {"-d", "-d", "pty,raw,echo=0,link=" + programa(),
                               "pty,raw,echo=0,link=" + dir_.filePath("cartel")});
        // socat says when both ends exist; that is the only wait.
        QByteArray dicho;
        while (!dicho.contains("starting data transfer loop") && socat_.waitForReadyRead(5000))
            dicho += socat_.readAll();
        lector_.setPortName(dir_.filePath("cartel"));
        listo_ = dicho.contains("starting data transfer loop") && lector_.open(QIODevice::ReadOnly);
    }
    ~ParSocat() { Terminar(); }

    bool listo() const { return listo_; }
    QString programa() const { return dir_.filePath("programa"); }

    // Everything that reached the sign's end, waiting for at least n bytes.
    QByteArray Leer(int n) {
        while (recibido_.size() < n && lector_.waitForReadyRead(3000))
            recibido_ += lector_.readAll();
        return recibido_ += lector_.readAll();
    }

    // The sign's end vanishes, as when the cable is pulled from a USB adapter.
    void Terminar() {
        lector_.close();
        socat_.terminate();
        socat_.waitForFinished(3000);
    }

private:
    QTemporaryDir dir_;
    QProcess socat_;
    QSerialPort lector_;
    QByteArray recibido_;
    bool listo_ = false;
};

} // namespace brelo
