#pragma once

// One agenda to a port: an agenda holds a lock for each port it drives, so that a second one
// on the same port, from this user or another, finds it taken; and the window can tell whether
// an agenda is running. A lock left by a process that died is taken over.

#include <QString>

#include <memory>

class QLockFile;

namespace brelo {

// One sign however its port is written: "1" and "/dev/ttyS0", a link to a device and the
// device, "TCP://Equipo:4001" and "tcp://equipo:4001", "com3" and "COM3".
QString ClavePuerto(const QString& puerto);

class CerrojoAgenda {
public:
    explicit CerrojoAgenda(const QString& puerto);
    ~CerrojoAgenda();
    CerrojoAgenda(const CerrojoAgenda&) = delete;
    CerrojoAgenda& operator=(const CerrojoAgenda&) = delete;

    // False when a live agenda holds the port. The agenda file it runs is noted beside the
    // lock, for the window to tell.
    bool Tomar(const QString& agenda);
    const QString& Puerto() const { return puerto_; }

private:
    QString puerto_;
    std::unique_ptr<QLockFile> cerrojo_;
};

// The live agenda driving the port: its process (-1 when it cannot be read, 0 when none drives
// it) and the agenda file it runs.
struct AgendaViva {
    qint64 proceso = 0;
    QString agenda;
};
AgendaViva AgendaEnPuerto(const QString& puerto);

} // namespace brelo
