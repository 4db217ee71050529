#include "link/transferencia.h"

#include "link/espera.h"
#include "link/puerto.h"

#include <algorithm>

namespace brelo {

namespace {
constexpr int LargoCabecera = 5; // "W-NT9" is followed by the start delay
const QByteArray Terminador("\x01\x01", 2);
} // namespace

Transferencia::Transferencia(Puerto& puerto, Espera& espera, QObject* padre)
    : QObject(padre), puerto_(puerto), espera_(espera) {}

int Transferencia::Porcentaje(int pos, int largo) {
    return largo > 0 ? int(qint64(pos) * 100 / largo) : 0;
}

void Transferencia::Iniciar(const QByteArray& trama, double demora1, double demora2) {
    if (ocupado_)
        return;
    trama_ = trama;
    demora1_ = std::clamp(demora1, 0.0, DemoraMaxima);
    demora2_ = std::clamp(demora2, 0.0, DemoraMaxima);
    posTrama_ = 1;
    cancelado_ = false;
    ocupado_ = true;
    enviarByte();
}

void Transferencia::Cancelar() {
    if (ocupado_)
        cancelado_ = true;
}

void Transferencia::enviarByte() {
    const int largo = int(trama_.size());
    Q_EMIT Progreso(posTrama_, Porcentaje(posTrama_, largo), largo);
    if (!puerto_.Output(trama_.mid(posTrama_ - 1, 1))) {
        terminar(Fallido);
        return;
    }
    espera_.Luego(posTrama_ <= LargoCabecera ? demora1_ : demora2_, this, [this] { trasPausa(); });
}

void Transferencia::trasPausa() {
    if (cancelado_) {
        terminar(puerto_.Output(Terminador) ? Cancelado : Fallido);
        return;
    }
    if (posTrama_ == trama_.size()) {
        terminar(Enviado);
        return;
    }
    ++posTrama_;
    enviarByte();
}

void Transferencia::terminar(Fin fin) {
    ocupado_ = false;
    Q_EMIT Terminada(fin);
}

} // namespace brelo
