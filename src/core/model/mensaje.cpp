#include "core/model/mensaje.h"

namespace brelo {

Pagina Mensaje::pagina(int i) const {
    return {TextoPag[i], EfePag[i], PausaPag[i], AlinPag[i], EfeOutPag[i]};
}

void Mensaje::ponerPagina(int i, const Pagina& p) {
    TextoPag[i] = p.texto;
    EfePag[i] = p.efe;
    PausaPag[i] = p.pausa;
    AlinPag[i] = p.alin;
    EfeOutPag[i] = p.efeOut;
}

void Mensaje::vaciarPagina(int i) {
    ponerPagina(i, Pagina{});
}

void Mensaje::vaciarPaginas() {
    for (int i = 1; i <= MaxPag; ++i)
        vaciarPagina(i);
    TotPag = 1;
    PagAct = 1;
}

void Mensaje::cargarPaginas(const std::vector<Pagina>& paginas) {
    vaciarPaginas();
    int n = 0;
    for (const Pagina& p : paginas) {
        if (n == MaxPag)
            break;
        ponerPagina(++n, p);
    }
    TotPag = static_cast<std::uint8_t>(n > 0 ? n : 1);
}

bool Mensaje::tieneTexto() const {
    for (int i = 1; i <= MaxPag; ++i)
        if (!TextoPag[i].empty())
            return true;
    return false;
}

std::string VerApp(int mayor, int revision) {
    std::string v = "v";
    if (mayor != 0)
        v += std::to_string(mayor);
    return v + "." + std::to_string(revision);
}

} // namespace brelo
