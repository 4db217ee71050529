#include "link/errores.h"

#include "link/windows/sistema.h"

#include <cerrno>
#include <cstring>

namespace brelo {

namespace {

constexpr int Propio = 0x40000000; // a system error with no errno value of its own

struct Equivalencia {
    DWORD sistema;
    int errno_;
};

constexpr Equivalencia Equivalencias[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_NAME, ENOENT},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_SHARING_VIOLATION, EBUSY},
    {ERROR_LOCK_VIOLATION, EBUSY},
    {ERROR_BUSY, EBUSY},
    {ERROR_WRITE_PROTECT, EROFS},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {ERROR_FILE_TOO_LARGE, EFBIG},
    {ERROR_DIRECTORY, EISDIR},
    {ERROR_INVALID_HANDLE, EBADF},
    // A USB adapter pulled out while it was written to.
    {ERROR_BAD_COMMAND, EIO},
    {ERROR_GEN_FAILURE, EIO},
    {ERROR_DEVICE_NOT_CONNECTED, ENODEV},
    {ERROR_NOT_READY, ENODEV},
    {ERROR_SEM_TIMEOUT, ETIMEDOUT}, // a USB adapter that stopped answering its driver
    {ERROR_DEVICE_REMOVED, ENODEV},
    {ERROR_OPERATION_ABORTED, EIO},
    {ERROR_BROKEN_PIPE, EPIPE},
    {ERROR_NO_DATA, EPIPE},
    {WSAECONNREFUSED, ECONNREFUSED},
    {WSAETIMEDOUT, ETIMEDOUT},
    {WSAEHOSTUNREACH, EHOSTUNREACH},
    {WSAENETUNREACH, ENETUNREACH},
    {WSAENETDOWN, ENETUNREACH},
    {WSAECONNRESET, ECONNRESET},
    {WSAECONNABORTED, ECONNRESET},
    {WSAENETRESET, ECONNRESET},
    {WSAESHUTDOWN, EPIPE},
    {WSAENOTCONN, ENOTCONN},
    {WSAEWOULDBLOCK, EAGAIN},
    {WSAEINPROGRESS, EINPROGRESS},
    {WSAEADDRNOTAVAIL, EADDRNOTAVAIL},
};

} // namespace

int ErrnoDe(DWORD error) {
    for (const Equivalencia& e : Equivalencias)
        if (e.sistema == error)
            return e.errno_;
    return Propio | int(error & 0xFFFF);
}

QString TextoError(int codigo) {
    if (!(codigo & Propio))
        return QString::fromLocal8Bit(std::strerror(codigo));
    wchar_t* texto = nullptr;
    const DWORD largo = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(codigo & ~Propio), 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
    QString r = largo ? QString::fromWCharArray(texto, int(largo)).trimmed()
                      : QStringLiteral("error %1").arg(codigo & ~Propio);
    LocalFree(texto);
    return r;
}

int UltimoError() {
    return ErrnoDe(GetLastError());
}

} // namespace brelo
