#pragma once

// A paced transfer to the sign: one byte, then its pause, then the next. Demora1 follows
// each of the first five bytes ("W-NT9"), Demora2 every later one. A cancel is seen after
// the current byte and its pause; the sign is then sent the terminator 01 01 so it drops
// the partial stream. Through an adapter, a transfer is over only once the adapter has
// acknowledged every byte.
//
// The bytes and pauses run on a thread of their own that holds the port until the end, so
// a slow line or a long pause never freezes the window:
//
//   window thread                         transfer thread
//   Iniciar() ---- starts ----------->    byte, wait for the line, pause, byte ...
//   Cancelar() --- atomic flag ------>    seen after the byte and its pause
//   Progreso <---- queued, on change --   percentage before each byte
//   Terminada <--- queued, at the end -   thread joined first

#include <QByteArray>
#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

namespace brelo {

// The longest pause after a byte, in ms. A minute is far more than any sign needs; a longer
// setting only looks like a hang, so it is taken as this.
inline constexpr double DemoraMaxima = 60000;

class Puerto;
class Reloj;

class Transferencia : public QObject {
    Q_OBJECT

public:
    // SinLinea: the line was not good (an adapter that did not answer); nothing was sent.
    enum Fin { Enviado, Cancelado, Fallido, SinLinea };
    Q_ENUM(Fin)

    Transferencia(Puerto& puerto, Reloj& reloj, QObject* padre = nullptr);
    // A transfer still running is cancelled at once, pause or not, and waited for.
    ~Transferencia() override;

    // Delays in milliseconds, held to 0..DemoraMaxima. Does nothing while a transfer runs.
    void Iniciar(const QByteArray& trama, double demora1, double demora2);
    // The stream made on the transfer's thread once the line is ready, just before its
    // first byte: a clock command then carries the time it is sent at.
    void Iniciar(std::function<QByteArray()> trama, double demora1, double demora2);
    // Safe from any thread.
    void Cancelar() { cancelado_ = true; }
    bool Ocupado() const { return hilo_.joinable(); }

    // Whole percentage shown before byte pos (1-based) of a stream of largo bytes.
    static int Porcentaje(int pos, int largo);

    // Why the transfer failed, in Spanish, once Terminada has said Fallido.
    QString Motivo() const { return motivo_; }

Q_SIGNALS:
    void Progreso(int porcentaje, int largoTrama);
    // A write the line has held up for a second; Progreso comes again once it goes through.
    void Detenida();
    // Every byte has gone; the adapter has not yet acknowledged them all.
    void Confirmando();
    void Terminada(brelo::Transferencia::Fin fin);

private:
    Fin correr();
    bool escribir(const QByteArray& bytes, double limiteMs);
    void pausar(double ms);
    bool confirmar(bool cancelable);
    Fin cancelar();
    Fin fallar(const QString& siNoHayOtro);
    void acabar(Fin fin);

    Puerto& puerto_;
    Reloj& reloj_;
    // A plain thread: its start and end are ones ThreadSanitizer sees (scripts/tsan).
    std::thread hilo_;
    std::function<QByteArray()> hacerTrama_;
    QByteArray trama_; // the transfer thread's
    double demora1_ = 0;
    double demora2_ = 0;
    bool avisada_ = false; // Detenida was sent for the current write; the transfer thread's
    QString motivo_;       // written by the transfer thread before it ends
    std::atomic<bool> cancelado_ = false;
    std::atomic<bool> abandonado_ = false;
};

} // namespace brelo
