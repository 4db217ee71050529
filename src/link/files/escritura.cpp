#include "link/files/escritura.h"

#include "link/errores.h"
#include "link/motivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace brelo {

namespace {

// More than any message or text an operator has: a larger "file" is a mistake, or a device
// like /dev/zero that never ends.
constexpr qint64 LargoMaximoArchivo = 16 * 1024 * 1024;

// The reason of the call that just failed on f, read before anything else can change errno.
QString motivoDe(const QFileDevice& f) {
    const int codigo = UltimoError();
    return Motivo(codigo, f.errorString());
}

} // namespace

LecturaArchivo LeerArchivo(const QString& ruta) {
    LecturaArchivo r;
    const QFileInfo info(ruta);
    // Checked before opening: a FIFO would hold the program until someone writes into it.
    if (!info.exists())
        r.error = QStringLiteral("no existe");
    else if (info.isDir())
        r.error = QStringLiteral("es una carpeta");
    else if (!info.isFile())
        r.error = QStringLiteral("no es un archivo comun");
    else if (info.size() > LargoMaximoArchivo)
        r.error = QStringLiteral("es demasiado grande (mas de 16 MiB)");
    if (!r.error.isEmpty())
        return r;
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = motivoDe(f);
        return r;
    }
    const QByteArray datos = f.read(LargoMaximoArchivo + 1); // even if it grows meanwhile
    if (f.error() != QFileDevice::NoError)
        r.error = motivoDe(f);
    else if (datos.size() > LargoMaximoArchivo)
        r.error = QStringLiteral("es demasiado grande (mas de 16 MiB)");
    else
        r.datos.assign(datos.constData(), static_cast<std::size_t>(datos.size()));
    return r;
}

std::optional<QString> EscribirArchivo(const QString& ruta, const std::string& datos) {
    const QFileInfo info(ruta);
    if (!info.dir().exists())
        return QStringLiteral("no existe la carpeta %1").arg(QDir::toNativeSeparators(info.path()));
    if (info.isDir())
        return QStringLiteral("es una carpeta");
    // Qt refuses a read-only file itself, in English and without a system error to word.
    if (info.exists() && !info.isWritable())
        return QStringLiteral("permiso denegado");
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly))
        return motivoDe(f);
    const auto largo = static_cast<qint64>(datos.size());
    // commit() does not see an error of the final flush (a full disk, the file-size limit)
    // and would put a truncated file in place of the old one, so flush and check first.
    const bool escrito = f.write(datos.data(), largo) == largo && f.flush();
    if (!escrito || f.error() != QFileDevice::NoError) {
        const QString error = motivoDe(f);
        f.cancelWriting();
        return error;
    }
    if (!f.commit())
        return motivoDe(f);
    return std::nullopt;
}

QString NombreMn2(const QString& ruta) {
    const QString sufijo = QStringLiteral(".mn2");
    return ruta.endsWith(sufijo, Qt::CaseInsensitive) ? ruta : ruta + sufijo;
}

} // namespace brelo
