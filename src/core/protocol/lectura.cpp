#include "core/protocol/lectura.h"

#include "core/model/catalogos.h"
#include "core/model/reglas.h"
#include "core/protocol/trama.h"
#include "core/protocol/vista.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace brelo {

namespace {

constexpr std::string_view Inicio = "W-NT9";
constexpr unsigned char CodigoMensaje = 0xDF, Reloj = 0xB0;
constexpr std::size_t LargoCampo = 16, LargoReloj = 6;
constexpr std::size_t LargoCortado = LargoMaximoTrama + 2; // a stream cut at the sign's memory

// The days of a month of the year 2000 + anio.
int DiasDelMes(int mes, int anio) {
    constexpr int Dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return mes == 2 && anio % 4 == 0 ? 29 : Dias[mes - 1];
}

std::string hex(unsigned char b) {
    char t[8];
    std::snprintf(t, sizeof t, "0x%02X", b);
    return t;
}

// The character a text code comes from, or nothing for a code no text sends.
std::optional<char> caracter(unsigned char c) {
    if (c == 0x1C || c == 0x1D || c == 0x40 || c == 0x5F || c < 0x10 || c > 0x7F)
        return std::nullopt;
    return static_cast<char>(Significado(c));
}

class Lector {
public:
    Lector(std::string_view d, std::size_t base) : d_(d), base_(base) {}

    LecturaTrama leer() {
        for (std::size_t p = 0; p < d_.size();)
            p = envio(p);
        for (auto f = r_.flujos.rbegin(); f != r_.flujos.rend() && !r_.mensaje; ++f)
            if (!f->hora && f->estado == FlujoLeido::Completo)
                r_.mensaje = f->paginas;
        for (auto f = r_.flujos.rbegin(); f != r_.flujos.rend() && !r_.mensaje; ++f)
            if (!f->hora) {
                r_.mensaje = f->paginas;
                r_.estadoMensaje = f->estado;
            }
        if (r_.mensaje && r_.mensaje->empty())
            r_.mensaje->emplace_back(); // one empty page, as a new message has
        contarDudas();
        std::stable_sort(r_.incidencias.begin(), r_.incidencias.end(),
                         [](const Incidencia& a, const Incidencia& b) { return a.byte < b.byte; });
        return r_;
    }

private:
    // A record read: whole, cut short by the end of the stream (the terminator or the file's
    // end at en), or not one at all.
    struct Registro {
        enum { Entero, Corto, Malo } tipo;
        std::size_t en;
        Pagina pagina{};
        bool dicho = false; // a bad record whose fault has been reported already
        bool libre = false; // a free text, which ends where the next thing starts
    };

    unsigned char at(std::size_t i) const { return i < d_.size() ? d_[i] : 0; }
    bool terminador(std::size_t i) const { return at(i) == 1 && at(i + 1) == 1; }
    bool final(std::size_t i) const { return i >= d_.size() || terminador(i); }
    // A new stream's header: a sender stopped and another started.
    bool cabecera(std::size_t i) const {
        return d_.substr(std::min(i, d_.size()), Inicio.size()) == Inicio &&
               (at(i + Inicio.size()) == CodigoMensaje || at(i + Inicio.size()) == Reloj);
    }
    // A stream starts at i: a whole header, or one cut short by its terminator.
    bool empiezaEnvio(std::size_t i) const {
        std::size_t k = 0;
        while (k < Inicio.size() && at(i + k) == Inicio[k])
            ++k;
        return cabecera(i) || (k > 0 && terminador(i + k));
    }
    // Where a record may stop short: the stream's end, or another's start.
    bool corte(std::size_t i) const { return final(i) || cabecera(i); }
    void decir(std::size_t en, std::string motivo) {
        r_.incidencias.push_back({base_ + en, std::move(motivo)});
    }
    // Doubts that come in runs (a damaged byte shifts every code after it) are told once for
    // each run.
    enum Clase { EfectoDesconocido, SinTexto };
    void dudar(std::size_t en, Clase clase) {
        if (!dudas_.empty() && dudas_.back().clase == clase &&
            dudas_.back().desde + dudas_.back().cuantos == en) {
            ++dudas_.back().cuantos;
            return;
        }
        dudas_.push_back({en, 1, clase, at(en)});
    }
    void contarDudas() {
        for (const Duda& d : dudas_) {
            const std::string n = std::to_string(d.cuantos), c = hex(d.primero);
            if (d.clase == SinTexto)
                decir(d.desde, d.cuantos == 1
                                   ? "codigo que ningun texto envia (" + c + ")"
                                   : n + " codigos que ningun texto envia (desde " + c + ")");
            else
                decir(d.desde,
                      (d.cuantos == 1 ? "1 byte que no forma" : n + " bytes que no forman") +
                          " ninguna pagina (" + (d.cuantos == 1 ? "" : "desde ") + c +
                          "): se esperaba el codigo de efecto de una pagina");
        }
    }

