#include "link/lineaserie.h"

#include "link/errores.h"
#include "link/motivos.h"
#include "link/pausa.h"
#include "link/puertoserie.h"
#include "link/windows/serie.h"

#include <algorithm>
#include <cerrno>

namespace brelo {

// The device's handle, opened for overlapped writes so that a write held up by the line can
// be waited for a tenth of a second at a time and given up. It is opened for reading too, as
// serial programs on Windows open it: some drivers (and wine) refuse their control calls to a
// handle that cannot read.
struct LineaSerie::Sistema {
    HANDLE h = INVALID_HANDLE_VALUE;
    HANDLE escrito = nullptr; // signalled when the write under way ends
};

namespace {

constexpr DWORD TramoMs = 100; // how often a held-up write asks whether to go on

// A handle that opened but refuses a serial control call belongs to some other device.
QString motivoPaso(const char* paso) {
    const int e = UltimoError();
    return QStringLiteral("no se pudo configurar el puerto (%1: %2)")
        .arg(QLatin1String(paso),
             e == EBADF ? QStringLiteral("no es un puerto serie") : MotivoLinea(e));
}

} // namespace

LineaSerie::LineaSerie() : s_(std::make_unique<Sistema>()) {}

LineaSerie::~LineaSerie() {
    Cerrar();
}

QString LineaSerie::Abrir(const QString& dispositivo) {
    Cerrar();
    const QString ruta = QStringLiteral("\\\\.\\") + dispositivo;
    s_->h =
        CreateFileW(reinterpret_cast<const wchar_t*>(ruta.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (s_->h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        // Another program holding the port is refused access; a port that is not there has
        // no name to find.
        if (e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION)
            return QStringLiteral("esta en uso");
        return Motivo(ErrnoDe(e), TextoError(ErrnoDe(e)));
    }
    s_->escrito = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return {};
}

QString LineaSerie::Configurar(qint32 baudios) {
    DCB d{};
    d.DCBlength = sizeof d;
    if (!GetCommState(s_->h, &d))
        return motivoPaso("GetCommState");
    d.BaudRate = DWORD(baudios);
    d.ByteSize = 8;
    d.Parity = NOPARITY;
    d.StopBits = ONESTOPBIT;
    d.fBinary = TRUE;
    d.fParity = FALSE;
    d.fOutxCtsFlow = FALSE;
    d.fOutxDsrFlow = FALSE;
    d.fDtrControl = DTR_CONTROL_DISABLE;
    d.fRtsControl = RTS_CONTROL_DISABLE;
    d.fDsrSensitivity = FALSE;
    d.fOutX = FALSE;
    d.fInX = FALSE;
    d.fNull = FALSE;
    d.fAbortOnError = FALSE;
    if (!SetCommState(s_->h, &d))
        return motivoPaso("SetCommState");
    // No write time-out: a write waits as long as the line needs, whatever another program
    // left set; reads, never made, return at once.
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    if (!SetCommTimeouts(s_->h, &t))
        return motivoPaso("SetCommTimeouts");
    baudios_ = baudios;
    return {};
}

int EscribirCom(HANDLE h, HANDLE evento, const QByteArray& bytes,
                const std::function<bool()>& seguir) {
    OVERLAPPED o{};
    o.hEvent = evento;
    ResetEvent(evento);
    const auto largo = DWORD(bytes.size());
    if (!WriteFile(h, bytes.constData(), largo, nullptr, &o) && GetLastError() != ERROR_IO_PENDING)
        return UltimoError();
    DWORD escritos = 0;
    while (WaitForSingleObject(evento, TramoMs) == WAIT_TIMEOUT) {
        if (!seguir()) {
            CancelIoEx(h, &o);
            GetOverlappedResult(h, &o, &escritos, TRUE);
            return ECANCELED;
        }
    }
    if (!GetOverlappedResult(h, &o, &escritos, FALSE))
        return UltimoError();
    return escritos == largo ? 0 : EIO; // a time-out another program set, a driver giving up
}

int LineaSerie::Escribir(const QByteArray& bytes, const std::function<bool()>& seguir) {
    if (const int error = EscribirCom(s_->h, s_->escrito, bytes, seguir))
        return error;
    const HANDLE h = s_->h;
    return EsperarCola(
        [h](qint64& enCola) {
            DWORD errores = 0;
            COMSTAT estado{};
            const bool leida = ClearCommError(h, &errores, &estado);
            enCola = estado.cbOutQue;
            return leida;
        },
        baudios_, seguir);
}

// Windows tells nothing of a device gone until it is written to.
bool LineaSerie::Colgada() const {
    return false;
}

bool LineaSerie::Abierta() const {
    return s_->h != INVALID_HANDLE_VALUE;
}

void LineaSerie::Cerrar() {
    if (s_->h != INVALID_HANDLE_VALUE)
        CloseHandle(std::exchange(s_->h, INVALID_HANDLE_VALUE));
    if (s_->escrito)
        CloseHandle(std::exchange(s_->escrito, nullptr));
}

} // namespace brelo
