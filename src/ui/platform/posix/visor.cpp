#include "ui/platform/visor.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QUrl>

namespace brelo {

bool AbrirConVisor(const QString& visor, const QString& ruta, std::function<void()> alFallar) {
    auto* proceso = new QProcess; // until the viewer has ended, however long it stays
    QElapsedTimer desde;
    desde.start();
    QObject::connect(proceso, &QProcess::finished, proceso,
                     [proceso, alFallar, desde](int codigo, QProcess::ExitStatus estado) {
                         if ((codigo != 0 || estado != QProcess::NormalExit) &&
                             desde.elapsed() < 5000)
                             alFallar();
                         proceso->deleteLater();
                     });
    proceso->start(visor, {QUrl::fromLocalFile(ruta).toString()});
    if (proceso->waitForStarted())
        return true;
    delete proceso;
    return false;
}

} // namespace brelo
