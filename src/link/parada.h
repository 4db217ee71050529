#pragma once

// The signals that ask a program to stop (Ctrl-C, a scheduler or systemd stopping the job, a
// terminal or a session closing), caught while a Parada lives so that a transfer under way can
// end as Cancelar ends it: the sign gets the terminator first.

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
};

// Standard output and error as brelo-cli needs them: bytes leave as they are (a stream holds
// line feeds; lines end as on Linux, so scripts read the same output on both), and texts,
// written in UTF-8, are shown as such by the console.
void PrepararConsola();

} // namespace brelo
