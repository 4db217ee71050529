#include "link/errores.h"

#include <cerrno>
#include <cstring>

namespace brelo {

QString TextoError(int codigo) {
    return QString::fromLocal8Bit(std::strerror(codigo));
}

int UltimoError() {
    return errno;
}

} // namespace brelo
