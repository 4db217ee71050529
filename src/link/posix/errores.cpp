#include "link/errores.h"

#include <cerrno>
#include <cstring>

namespace brelo {

QString TextoError(int codigo) {
    return QString::fromLocal8Bit(std::strerror(codigo));
}

// A quota reached is, to the operator, a full disk.
int UltimoError() {
    return errno == EDQUOT ? ENOSPC : errno;
}

} // namespace brelo
