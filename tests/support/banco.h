#pragma once

// The test bench: the main window on a platform whose answers a test scripts in advance and
// which records what the window asked of it, with a serial line and a clock that never wait,
// in a folder of the test's own.

#include "link/puerto.h"
#include "link/reloj.h"
#include "support/carpeta.h"
#include "support/tabla.h"
#include "ui/editor/CajaMensaje.h"
#include "ui/editor/FraMensaje.h"
#include "ui/window/BarraEstado.h"
#include "ui/window/FrmMain.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>

#include <atomic>
#include <csignal>
#include <memory>
#include <semaphore>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace brelo {

// Settings move to Qt's test location (under each test's own home) and start empty.
inline void AjustesDePrueba() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Brelo2", "Brelo2");
    s.clear(); // on Windows, the registry of the wine prefix the tests run in
    s.sync();
}

#ifndef Q_OS_WIN
// Runs f with every file write cut at that many bytes, as a full disk would cut it.
template <class F> void ConLimiteDeArchivo(rlim_t bytes, F f) {
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the test
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    const rlimit limite{bytes, antes.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limite);
    f();
    setrlimit(RLIMIT_FSIZE, &antes);
}
#endif

// How often a signal of the transfer's thread has come, counted on the test's own thread,
// where the test reads it: a QSignalSpy would be written by the emitting thread meanwhile.
template <class Emisor, class Senal> std::shared_ptr<int> Contar(Emisor* e, Senal s) {
    auto veces = std::make_shared<int>(0);
    QObject::connect(
        e, s, e, [veces] { ++*veces; }, Qt::QueuedConnection);
    return veces;
}

class PuertoGuion final : public Puerto {
public:
    bool abierto = false, abrirFalla = false;
    QString errorApertura = "no existe"; // why a failing Abrir failed
    int fallaEnEscritura = -1;           // 0-based Output call that fails
    QList<qint64> sinConfirmar;          // what the far end has not acknowledged at each look
    QList<int> retener;                  // 0-based Output calls the line holds up
    int vueltas = -1;                    // for that many asks whether to go on; -1, until given up
    std::function<void()> alPreguntar = [] {}; // before each ask, on the transfer's thread
    int llamadas = 0;
    QStringList aperturas; // "device@baud"
    QByteArrayList salidas;

    QByteArray escrito() const { return salidas.join(); }
    bool Confirmar(const std::function<bool(qint64)>& seguir) override {
        for (qint64 pendientes : sinConfirmar) {
            if (!seguir(pendientes))
                return false;
            alPreguntar();
        }
        return true;
    }
    bool PortOpen() const override { return abierto; }
    void Cerrar() override { abierto = false; }
    bool Abrir(const QString& dispositivo, qint32 baudios, QString& error) override {
        aperturas << dispositivo + '@' + QString::number(baudios);
        error = errorApertura;
        return abierto = !abrirFalla;
    }
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override {
        if (retener.contains(llamadas++)) {
            for (int n = 0; n != vueltas; ++n) {
                alPreguntar();
                if (!seguir())
                    return false;
                QThread::yieldCurrentThread();
            }
        }
        const bool bien = abierto && salidas.size() != fallaEnEscritura;
        if (bien)
            salidas << bytes;
        return bien;
    }
};

// The transfer's clock, stopped at each pause until the test lets it go on: the transfer
// thread parks there, so the test looks at the window between two bytes.
class RelojGuion final : public Reloj {
public:
    QList<double> pausas; // ms; read them while the transfer is parked or over

