#pragma once

// frmSendTxt: writes the stream the sign would receive into "Salida.txt" instead.

#include "ui/dialogs/DialogoCartel.h"

namespace brelo {

class frmSendTxt : public DialogoCartel {
    Q_OBJECT

public:
    explicit frmSendTxt(FrmMain& principal);

    void cmdOK_Click();

    // Beside the message file last chosen in a file dialog, or in the working folder.
    QString RutaSalida() const;
    // Where Salida.txt was written; empty when it was not.
    QString Escrito() const { return escrito_; }

protected:
    QString TextoProgreso(int, int) const override { return {}; }

private:
    QString escrito_;
};

} // namespace brelo
