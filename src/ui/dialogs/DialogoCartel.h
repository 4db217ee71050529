#pragma once

// What the three dialogs that talk to the sign share: the Enviar/Crear and Cancelar buttons,
// their own status bar, the flags Ocupado and Cancelado, and the ending that shows the result
// for one second and closes. Cancelar, Escape and the window's close all cancel a running
// transfer; none of them can start a second one.

#include "link/transferencia.h"

#include <QDialog>

#include <optional>

class QBoxLayout;
class QLabel;
class QPushButton;

namespace brelo {

class FrmMain;

class DialogoCartel : public QDialog {
    Q_OBJECT

public:
    QPushButton* cmdOK;
    QPushButton* Command2;
    QLabel* StatusBar1; // the one panel the dialogs use

    bool Ocupado = false;
    bool Cancelado = false;

    void Command2_Click();
    // A transfer started and not yet ended.
    bool Transfiriendo() const { return Ocupado && !terminado_; }

protected:
    DialogoCartel(FrmMain& principal, const QString& titulo, const QString& textoOK);

    // Where the subclass puts its labels, above the buttons.
    QBoxLayout* contenido() const { return contenido_; }
    QLabel* etiqueta(const QString& nombre, const QString& texto);

    // The message's stream, after taking the shown page and checking there is a message with
    // text; nothing after ending the dialog with Error #21 or #22.
    std::optional<QByteArray> TramaDelMensaje();

    // Sends the bytes paced by the two delays (ms), showing Progreso before each byte.
    void Transmitir(const QByteArray& trama, double demora1, double demora2);
    virtual QString TextoProgreso(int porcentaje, int largo) const = 0;

    // Shows the result for one second, then closes.
    void Terminar(const QString& texto);

    void reject() override;
    void closeEvent(QCloseEvent* e) override;

    FrmMain& principal_;

private:
    void alTerminar(Transferencia::Fin fin);

    QBoxLayout* contenido_;
    Transferencia transferencia_;
    bool terminado_ = false;
};

} // namespace brelo
