#pragma once

// brelo-cli's virtual sign, and how it and "leer" print what a stream holds.
//
//   line or TCP sender --bytes--> CartelVirtual --each stream, once its 01 01 is in-->
//       LeerTrama --> ImprimirLectura, the gaps between reads, --guardar's numbered file

#include "core/protocol/lectura.h"

#include <QString>

#include <array>
#include <ostream>
#include <utility>
#include <vector>

namespace brelo {

// The gaps between the reads of one stream, in ms, from each read's time (ns) and how many
// bytes had come before it, the stream starting at byte desde (what came before it, noise or a
// sender that died, is no part of it): [0] those that follow one of its first five bytes (the
// sender's --dy1), [1] the others (--dy2); each sorted, empty when there are none.
std::array<std::vector<double>, 2>
PausasDeLlegadas(const std::vector<std::pair<qint64, qsizetype>>& llegadas, qsizetype desde = 0);

// Each message's pages as the sign shows them (effect, pause and exit names, the text), each
// clock command, and every byte not understood with its offset.
void ImprimirLectura(const LecturaTrama& l, std::ostream& salida);

struct OpcionesCartel {
    QString escuchar;        // a serial device (or a port number), or tcp://HOST:PORT (port 0: any)
    QString carpeta;         // where each stream received is kept, when not empty
    double dy1 = 0, dy2 = 0; // the pauses the sender is meant to keep, ms
};

// Receives as a sign would until SIGTERM or Ctrl-C (then 0), never writing a byte to the line;
// 2 when the device or the port cannot be had. What it listens on, a TCP address with the port
// it got, is printed once it is ready, before the first sender is taken.
int EscucharCartel(const OpcionesCartel& o);

} // namespace brelo
