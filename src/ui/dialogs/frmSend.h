#pragma once

// frmSend: sends the whole message to the sign, paced, with progress and Cancelar.

#include "ui/dialogs/DialogoCartel.h"

namespace brelo {

class frmSend : public DialogoCartel {
    Q_OBJECT

public:
    explicit frmSend(FrmMain& principal);

    void cmdOK_Click();

    double Demora1 = 0; // ms
    double Demora2 = 0; // ms

protected:
    QString TextoProgreso(int porcentaje, int largo) const override;
};

} // namespace brelo
