// The sign preview: the time from a keystroke in a page of 1023 characters to the panel drawn
// again, and the CPU the program spends while a page scrolls at its normal frame rate.
// Run it on the offscreen platform (QT_QPA_PLATFORM=offscreen). Prints figures; asserts
// nothing.

#include "ui/editor/CajaMensaje.h"
#include "ui/editor/FraMensaje.h"
#include "ui/editor/VistaCartel.h"
#include "ui/platform/PlataformaReal.h"
#include "ui/window/FrmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "medidas.h"

using namespace brelo;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    PlataformaReal plataforma;
    // No port here: the start-up's Error #03 box is closed as soon as it shows.
    QTimer::singleShot(0, &app, [] {
        if (QWidget* caja = QApplication::activeModalWidget())
            caja->close();
    });
    FrmMain v(plataforma);
    v.resize(760, 600);
    v.Nuevo_Click();
    v.show();
    FraMensaje& f = *v.fraMensaje();
    f.txtMensaje->setText(QString(1022, QLatin1Char('x')));
    f.txtMensaje->setFocus();
    VistaCartel& vista = *f.vista;
    vista.repaint(); // the first paint draws the unlit panel once

    constexpr int Teclas = 200;
    double peor = 0, total = 0;
    for (int i = 0; i < Teclas; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::keyClick(f.txtMensaje, i % 2 ? Qt::Key_Backspace : Qt::Key_A);
        vista.repaint();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        peor = std::max(peor, ms);
        total += ms;
    }
    std::printf("tecla en una pagina de 1023 caracteres hasta el panel dibujado: media %.3f ms, "
                "peor %.3f ms\n",
                total / Teclas, peor);

    constexpr int Ms = 5000;
    const double cpu = segundosDeCpu();
    QElapsedTimer reloj;
    reloj.start();
    QEventLoop bucle;
    QTimer::singleShot(Ms, &bucle, &QEventLoop::quit);
    bucle.exec();
    const double usado = (segundosDeCpu() - cpu) * 1000;
    std::printf("panel desplazandose %d ms a 25 cuadros por segundo: CPU %.1f ms, %.2f %% de un "
                "nucleo\n",
                Ms, usado, 100 * usado / double(reloj.elapsed()));
    return 0;
}
