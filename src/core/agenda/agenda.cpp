#include "core/agenda/agenda.h"

#include <algorithm>
#include <chrono>

namespace brelo {

namespace {

constexpr std::string_view Dias[7] = {"lun", "mar", "mie", "jue", "vie", "sab", "dom"};
constexpr std::uint8_t TodosLosDias = 0x7F;
constexpr int UnaSemana = 7;

bool tieneDia(const EntradaAgenda& e, long long dia) {
    return e.dias & (1u << DiaSemana(dia * MinutosDia));
}

// Lower case, and the accents of "mié" and "sáb" taken off, in any case.
std::string plano(std::string_view s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == 0xC3 && i + 1 < s.size()) {
            const auto d = static_cast<unsigned char>(s[i + 1]);
            if (d == 0xA9 || d == 0x89 || d == 0xA1 || d == 0x81) { // é É á Á
                r += (d == 0xA9 || d == 0x89) ? 'e' : 'a';
                ++i;
                continue;
            }
        }
        r += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : char(c);
    }
    return r;
}

std::optional<int> dia(std::string_view nombre) {
    const std::string p = plano(nombre);
    for (int i = 0; i < 7; ++i)
        if (p == Dias[i])
            return i;
    return std::nullopt;
}

// "lun-vie,sab", "vie-lun" (round the weekend), "todos".
std::optional<std::uint8_t> leerDias(std::string_view campo) {
    if (plano(campo) == "todos")
        return TodosLosDias;
    std::uint8_t dias = 0;
    std::size_t inicio = 0;
    while (inicio <= campo.size()) {
        const std::size_t coma = std::min(campo.find(',', inicio), campo.size());
        const std::string_view parte = campo.substr(inicio, coma - inicio);
        const std::size_t guion = parte.find('-');
        const auto desde = dia(parte.substr(0, guion));
        const auto hasta = guion == std::string_view::npos ? desde : dia(parte.substr(guion + 1));
        if (!desde || !hasta)
            return std::nullopt;
        for (int d = *desde;; d = (d + 1) % 7) {
            dias |= std::uint8_t(1u << d);
            if (d == *hasta)
                break;
        }
        inicio = coma + 1;
    }
    return dias;
}

// "8:05" or "08:05", 00:00 to 23:59.
std::optional<int> leerHora(std::string_view campo) {
    const std::size_t dos = campo.find(':');
    if (dos == std::string_view::npos || dos == 0 || dos > 2 || campo.size() - dos != 3)
        return std::nullopt;
    int h = 0, m = 0;
    for (std::size_t i = 0; i < campo.size(); ++i) {
        if (i == dos)
            continue;
        if (campo[i] < '0' || campo[i] > '9')
            return std::nullopt;
        int& destino = i < dos ? h : m;
        destino = destino * 10 + (campo[i] - '0');
    }
    if (h > 23 || m > 59)
        return std::nullopt;
    return h * 60 + m;
}

bool terminaEn(const std::string& s, std::string_view fin) {
    return s.size() > fin.size() && plano(s.substr(s.size() - fin.size())) == fin;
}

// The blank-separated fields of a line up to its comment; a field in double quotes may hold
// blanks. False on a quote left open.
bool campos(std::string_view linea, std::vector<std::string>& salida) {
    std::size_t i = 0;
    while (true) {
        while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t'))
            ++i;
        if (i == linea.size() || linea[i] == '#')
            return true;
        if (linea[i] == '"') {
            const std::size_t cierre = linea.find('"', i + 1);
            if (cierre == std::string_view::npos)
                return false;
            salida.emplace_back(linea.substr(i + 1, cierre - i - 1));
            i = cierre + 1;
            continue;
        }
        const std::size_t fin = std::min(linea.find_first_of(" \t", i), linea.size());
        salida.emplace_back(linea.substr(i, fin - i));
        i = fin;
    }
}

std::string citado(const std::string& s) {
    return "\"" + s + "\"";
}

