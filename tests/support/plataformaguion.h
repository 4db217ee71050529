#pragma once

// A platform whose answers a test scripts in advance and which records what the window
// asked of it. It never waits: Tiempo only records the seconds.

#include "shell/plataforma.h"
#include "support/enlaceguion.h"

namespace brelo {

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
