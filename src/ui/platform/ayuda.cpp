#include "ui/platform/ayuda.h"

#include <QDir>

namespace brelo {

QStringList DocumentosAyuda(const QString& pathApp) {
    const QDir carpeta(pathApp);
    return {
        carpeta.filePath(QStringLiteral("guia/index.html")),
        QDir::cleanPath(carpeta.filePath(QStringLiteral("../share/doc/brelo/guia/index.html"))),
    };
}

} // namespace brelo