    // One stream from p, or the bytes before the next one; where reading goes on.
    std::size_t envio(std::size_t p) {
        std::size_t k = 0;
        while (k < Inicio.size() && at(p + k) == Inicio[k])
            ++k;
        if (k == Inicio.size() && at(p + k) == CodigoMensaje)
            return mensaje(p);
        if (k == Inicio.size() && at(p + k) == Reloj)
            return reloj(p);
        if (k > 0 && terminador(p + k)) { // cancelled before the header was out
            r_.flujos.push_back({base_ + p, false, FlujoLeido::Cancelado, {}, {}});
            return p + k + 2;
        }
        std::size_t q = p + 1;
        while (q < d_.size() && !empiezaEnvio(q))
            ++q;
        decir(p, std::to_string(q - p) + (q - p == 1 ? " byte que no es" : " bytes que no son") +
                     " parte de ningun envio");
        return q;
    }

    // Read by its fixed length, so 01 01 in its fields never ends it. Fields the stream does
    // not have are shown as "--", never made up.
    std::size_t reloj(std::size_t p) {
        const std::size_t q = p + Inicio.size() + 1;
        FlujoLeido f{base_ + p, true, FlujoLeido::Completo, {}, {}};
        struct Campo {
            const char* nombre;
            int menor, mayor;
        };
        constexpr Campo Campos[LargoReloj] = {{"la hora", 0, 23},    {"el minuto", 0, 59},
                                              {"el segundo", 0, 59}, {"el dia", 1, 31},
                                              {"el mes", 1, 12},     {"el anio", 0, 99}};
        // Cut short by the file's end or another stream's start; cancelled when its fields
        // stop at a terminator there.
        std::size_t campos = 0;
        while (campos < LargoReloj && q + campos < d_.size() && !cabecera(q + campos))
            ++campos;
        const bool cancelada = campos < LargoReloj && campos >= 2 && terminador(q + campos - 2);
        if (cancelada)
            campos -= 2;
        for (std::size_t i = 0; i < LargoReloj; ++i) {
            const unsigned char b = at(q + i);
            const bool hay = i < campos;
            if (hay && ((b >> 4) > 9 || (b & 15) > 9))
                decir(q + i, "campo de la hora que no es un numero (" + hex(b) + ")");
            else if (const int v = (b >> 4) * 10 + (b & 15);
                     hay && (v < Campos[i].menor || v > Campos[i].mayor))
                decir(q + i, std::string(Campos[i].nombre) + " no puede ser " + std::to_string(v));
            const auto cifra = [](int n) { return n > 9 ? '?' : char('0' + n); };
            f.reloj += hay ? std::string{cifra(b >> 4), cifra(b & 15)} : std::string("--");
            f.reloj += i == 2 ? " " : i == 5 ? "" : i < 2 ? ":" : "/";
        }
        if (cancelada) {
            f.estado = FlujoLeido::Cancelado;
            r_.flujos.push_back(f);
            return q + campos + 2;
        }
        if (campos < LargoReloj) {
            decir(q + campos, "la orden de la hora se corta tras " + std::to_string(campos) +
                                  " de sus 6 campos");
            f.estado = FlujoLeido::SinTerminar;
            r_.flujos.push_back(f);
            return q + campos;
        }
        if (const int dia = bcd(q + 3), mes = bcd(q + 4);
            mes >= 1 && mes <= 12 && dia >= 1 && dia <= 31 && dia > DiasDelMes(mes, bcd(q + 5)))
            decir(q + 3, "el dia no puede ser " + std::to_string(dia) + " en el mes " +
                             std::to_string(mes));
        if (!terminador(q + LargoReloj)) {
            f.estado = FlujoLeido::SinTerminar;
            decir(std::min(q + LargoReloj, d_.size()), "la orden de la hora no termina en 01 01");
            r_.flujos.push_back(f);
            return std::min(q + LargoReloj, d_.size());
        }
        r_.flujos.push_back(f);
        return q + LargoReloj + 2;
    }

