#pragma once

// What every table-driven test shares: its rows, bytes written in hex, and the worked example
// of a message and its stream.

#include <QByteArray>
#include <QTest>

namespace brelo {

// The rows of a data-driven test, one per case of the table, named by its first member.
template <class Caso, std::size_t N> void Filas(const Caso (&casos)[N]) {
    QTest::addColumn<Caso>("caso");
    for (const Caso& c : casos)
        QTest::newRow(c.nombre) << c;
}

// Bytes written as hex groups, "20*3" for a repeated group: "90 6162 20*14 C1".
inline QByteArray Hex(const char* texto) {
    QByteArray r;
    for (const QByteArray& g : QByteArray(texto).split(' ')) {
        const auto partes = g.split('*');
        r += QByteArray::fromHex(partes[0]).repeated(partes.size() > 1 ? partes[1].toInt() : 1);
    }
    return r;
}

// The stream's worked example: HOLA with "LLuvia", pause 5, centred, exit "LLuvia Sale";
// then a clock page.
inline const QByteArray ArchivoEjemplo = "3,5,2,\"HOLA\",1\r\n12,0,0,\" Hora 00:00:00 \",0\r\n";
inline const QByteArray TramaEjemplo = Hex("572D4E5439DF 91 20*6 484F4C41 20*6 C5 D6C1 A0*5 0101");

} // namespace brelo
