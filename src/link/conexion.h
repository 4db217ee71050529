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

// The addresses of host; only numeric ones when numerica. May take long: see Resolutor.
ResultadoNombre ResolverNombre(const std::string& host, const std::string& puerto, bool numerica);

// The number of a network interface by its name, 0 when this machine has none of that name.
unsigned IndiceInterfaz(const QString& nombre);

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
    // Once made: each byte leaves at once (no Nagle), and the system gives the connection up
    // when its bytes stay unacknowledged as long as the transfer allows, where it can.
    void Ajustar();
    // As LineaSerie::Escribir, without the wait for the line: the bytes are handed over.
    int Escribir(const QByteArray& bytes, const std::function<bool()>& seguir);
    // The adapter closed the connection: the sign never answers, so anything to read means it.
    bool Cortada();
    // How many bytes sent are still unacknowledged by the adapter: 0, or the error. Where the
    // system cannot tell, 0 with none pending.
    int Pendientes(qint64& n);
    // Waits ms, or less when the connection breaks: true then.
    bool EsperarCorte(int ms);
    bool Abierta() const { return s_ != Ninguna; }
    void Cerrar();

private:
    static constexpr std::intptr_t Ninguna = -1;
    std::intptr_t s_ = Ninguna;
};

} // namespace brelo