    std::size_t mensaje(std::size_t p) {
        FlujoLeido f{base_ + p, false, FlujoLeido::Completo, {}, {}};
        std::size_t q = p + Inicio.size() + 1;
        std::size_t finPagina = 0; // where the last page read ended
        bool abierta = false;      // and whether its end cannot be told (a free text, no exit)
        bool demasiadas = false;
        for (;;) {
            if (terminador(q)) {
                // The sign's memory cut the stream: inside its terminator, every page is whole;
                // a free text that runs into the cut was cut with it, and is left out. (A
                // record cut short is told below.)
                const bool enFin = at(q + 2) == 1 && q + 3 - p == LargoCortado;
                const bool enPagina = q + 2 - p == LargoCortado;
                f.estado = enFin || enPagina ? FlujoLeido::Cortado : FlujoLeido::Completo;
                if (enPagina && abierta && finPagina == q && !f.paginas.empty() && !demasiadas)
                    f.paginas.pop_back();
                q += enFin ? 3 : 2;
                break;
            }
            if (q >= d_.size() || cabecera(q)) { // a sender that stopped; maybe another began
                f.estado = FlujoLeido::SinTerminar;
                decir(q, q >= d_.size() ? "el envio no termina en 01 01"
                                        : "el envio no termina: aqui empieza otro");
                break;
            }
            const Registro g = registro(q);
            if (g.tipo == Registro::Malo) {
                if (!g.dicho)
                    dudar(q, EfectoDesconocido);
                q = g.en;
                continue;
            }
            if (g.tipo == Registro::Corto) { // what was out when the transfer ended
                q = g.en;
                if (g.en < d_.size() && !cabecera(g.en)) {
                    f.estado =
                        g.en + 2 - p == LargoCortado ? FlujoLeido::Cortado : FlujoLeido::Cancelado;
                    q += 2;
                    break;
                }
                continue; // its end, or the next stream's start, is told above
            }
            if (f.paginas.size() == MaxPag && !std::exchange(demasiadas, true))
                decir(q, "mas de 99 paginas: se leen las 99 primeras");
            else if (f.paginas.size() < MaxPag)
                f.paginas.push_back(g.pagina);
            q = finPagina = g.en;
            abierta = g.libre && g.pagina.efeOut == 0;
        }
        r_.flujos.push_back(std::move(f));
        return q;
    }

    // The page the record at q gives, then its exit part.
    Registro registro(std::size_t q) {
        Registro g = entrada(q);
        if (g.tipo != Registro::Entero)
            return g;
        const std::size_t s = g.en;
        for (std::uint8_t n = 1; n <= UltimaSalida; ++n) {
            const std::string_view parte = ParteSalida(n);
            if (d_.substr(s, parte.size()) == parte) {
                g.pagina.efeOut = n;
                g.en = s + parte.size();
                return g;
            }
            if (at(s) == std::uint8_t(parte[0]) && at(s) != 0xDF && corte(s + 1))
                return {Registro::Corto, s + 1}; // cut between an exit part's two bytes
        }
        return g;
    }

