#pragma once

// The agenda: which message the sign shows from which time of which day of the week, and when
// its clock is set. Read from a plain text file; time is always an argument, counted in minutes
// of local civil time, so that the same answers hold for any clock and any zone.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brelo {

inline constexpr int MinutosDia = 24 * 60;

// Local civil time as a count of minutes since 1970-01-01 00:00 (a Thursday). Days are whole:
// a clock's jump or daylight saving moves the count, never the meaning of a minute in it.
using MinutoCivil = long long;

MinutoCivil Civil(int anio, int mes, int dia, int hora, int minuto);
// The day of a minute, counted from 1970-01-01.
long long DiaCivil(MinutoCivil m);
// 0 Monday ... 6 Sunday.
int DiaSemana(MinutoCivil m);

struct EntradaAgenda {
    int linea = 0;                    // of the file, from 1
    std::uint8_t dias = 0;            // bit 0 Monday ... bit 6 Sunday
    int minuto = 0;                   // of the day, 0 .. 1439
    std::string que;                  // the message file as written, or "hora"
    bool hora = false;                // sets the sign's clock instead of sending a message
    std::vector<std::string> puertos; // none: the stored options'

    bool operator==(const EntradaAgenda&) const = default;
};

struct ErrorAgenda {
    int linea = 0;
    std::string motivo; // what was expected, and what was found
};

struct Agenda {
    std::vector<EntradaAgenda> entradas;
    std::vector<ErrorAgenda> errores;
};

// One entry at one moment: its index in the agenda and the minute it came (or comes) into force.
struct Ocurrencia {
    std::size_t entrada = 0;
    MinutoCivil cuando = 0;
    bool operator==(const Ocurrencia&) const = default;
};

// Which entries count: those of one sign, say. Empty: all of them.
using Aplica = std::function<bool(const EntradaAgenda&)>;

// The text of an agenda file (UTF-8). A line that is not an entry is an error, and the rest is
// still read so that every error is reported at once.
Agenda LeerAgenda(std::string_view texto);

// The message entry in force at ahora: the latest whose time has come, looking back a week.
// Of two at the same minute, the later line. Clock entries are never in force.
std::optional<Ocurrencia> EnVigor(const Agenda& a, MinutoCivil ahora, const Aplica& aplica = {});

// The first entry of any kind that comes after ahora, within the next week.
std::optional<Ocurrencia> Siguiente(const Agenda& a, MinutoCivil ahora, const Aplica& aplica = {});

// Each clock entry that came in (desde, hasta], at its latest; none when the clock went back.
std::vector<Ocurrencia> HorasDebidas(const Agenda& a, MinutoCivil desde, MinutoCivil hasta);

// From which minute of each day which message is in force (none: no entry yet, -1), midnight
// first: the week as the sign will show it.
struct Tramo {
    int minuto = 0;
    int entrada = -1;
    bool operator==(const Tramo&) const = default;
};
std::array<std::vector<Tramo>, 7> Semana(const Agenda& a, const Aplica& aplica = {});

// The days as a file names them: "todos", "lun-vie", "sab,dom", "lun,mie-vie".
std::string TextoDias(std::uint8_t dias);
// An entry as a line of the file; a name with blanks goes in double quotes.
std::string LineaAgenda(const EntradaAgenda& e);
// One field as a line holds it: quoted when it would not read back as itself.
std::string CampoAgenda(const std::string& s);

// "lun" ... "dom"; "08:05".
std::string NombreDia(int dia);
std::string TextoHora(int minuto);

} // namespace brelo
