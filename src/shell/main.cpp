#include "shell/FrmMain.h"
#include "shell/PlataformaReal.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelo2"));
    // The program speaks Spanish; so should Qt's own buttons and file dialogs.
    QTranslator qt;
    if (qt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qt);
    brelo::PlataformaReal plataforma;
    brelo::FrmMain ventana(plataforma);
    ventana.show();
    return QApplication::exec();
}