    Registro entrada(std::size_t q) {
        const unsigned char b = at(q);
        if (b == 0x90 && at(q + 1) >= 0xE0 && at(q + 1) <= 0xEF)
            return especial(q, 2, efecto::Velocidad, pausa(q + 1, 0xE0));
        if (b == 0x90)
            return libre(q + 1, efecto::Rotacion);
        if (b == 0x80)
            return fijo(q, efecto::Estatico);
        if (b >= 0x91 && b <= 0x99)
            return fijo(q, std::uint8_t(3 + b - 0x91));
        if (b == 0xDF && at(q + 1) == 0x90 && (at(q + 2) == 0xD1 || at(q + 2) == 0xD3))
            return libre(q + 3, at(q + 2) == 0xD1 ? efecto::Parpadeo : efecto::Doble);
        if (b == 0xDF && at(q + 1) == 0x90)
            return especial(q, 2, efecto::Reset);
        if (b == 0xA2 && at(q + 1) == 0xC4)
            return especial(q, 2, efecto::Fecha);
        if (b == 0xA0) {
            std::size_t n = 1;
            while (n < 5 && at(q + n) == 0xA0)
                ++n;
            if (n == 5)
                return especial(q, 5, efecto::Hora);
            return corte(q + n) ? Registro{Registro::Corto, q + n}
                                : Registro{Registro::Malo, q + 1};
        }
        if (const std::size_t codigos = codigosAnimacion(q)) {
            std::size_t i = q + codigos; // then sixteen blanks, unless the stream stops first
            while (i < q + codigos + LargoCampo && at(i) == ' ')
                ++i;
            if (i == q + codigos + LargoCampo)
                return especial(q, i - q,
                                b == 0x5B   ? efecto::Autito
                                : b == 0x5D ? efecto::Avion
                                            : efecto::Pacman);
            if (corte(i))
                return {Registro::Corto, i};
        }
        for (std::size_t i = q + 1; i < q + 3; ++i) // a special page's codes, cut short
            if (corte(i) && (b == 0xDF || b == 0xA2 || b == 0x5B || b == 0x5D || b == 0x40))
                return {Registro::Corto, i};
        return {Registro::Malo, q + 1};
    }

    // How many codes an animation's start has at q ("[\", "]^" or 0x40), 0 when none.
    std::size_t codigosAnimacion(std::size_t q) const {
        const unsigned char b = at(q);
        return b == 0x40                                                              ? 1
               : (b == 0x5B && at(q + 1) == 0x5C) || (b == 0x5D && at(q + 1) == 0x5E) ? 2
                                                                                      : 0;
    }

    // An animation's codes and sixteen blanks: its length, 0 when there is none at q.
    std::size_t animacion(std::size_t q) const {
        const std::size_t codigos = codigosAnimacion(q);
        if (!codigos)
            return 0;
        for (std::size_t i = 0; i < LargoCampo; ++i)
            if (at(q + codigos + i) != ' ')
                return 0;
        return codigos + LargoCampo;
    }

    int bcd(std::size_t i) const { return (at(i) >> 4) * 10 + (at(i) & 15); }

    std::uint8_t pausa(std::size_t i, unsigned char base) {
        const int n = at(i) - base;
        if (n < 1 || n > 9)
            decir(i, "codigo de pausa fuera de 1 a 9 (" + hex(at(i)) + ")");
        return std::uint8_t(std::clamp(n, 1, 9));
    }

    Registro especial(std::size_t q, std::size_t largo, std::uint8_t efe, std::uint8_t p = 0) {
        Pagina g{std::string(ReglaDeEfecto(efe).textoFijo), efe, p, 0, 0};
        return {Registro::Entero, q + largo, g};
    }

