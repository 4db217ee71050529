// The commands of FrmMain that reach the sign or change how: send, write to file, date and
// time, options; and the settings and port steps of the start-up.

#include "core/textos.h"
#include "link/ajustes.h"
#include "link/puerto.h"
#include "ui/agenda/frmAgenda.h"
#include "ui/dialogs/frmDate.h"
#include "ui/dialogs/frmOpciones.h"
#include "ui/dialogs/frmSend.h"
#include "ui/dialogs/frmSendTxt.h"
#include "ui/platform/plataforma.h"
#include "ui/window/BarraEstado.h"
#include "ui/window/FrmMain.h"

namespace brelo {

void FrmMain::LoadRegSett() {
    ajustes_ = LeerAjustes();
}

void FrmMain::SaveRegSett() {
    GuardarAjustes(ajustes_);
}

// An adapter is checked on a thread of its own, so the window never waits for a name server
// or a silent adapter: its result comes back here through PuertoComprobado.
void FrmMain::Inicio_COMM() {
    Puerto& puerto = plataforma_.PuertoCom();
    puerto.AlComprobar([this](const QString& error) {
        QMetaObject::invokeMethod(
            this, [this, error] { PuertoComprobado(error); }, Qt::QueuedConnection);
    });
    if (const QString error = IniciarPuerto(puerto, ajustes_); !error.isEmpty())
        AvisoPuerto(error);
    else if (!puerto.ComprobacionAparte())
        statusBar1_->PonerPanel(1, TextoLinea(ajustes_));
}

void FrmMain::PuertoComprobado(const QString& error) {
    if (error.isEmpty())
        statusBar1_->PonerPanel(1, TextoLinea(ajustes_));
    else
        AvisoPuerto(DispositivoActual() + QStringLiteral(": ") + error);
}

// The box's text is what operators have always seen, but for a port that opened and could
// not be set up, which is neither in use nor missing; the device tried and the reason come as
// its detail.
void FrmMain::AvisoPuerto(const QString& error) {
    const bool configurar = error.contains(QLatin1String("no se pudo configurar el puerto"));
    plataforma_.Aviso(this, QStringLiteral("Puerto Serie"),
                      QString::fromLatin1(texto::Error03) +
                          (configurar ? QStringLiteral("\rNo se pudo configurar el puerto ")
                                      : QStringLiteral("\rEl puerto ya esta en uso o no existe ")),
                      QMessageBox::Critical, error);
}

bool FrmMain::PuertoListo() {
    if (!plataforma_.PuertoCom().Lista())
        Inicio_COMM();
    return plataforma_.PuertoCom().Lista();
}

QString FrmMain::DispositivoActual() const {
    const QString dispositivo = DispositivoDe(ajustes_.Puerto);
    return dispositivo.isEmpty() ? ajustes_.Puerto : dispositivo;
}

void FrmMain::Envio_Click() {
    frmSend dialogo(*this);
    dialogo.exec();
}

void FrmMain::Escribir_Click() {
    frmSendTxt dialogo(*this);
    dialogo.exec();
    if (!dialogo.Escrito().isEmpty()) // the path stays, to be found or copied
        statusBar1_->Fijar(QString::fromLatin1(texto::SalidaOk) + QStringLiteral(" ") +
                           dialogo.Escrito());
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

void FrmMain::Agenda_Click() {
    frmAgenda dialogo(plataforma_, this);
    dialogo.exec();
}

} // namespace brelo
