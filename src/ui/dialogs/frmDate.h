#pragma once

// frmDate: sets the sign's clock to the PC's date and time as read when the dialog opened.

#include "core/protocol/fechahora.h"
#include "ui/dialogs/DialogoCartel.h"

namespace brelo {

class frmDate : public DialogoCartel {
    Q_OBJECT

public:
    explicit frmDate(FrmMain& principal);

    void cmdOK_Click();

    QLabel* Label4;
    double Demora1 = 0; // ms
    double Demora2 = 0; // ms

protected:
    QString TextoProgreso(int porcentaje, int largo) const override;

private:
    CamposFecha campos_;
};

} // namespace brelo
