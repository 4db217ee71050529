#include "link/motivos.h"

#include <cerrno>

namespace brelo {

QString Motivo(int codigo, const QString& sistema) {
    switch (codigo) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("no existe");
    case EACCES:
    case EPERM:
        return QStringLiteral("permiso denegado");
    case EROFS:
        return QStringLiteral("el disco es de solo lectura");
    case EISDIR:
        return QStringLiteral("es una carpeta");
    case ENOSPC:
        return QStringLiteral("el disco esta lleno");
    case EFBIG:
        return QStringLiteral("es demasiado grande");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("esta en uso");
    case ENODEV:
        return QStringLiteral("el dispositivo se desconecto");
    case ETIMEDOUT:
        return QStringLiteral("el dispositivo no responde");
    default:
        return QStringLiteral("error del sistema (%1)").arg(Mostrable(sistema));
    }
}

QString Mostrable(const QString& texto) {
    QString r;
    for (QChar c : texto) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            r += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            r += c;
    }
    return r;
}

} // namespace brelo
