#include "core/files/importartexto.h"

#include "core/model/mensaje.h"

namespace brelo {

namespace {

constexpr std::size_t AnchoCentrado = 16;

std::vector<std::string_view> lineas(std::string_view d) {
    std::vector<std::string_view> r;
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (d[i] != '\r' && d[i] != '\n')
            continue;
        r.push_back(d.substr(inicio, i - inicio));
        if (d[i] == '\r' && i + 1 < d.size() && d[i + 1] == '\n')
            ++i;
        inicio = i + 1;
    }
    if (inicio < d.size())
        r.push_back(d.substr(inicio));
    return r;
}

std::string centrar(std::string_view l) {
    const std::size_t pad = AnchoCentrado - l.size();
    return std::string(pad / 2, ' ') + std::string(l) + std::string(pad - pad / 2, ' ');
}

} // namespace

Importacion ImportarTexto(std::string_view datos) {
    Importacion r;
    const auto lleno = [&r] { return r.paginas.size() == static_cast<std::size_t>(MaxPag); };
    for (std::string_view linea : lineas(datos)) {
        if (linea.empty())
            continue;
        if (lleno()) { // read on only to say how much was left out
            ++r.lineasSinImportar;
            continue;
        }
        std::string l = linea.size() < AnchoCentrado ? centrar(linea) : std::string(linea);
        for (; l.size() > LargoPagina && !lleno(); l.erase(0, LargoPagina))
            r.paginas.push_back(' ' + l.substr(0, LargoPagina));
        if (lleno()) {
            r.paginas.clear();
            r.error = "una linea larga pasa de la pagina 99";
            return r;
        }
        r.paginas.push_back(std::move(l));
    }
    if (r.paginas.empty())
        r.error = "el archivo no tiene ninguna linea con texto";
    return r;
}

} // namespace brelo