// The entry of one line, or why it is none. Days written "lun, mar" are one list.
std::optional<std::string> leerEntrada(std::vector<std::string> c, EntradaAgenda& e) {
    while (c.size() > 1 && !c[0].empty() && c[0].back() == ',') {
        c[0] += c[1];
        c.erase(c.begin() + 1);
    }
    const auto dias = leerDias(c[0]);
    if (!dias)
        return "se esperaban los dias (lun mar mie jue vie sab dom, separados por comas, "
               "lun-vie, o todos) y hay " +
               citado(c[0]);
    if (c.size() < 2)
        return "falta la hora (HH:MM) tras los dias";
    const auto minuto = leerHora(c[1]);
    if (!minuto)
        return "se esperaba la hora HH:MM, de 00:00 a 23:59, y hay " + citado(c[1]);
    if (c.size() < 3)
        return "falta que enviar tras la hora: un mensaje .mn2 o .mnm, o hora";
    e.dias = *dias;
    e.minuto = *minuto;
    e.que = c[2];
    e.hora = plano(c[2]) == "hora";
    if (!e.hora && !terminaEn(c[2], ".mn2") && !terminaEn(c[2], ".mnm"))
        return "se esperaba un mensaje .mn2 o .mnm, o hora, y hay " + citado(c[2]);
    e.puertos.assign(c.begin() + 3, c.end());
    return std::nullopt;
}

} // namespace

MinutoCivil Civil(int anio, int mes, int dia, int hora, int minuto) {
    using namespace std::chrono;
    const sys_days d{year{anio} / month{unsigned(mes)} / day{unsigned(dia)}};
    return MinutoCivil(d.time_since_epoch().count()) * MinutosDia + hora * 60 + minuto;
}

long long DiaCivil(MinutoCivil m) {
    return m >= 0 ? m / MinutosDia : -((-m + MinutosDia - 1) / MinutosDia);
}

int DiaSemana(MinutoCivil m) {
    return int(((DiaCivil(m) + 3) % 7 + 7) % 7); // 1970-01-01 was a Thursday
}

Agenda LeerAgenda(std::string_view texto) {
    Agenda a;
    if (texto.substr(0, 3) == "\xEF\xBB\xBF") // a BOM, as Windows' Notepad may leave
        texto.remove_prefix(3);
    int numero = 0;
    while (!texto.empty()) {
        const std::size_t fin = std::min(texto.find('\n'), texto.size());
        std::string_view linea = texto.substr(0, fin);
        texto.remove_prefix(std::min(fin + 1, texto.size()));
        ++numero;
        if (!linea.empty() && linea.back() == '\r')
            linea.remove_suffix(1);
        std::vector<std::string> c;
        if (!campos(linea, c)) {
            a.errores.push_back({numero, "falta la comilla que cierra un nombre"});
            continue;
        }
        if (c.empty())
            continue;
        EntradaAgenda e;
        e.linea = numero;
        if (const auto error = leerEntrada(c, e))
            a.errores.push_back({numero, *error});
        else
            a.entradas.push_back(std::move(e));
    }
    return a;
}

std::optional<Ocurrencia> EnVigor(const Agenda& a, MinutoCivil ahora, const Aplica& aplica) {
    std::optional<Ocurrencia> mejor;
    const long long hoy = DiaCivil(ahora);
    for (long long d = hoy - UnaSemana; d <= hoy; ++d)
        for (std::size_t i = 0; i < a.entradas.size(); ++i) {
            const EntradaAgenda& e = a.entradas[i];
            const MinutoCivil cuando = d * MinutosDia + e.minuto;
            if (e.hora || !tieneDia(e, d) || cuando > ahora || (aplica && !aplica(e)))
                continue;
            if (!mejor || cuando >= mejor->cuando)
                mejor = Ocurrencia{i, cuando};
        }
    return mejor;
}

std::optional<Ocurrencia> Siguiente(const Agenda& a, MinutoCivil ahora, const Aplica& aplica) {
    std::optional<Ocurrencia> mejor;
    const long long hoy = DiaCivil(ahora);
    for (long long d = hoy; d <= hoy + UnaSemana; ++d)
        for (std::size_t i = 0; i < a.entradas.size(); ++i) {
            const EntradaAgenda& e = a.entradas[i];
            const MinutoCivil cuando = d * MinutosDia + e.minuto;
            if (!tieneDia(e, d) || cuando <= ahora || (aplica && !aplica(e)))
                continue;
            if (!mejor || cuando < mejor->cuando)
                mejor = Ocurrencia{i, cuando};
        }
    return mejor;
}

