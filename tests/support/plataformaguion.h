#pragma once

// A platform whose answers a test scripts in advance and which records what the window
// asked of it. It never waits: Tiempo only records the seconds.

#include "link/espera.h"
#include "link/puerto.h"
#include "shell/plataforma.h"

#include <QList>
#include <QPointer>

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

class PlataformaGuion final : public Plataforma {
public:
    struct Caja {
        QString titulo;
        QString texto;
        QMessageBox::Icon icono;
        bool pregunta;
    };

    QList<bool> respuestas;                        // consumed in order; No when none left
    QList<std::optional<ArchivoElegido>> archivos; // consumed in order; cancel when none
    QList<Caja> cajas;
    QList<DialogoArchivo> dialogos;
    QList<double> esperas;
    int beeps = 0;
    QDateTime ahora = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    QList<QStringList> programas; // program followed by its arguments
    bool programaArranca = false;
    QStringList documentos;
    bool documentoAbre = false;

    bool Pregunta(QWidget*, const QString& titulo, const QString& texto,
                  QMessageBox::Icon icono) override {
        cajas.append({titulo, texto, icono, true});
        return !respuestas.isEmpty() && respuestas.takeFirst();
    }
    void Aviso(QWidget*, const QString& titulo, const QString& texto,
               QMessageBox::Icon icono) override {
        cajas.append({titulo, texto, icono, false});
    }
    std::optional<ArchivoElegido> ElegirArchivo(QWidget*, const DialogoArchivo& d) override {
        dialogos.append(d);
        return archivos.isEmpty() ? std::nullopt : archivos.takeFirst();
    }
    void Tiempo(double segundos) override { esperas.append(segundos); }
    void Beep() override { ++beeps; }
    QDateTime Ahora() override { return ahora; }
    bool IniciarPrograma(const QString& programa, const QStringList& argumentos) override {
        programas.append(QStringList{programa} + argumentos);
        return programaArranca;
    }
    bool AbrirDocumento(const QString& ruta) override {
        documentos.append(ruta);
        return documentoAbre;
    }
    Puerto& PuertoCom() override { return puertoReal ? *puertoReal : puerto; }
    Espera& Pausas() override { return esperaReal ? *esperaReal : espera; }

    PuertoGuion puerto;
    EsperaGuion espera;
    Puerto* puertoReal = nullptr; // set to drive a real serial device
    Espera* esperaReal = nullptr;
};

} // namespace brelo
