#pragma once

// brelo-cli agenda: an agenda file checked, or run until stopped, sending each message and
// setting the clock at its time of day.

#include <QString>

#include <functional>
#include <iosfwd>

namespace brelo {

struct Entorno;
struct OpcionesLinea;

// Exit statuses of the agenda orders beside 0 (all well).
inline constexpr int AgendaConHallazgos = 1;
inline constexpr int AgendaMalEscrita = 2;

// Every entry checked (its message loads and what revisar finds in it, its ports) and the
// week printed as the sign will show it. 0 all well, 1 findings, 2 lines that are not entries
// (printed on standard error, each with its file and line).
int RevisarAgenda(const QString& ruta, std::ostream& salida);

// Sends what is in force now, then each entry at its time, until parar() says so; one line
// per event on salida. linea holds the stored options: the baud rate, the pauses, and the
// port of entries that name none. 0 when stopped, 1 when a port is driven by another agenda,
// 2 when the file cannot be read or has errors at start.
int CorrerAgenda(const QString& ruta, const OpcionesLinea& linea, Entorno& entorno,
                 std::ostream& salida, const std::function<bool()>& parar);

} // namespace brelo
