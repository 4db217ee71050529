#include "link/parada.h"
#include "ui/platform/PlataformaReal.h"
#include "ui/window/FrmMain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelo2"));
    // The launcher's name, so docks group the window with it.
    QGuiApplication::setDesktopFileName(QStringLiteral("brelo"));
    // The program speaks Spanish; so should Qt's own buttons and file dialogs.
    // Qt's own place for them, or beside the program as the Windows ZIP has them.
    QTranslator qt;
    for (const QString& carpeta :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QApplication::applicationDirPath() + QStringLiteral("/translations")})
        if (qt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                    carpeta)) {
            QApplication::installTranslator(&qt);
            break;
        }
    brelo::PlataformaReal plataforma;
    brelo::FrmMain ventana(plataforma);
    ventana.show();
    // Once the program runs, so that a stopping signal during their questions ends it.
    QTimer::singleShot(0, &ventana, [&ventana, args = app.arguments()] {
        ventana.OfrecerRecuperacion();
        // "brelo ARCHIVO", as the file manager starts it for a double-clicked message.
        if (args.size() > 1 && !brelo::Parada::Senal())
            ventana.AbrirDeFuera(args.at(1));
    });
    return QApplication::exec();
}
