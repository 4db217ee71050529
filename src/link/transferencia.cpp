#include "link/transferencia.h"

#include "link/parada.h"
#include "link/puerto.h"
#include "link/reloj.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brelo {

namespace {
constexpr int LargoCabecera = 5; // "W-NT9" is followed by the start delay
const QByteArray Terminador("\x01\x01", 2);
constexpr double PausaLarga = 1000;       // ms; a cancel cuts a longer pause short
constexpr double LimiteTerminador = 1000; // ms the terminator may wait for a stalled line
constexpr double AvisoDetenida = 1000;    // ms a write waits before Detenida
constexpr double SinLimite = std::numeric_limits<double>::infinity();
constexpr qint64 NsPorMs = 1000000;

double Acotada(double demora) {
    return std::isnan(demora) ? 0 : std::clamp(demora, 0.0, DemoraMaxima);
}
} // namespace

Transferencia::Transferencia(Puerto& puerto, Reloj& reloj, QObject* padre)
    : QObject(padre), puerto_(puerto), reloj_(reloj) {}

Transferencia::~Transferencia() {
    Parada::Olvidar(&cancelado_);
    if (!hilo_.joinable())
        return;
    abandonado_ = true;
    cancelado_ = true;
    hilo_.join();
}

int Transferencia::Porcentaje(int pos, int largo) {
    return largo > 0 ? int(qint64(pos) * 100 / largo) : 0;
}

void Transferencia::Iniciar(const QByteArray& trama, double demora1, double demora2) {
    Iniciar([trama] { return trama; }, demora1, demora2);
}

void Transferencia::Iniciar(std::function<QByteArray()> trama, double demora1, double demora2) {
    if (hilo_.joinable())
        return;
    hacerTrama_ = std::move(trama);
    demora1_ = Acotada(demora1);
    demora2_ = Acotada(demora2);
    cancelado_ = false;
    abandonado_ = false;
    avisada_ = false;
    motivo_.clear();
    Parada::Avisar(&cancelado_); // a stopping signal cancels it at its next byte
    hilo_ = std::thread([this] {
        const Fin fin = correr();
        puerto_.Soltar();
        QMetaObject::invokeMethod(
            this, [this, fin] { acabar(fin); }, Qt::QueuedConnection);
    });
}

Transferencia::Fin Transferencia::correr() {
    reloj_.AlEmpezar();
    const auto seguir = [this] { return !cancelado_ && !abandonado_; };
    if (!puerto_.Preparar(seguir)) {
        motivo_ = puerto_.Motivo();
        return cancelado_ || abandonado_ ? Cancelado : SinLinea; // nothing was sent
    }
    if (!puerto_.Conectar(seguir)) // nothing was sent either: nothing to end
        return cancelado_ || abandonado_ ? Cancelado : fallar({});
    trama_ = hacerTrama_(); // now, just before its first byte: a clock command's time
    const int largo = int(trama_.size());
    int mostrado = -1;
    for (int pos = 1; pos <= largo; ++pos) {
        if (const int p = Porcentaje(pos, largo); p != mostrado)
            Q_EMIT Progreso(mostrado = p, largo);
        const bool escrito = escribir(trama_.mid(pos - 1, 1), SinLimite);
        if (std::exchange(avisada_, false) && escrito) // the line takes bytes again
            Q_EMIT Progreso(mostrado, largo);
        if (!escrito)
            return cancelado_ ? cancelar() : fallar(QStringLiteral("se abandono el envio"));
        pausar(pos <= LargoCabecera ? demora1_ : demora2_);
        if (cancelado_)
            return cancelar();
    }
    return confirmar(true) ? Enviado : fallar({});
}

// A write the line holds up is given up by a cancel, or after limiteMs.
bool Transferencia::escribir(const QByteArray& bytes, double limiteMs) {
    const qint64 desde = reloj_.Ahora();
    return puerto_.Output(bytes, [&] {
        const double ms = double(reloj_.Ahora() - desde) / NsPorMs;
        if (ms >= AvisoDetenida && !std::exchange(avisada_, true))
            Q_EMIT Detenida();
        return !abandonado_ && ms < limiteMs && (limiteMs < SinLimite || !cancelado_);
    });
}

// Measured from the moment the byte left, so the sign always gets at least the whole pause.
// Only a pause too long to wait out gives way to a cancel.
void Transferencia::pausar(double ms) {
    const qint64 hasta = reloj_.Ahora() + qint64(std::ceil(ms * NsPorMs));
    const bool larga = ms > PausaLarga;
    reloj_.DormirHasta(hasta, [this, larga] { return abandonado_ || (larga && cancelado_); });
}

// An adapter has every byte once its TCP acknowledged them; the port gives one up by its own
// rules, and a cancel stops the wait.
bool Transferencia::confirmar(bool cancelable) {
    bool avisado = false;
    const bool confirmado = puerto_.Confirmar([&](qint64) {
        if (!std::exchange(avisado, true))
            Q_EMIT Confirmando();
        return !abandonado_ && !(cancelable && cancelado_);
    });
    if (!confirmado && cancelable && cancelado_)
        motivo_ = QStringLiteral("se cancelo antes de que el adaptador confirmara los datos");
    return confirmado;
}

Transferencia::Fin Transferencia::cancelar() {
    if (!escribir(Terminador, LimiteTerminador))
        return fallar(QStringLiteral("la linea no acepto el fin de mensaje"));
    return confirmar(false) ? Cancelado : fallar({});
}

Transferencia::Fin Transferencia::fallar(const QString& siNoHayOtro) {
    if (motivo_.isEmpty())
        motivo_ = puerto_.Motivo().isEmpty() ? siNoHayOtro : puerto_.Motivo();
    if (motivo_.isEmpty())
        motivo_ = QStringLiteral("no se pudo escribir en el puerto");
    return Fallido;
}

void Transferencia::acabar(Fin fin) {
    hilo_.join();
    Parada::Olvidar(&cancelado_);
    Q_EMIT Terminada(fin);
}

} // namespace brelo
