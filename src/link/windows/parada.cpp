#include "link/parada.h"

#include "link/windows/consola.h"

#include <atomic>
#include <cstdio>

#include <csignal>
#include <fcntl.h>
#include <io.h>

namespace brelo {

namespace {

constexpr int Colgada = 1;             // the console's window closed, as a terminal's hang-up
constexpr DWORD EsperaCierreMs = 4500; // of the 5 s the system allows after a close

std::atomic<int> senal = 0;
int vivas = 0; // Paradas alive: the agenda keeps one while each of its sends has its own
HANDLE terminada = CreateEventW(nullptr, TRUE, FALSE, nullptr);

} // namespace

BOOL WINAPI AlControlConsola(DWORD tipo) {
    int s = SIGTERM;
    if (tipo == CTRL_C_EVENT)
        s = SIGINT;
    else if (tipo == CTRL_BREAK_EVENT)
        s = SIGBREAK;
    else if (tipo == CTRL_CLOSE_EVENT)
        s = Colgada;
    int ninguna = 0;
    senal.compare_exchange_strong(ninguna, s);
    AvisarParada();
    if (tipo != CTRL_C_EVENT && tipo != CTRL_BREAK_EVENT)
        WaitForSingleObject(terminada, EsperaCierreMs);
    return TRUE;
}

Parada::Parada() {
    if (vivas++)
        return; // the outer one caught, and keeps, whatever came before
    senal = 0;
    ResetEvent(terminada);
    SetConsoleCtrlHandler(AlControlConsola, TRUE);
}

Parada::~Parada() {
    if (--vivas)
        return;
    SetEvent(terminada);
    SetConsoleCtrlHandler(AlControlConsola, FALSE);
}

int Parada::Senal() {
    return senal;
}

int Parada::Estado() {
    return 128 + (senal ? int(senal) : SIGINT);
}

// The console decodes each write on its own: an unbuffered stream writing a letter's two
// UTF-8 bytes apart shows two wrong signs. Buffered, each write the program flushes (std::cerr
// flushes after every <<) reaches the console whole.
void PrepararConsola() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 14);
    std::setvbuf(stderr, nullptr, _IOFBF, 1 << 14);
    SetConsoleOutputCP(CP_UTF8);
}

} // namespace brelo
