#include "link/conexion.h"

#include "link/errores.h"
#include "link/puerto.h"
#include "link/windows/sistema.h"

#include <iphlpapi.h>
#include <mstcpip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <utility>

#ifndef TCP_MAXRT
#define TCP_MAXRT 5
#endif

namespace brelo {

namespace {

constexpr int TramoMs = 100; // how often a held-up write asks whether to go on

// Winsock wants starting once per program before any other call.
void iniciarWinsock() {
    static std::once_flag una;
    std::call_once(una, [] {
        WSADATA datos;
        WSAStartup(MAKEWORD(2, 2), &datos);
    });
}

int errorRed() {
    return ErrnoDe(DWORD(WSAGetLastError()));
}

// Waits up to ms until s can be written (escribir) or read: 1 when ready, 0 when not yet,
// -1 when the connection failed.
int esperar(SOCKET s, bool escribir, int ms) {
    fd_set listo, fallo;
    FD_ZERO(&listo);
    FD_ZERO(&fallo);
    FD_SET(s, &listo);
    FD_SET(s, &fallo);
    timeval t{ms / 1000, ms % 1000 * 1000};
    const int n = select(0, escribir ? nullptr : &listo, escribir ? &listo : nullptr, &fallo, &t);
    if (n <= 0)
        return n < 0 ? -1 : 0;
    return FD_ISSET(s, &fallo) ? -1 : 1;
}

int errorPendiente(SOCKET s) {
    int error = 0;
    int largo = sizeof error;
    getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &largo);
    return error ? ErrnoDe(DWORD(error)) : 0;
}

} // namespace

ResultadoNombre ResolverNombre(const std::string& host, const std::string& puerto, bool numerica) {
    iniciarWinsock();
    addrinfo pista{};
    pista.ai_socktype = SOCK_STREAM;
    pista.ai_flags = numerica ? AI_NUMERICHOST : 0;
    addrinfo* lista = nullptr;
    ResultadoNombre r;
    if (const int e = getaddrinfo(host.c_str(), puerto.c_str(), &pista, &lista)) {
        r.error = e == WSAHOST_NOT_FOUND || e == WSANO_DATA
                      ? QStringLiteral("no se encontro el equipo")
                  : e == WSATRY_AGAIN ? QStringLiteral("no se pudo consultar el nombre del equipo")
                                      : TextoError(ErrnoDe(DWORD(e)));
        return r;
    }
    AgregarDirecciones(lista, r);
    freeaddrinfo(lista);
    return r;
}

QString TextoDireccion(const DireccionTcp& d) {
    char texto[NI_MAXHOST] = {};
    getnameinfo(reinterpret_cast<const sockaddr*>(d.bytes.data()), d.largo, texto, sizeof texto,
                nullptr, 0, NI_NUMERICHOST);
    return QString::fromLatin1(texto);
}

unsigned IndiceInterfaz(const QString& nombre) {
    return if_nametoindex(nombre.toLocal8Bit().constData());
}

bool HayInterfaz(unsigned indice) {
    char nombre[IF_NAMESIZE];
    return if_indextoname(indice, nombre) != nullptr;
}

Conexion::~Conexion() {
    Cerrar();
}

int Conexion::Iniciar(const DireccionTcp& a) {
    Cerrar();
    iniciarWinsock();
    const auto* direccion = reinterpret_cast<const sockaddr*>(a.bytes.data());
    const SOCKET s = WSASocketW(direccion->sa_family, SOCK_STREAM, IPPROTO_TCP, nullptr, 0,
                                WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == INVALID_SOCKET)
        return errorRed();
    s_ = std::intptr_t(s);
    u_long sinEspera = 1;
    ioctlsocket(s, FIONBIO, &sinEspera);
    if (connect(s, direccion, a.largo) == 0)
        return 0;
    const int e = errorRed();
    return e == EAGAIN ? EINPROGRESS : e;
}

int Conexion::Esperar(int ms) {
    const auto s = SOCKET(s_);
    switch (esperar(s, true, ms)) {
    case 0:
        return EINPROGRESS;
    case 1:
        return 0;
    default:
        const int e = errorPendiente(s);
        return e ? e : ECONNREFUSED;
    }
}

void Conexion::Ajustar() {
    const auto s = SOCKET(s_);
    const BOOL si = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&si), sizeof si);
    // Seconds of retransmitting without an answer: Windows tells nothing of it otherwise.
    // Systems without it keep their own limit.
    const DWORD limite = (MsSinRespuesta + 999) / 1000;
    setsockopt(s, IPPROTO_TCP, TCP_MAXRT, reinterpret_cast<const char*>(&limite), sizeof limite);
}

int Conexion::Escribir(const QByteArray& bytes, const std::function<bool()>& seguir) {
    const auto s = SOCKET(s_);
    for (qsizetype hecho = 0; hecho < bytes.size();) {
        const int n = send(s, bytes.constData() + hecho, int(bytes.size() - hecho), 0);
        if (n > 0) {
            hecho += n;
            continue;
        }
        if (const int e = errorRed(); e != EAGAIN)
            return e;
        const int listo = esperar(s, true, TramoMs);
        if (listo < 0)
            return errorPendiente(s) ? errorPendiente(s) : EPIPE;
        if (listo == 0 && !seguir())
            return ECANCELED;
    }
    return 0;
}

int Conexion::Cortada() {
    return EsperarCorte(0);
}

qint64 Conexion::SinRespuesta() {
    return -1; // SIO_TCP_INFO has no such count: TCP_MAXRT stands in (Ajustar)
}

// SIO_TCP_INFO (Windows 10 1703 and later) counts the bytes in flight. Where the system does
// not have it, nothing can tell: the transfer then ends when its last byte is handed over, and
// a connection broken meanwhile still fails the next write or this call.
int Conexion::Pendientes(qint64& n) {
    const auto s = SOCKET(s_);
    n = 0;
    if (const int e = errorPendiente(s))
        return e;
    DWORD version = 0, largo = 0;
    TCP_INFO_v0 info{};
    if (WSAIoctl(s, SIO_TCP_INFO, &version, sizeof version, &info, sizeof info, &largo, nullptr,
                 nullptr) != 0) {
        const int e = WSAGetLastError();
        return e == WSAEOPNOTSUPP || e == WSAEINVAL ? 0 : ErrnoDe(DWORD(e));
    }
    n = qint64(info.BytesInFlight);
    return 0;
}

int Conexion::EsperarCorte(int ms) {
    const auto s = SOCKET(s_);
    if (esperar(s, false, ms) == 0)
        return 0;
    char c;
    const int n = recv(s, &c, 1, MSG_PEEK);
    if (n > 0) { // the adapter said something: not a break, but no reason to hurry either
        Sleep(DWORD(ms));
        return 0;
    }
    const int e = errorPendiente(s);
    return e ? e : n < 0 ? errorRed() : ECONNRESET;
}

void Conexion::Cerrar() {
    if (s_ != Ninguna)
        closesocket(SOCKET(std::exchange(s_, Ninguna)));
}

} // namespace brelo
