#pragma once

// The agenda file as brelo-cli and the window read it: its entries, where their messages are,
// what of it is wrong (each error with the file and line), and what each entry would meet when
// its time comes (a message that does not load or that the sign shows otherwise, a port that
// names none).

#include "core/agenda/agenda.h"

#include <QDateTime>
#include <QStringList>

namespace brelo {

struct AgendaLeida {
    Agenda agenda;
    QString carpeta;     // relative message paths start here
    QStringList errores; // "file:line: why"; the file itself when it cannot be read
    QDateTime cambiada;  // of the file when read, to notice the next change
    qint64 tamano = -1;
};

AgendaLeida LeerArchivoAgenda(const QString& ruta);

// The bytes of an agenda file as UTF-8: as Windows' editors may have saved them, UTF-16 with
// its mark or Windows-1252, too.
std::string AgendaEnUtf8(const std::string& datos);

// The message file of an entry.
QString RutaMensaje(const AgendaLeida& a, const EntradaAgenda& e);

// The ports an entry sends to: its own, or those of the stored options; a sign named twice
// once.
QStringList PuertosDe(const EntradaAgenda& e, const QStringList& porOmision);

// The signs the agenda drives, each by the first name it is given, in the order they come.
QStringList Carteles(const Agenda& a, const QStringList& porOmision);

// The entries that count for one sign: each sign follows its own week.
Aplica DelCartel(const QString& puerto, const QStringList& porOmision);

// Every finding, "Linea N: ...", in the order of the entries.
QStringList RevisarEntradas(const AgendaLeida& a, const QStringList& porOmision);

// Where the agenda is unless the operator chose another file: agenda.txt beside the settings.
QString AgendaPorOmision();

} // namespace brelo
