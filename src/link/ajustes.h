#pragma once

// The five operator settings, kept per user under the application name "Brelo2". Texts are
// kept exactly as typed ("05" stays "05"); they are turned into numbers where they are used.

#include <QString>

namespace brelo {

struct Ajustes {
    QString Puerto = QStringLiteral("2");
    QString Baud = QStringLiteral("9600");
    bool RTS = false; // shown and kept only: the port always runs with RTS and DTR off
    QString DY1 = QStringLiteral("200"); // pause after each of the first five bytes, ms
    QString DY2 = QStringLiteral("05");  // pause after every later byte, ms
};

// A missing entry takes its default. A stored RTS text is "True" or "False", or a number
// (true when not zero); anything else reads as false.
Ajustes LeerAjustes();

// Writes all five entries, changed or not.
void GuardarAjustes(const Ajustes& a);

// Whether the window shows its list of pages, as the operator last left it (shown at first).
// Kept beside the five, in a section of its own.
bool LeerListaVisible();
void GuardarListaVisible(bool visible);

// The agenda file the window edits: the one last chosen, else agenda.txt beside the settings,
// which is the one the agenda service runs.
QString LeerRutaAgenda();
void GuardarRutaAgenda(const QString& ruta);

} // namespace brelo
