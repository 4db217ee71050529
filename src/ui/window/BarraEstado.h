#pragma once

// StatusBar1 of the main window: panel 1 the serial line, panel 2 the message's file name,
// panel 3 short program messages that clear themselves (Timer1).

#include <QStatusBar>
#include <QTimer>

#include <cstdint>

class QLabel;

namespace brelo {

class Plataforma;

namespace tipo {
inline constexpr std::uint8_t Pgm = 0;
inline constexpr std::uint8_t Com = 1;
inline constexpr std::uint8_t Err = 3;
inline constexpr std::uint8_t Ninguno = 5;
} // namespace tipo

class BarraEstado : public QStatusBar {
    Q_OBJECT

public:
    BarraEstado(Plataforma& plataforma, QWidget* padre = nullptr);

    QString Panel(int n) const;
    void PonerPanel(int n, const QString& texto);

    void TypeMsg(std::uint8_t tipo, const QString& men);
    void TypeErr(const QString& menerr);
    void BorrMsg();
    // A PGM message that does not hold the keyboard: for notes while the operator types.
    void Nota(const QString& men);
    // A PGM message that stays until the next one: what the operator may need to copy.
    void Fijar(const QString& men);

    QTimer* Timer1() { return &timer1_; }
    void Timer1_Timer();

private:
    Plataforma& plataforma_;
    QLabel* paneles_[3];
    QTimer timer1_;
    bool fijo_ = false; // panel 3 holds what Fijar put there
};

} // namespace brelo
