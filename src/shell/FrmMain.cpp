#include "shell/FrmMain.h"

#include "editor/FraMensaje.h"
#include "shell/BarraEstado.h"
#include "shell/plataforma.h"
#include "shell/textos.h"
#include "version.h"

#include <QCoreApplication>

// The pictures live in a static library, whose resources the linker would otherwise drop.
static void iniciarRecursos() {
    Q_INIT_RESOURCE(recursos);
}

namespace brelo {

FrmMain::FrmMain(Plataforma& plataforma, QWidget* padre)
    : QMainWindow(padre), plataforma_(plataforma) {
    iniciarRecursos();
    setObjectName(QStringLiteral("FrmMain"));
    fraMensaje_ = new FraMensaje(mensaje_, plataforma_);
    statusBar1_ = new BarraEstado(plataforma_, this);
    setStatusBar(statusBar1_);
    CrearComandos();
    Form_Load();
}

void FrmMain::Form_Load() {
    mensaje_.Iniciando = 255;
    mensaje_.NomArchivo.clear();
    MostrarFrame(false);
    for (int panel : {3, 2, 1})
        statusBar1_->PonerPanel(panel, QString());
    InicioVar();
    LoadRegSett();
    Inicio_COMM();
    setWindowTitle(QStringLiteral("Norvane - Brelo ") + VerApp);
    fraMensaje_->Ini_Frame();
    mensaje_.Iniciando = 0;
}

void FrmMain::InicioVar() {
    PathApp = QCoreApplication::applicationDirPath();
    VerApp = QString::fromStdString(brelo::VerApp(VersionMayor, VersionRevision));
    fraMensaje_->LlenarCatalogos();
    statusBar1_->PonerPanel(2, QString::fromLatin1(texto::SinNombre));
}

void FrmMain::MostrarFrame(bool visible) {
    fraMensaje_->setEnabled(visible);
    fraMensaje_->setVisible(visible);
}

void FrmMain::TypeMsg(std::uint8_t tipo, const QString& men) {
    statusBar1_->TypeMsg(tipo, men);
}

void FrmMain::TypeErr(const QString& menerr) {
    statusBar1_->TypeErr(menerr);
}

void FrmMain::BorrMsg() {
    statusBar1_->BorrMsg();
}

void FrmMain::Tiempo(double pausa) {
    plataforma_.Tiempo(pausa);
}

} // namespace brelo
