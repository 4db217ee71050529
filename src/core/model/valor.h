#pragma once

#include <string_view>

namespace brelo {

// The value of a typed number: its leading number, blanks before it skipped, an optional
// sign and decimal fraction; 0 when the text does not start with a number.
double ValorNumerico(std::string_view texto);

// Rounds to the nearest whole number, a half going to the even neighbour.
double RedondeoPar(double v);

} // namespace brelo
