#include "core/files/archivomensaje.h"

#include "core/model/catalogos.h"
#include "core/model/cp1252.h"

#include <algorithm>
#include <cstdint>

namespace brelo {

std::string WComi(std::string_view texto) {
    std::string s(texto);
    std::replace(s.begin(), s.end(), '"', '\xFF');
    return s;
}

std::string RComi(std::string_view texto) {
    std::string s(texto);
    std::replace(s.begin(), s.end(), '\xFF', '"');
    return s;
}

std::string Extraer(std::string_view ruta, char c) {
    const auto pos = ruta.rfind(c);
    if (pos == std::string_view::npos)
        return c == '.' ? std::string() : std::string(ruta);
    return std::string(ruta.substr(pos + 1));
}

VersionArchivo VersionDeRuta(std::string_view ruta) {
    return EsNombreVersion1(ruta) ? VersionArchivo::V1 : VersionArchivo::V2;
}

bool EsNombreVersion1(std::string_view ruta) {
    std::string ext = Extraer(ruta, '.');
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c | 0x20; });
    return ext == "mnm";
}

std::string EscribirMensaje(const Mensaje& m) {
    std::string s;
    for (int i = 1; i <= MaxPag; ++i) {
        if (m.TextoPag[i].empty())
            continue;
        s += std::to_string(m.EfePag[i]) + ',' + std::to_string(m.PausaPag[i]) + ',' +
             std::to_string(m.AlinPag[i]) + ",\"" + WComi(m.TextoPag[i]) + "\"," +
             std::to_string(m.EfeOutPag[i]) + "\r\n";
    }
    return s;
}

namespace {

// A field of the file as the operator reads it in a reason: UTF-8, control bytes escaped,
// between quotes unless it already stands between quotes.
std::string citado(std::string_view campo) {
    std::string r;
    for (char c : campo) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            const char hex[] = "0123456789abcdef";
            r += {'\\', 'x', hex[b >> 4], hex[b & 0xF]};
        } else {
            r += Cp1252AUtf8(std::string_view(&c, 1));
        }
    }
    const bool entreComillas = campo.size() >= 2 && campo.front() == '"' && campo.back() == '"';
    return entreComillas ? r : '"' + r + '"';
}

// Reads fields one after another, regardless of line layout, the way the files have always
// been read: a line end (CR LF, or a lone LF from another system) only ends a field.
class Lector {
public:
    explicit Lector(std::string_view d) : d_(d) {}

    bool alFinal() const { return i_ >= d_.size(); }

    // A numeric field: digits up to a comma, blank or line end; empty reads as 0.
    std::optional<int> numero(std::string& motivo) {
        saltarBlancos();
        if (alFinal()) {
            motivo = "el archivo termina dentro de un registro";
            return std::nullopt;
        }
        const std::size_t inicio = i_;
        while (!alFinal() && d_[i_] != ',' && d_[i_] != ' ' && !finDeLinea())
            ++i_;
        const std::string_view campo = d_.substr(inicio, i_ - inicio);
        if (!std::all_of(campo.begin(), campo.end(), esDigito)) {
            motivo = "valor numerico no valido " + citado(campo);
            return std::nullopt;
        }
        int v = 0;
        for (char c : campo)
            v = std::min(256, v * 10 + (c - '0')); // anything past 255 fails alike
        if (v > 255) {
            motivo = "valor fuera de rango " + std::string(campo);
            return std::nullopt;
        }
        if (!terminarCampo(motivo))
            return std::nullopt;
        return v;
    }

    // A text field: between double quotes, or up to the next comma or line end.
    std::optional<std::string> texto(std::string& motivo) {
        saltarBlancos();
        if (alFinal()) {
            motivo = "el archivo termina dentro de un registro";
            return std::nullopt;
        }
        std::string t;
        if (d_[i_] == '"') {
            const auto cierre = d_.find('"', i_ + 1);
            if (cierre == std::string_view::npos) {
                motivo = "texto sin comilla de cierre";
                return std::nullopt;
            }
            t = d_.substr(i_ + 1, cierre - i_ - 1);
            i_ = cierre + 1;
            saltarBlancos();
        } else {
            const std::size_t inicio = i_;
            while (!alFinal() && d_[i_] != ',' && !finDeLinea())
                ++i_;
            t = d_.substr(inicio, i_ - inicio);
        }
        if (!terminarCampo(motivo))
            return std::nullopt;
        return t;
    }

private:
    static bool esDigito(char c) { return c >= '0' && c <= '9'; }

    bool finDeLinea() const {
        return d_[i_] == '\n' || (d_[i_] == '\r' && i_ + 1 < d_.size() && d_[i_ + 1] == '\n');
    }

    void saltarBlancos() {
        while (!alFinal() && d_[i_] == ' ')
            ++i_;
    }

    // Consumes what ends a field: a comma, a line end, or the end of the file.
    bool terminarCampo(std::string& motivo) {
        saltarBlancos();
        if (alFinal())
            return true;
        if (d_[i_] == ',') {
            ++i_;
            return true;
        }
        if (finDeLinea()) {
            i_ += d_[i_] == '\r' ? 2 : 1;
            return true;
        }
        motivo = "se esperaba una coma o un fin de linea";
        return false;
    }

    std::string_view d_;
    std::size_t i_ = 0;
};

// The catalogs of the editor: a page it could not show must not load.
bool enCatalogo(int efe, int pausa, int salida, std::string& motivo) {
    if (efe > efecto::Ultimo)
        motivo = "efecto de entrada " + std::to_string(efe) + " desconocido";
    else if (pausa > UltimaPausa)
        motivo = "pausa " + std::to_string(pausa) + " desconocida";
    else if (salida > UltimaSalida)
        motivo = "efecto de salida " + std::to_string(salida) + " desconocido";
    return motivo.empty();
}

std::optional<Pagina> leerRegistro(Lector& l, VersionArchivo version, std::string& motivo) {
    const auto efe = l.numero(motivo);
    const auto pausa = efe ? l.numero(motivo) : std::nullopt;
    const auto alin = pausa ? l.numero(motivo) : std::nullopt;
    const auto texto = alin ? l.texto(motivo) : std::nullopt;
    if (!texto)
        return std::nullopt;
    // Version 1 has no exit effect and lacked one entry effect before "LLuvia".
    const auto salida = version == VersionArchivo::V2 ? l.numero(motivo) : std::optional<int>(0);
    if (!salida)
        return std::nullopt;
    const int entrada = version == VersionArchivo::V1 && *efe > 1 ? *efe + 1 : *efe;
    if (!enCatalogo(entrada, *pausa, *salida, motivo))
        return std::nullopt;
    const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };
    return Pagina{RComi(*texto), byte(entrada), byte(*pausa), byte(*alin), byte(*salida)};
}

} // namespace

LecturaMensaje LeerMensaje(std::string_view datos, VersionArchivo version) {
    LecturaMensaje r;
    Lector l(datos);
    for (int n = 1; !l.alFinal(); ++n) {
        std::string motivo;
        if (n > MaxPag) {
            r.error = ErrorArchivo{n, "mas de 99 registros"};
            break;
        }
        auto p = leerRegistro(l, version, motivo);
        if (!p) {
            r.error = ErrorArchivo{n, motivo};
            break;
        }
        r.paginas.push_back(std::move(*p));
    }
    if (r.error)
        r.paginas.clear();
    return r;
}

} // namespace brelo