std::vector<Ocurrencia> HorasDebidas(const Agenda& a, MinutoCivil desde, MinutoCivil hasta) {
    std::vector<Ocurrencia> debidas;
    const long long primero = std::max(DiaCivil(desde), DiaCivil(hasta) - UnaSemana);
    for (std::size_t i = 0; i < a.entradas.size(); ++i) {
        const EntradaAgenda& e = a.entradas[i];
        std::optional<Ocurrencia> ultima;
        for (long long d = primero; e.hora && d <= DiaCivil(hasta); ++d) {
            const MinutoCivil cuando = d * MinutosDia + e.minuto;
            if (tieneDia(e, d) && cuando > desde && cuando <= hasta)
                ultima = Ocurrencia{i, cuando};
        }
        if (ultima)
            debidas.push_back(*ultima);
    }
    return debidas;
}

// One sweep through the week's occurrences, in order; the week before ends as this one does.
std::array<std::vector<Tramo>, 7> Semana(const Agenda& a, const Aplica& aplica) {
    struct Vez {
        int minuto; // of the week
        int entrada;
    };
    std::vector<Vez> veces;
    for (std::size_t i = 0; i < a.entradas.size(); ++i) {
        const EntradaAgenda& e = a.entradas[i];
        if (e.hora || (aplica && !aplica(e)))
            continue;
        for (int d = 0; d < 7; ++d)
            if (e.dias >> d & 1)
                veces.push_back({d * MinutosDia + e.minuto, int(i)});
    }
    std::sort(veces.begin(), veces.end(), [](const Vez& x, const Vez& y) {
        return x.minuto != y.minuto ? x.minuto < y.minuto : x.entrada < y.entrada;
    });
    std::array<std::vector<Tramo>, 7> semana;
    int vigente = veces.empty() ? -1 : veces.back().entrada;
    std::size_t v = 0;
    for (int d = 0; d < 7; ++d) {
        std::vector<Tramo>& dia = semana[std::size_t(d)];
        dia.push_back({0, vigente});
        for (; v < veces.size() && veces[v].minuto < (d + 1) * MinutosDia; ++v) {
            vigente = veces[v].entrada;
            const int minuto = veces[v].minuto - d * MinutosDia;
            if (dia.back().minuto == minuto) // a later line at the same minute wins
                dia.back().entrada = vigente;
            else if (dia.back().entrada != vigente)
                dia.push_back({minuto, vigente});
            if (dia.size() > 1 && dia[dia.size() - 2].entrada == dia.back().entrada)
                dia.pop_back();
        }
    }
    return semana;
}

std::string TextoDias(std::uint8_t dias) {
    if ((dias & TodosLosDias) == TodosLosDias)
        return "todos";
    std::string texto;
    for (int d = 0; d < 7;) {
        if (!(dias >> d & 1)) {
            ++d;
            continue;
        }
        int fin = d;
        while (fin + 1 < 7 && (dias >> (fin + 1) & 1))
            ++fin;
        if (!texto.empty())
            texto += ',';
        texto += NombreDia(d);
        if (fin > d) {
            texto += fin == d + 1 ? ',' : '-';
            texto += NombreDia(fin);
        }
        d = fin + 1;
    }
    return texto;
}

// A "#" starts a comment only at the start of a field.
std::string CampoAgenda(const std::string& s) {
    const bool solo = !s.empty() && s[0] != '#' && s.find_first_of(" \t") == std::string::npos;
    return solo ? s : std::string(1, '"').append(s).append(1, '"');
}

std::string LineaAgenda(const EntradaAgenda& e) {
    // Appended piece by piece: GCC 12 warns wrongly on sums of strings at -O3.
    std::string linea = TextoDias(e.dias);
    for (const std::string& c : {TextoHora(e.minuto), CampoAgenda(e.que)})
        linea.append(1, ' ').append(c);
    for (const std::string& p : e.puertos)
        linea.append(1, ' ').append(CampoAgenda(p));
    return linea;
}

std::string NombreDia(int dia) {
    return std::string(Dias[((dia % 7) + 7) % 7]);
}

std::string TextoHora(int minuto) {
    const auto dos = [](int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); };
    return dos(minuto / 60) + ":" + dos(minuto % 60);
}

} // namespace brelo
