// The commands of FrmMain that reach the sign or change how: send, write to file, date and
// time, options; and the settings and port steps of the start-up.

#include "link/ajustes.h"
#include "link/frmOpciones.h"
#include "link/puerto.h"
#include "protocol/frmDate.h"
#include "protocol/frmSend.h"
#include "protocol/frmSendTxt.h"
#include "shell/BarraEstado.h"
#include "shell/FrmMain.h"
#include "shell/plataforma.h"
#include "shell/textos.h"

namespace brelo {

void FrmMain::LoadRegSett() {
    ajustes_ = LeerAjustes();
}

void FrmMain::SaveRegSett() {
    GuardarAjustes(ajustes_);
}

void FrmMain::Inicio_COMM() {
    // The box's text is what operators have always seen; the device tried and the reason
    // come as its detail.
    if (const QString error = IniciarPuerto(plataforma_.PuertoCom(), ajustes_); !error.isEmpty()) {
        plataforma_.Aviso(this, QStringLiteral("Puerto Serie"),
                          QString::fromLatin1(texto::Error03) +
                              QStringLiteral("\rEl puerto ya esta en uso o no existe "),
                          QMessageBox::Critical, error);
        return;
    }
    statusBar1_->PonerPanel(1, TextoLinea(ajustes_));
}

void FrmMain::Envio_Click() {
    frmSend dialogo(*this);
    dialogo.exec();
}

void FrmMain::Escribir_Click() {
    frmSendTxt dialogo(*this);
    dialogo.exec();
}

void FrmMain::Command1_Click() {
    frmDate dialogo(*this);
    dialogo.exec();
}

void FrmMain::Opciones_Click() {
    frmOpciones dialogo(ajustes_, this);
    dialogo.exec();
    if (!dialogo.OpcionesOK)
        return;
    SaveRegSett();
    Inicio_COMM();
}

} // namespace brelo
