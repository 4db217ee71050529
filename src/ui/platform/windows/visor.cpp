#include "ui/platform/visor.h"

#include <QDesktopServices>
#include <QUrl>

namespace brelo {

// The shell opens it with the program associated with web pages, and says at once when there
// is none; nothing is left to watch.
bool AbrirConVisor(const QString&, const QString& ruta, std::function<void()>) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ruta));
}

} // namespace brelo
