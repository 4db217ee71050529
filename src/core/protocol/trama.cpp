#include "core/protocol/trama.h"

#include "core/model/catalogos.h"
#include "core/model/mensaje.h"
#include "core/model/reglas.h"
#include "core/protocol/filtro.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace brelo {

namespace {

const std::string Cabecera = "W-NT9\xDF";
const std::string Fin = "\x01\x01";
const std::string Animacion(AnchoCampo, ' ');

// Entry code and filter mode per entry effect.
struct Entrada {
    std::uint8_t codigo;
    std::uint8_t modo;
};

constexpr std::array<Entrada, 20> Entradas = {{
    {0x90, ModoLibre}, {0x80, ModoFijo},  {0xDF, ModoFijo},  {0x91, ModoFijo},  {0x92, ModoFijo},
    {0x93, ModoFijo},  {0x94, ModoFijo},  {0x95, ModoFijo},  {0x96, ModoFijo},  {0x97, ModoFijo},
    {0x98, ModoFijo},  {0x99, ModoFijo},  {0xA0, ModoLibre}, {0xA2, ModoLibre}, {0xD1, ModoLibre},
    {0xD3, ModoLibre}, {0xE0, ModoLibre}, {0x5B, ModoLibre}, {0x5D, ModoLibre}, {0x40, ModoLibre},
}};

// Exit parts; the second byte is a fixed pause code, not the page's pause.
constexpr std::array<const char*, 11> Salidas = {
    "",         "\xD6\xC1", "\xD5\xC1", "\xD7\xC1", "\xD8\xC1", "\xD9\xC1",
    "\xDA\xC1", "\xDC\xC1", "\xDD\xC1", "\xDF\xD1", "\xDF\xD3",
};

char byte(int v) {
    return static_cast<char>(v);
}

void agregarEntrada(std::string& t, const Pagina& pagina, std::uint8_t efe,
                    const std::string& campo) {
    const char p = byte(0xC0 + CodigoPausa(pagina));
    const char codigo = byte(Entradas[efe].codigo);
    switch (efe) {
    case efecto::Rotacion:
        t += codigo + campo;
        break;
    case efecto::Estatico:
        t += codigo + campo + p;
        break;
    case efecto::Reset:
        t += "\xDF\x90";
        break;
    case efecto::Hora:
        t += std::string(5, codigo);
        break;
    case efecto::Fecha:
        t += "\xA2\xC4";
        break;
    case efecto::Parpadeo:
    case efecto::Doble:
        t += std::string("\xDF\x90") + codigo + campo;
        break;
    case efecto::Velocidad:
        t += std::string("\x90") + byte(0xE0 + std::clamp<int>(pagina.pausa, 1, 9));
        break;
    case efecto::Autito:
        t += "\x5B\x5C" + Animacion;
        break;
    case efecto::Avion:
        t += "\x5D\x5E" + Animacion;
        break;
    case efecto::Pacman:
        t += codigo + Animacion;
        break;
    default: // the nine transition effects
        t += codigo + campo + p;
        break;
    }
}

} // namespace

std::optional<PaginaArmada> ArmarPagina(const Pagina& p) {
    // Effects beyond the catalog cannot come from a file any more; if one still arrives it
    // scrolls, the sign's plainest page.
    const std::uint8_t efe = p.efe <= efecto::Ultimo ? p.efe : efecto::Rotacion;
    PaginaArmada r;
    r.libre = Entradas[efe].modo == ModoLibre && p.alin == 0 &&
              (efe == efecto::Rotacion || efe == efecto::Parpadeo || efe == efecto::Doble);
    r.relleno = p.texto;
    auto campo = Filtro(r.relleno, Entradas[efe].modo, p.alin);
    if (!campo)
        return std::nullopt;
    r.campo = std::move(*campo);
    agregarEntrada(r.bytes, p, efe, r.campo);
    r.bytes += ParteSalida(p.efeOut);
    return r;
}

std::string_view ParteSalida(std::uint8_t efeOut) {
    return efeOut < Salidas.size() ? Salidas[efeOut] : "";
}

int CodigoPausa(const Pagina& p) {
    if (p.efe == efecto::Estatico)
        return 1;
    return EsTransicion(p.efe) ? std::clamp<int>(p.pausa, 1, 9) : 0;
}

bool SeEnvia(const Pagina& p) {
    return !p.texto.empty();
}

bool EnviaTexto(std::uint8_t efe) {
    return efe > efecto::Ultimo || efe <= efecto::Estatico ||
           (efe > efecto::Reset && efe < efecto::Hora) || efe == efecto::Parpadeo ||
           efe == efecto::Doble;
}

ResultadoTrama ArmarTrama(Mensaje& m) {
    ResultadoTrama r;
    std::string& t = r.Trama;
    t = Cabecera;
    for (int i = 1; i <= MaxPag; ++i) {
        if (m.TextoPag[i].empty())
            continue;
        const auto pagina = ArmarPagina(m.pagina(i));
        if (!pagina) {
            r.paginaConError = i;
            t.clear();
            return r;
        }
        // Every page's text stays filled with blanks in the model, as the sign's protocol has
        // always left it, but a left-aligned scrolling text's: those blanks would reach the
        // sign on the next build.
        if (!pagina->libre)
            m.TextoPag[i] = pagina->relleno;
        t += pagina->bytes;
    }
    t += Fin;
    if (t.size() > LargoMaximoTrama) {
        t.resize(LargoMaximoTrama);
        t += Fin;
    }
    return r;
}

std::string FormatoSalida(const std::string& trama) {
    return "\"" + trama + "\"\r\n";
}

} // namespace brelo
