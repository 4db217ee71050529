#pragma once

// Everything the window needs from the platform that a test cannot drive for real: message
// boxes, file dialogs, the wait, the beep, the clock and starting another program. main()
// hands the window the real one; tests hand it a scripted one.

#include <QDateTime>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace brelo {

class Puerto;
class Reloj;

struct DialogoArchivo {
    enum Modo { Abrir, Guardar };
    Modo modo = Abrir;
    QString filtro; // "Etiqueta(*.ext)|*.ext|..." as the file commands state it
    int indiceFiltro = 1;
    QString carpeta; // where it opens; empty: where the last one was left
    QString nombreInicial;
    bool confirmarSobrescribir = false;
    bool confirmarCrear = false;
    QString sufijo; // added to a name typed without an extension, before any question
};

struct ArchivoElegido {
    QString ruta;   // full path
    QString nombre; // bare file name
};

class Plataforma {
public:
    virtual ~Plataforma() = default;

    // A Yes/No question with Yes as the default; true for Yes.
    virtual bool Pregunta(QWidget* padre, const QString& titulo, const QString& texto,
                          QMessageBox::Icon icono) = 0;
    // A message with an OK button; the detail, when there is one, is shown on request.
    virtual void Aviso(QWidget* padre, const QString& titulo, const QString& texto,
                       QMessageBox::Icon icono, const QString& detalle = {}) = 0;
    // Nothing when the operator cancels.
    virtual std::optional<ArchivoElegido> ElegirArchivo(QWidget* padre,
                                                        const DialogoArchivo& d) = 0;
    // Holds the caller for that many seconds while the windows keep repainting. The
    // operator's input waits until the caller is done, so no command starts in the middle
    // of another one.
    virtual void Tiempo(double segundos) = 0;
    virtual void Beep() = 0;
    virtual QDateTime Ahora() = 0;
    // Opens a document with the desktop's viewer, without waiting for it; false when there is
    // none. A viewer that gives up within 5 s (xdg-open finding no browser) has alFallar called
    // on the window's thread; one still running then counts as shown.
    virtual bool AbrirDocumento(const QString& ruta, std::function<void()> alFallar) = 0;
    // The serial line to the sign, and the clock that paces its bytes.
    virtual Puerto& PuertoCom() = 0;
    virtual Reloj& Pausas() = 0;
};

// Whether a file dialog may close on ruta. A save refuses a version 1 name, and a No to
// creating a new file keeps the dialog open, as the platform's own dialogs do.
bool NombreAceptable(Plataforma& p, QWidget* dialogo, const DialogoArchivo& d, const QString& ruta);

// Milliseconds of a wait given in seconds: rounded, a half going to the even neighbour.
int MilisegundosDe(double segundos);

} // namespace brelo