    std::atomic<qint64> porLectura = 0; // ns each reading of the clock moves it on
    std::atomic<bool> libre = false;    // pauses go by without stopping
    std::atomic<int> lecturas = 0;
    qint64 Ahora() override {
        ++lecturas;
        return ahora_ += porLectura;
    }
    // Moves the clock on from the test's thread, as time going by.
    void Avanzar(qint64 ns) { ahora_ += ns; }
    void DormirHasta(qint64 hasta, const std::function<bool()>& despertar) override {
        pausas << double(hasta - ahora_) / 1e6;
        if (libre) {
            ahora_ = std::max<qint64>(ahora_, hasta);
            return;
        }
        parado_.release();
        while (!sigue_.try_acquire_for(std::chrono::milliseconds(1)))
            if (despertar())
                return;
        ahora_ = hasta;
    }
    // Waits for the transfer to park in its next pause, handing the window what it reported
    // on the way; false once acabado() says it is over, or when it seems stuck.
    bool parado(const std::function<bool()>& acabado) {
        for (QDeadlineTimer limite(10000);
             !parado_.try_acquire_for(std::chrono::milliseconds(1));) {
            QCoreApplication::sendPostedEvents();
            if (acabado() || limite.hasExpired())
                return false;
        }
        QCoreApplication::sendPostedEvents();
        return true;
    }
    void soltar() { sigue_.release(); }
    // Ends the current pause and waits for the next one.
    bool seguir(const std::function<bool()>& acabado) {
        soltar();
        return parado(acabado);
    }

private:
    std::atomic<qint64> ahora_ = 0;
    // The standard library's, whose handovers ThreadSanitizer sees (scripts/tsan).
    std::counting_semaphore<> parado_{0}, sigue_{0};
};

class PlataformaGuion final : public Plataforma {
public:
    QList<bool> respuestas;                        // in order; No when none is left
    QList<std::optional<ArchivoElegido>> archivos; // in order; cancel when none is left
    QStringList cajas;                             // "title|text[|detail]" of each box shown
    QStringList dialogos;                          // the filter of each file dialog shown
    DialogoArchivo ultimoDialogo;
    QList<double> esperas;
    QStringList documentos; // the documents it was asked to open
    int beeps = 0;
    PuertoGuion puerto;
    RelojGuion reloj;
    Puerto* linea = nullptr; // a real line and clock in place of the scripted ones
    Reloj* tiempo = nullptr;

    bool Pregunta(QWidget* w, const QString& t, const QString& x, QMessageBox::Icon i) override {
        Aviso(w, t, x, i);
        return !respuestas.isEmpty() && respuestas.takeFirst();
    }
    void Aviso(QWidget*, const QString& t, const QString& x, QMessageBox::Icon,
               const QString& detalle = {}) override {
        cajas << t + '|' + x + (detalle.isEmpty() ? "" : '|' + detalle);
    }
    std::optional<ArchivoElegido> ElegirArchivo(QWidget*, const DialogoArchivo& d) override {
        dialogos << d.filtro;
        ultimoDialogo = d;
        return archivos.isEmpty() ? std::nullopt : archivos.takeFirst();
    }
    std::function<void()> alEsperar;
    void Tiempo(double segundos) override {
        esperas << segundos;
        if (alEsperar)
            alEsperar();
    }
    void Beep() override { ++beeps; }
    QDateTime ahora{QDate(2026, 1, 4), QTime(9, 5, 7)}; // moved on only by the test
    QDateTime Ahora() override { return ahora; }
    bool visorFalla = false; // the viewer starts, then gives up
    bool AbrirDocumento(const QString& ruta, std::function<void()> alFallar) override {
        documentos << ruta;
        return visorFalla && (alFallar(), true);
    }
    Puerto& PuertoCom() override { return linea ? *linea : puerto; }
    Reloj& Pausas() override { return tiempo ? *tiempo : reloj; }
};

// The window, started as main() starts it, on the scripted platform.
struct Banco : Carpeta {
    PlataformaGuion p;
    FrmMain v{p};
    Mensaje& m = v.mensaje();
    FraMensaje& f = *v.fraMensaje();
    QStringList mostrados; // status panel 3 at each wait: every program message, in order

    Banco() {
        p.alEsperar = [this] { mostrados << panel(3); };
    }

    void elegir(const QString& nombre) {
        p.archivos << ArchivoElegido{ruta(nombre), QFileInfo(nombre).fileName()};
    }
    // Writes the file and opens it through Abrir Mensaje.
    void abrir(const QString& nombre, const QByteArray& datos) {
        escribir(nombre, datos);
        elegir(nombre);
        v.Cargar_Click();
    }
    QString panel(int n) const { return v.StatusBar1()->Panel(n); }
};

} // namespace brelo
