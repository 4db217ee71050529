#include "link/parada.h"

#include <csignal>

namespace brelo {

namespace {

constexpr int Paradas[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t senal = 0;
int vivas = 0; // Paradas alive: the agenda keeps one while each of its sends has its own

void alParar(int s) {
    if (!senal)
        senal = s;
    AvisarParada();
}

} // namespace

Parada::Parada() {
    if (vivas++)
        return; // the outer one caught, and keeps, whatever came before
    senal = 0;
    for (int s : Paradas)
        std::signal(s, alParar);
    // Output to a reader that has gone (a closed terminal, a dead pipe) fails quietly
    // instead of ending the program before the terminator.
    std::signal(SIGPIPE, SIG_IGN);
}

Parada::~Parada() {
    if (--vivas)
        return;
    for (int s : Paradas)
        std::signal(s, SIG_DFL);
}

int Parada::Senal() {
    return senal;
}

int Parada::Estado() {
    return 128 + (senal ? int(senal) : SIGINT);
}

void PrepararConsola() {}

} // namespace brelo
