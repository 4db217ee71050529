#include "link/files/escritura.h"

#include <QFile>

#include <sys/stat.h>

namespace brelo {

bool MismoArchivo(const QString& a, const QString& b) {
    struct stat x = {};
    struct stat y = {};
    return ::stat(QFile::encodeName(a).constData(), &x) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

} // namespace brelo
