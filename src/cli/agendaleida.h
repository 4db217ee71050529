#pragma once

// An agenda file as the agenda orders read it: its entries, where its messages are, and what
// of it is wrong, each error with the file and line.

#include "core/agenda/agenda.h"

#include <QDateTime>
#include <QStringList>

namespace brelo {

struct OpcionesLinea;

struct AgendaLeida {
    Agenda agenda;
    QString carpeta;     // relative message paths start here
    QStringList errores; // "file:line: why"; the file itself when it cannot be read
    QDateTime cambiada;  // of the file when read, to notice the next change
    qint64 tamano = -1;
};

AgendaLeida LeerArchivoAgenda(const QString& ruta);

// The message file of an entry.
QString RutaMensaje(const AgendaLeida& a, const EntradaAgenda& e);

// The ports an entry sends to: its own, or the stored options'.
QStringList PuertosDe(const EntradaAgenda& e, const OpcionesLinea& linea);

// "2026-12-08 08:00:00 ", for the start of each line the service prints.
QString Sello(const QDateTime& ahora);

} // namespace brelo
