#pragma once

// The signals that ask a program to stop (Ctrl-C, a scheduler or systemd stopping the job, a
// terminal or a session closing), caught while a Parada lives so that a transfer under way can
// end as Cancelar ends it: the sign gets the terminator first. The signal itself sets every
// cancel flag handed to Avisar, so a transfer sees it at its next byte, as it sees Cancelar.

#include <atomic>

namespace brelo {

class Parada {
public:
    Parada();
    ~Parada();
    Parada(const Parada&) = delete;
    Parada& operator=(const Parada&) = delete;

    // The first stopping signal caught, 0 before any; a later one changes nothing, so it
    // cannot cut the terminator short. Safe to ask from any thread.
    static int Senal();
    // The exit status of a program that signal stopped, as a shell reports it.
    static int Estado();

    // The flag is set true by a stopping signal from now on, until Olvidar (one that came
    // before is the caller's to look at); at most MaxAvisos at a time. Safe from any thread.
    static void Avisar(std::atomic<bool>* bandera);
    static void Olvidar(std::atomic<bool>* bandera);
    static constexpr int MaxAvisos = 64;
};

// For the platform files: sets every flag handed to Avisar. Safe in a signal handler.
void AvisarParada();

// Standard output and error as brelo-cli needs them: bytes leave as they are (a stream holds
// line feeds; lines end as on Linux, so scripts read the same output on both), and texts,
// written in UTF-8, are shown as such by the console.
void PrepararConsola();

} // namespace brelo
