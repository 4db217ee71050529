#include "link/cerrojo.h"

#include "link/puerto.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>

namespace brelo {

namespace {

// One file for each device, whatever name the port was given; in the folder every process of
// the machine's user sees.
QString archivoDe(const QString& puerto) {
    QString dispositivo = DispositivoDe(puerto);
    if (dispositivo.isEmpty())
        dispositivo = puerto;
#ifdef Q_OS_WIN
    dispositivo = dispositivo.toUpper(); // COM3 and com3, as Windows names them
#endif
    const QByteArray clave =
        QCryptographicHash::hash(dispositivo.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("brelo-agenda-%1.lock").arg(QString::fromLatin1(clave)));
}

std::unique_ptr<QLockFile> cerrojo(const QString& puerto) {
    auto c = std::make_unique<QLockFile>(archivoDe(puerto));
    c->setStaleLockTime(0); // taken over only from a process that is gone
    return c;
}

} // namespace

CerrojoAgenda::CerrojoAgenda(const QString& puerto) : puerto_(puerto), cerrojo_(cerrojo(puerto)) {}

CerrojoAgenda::~CerrojoAgenda() = default;

bool CerrojoAgenda::Tomar() {
    return cerrojo_->tryLock(0);
}

qint64 AgendaEnPuerto(const QString& puerto) {
    const auto c = cerrojo(puerto);
    if (c->tryLock(0))
        return 0;
    qint64 proceso = 0;
    QString equipo, programa;
    return c->getLockInfo(&proceso, &equipo, &programa) ? proceso : -1;
}

} // namespace brelo
