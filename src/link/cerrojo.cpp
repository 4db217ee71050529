#include "link/cerrojo.h"

#include "link/puerto.h"
#include "link/puertotcp.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace brelo {

namespace {

// One file for each sign, in the folder every process of the machine's user sees.
QString archivoDe(const QString& puerto) {
    const QByteArray clave =
        QCryptographicHash::hash(ClavePuerto(puerto).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("brelo-agenda-%1.lock").arg(QString::fromLatin1(clave)));
}

QString notaDe(const QString& puerto) {
    return archivoDe(puerto) + QStringLiteral(".agenda");
}

std::unique_ptr<QLockFile> cerrojo(const QString& puerto) {
    auto c = std::make_unique<QLockFile>(archivoDe(puerto));
    c->setStaleLockTime(0); // taken over only from a process that is gone
    return c;
}

} // namespace

QString ClavePuerto(const QString& puerto) {
    if (EsTcp(puerto))
        return puerto.toLower();
    QString dispositivo = DispositivoDe(puerto);
    if (dispositivo.isEmpty())
        return puerto;
    if (const QString real = QFileInfo(dispositivo).canonicalFilePath(); !real.isEmpty())
        dispositivo = real;
#ifdef Q_OS_WIN
    dispositivo = dispositivo.toUpper();
#endif
    return dispositivo;
}

CerrojoAgenda::CerrojoAgenda(const QString& puerto) : puerto_(puerto), cerrojo_(cerrojo(puerto)) {}

CerrojoAgenda::~CerrojoAgenda() = default;

bool CerrojoAgenda::Tomar(const QString& agenda) {
    if (!cerrojo_->tryLock(0))
        return false;
    QFile nota(notaDe(puerto_));
    if (nota.open(QIODevice::WriteOnly | QIODevice::Truncate))
        nota.write(QFileInfo(agenda).absoluteFilePath().toUtf8());
    return true;
}

AgendaViva AgendaEnPuerto(const QString& puerto) {
    const auto c = cerrojo(puerto);
    if (c->tryLock(0))
        return {};
    AgendaViva viva{-1, {}};
    QString equipo, programa;
    if (!c->getLockInfo(&viva.proceso, &equipo, &programa))
        viva.proceso = -1;
    QFile nota(notaDe(puerto));
    if (nota.open(QIODevice::ReadOnly))
        viva.agenda = QString::fromUtf8(nota.readAll());
    return viva;
}

} // namespace brelo
