#include "shell/ayuda.h"

#include <QDir>

namespace brelo {

QString ArchivoAyuda(const QString& pathApp) {
    return pathApp + QStringLiteral("\\brelo.chm");
}

QString LineaAyuda(const QString& pathApp) {
    return QStringLiteral("hh.exe ") + ArchivoAyuda(pathApp);
}

QStringList DocumentosAyuda(const QString& pathApp) {
    const QDir carpeta(pathApp);
    return {
        carpeta.filePath(QStringLiteral("brelo.chm")),
        carpeta.filePath(QStringLiteral("guia/index.html")), // the build folder
        QDir::cleanPath(carpeta.filePath(QStringLiteral("../share/doc/brelo/guia/index.html"))),
    };
}

} // namespace brelo
