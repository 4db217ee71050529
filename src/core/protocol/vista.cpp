#include "core/protocol/vista.h"

#include "core/model/memoria.h"
#include "core/model/mensaje.h"
#include "core/protocol/filtro.h"
#include "core/protocol/trama.h"

#include <algorithm>
#include <cctype>

namespace brelo {

namespace {

constexpr int LargoCabecera = 6; // "W-NT9" DF

// The letters and marks the sign's own glyph codes were made for, from 0x10 on.
constexpr std::uint8_t Glifos[16] = {0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xFC,
                                     0xA1, 0xBF, 0xBB, 0xAB, 0x1C, 0x1D, 0x40, 0x5F};

std::string numero(long n) {
    return std::to_string(n);
}

// Characters a sentence could not show: DEL is never written to a terminal, and the blanks
// would read as nothing at all.
std::string nombre(char c) {
    switch (std::uint8_t(c)) {
    case 0x7F:
        return "DEL";
    case 0x20:
        return "un espacio";
    case 0xA0:
        return "el espacio duro";
    case 0xAD:
        return "el guion oculto";
    default:
        return std::string(1, c);
    }
}

// One sentence per character the sign receives as another one, in order of appearance; the
// control characters a file may hold, however many, in one sentence of their own. The summary says
// the letters that lose their accent in one sentence, where the first of them stands.
void cambiados(const std::string& texto, std::size_t n, std::vector<std::string>& h,
               std::vector<std::string>& resumen) {
    std::string vistos;
    std::size_t controles = 0, primero = 0, acentos = 0, dondeAcentos = 0;
    for (std::size_t i = 0; i < std::min(n, texto.size()); ++i) {
        const char c = texto[i];
        if (std::uint8_t(c) < 0x20) {
            primero = controles++ ? primero : i + 1;
            continue;
        }
        const auto llega = static_cast<char>(Significado(CodigoCartel(std::uint8_t(c))));
        if (llega == c || vistos.find(c) != std::string::npos)
            continue;
        vistos += c;
        h.push_back(nombre(c) + " se envia como " + nombre(llega));
        const bool sinAcento = std::uint8_t(c) >= 0xC0 && std::isalpha(std::uint8_t(llega));
        if (!sinAcento || acentos++ == 0) {
            dondeAcentos = sinAcento ? resumen.size() : dondeAcentos;
            resumen.push_back(h.back());
        }
    }
    if (acentos > 1)
        resumen[dondeAcentos] = numero(long(acentos)) + " letras se envian sin acento";
    std::string control;
    if (controles == 1)
        control =
            "1 caracter de control se envia como # (en la posicion " + numero(long(primero)) + ")";
    else if (controles)
        control = numero(long(controles)) +
                  " caracteres de control se envian como # (el primero en la posicion " +
                  numero(long(primero)) + ")";
    if (!control.empty()) {
        h.push_back(control);
        resumen.push_back(control);
    }
}

// One page with an alignment code the filter does not know stops the whole stream.
std::string imposible(const std::vector<int>& paginas) {
    if (paginas.empty())
        return {};
    std::string lista = numero(paginas.front());
    for (std::size_t i = 1; i < paginas.size(); ++i)
        lista += (i + 1 == paginas.size() ? " y " : ", ") + numero(paginas[i]);
    return "El mensaje no se puede enviar como esta: " +
           std::string(paginas.size() == 1 ? "la pagina " : "las paginas ") + lista +
           (paginas.size() == 1 ? " tiene" : " tienen") + " una alineacion desconocida";
}

} // namespace

std::uint8_t Significado(std::uint8_t codigo) {
    if (codigo == 0x7F)
        return 0xA6;
    return codigo >= 0x10 && codigo < 0x20 ? Glifos[codigo - 0x10] : codigo;
}

VistaPagina VerPagina(const Pagina& p) {
    VistaPagina v;
    const auto armada = ArmarPagina(p);
    if (!armada) {
        v.hallazgos.push_back("Alineacion desconocida (" + numero(p.alin) +
                              "): la pagina no se puede enviar");
        v.imposible = true;
        v.resumen = v.hallazgos;
        return v;
    }
    v.costo = int(armada->bytes.size());
    if (!EnviaTexto(p.efe))
        return v;
    v.columnas = armada->campo;
    if (v.columnas.size() == AnchoCampo && p.texto.size() > AnchoCampo) // a fixed field
        v.hallazgos.push_back("El cartel muestra " + numero(AnchoCampo) + " de " +
                              numero(long(p.texto.size())) + " caracteres");
    v.resumen = v.hallazgos;
    cambiados(armada->relleno, armada->campo.size(), v.hallazgos, v.resumen);
    return v;
}

bool RevisionMensaje::conHallazgos() const {
    return !imposible.empty() || !mensaje.empty() ||
           std::any_of(paginas.begin(), paginas.end(),
                       [](const Pag& p) { return !p.vista.hallazgos.empty(); });
}

RevisionMensaje RevisarMensaje(const Mensaje& m) {
    RevisionMensaje r;
    long total = LargoCabecera;
    int primeraPerdida = 0;
    std::vector<int> imposibles;
    for (int i = 1; i <= MaxPag; ++i) {
        if (!SeEnvia(m.pagina(i)))
            continue;
        r.paginas.push_back({i, VerPagina(m.pagina(i))});
        if (r.paginas.back().vista.imposible)
            imposibles.push_back(i);
        total += r.paginas.back().vista.costo;
        if (total > MemoriaCartel && !primeraPerdida)
            primeraPerdida = i;
    }
    r.imposible = imposible(imposibles);
    const long quedan = MemoriaCartel - total;
    if (primeraPerdida)
        r.mensaje.push_back("El mensaje pasa la memoria del cartel por " + Bytes(-quedan) +
                            ": se pierde desde la pagina " + numero(primeraPerdida));
    else if (quedan <= MemoriaAviso)
        r.mensaje.push_back("Quedan solo " + Bytes(quedan) + " de memoria en el cartel");
    return r;
}

std::string Bytes(long n) {
    return numero(n) + (n == 1 ? " byte" : " bytes");
}

} // namespace brelo
