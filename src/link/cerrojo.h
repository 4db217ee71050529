#pragma once

// One agenda to a port: an agenda holds a lock for each port it drives, so that a second one
// on the same port, from this user or another, finds it taken; and the window can tell whether
// an agenda is running. A lock left by a process that died is taken over.

#include <QString>

#include <memory>

class QLockFile;

namespace brelo {

class CerrojoAgenda {
public:
    explicit CerrojoAgenda(const QString& puerto);
    ~CerrojoAgenda();
    CerrojoAgenda(const CerrojoAgenda&) = delete;
    CerrojoAgenda& operator=(const CerrojoAgenda&) = delete;

    // False when a live agenda holds the port.
    bool Tomar();
    const QString& Puerto() const { return puerto_; }

private:
    QString puerto_;
    std::unique_ptr<QLockFile> cerrojo_;
};

// The process of the live agenda driving the port ("1" and "/dev/ttyS0" are one port), 0 when
// none does.
qint64 AgendaEnPuerto(const QString& puerto);

} // namespace brelo
