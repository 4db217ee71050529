#pragma once

// A TCP connection to an adapter as the system gives it, and the system's resolver. The
// adapter's rules (the time limits, what counts as an answer) live in PuertoTcp; here is only
// what each platform does differently. Error codes are errno values (errores.h).

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace brelo {

// A socket address exactly as the system's resolver gives it.
struct DireccionTcp {
    std::array<unsigned char, 128> bytes{};
    int largo = 0;
};

struct ResultadoNombre {
    std::vector<DireccionTcp> direcciones;
    QString error; // in Spanish, when there are none
};

// The addresses of the system resolver's list (addrinfo on every platform), in its order.
template <class Lista> void AgregarDirecciones(const Lista* a, ResultadoNombre& r) {
    for (; a; a = a->ai_next) {
        DireccionTcp d;
        std::memcpy(d.bytes.data(), a->ai_addr,
                    std::min(std::size_t(a->ai_addrlen), d.bytes.size()));
        d.largo = int(a->ai_addrlen);
        r.direcciones.push_back(d);
    }
}

// The address as numbers, an IPv6 one with its scope after "%" when it has one.
QString TextoDireccion(const DireccionTcp& d);

// The addresses of host; only numeric ones when numerica. May take long: see Resolutor.
ResultadoNombre ResolverNombre(const std::string& host, const std::string& puerto, bool numerica);

// The number of a network interface by its name, 0 when this machine has none of that name.
unsigned IndiceInterfaz(const QString& nombre);
// Whether this machine has a network interface of that number.
bool HayInterfaz(unsigned indice);

// How long an adapter may go without answering anything at all (its signs of life: every
// acknowledgement and window update its TCP sends) while bytes wait for it: then it is
// gone (the network down, the cable pulled, powered off). Kept under 20 s, since the system
// notices the silence a fraction of a second after the last answer.
inline constexpr int MsSinRespuesta = 18000;

class Conexion {
public:
    Conexion() = default;
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    // Starts connecting without waiting: 0 when made at once, EINPROGRESS when under way.
    int Iniciar(const DireccionTcp& a);
    // Waits up to ms for the connection under way: 0 once made, EINPROGRESS when still
    // under way, else why it failed.
    int Esperar(int ms);
    // Once made: each byte leaves at once (no Nagle). Linux is left to retransmit as long as
    // it likes, PuertoTcp deciding when an adapter is gone; where the system cannot tell that
    // (Windows), it gives the connection up after MsSinRespuesta of retransmitting.
    void Ajustar();
    // As LineaSerie::Escribir: the bytes are handed over, and while the adapter takes nothing
    // the write waits, as on a full serial line, so that a cancel reaches the sign soon after
    // (where the system tells how much it holds unsent).
    int Escribir(const QByteArray& bytes, const std::function<bool()>& seguir);
    // 0 while the connection stands; else why it broke: the system's own error (ETIMEDOUT
    // when it gave up), or ECONNRESET when the adapter closed it or reset it.
    int Cortada();
    // How many bytes sent are still unacknowledged by the adapter: 0, or the error. Where the
    // system cannot tell, 0 with none pending.
    int Pendientes(qint64& n);
    // Waits ms, or less when the connection breaks: 0 after the wait, else as Cortada().
    int EsperarCorte(int ms);
    // While the system waits for an answer the adapter has not given (a byte sent again, a
    // probe of its closed window, unanswered): how many ms ago it last answered. -1 when it
    // waits for nothing, and where the system cannot tell.
    qint64 SinRespuesta();
    bool Abierta() const { return s_ != Ninguna; }
    void Cerrar();

private:
    static constexpr std::intptr_t Ninguna = -1;
    std::intptr_t s_ = Ninguna;
};

} // namespace brelo
