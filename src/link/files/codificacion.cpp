#include "link/files/codificacion.h"

#include "core/model/cp1252.h"
#include "core/textos.h"

#include <QList>
#include <QString>
#include <QStringDecoder>

#include <algorithm>

namespace brelo {

namespace {

bool empiezaCon(std::string_view d, std::string_view marca) {
    return d.substr(0, marca.size()) == marca;
}

// A page never holds the byte of "ÿ", which message files read as a quotation mark: it
// comes in as the "y" the sign shows for it, and is counted with the characters replaced.
TextoDecodificado sinYDieresis(std::string texto, int reemplazados) {
    for (char& c : texto)
        if (std::uint8_t(c) == YDieresis) {
            c = 'y';
            ++reemplazados;
        }
    return {std::move(texto), reemplazados};
}

TextoDecodificado convertir(const QString& texto) {
    TextoDecodificado r;
    for (const char32_t c : texto.toUcs4()) {
        if (const auto b = UnicodeACp1252(c)) {
            r.texto += char(*b);
        } else {
            r.texto += Parecido(c);
            ++r.reemplazados;
        }
    }
    return sinYDieresis(std::move(r.texto), r.reemplazados);
}

// UTF-8 when it holds a whole multi-byte sequence and at least as many whole ones as damaged
// ones: a text from another program with a stray byte beside an accent keeps its accents,
// while a Windows-1252 text, whose accented letters almost never form a valid sequence, stays
// what it is. The decoder turns each
// damaged sequence into one U+FFFD; a U+FFFD written in the file is a whole sequence.
bool pareceUtf8(std::string_view datos, const QString& texto) {
    long escritos = 0;
    for (std::size_t i = datos.find("\xEF\xBF\xBD"); i != std::string_view::npos;
         i = datos.find("\xEF\xBF\xBD", i + 3))
        ++escritos;
    long noAscii = 0, reemplazos = 0;
    for (const char32_t c : texto.toUcs4()) {
        noAscii += c >= 0x80;
        reemplazos += c == 0xFFFD;
    }
    const long danados = reemplazos - escritos, enteros = noAscii - danados;
    return enteros > 0 && enteros >= danados;
}

std::string_view sin(std::string_view d, std::size_t marca) {
    return d.substr(marca);
}

} // namespace

TextoDecodificado DecodificarTexto(std::string_view datos) {
    const auto decodificar = [](QStringConverter::Encoding e, std::string_view d) {
        QStringDecoder decodificador(e, QStringDecoder::Flag::Stateless);
        QString texto = decodificador.decode(QByteArrayView(d.data(), qsizetype(d.size())));
        return std::pair{texto, !decodificador.hasError()};
    };
    if (empiezaCon(datos, "\xFF\xFE"))
        return convertir(decodificar(QStringConverter::Utf16LE, sin(datos, 2)).first);
    if (empiezaCon(datos, "\xFE\xFF"))
        return convertir(decodificar(QStringConverter::Utf16BE, sin(datos, 2)).first);
    if (empiezaCon(datos, "\xEF\xBB\xBF"))
        return convertir(decodificar(QStringConverter::Utf8, sin(datos, 3)).first);
    if (const QString texto = decodificar(QStringConverter::Utf8, datos).first;
        pareceUtf8(datos, texto))
        return convertir(texto); // each damaged sequence, a U+FFFD, becomes "#" and is counted
    return sinYDieresis(std::string(datos), 0);
}

char Parecido(char32_t c) {
    const QString descompuesto = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D);
    if (descompuesto.size() > 1 || descompuesto.at(0).unicode() != c)
        if (const auto base = UnicodeACp1252(descompuesto.at(0).unicode()); base && *base >= 0x20)
            return char(*base);
    switch (QChar::category(c)) {
    case QChar::Punctuation_InitialQuote:
    case QChar::Punctuation_FinalQuote:
        return c == U'\u201B' ? '\'' : '"';
    case QChar::Punctuation_Dash:
        return '-';
    default:
        return c == U'\u2212' ? '-' : '#';
    }
}

std::string TextoImportado(int reemplazados, int lineasSinImportar) {
    std::string nota;
    const auto agregar = [&nota](int n, const char* uno, const char* varios) {
        if (n == 0)
            return;
        nota += (nota.empty() ? " (" : ", ") + std::to_string(n) + ' ' + (n == 1 ? uno : varios);
    };
    agregar(reemplazados, "caracter reemplazado", "caracteres reemplazados");
    agregar(lineasSinImportar, "linea sin importar", "lineas sin importar");
    return texto::ImportadoOk + nota + (nota.empty() ? "" : ")");
}

} // namespace brelo
