#include "shell/FrmMain.h"
#include "shell/PlataformaReal.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelo2"));
    brelo::PlataformaReal plataforma;
    brelo::FrmMain ventana(plataforma);
    ventana.show();
    return QApplication::exec();
}
