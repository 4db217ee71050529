#pragma once

// A paced transfer to the sign: one byte, then its pause, then the next. Demora1 follows
// each of the first five bytes ("W-NT9"), Demora2 every later one. A cancel is seen after
// the current byte and its pause; the sign is then sent the terminator 01 01 so it drops
// the partial stream.

#include <QByteArray>
#include <QObject>

namespace brelo {

// The longest pause after a byte, in ms. A minute is far more than any sign needs; a longer
// setting only looks like a hang, so it is taken as this.
inline constexpr double DemoraMaxima = 60000;

class Espera;
class Puerto;

class Transferencia : public QObject {
    Q_OBJECT

public:
    enum Fin { Enviado, Cancelado, Fallido };
    Q_ENUM(Fin)

    Transferencia(Puerto& puerto, Espera& espera, QObject* padre = nullptr);

    // Delays in milliseconds, held to 0..DemoraMaxima. Starts at once; does nothing while a
    // transfer runs.
    void Iniciar(const QByteArray& trama, double demora1, double demora2);
    void Cancelar();
    bool Ocupado() const { return ocupado_; }

    // Whole percentage shown before byte pos (1-based) of a stream of largo bytes.
    static int Porcentaje(int pos, int largo);

Q_SIGNALS:
    void Progreso(int posTrama, int porcentaje, int largoTrama);
    void Terminada(brelo::Transferencia::Fin fin);

private:
    void enviarByte();
    void trasPausa();
    void terminar(Fin fin);

    Puerto& puerto_;
    Espera& espera_;
    QByteArray trama_;
    double demora1_ = 0;
    double demora2_ = 0;
    int posTrama_ = 0;
    bool ocupado_ = false;
    bool cancelado_ = false;
};

} // namespace brelo
