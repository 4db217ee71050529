#pragma once

// The 14-byte command that sets the sign's clock, and the delays the date command uses.

#include <optional>
#include <string>
#include <string_view>

namespace brelo {

// Six fields of two decimal digits each, as read from the clock when the dialog opens.
struct CamposFecha {
    std::string hora, minuto, segundo, dia, mes, anio;
};

// anio is the four-digit year; only its last two digits are kept.
CamposFecha CamposDeReloj(int hora, int minuto, int segundo, int dia, int mes, int anio);

// What the date dialog shows: "Hora 09:05:00  Fecha 24/12/26".
std::string TextoFecha(const CamposFecha& c);

// "W-NT9", B0, the six fields in packed BCD, 01 01.
std::string TramaFecha(const CamposFecha& c);

// The date command's delays in milliseconds, looked up by the exact text of the setting.
// A text outside its table takes its leading number, as the message transfer does.
double DemoraInicioFecha(std::string_view dy1);
double DemoraByteFecha(std::string_view dy2);

} // namespace brelo
