#pragma once

// Tests never touch the operator's own settings: the store moves to Qt's test location and
// starts empty.

#include <QSettings>
#include <QStandardPaths>

namespace brelo {

inline void AjustesDePrueba() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brelo2"),
              QStringLiteral("Brelo2"))
        .clear();
}

} // namespace brelo
