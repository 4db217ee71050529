#include "core/protocol/fechahora.h"

#include "core/model/valor.h"

#include <array>

namespace brelo {

namespace {

std::string dosDigitos(int v) {
    std::string s = std::to_string(v);
    if (s.size() < 2)
        s.insert(0, 1, '0');
    return s;
}

char bcd(const std::string& campo) {
    const int alto = campo.size() > 0 ? campo[0] - '0' : 0;
    const int bajo = campo.size() > 1 ? campo[1] - '0' : 0;
    return static_cast<char>((alto << 4) | bajo);
}

struct Entrada {
    std::string_view texto;
    double ms;
};

double buscar(const std::array<Entrada, 12>& tabla, std::string_view texto) {
    for (const Entrada& e : tabla)
        if (e.texto == texto)
            return e.ms;
    return ValorNumerico(texto);
}

constexpr std::array<Entrada, 12> TablaInicio = {{{"10", 10},
                                                  {"25", 25},
                                                  {"50", 50},
                                                  {"100", 100},
                                                  {"150", 150},
                                                  {"200", 200},
                                                  {"250", 250},
                                                  {"300", 300},
                                                  {"350", 350},
                                                  {"400", 400},
                                                  {"450", 450},
                                                  {"500", 500}}};

constexpr std::array<Entrada, 12> TablaByte = {{{"01", 1},
                                                {"02", 2},
                                                {"05", 5},
                                                {"10", 10},
                                                {"20", 20},
                                                {"30", 30},
                                                {"40", 40},
                                                {"50", 50},
                                                {"60", 60},
                                                {"70", 70},
                                                {"80", 80},
                                                {"90", 90}}};

} // namespace

CamposFecha CamposDeReloj(int hora, int minuto, int segundo, int dia, int mes, int anio) {
    std::string a = dosDigitos(anio);
    if (a.size() == 4)
        a = a.substr(2);
    return {dosDigitos(hora), dosDigitos(minuto), dosDigitos(segundo),
            dosDigitos(dia),  dosDigitos(mes),    a};
}

std::string TextoFecha(const CamposFecha& c) {
    return "Hora " + c.hora + ":" + c.minuto + ":" + c.segundo + "  Fecha " + c.dia + "/" + c.mes +
           "/" + c.anio;
}

std::string TramaFecha(const CamposFecha& c) {
    std::string t = "W-NT9\xB0";
    for (const std::string* campo : {&c.hora, &c.minuto, &c.segundo, &c.dia, &c.mes, &c.anio})
        t += bcd(*campo);
    return t + "\x01\x01";
}

double DemoraInicioFecha(std::string_view dy1) {
    return buscar(TablaInicio, dy1);
}

double DemoraByteFecha(std::string_view dy2) {
    return buscar(TablaByte, dy2);
}

} // namespace brelo
