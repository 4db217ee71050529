#pragma once

// A serial device as the system gives it, in the three steps of its set-up, each of which can
// fail on its own: opening the device, configuring the line, then writing to it. Nothing is
// ever read.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace brelo {

class LineaSerie {
public:
    LineaSerie();
    ~LineaSerie();
    LineaSerie(const LineaSerie&) = delete;
    LineaSerie& operator=(const LineaSerie&) = delete;

    // Empty, or why the device cannot be had, in Spanish ("no existe", "esta en uso" ...).
    QString Abrir(const QString& dispositivo);
    // 8 data bits, no parity, 1 stop bit, no flow control, RTS and DTR off, and writes that
    // wait as long as the line needs. Empty, or the reason, naming the step that failed.
    QString Configurar(qint32 baudios);
    // On the transfer's thread: writes every byte, then waits until the driver has passed
    // them all to the line, so the pause after them starts when they have left. While the
    // line holds them up, seguir() is asked every tenth of a second. 0 once they have left;
    // ECANCELED when seguir() said no; else the error (errno values).
    int Escribir(const QByteArray& bytes, const std::function<bool()>& seguir);
    // The device went away since it was opened (a pulled adapter, a closed terminal).
    bool Colgada() const;
    bool Abierta() const;
    void Cerrar();

private:
    struct Sistema;
    std::unique_ptr<Sistema> s_;
    qint32 baudios_ = 0;
};

// Waits until the driver has passed its queue to the line, sleeping about the time its bytes
// take there; seguir() is asked every tenth of a second of it. cola gives how many bytes the
// driver still holds, false when it cannot say: the system's error then, never an empty
// queue. 0 once empty; ECANCELED when seguir() said no.
int EsperarCola(const std::function<bool(qint64& enCola)>& cola, qint32 baudios,
                const std::function<bool()>& seguir);

} // namespace brelo
