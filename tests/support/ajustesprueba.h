#pragma once

// Tests never touch the operator's own settings: the store moves to Qt's test location (under
// a home folder of each test's own, see CMakeLists.txt) and starts empty.

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace brelo {

inline void AjustesDePrueba() {
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brelo2"),
                            QStringLiteral("Brelo2"))
                      .fileName());
}

} // namespace brelo
