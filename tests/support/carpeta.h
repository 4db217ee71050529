#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace brelo {

// A folder of the test's own, and the files in it.
struct Carpeta {
    QTemporaryDir dir;

    QString ruta(const QString& nombre) const { return dir.filePath(nombre); }
    void escribir(const QString& nombre, const QByteArray& datos) const {
        QFile a(ruta(nombre));
        QVERIFY(a.open(QIODevice::WriteOnly) && a.write(datos) == datos.size());
    }
    QByteArray leer(const QString& nombre) const {
        QFile a(ruta(nombre));
        return a.open(QIODevice::ReadOnly) ? a.readAll() : "<no existe>";
    }
};

} // namespace brelo
