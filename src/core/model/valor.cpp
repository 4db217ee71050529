#include "core/model/valor.h"

#include <cmath>
#include <cstddef>

namespace brelo {

double ValorNumerico(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    double signo = 1;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        signo = t[i] == '-' ? -1 : 1;
        ++i;
    }
    double v = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
        v = v * 10 + (t[i] - '0');
    if (i < t.size() && t[i] == '.') {
        double escala = 0.1;
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, escala /= 10)
            v += (t[i] - '0') * escala;
    }
    return signo * v;
}

double RedondeoPar(double v) {
    const double abajo = std::floor(v);
    const double resto = v - abajo;
    if (resto > 0.5)
        return abajo + 1;
    if (resto < 0.5)
        return abajo;
    return std::fmod(abajo, 2.0) == 0 ? abajo : abajo + 1;
}

} // namespace brelo
