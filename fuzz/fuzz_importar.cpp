// Any bytes as a text file: the import must fail cleanly or give 1 to 99 pages of at most
// 1024 characters each.

#include "core/files/importartexto.h"
#include "core/model/mensaje.h"

#include <cstdint>
#include <cstdlib>

using namespace brelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Importacion imp =
        ImportarTexto(std::string_view(reinterpret_cast<const char*>(data), size));
    if (imp.error) {
        if (!imp.paginas.empty())
            std::abort();
        return 0;
    }
    if (imp.paginas.empty() || imp.paginas.size() > std::size_t(MaxPag))
        std::abort();
    for (const std::string& p : imp.paginas)
        if (p.empty() || p.size() > LargoPagina + 1 || p.find_first_of("\r\n") != p.npos)
            std::abort();
    return 0;
}
