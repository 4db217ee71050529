#pragma once

// The one crossing between the model's Windows-1252 bytes and the widgets' QString.

#include "core/model/cp1252.h"

#include <QString>

#include <string>
#include <string_view>

namespace brelo {

inline QString aQString(std::string_view bytes) {
    QString s;
    s.reserve(qsizetype(bytes.size()));
    for (char b : bytes)
        s.append(QChar(static_cast<char16_t>(Cp1252AUnicode(static_cast<std::uint8_t>(b)))));
    return s;
}

// Text shown in the page box holds only characters that came from a page or passed the key
// filter, so every one has its byte.
inline std::string aBytes(const QString& texto) {
    std::string s;
    s.reserve(std::size_t(texto.size()));
    for (QChar c : texto)
        if (const auto b = UnicodeACp1252(c.unicode(), Indefinidos::Conservar))
            s += static_cast<char>(*b);
    return s;
}

} // namespace brelo
