#pragma once

// "Vista del Cartel": a 16-column panel of round LEDs showing a page as the sign will show
// it. The columns come from the same filter that feeds the stream; the motion of the
// effects is an approximation. It only draws: the message is never touched.

#include "core/model/mensaje.h"
#include "core/protocol/vista.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <bitset>
#include <vector>

namespace brelo {

class Plataforma;

class VistaCartel : public QWidget {
    Q_OBJECT

public:
    static constexpr int Columnas = 96; // 16 characters of 5 dots and a dark column
    static constexpr int Filas = 7;
    static constexpr int PasoMaximo = 12;           // pixels from one dot to the next, at the most
    using Puntos = std::vector<std::bitset<Filas>>; // one per dot column, row 0 at the top

    explicit VistaCartel(Plataforma& plataforma, QWidget* padre = nullptr);

    // The page as typed. Its motion starts over when the effect changes, not on every key.
    void Mostrar(const Pagina& p);
    // Every page in turn, each for its motion and then n seconds for the pause code Cn the
    // stream carries for it (one second a step is a reading: the sign's own time per step is
    // not known); ends on the first page given to Mostrar() or on Apagar().
    void Reproducir(std::vector<Pagina> paginas);
    void Apagar();
    bool Reproduciendo() const { return !cola_.empty(); }
    // What the sign receives of the page shown, and its findings.
    const VistaPagina& Vista() const { return vista_; }

    // Pixels from one dot to the next in a panel that wide.
    static int Paso(int ancho);
    int heightForWidth(int ancho) const override;
    QSize sizeHint() const override;

    // The dots lit ms milliseconds into the page's motion.
    Puntos Cuadro(qint64 ms) const;
    // How long the page's motion takes once through; 0 for a page that stands still.
    qint64 Duracion() const;
    // How long Ver Mensaje keeps the page it shows, motion and pause, in ms.
    qint64 Permanencia() const { return finPagina_; }

Q_SIGNALS:
    void FinReproduccion();
    // Ver Mensaje has come to the page of that place in its list.
    void EnPagina(int indice, const brelo::Pagina& p);

protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void empezar(const Pagina& p);
    void avanzar();
    void prepararLeds();
    QRect rectPunto(int x, int y) const;

    Plataforma& plataforma_;
    Pagina pagina_;
    VistaPagina vista_;
    bool encendido_ = false;
    std::vector<Pagina> cola_;
    int enCola_ = 0; // the place in Ver Mensaje's list of the page shown
    qint64 finPagina_ = 0;
    QElapsedTimer reloj_;
    QTimer cuadros_;
    QPixmap apagados_, led_;
};

} // namespace brelo
