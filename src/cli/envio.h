#pragma once

// brelo-cli's two transfers to the sign, with the window's pacing code.

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

#include <functional>

namespace brelo {

class Reloj;
class Resolutor;

// Prints the program's text and the reason, control characters escaped, on standard error;
// returns the exit status of a failure.
int Fallar(const char* texto, const QString& motivo);

// The four line options, each defaulting to the operator's stored setting. --puerto may
// come once for each sign: they all get the same stream at the same time.
struct OpcionesLinea {
    QStringList puertos;
    QString baud, dy1, dy2;
    bool demoraRechazada = false; // a --dy1 or --dy2 above the longest pause was refused
};

// Reads --puerto, --baud, --dy1 and --dy2 (as "--x VALOR" or "--x=VALOR") out of args;
// returns false on an unknown option, a missing value, or a pause above the longest, which
// it reports.
bool LeerOpcionesLinea(QStringList& args, OpcionesLinea& o);

// What the transfers take from the machine: the clock that paces them, the names of
// adapters, the time of day. Tests hand in their own.
struct Entorno {
    Reloj& pausas;
    Resolutor& resolutor;
    std::function<QDateTime()> ahora;
    // Quiet, for the agenda, which reports in lines of its own: no progress, and each sign's
    // failure kept here instead of printed.
    struct Callado {
        QStringList fallos;   // "text: port: reason"
        QStringList puertos;  // the ports that failed
    };
    Callado* callado = nullptr;
};

// The stream of a message, paced by --dy1 and --dy2 taken as their leading numbers. SIGINT,
// SIGTERM and SIGHUP cancel it: the sign gets the terminator, and the exit status is 128 and
// the signal's number.
int EnviarMensaje(const QByteArray& trama, const OpcionesLinea& o, Entorno& entorno);
int EnviarHora(const OpcionesLinea& o, Entorno& entorno);

} // namespace brelo