    void texto(std::string& t, unsigned char c, std::size_t en) {
        const auto k = caracter(c);
        if (!k)
            dudar(en, SinTexto);
        t += k.value_or('#');
    }

    Registro libre(std::size_t q, std::uint8_t efe) {
        std::string t;
        std::size_t i = q;
        for (; i < d_.size() && at(i) >= 0x10 && at(i) < 0x80 && at(i) != 0x40 && !animacion(i) &&
               !cabecera(i);
             ++i)
            texto(t, at(i), i);
        if (t.empty())
            return corte(i) ? Registro{Registro::Corto, i} : Registro{Registro::Malo, q};
        return {Registro::Entero, i, Pagina{t, efe, 0, 0, 0}, false, true};
    }

    Registro fijo(std::size_t q, std::uint8_t efe) {
        std::string t;
        for (std::size_t i = q + 1; i < q + 1 + LargoCampo; ++i) {
            if (corte(i))
                return {Registro::Corto, i};
            if (at(i) >= 0x80) {
                decir(q, "registro de 16 codigos cortado tras " + std::to_string(i - q - 1));
                return {Registro::Malo, i, {}, true};
            }
            texto(t, at(i), i);
        }
        const std::size_t c = q + 1 + LargoCampo;
        if (corte(c))
            return {Registro::Corto, c};
        if (at(c) < 0xC1 || at(c) > 0xC9) {
            decir(c, "falta el codigo de pausa (C1 a C9)");
            return {Registro::Entero, c, Pagina{t, efe, 1, 0, 0}};
        }
        const std::uint8_t p = efe == efecto::Estatico ? 1 : pausa(c, 0xC0);
        if (efe == efecto::Estatico && at(c) != 0xC1)
            decir(c, "pagina Estatico con pausa " + hex(at(c)) + " en lugar de C1");
        return {Registro::Entero, c + 1, Pagina{t, efe, p, 0, 0}};
    }

    struct Duda {
        std::size_t desde, cuantos;
        Clase clase;
        unsigned char primero;
    };

    std::string_view d_;
    std::size_t base_;
    LecturaTrama r_;
    std::vector<Duda> dudas_;
};

} // namespace

const char* NombreEstado(FlujoLeido::Estado estado) {
    constexpr const char* Nombres[] = {"completo", "cancelado", "cortado en la memoria",
                                       "sin terminar"};
    return Nombres[estado];
}

bool EsTrama(std::string_view datos) {
    if (datos.substr(0, Inicio.size()) == Inicio ||
        (datos.substr(0, 1) == "\"" && datos.substr(1, Inicio.size()) == Inicio))
        return true;
    for (std::size_t i = datos.find(Inicio); i != std::string_view::npos;
         i = datos.find(Inicio, i + 1)) {
        const std::size_t codigo = i + Inicio.size();
        if (codigo < datos.size() &&
            (std::uint8_t(datos[codigo]) == CodigoMensaje || std::uint8_t(datos[codigo]) == Reloj))
            return true;
    }
    return false;
}

LecturaTrama LeerTrama(std::string_view datos) {
    if (datos.substr(0, 1) != "\"")
        return Lector(datos, 0).leer();
    // Salida.txt: the first byte and the last quote before the final line end enclose it.
    std::size_t fin = datos.size();
    if (datos.ends_with("\r\n"))
        fin -= 2;
    else if (datos.ends_with('\n'))
        fin -= 1;
    const bool cerrada = fin >= 2 && datos[fin - 1] == '"';
    LecturaTrama r = Lector(datos.substr(1, fin - 1 - (cerrada ? 1 : 0)), 1).leer();
    if (!cerrada)
        r.incidencias.push_back({fin, "falta la comilla final de Salida.txt"});
    return r;
}

} // namespace brelo
