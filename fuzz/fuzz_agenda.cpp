// Any bytes as an agenda file: every line is an entry or an error, and an entry written back
// reads the same; at any moment, what is in force has come and what comes next has not, both
// on a day the entry names.

#include "core/agenda/agenda.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace brelo;

namespace {
void exigir(bool bien) {
    if (!bien)
        std::abort();
}

void revisar(const Agenda& a, const std::optional<Ocurrencia>& o) {
    if (!o)
        return;
    exigir(o->entrada < a.entradas.size());
    const EntradaAgenda& e = a.entradas[o->entrada];
    exigir((e.dias >> DiaSemana(o->cuando)) & 1);
    exigir(((o->cuando % MinutosDia) + MinutosDia) % MinutosDia == e.minuto);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    std::int32_t semilla = 0;
    std::memcpy(&semilla, data, 4);
    const Agenda a =
        LeerAgenda(std::string_view(reinterpret_cast<const char*>(data) + 4, size - 4));
    for (const EntradaAgenda& e : a.entradas) {
        exigir(e.dias && e.dias < 0x80 && e.minuto >= 0 && e.minuto < MinutosDia && !e.que.empty());
        // Written back as the window writes it, the line reads as the same entry.
        Agenda otra = LeerAgenda(LineaAgenda(e));
        exigir(otra.errores.empty() && otra.entradas.size() == 1);
        otra.entradas[0].linea = e.linea;
        exigir(otra.entradas[0] == e);
    }
    for (const ErrorAgenda& e : a.errores)
        exigir(e.linea >= 1 && !e.motivo.empty());
    const MinutoCivil ahora = Civil(2026, 1, 1, 0, 0) + semilla % (400 * MinutosDia);
    const auto vigor = EnVigor(a, ahora), siguiente = Siguiente(a, ahora);
    revisar(a, vigor);
    revisar(a, siguiente);
    exigir(!vigor || (vigor->cuando <= ahora && vigor->cuando > ahora - 8 * MinutosDia &&
                      !a.entradas[vigor->entrada].hora));
    exigir(!siguiente ||
           (siguiente->cuando > ahora && siguiente->cuando <= ahora + 8 * MinutosDia));
    // Every entry comes within a week.
    exigir(a.entradas.empty() == !siguiente);
    // The week drawn in one sweep says what is in force at the start of each stretch.
    const MinutoCivil lunes = Civil(2024, 1, 1, 0, 0);
    const auto semana = Semana(a);
    for (int d = 0; d < 7; ++d)
        for (const Tramo& t : semana[std::size_t(d)]) {
            const auto o = EnVigor(a, lunes + d * MinutosDia + t.minuto);
            exigir(o ? int(o->entrada) == t.entrada : t.entrada == -1);
        }
    for (const auto& dia : semana) {
        exigir(!dia.empty() && dia.front().minuto == 0);
        for (std::size_t i = 1; i < dia.size(); ++i)
            exigir(dia[i].minuto > dia[i - 1].minuto && dia[i].entrada != dia[i - 1].entrada);
    }
    return 0;
}
