#pragma once

// The two-page message of the stream's worked example, as a version 2 file and as the bytes
// the sign receives: HOLA with "LLuvia", pause 5, centred, exit "LLuvia Sale"; then a clock
// page.

#include <QByteArray>

namespace brelo::ejemplo {

inline const QByteArray Archivo = "3,5,2,\"HOLA\",1\r\n12,0,0,\" Hora 00:00:00 \",0\r\n";

inline const QByteArray Trama =
    QByteArray::fromHex("572D4E5439DF91202020202020484F4C41202020202020C5D6C1A0A0A0A0A00101");

} // namespace brelo::ejemplo
