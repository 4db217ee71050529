#pragma once

// Opening a document with the desktop's viewer: how it is started and how a failure is seen
// differ between the platforms.

#include <QString>

#include <functional>

namespace brelo {

// False when no viewer could be started. Where the viewer is a program of its own (xdg-open),
// visor names it and one that gives up within 5 s has alFallar called on the window's thread;
// where the system opens the document itself, visor is not used and a failure is seen at once.
bool AbrirConVisor(const QString& visor, const QString& ruta, std::function<void()> alFallar);

} // namespace brelo
