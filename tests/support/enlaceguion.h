#pragma once

// Scripted stand-ins for the serial line and the pause between bytes.

#include "link/espera.h"
#include "link/puerto.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QStringList>

#include <functional>

namespace brelo {

// Records every Output; can refuse to open or fail the nth write.
class PuertoGuion final : public Puerto {
public:
    bool abierto = false;
    bool abrirFalla = false;
    int fallaEnEscritura = -1; // 0-based Output call that fails; -1: none
    QStringList aperturas;     // "device@baud"
    QList<QByteArray> salidas;

    QByteArray escrito() const {
        QByteArray b;
        for (const QByteArray& s : salidas)
            b += s;
        return b;
    }

    bool PortOpen() const override { return abierto; }
    void Cerrar() override { abierto = false; }
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override {
        aperturas << QStringLiteral("%1@%2").arg(dispositivo).arg(baudios);
        abierto = !abrirFalla;
        if (abrirFalla)
            error = QStringLiteral("no existe");
        return abierto;
    }
    bool Output(const QByteArray& bytes) override {
        if (!abierto || salidas.size() == fallaEnEscritura)
            return false;
        salidas.append(bytes);
        return true;
    }
};

// Keeps each pause's continuation until the test says go on: transfers advance one byte per
// seguir(), with no real time passing.
class EsperaGuion final : public Espera {
public:
    QList<double> pausas; // ms, as requested

    void Luego(double ms, QObject* contexto, std::function<void()> luego) override {
        pausas.append(ms);
        pendientes_.append({contexto, std::move(luego)});
    }
    bool seguir() {
        while (!pendientes_.isEmpty()) {
            auto p = pendientes_.takeFirst();
            if (p.first) {
                p.second();
                return true;
            }
        }
        return false;
    }
    void seguirTodo() {
        while (seguir()) {
        }
    }
    bool pendiente() const { return !pendientes_.isEmpty(); }

private:
    QList<QPair<QPointer<QObject>, std::function<void()>>> pendientes_;
};

} // namespace brelo
