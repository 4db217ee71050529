#include "ui/window/BarraEstado.h"

#include "ui/platform/plataforma.h"

#include <QLabel>

namespace brelo {

namespace {
constexpr int IntervaloTimer1 = 5000;
constexpr double EsperaMensaje = 0.5;

QString prefijo(std::uint8_t tipo) {
    switch (tipo) {
    case tipo::Pgm:
        return QStringLiteral("PGM: ");
    case tipo::Com:
        return QStringLiteral("COM: ");
    case tipo::Err:
        return QStringLiteral("ERR: ");
    default:
        return {};
    }
}
} // namespace

BarraEstado::BarraEstado(Plataforma& plataforma, QWidget* padre)
    : QStatusBar(padre), plataforma_(plataforma) {
    setSizeGripEnabled(true);
    // Panels 1 and 2 narrow and equal, panel 3 about five times as wide.
    const int proporcion[3] = {1, 1, 5};
    for (int i = 0; i < 3; ++i) {
        paneles_[i] = new QLabel(this);
        paneles_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        paneles_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Widths follow the proportions alone, whatever each panel's text.
        paneles_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        addWidget(paneles_[i], proporcion[i]);
    }
    timer1_.setInterval(IntervaloTimer1);
    timer1_.setSingleShot(true);
    connect(&timer1_, &QTimer::timeout, this, &BarraEstado::Timer1_Timer);
    timer1_.start();
}

QString BarraEstado::Panel(int n) const {
    return paneles_[n - 1]->text();
}

void BarraEstado::PonerPanel(int n, const QString& texto) {
    if (n == 3)
        fijo_ = false;
    paneles_[n - 1]->setText(texto);
    // The two narrow panels cut a device path or a long file name short; the whole text is
    // a hover away.
    if (n < 3)
        paneles_[n - 1]->setToolTip(texto);
}

void BarraEstado::TypeMsg(std::uint8_t tipo, const QString& men) {
    PonerPanel(3, prefijo(tipo) + men);
    plataforma_.Tiempo(EsperaMensaje);
    timer1_.start(); // restarts the 5 s count from now
}

void BarraEstado::Nota(const QString& men) {
    PonerPanel(3, prefijo(tipo::Pgm) + men);
    timer1_.start();
}

void BarraEstado::TypeErr(const QString& menerr) {
    plataforma_.Beep();
    plataforma_.Beep();
    TypeMsg(tipo::Err, menerr);
}

void BarraEstado::BorrMsg() {
    PonerPanel(3, QString());
}

void BarraEstado::Fijar(const QString& men) {
    PonerPanel(3, prefijo(tipo::Pgm) + men);
    fijo_ = true;
}

void BarraEstado::Timer1_Timer() {
    if (!Panel(3).isEmpty() && !fijo_)
        BorrMsg();
}

} // namespace brelo
