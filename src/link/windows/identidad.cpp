#include "link/files/escritura.h"

#include "link/windows/sistema.h"

namespace brelo {

namespace {

struct Identidad {
    DWORD volumen = 0, alto = 0, bajo = 0;
    bool valida = false;
};

Identidad identidadDe(const QString& ruta) {
    // Opening for no access at all still answers who the file is, even one in use.
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(ruta.utf16()), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    Identidad r;
    BY_HANDLE_FILE_INFORMATION info{};
    if (h == INVALID_HANDLE_VALUE)
        return r;
    if (GetFileInformationByHandle(h, &info))
        r = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow, true};
    CloseHandle(h);
    return r;
}

} // namespace

bool MismoArchivo(const QString& a, const QString& b) {
    const Identidad x = identidadDe(a);
    const Identidad y = identidadDe(b);
    return x.valida && y.valida && x.volumen == y.volumen && x.alto == y.alto && x.bajo == y.bajo;
}

} // namespace brelo
