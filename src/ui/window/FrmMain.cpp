#include "ui/window/FrmMain.h"

#include "core/textos.h"
#include "core/version.h"
#include "link/puerto.h"
#include "ui/dialogs/DialogoCartel.h"
#include "ui/dialogs/frmAcerca.h"
#include "ui/editor/FraMensaje.h"
#include "ui/editor/VistaCartel.h"
#include "ui/platform/ayuda.h"
#include "ui/platform/plataforma.h"
#include "ui/window/BarraEstado.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

// The pictures live in a static library, whose resources the linker would otherwise drop.
static void iniciarRecursos() {
    Q_INIT_RESOURCE(recursos);
}

namespace brelo {

FrmMain::FrmMain(Plataforma& plataforma, QWidget* padre)
    : QMainWindow(padre), plataforma_(plataforma) {
    iniciarRecursos();
    setObjectName(QStringLiteral("FrmMain"));
    setWindowIcon(QIcon(QStringLiteral(":/iconos/brelo.svg")));
    fraMensaje_ = new FraMensaje(mensaje_, plataforma_);
    statusBar1_ = new BarraEstado(plataforma_, this);
    setStatusBar(statusBar1_);
    CrearComandos();
    ponerVistaAlFinal();
    setAcceptDrops(true);
    Form_Load();
    connect(fraMensaje_, &FraMensaje::Nota, statusBar1_, &BarraEstado::Nota);
    connect(fraMensaje_, &FraMensaje::Mostrado, this, &FrmMain::ActualizarTitulo);
#if QT_CONFIG(sessionmanager)
    // The desktop session ending (Windows' logoff and shutdown, an X11 session manager).
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { GuardarRecuperacion(); });
#endif
    auto* vigia = new QTimer(this);
    connect(vigia, &QTimer::timeout, this, [this] {
        if (Parada::Senal())
            Parar();
    });
    vigia->start(100);
}

// A logout, or a scheduler stopping the program: a transfer under way is cancelled first, and
// the program ends once the sign has its terminator.
void FrmMain::Parar() {
    for (DialogoCartel* d : findChildren<DialogoCartel*>())
        if (d->Transfiriendo()) {
            d->Command2_Click();
            return; // asked again at the next look, once the transfer has ended
        }
    GuardarRecuperacion();
    saliendo_ = true;
    close();
    QCoreApplication::quit();
}

FrmMain::~FrmMain() {
    plataforma_.PuertoCom().AlComprobar({}); // an adapter's check may end after the window
}

// The preview came after the window's design: its button follows every control of the
// design in the tab order, so the operator's Tab path through them is unchanged.
void FrmMain::ponerVistaAlFinal() {
    QWidget* boton = fraMensaje_->cmdVerMensaje;
    QWidget* ultimo = nullptr;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (w != boton && (w->focusPolicy() & Qt::TabFocus))
            ultimo = w;
    if (ultimo)
        QWidget::setTabOrder(ultimo, boton);
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
    fraMensaje_->Ini_Frame();
    mensaje_.Iniciando = 0;
    ActualizarTitulo();
}

void FrmMain::ActualizarTitulo() {
    const QString programa = QStringLiteral("Norvane - Brelo ") + VerApp;
    setWindowTitle(MensajeAbierto() ? statusBar1_->Panel(2) + QStringLiteral("[*] - ") + programa
                                    : programa);
    setWindowModified(MensajeAbierto() && mensaje_.Cambios);
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
    for (QAction* a : std::as_const(accionesPagina_))
        a->setEnabled(visible);
    if (!visible) // a closed message stops Ver Mensaje and leaves the panel dark
        fraMensaje_->vista->Apagar();
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

void FrmMain::About_Click() {
    frmAcerca dialogo(VerApp, this);
    dialogo.exec();
}

// The main window goes on at once; it does not wait for the viewer.
void FrmMain::cmdHelp_Click() {
    // Without a viewer, or with one that finds no browser, the operator can still open the
    // guide by hand, if told where it is: each time.
    const QPointer<FrmMain> ventana(this);
    const auto sinAyuda = [ventana](const QString& guia) {
        if (ventana)
            ventana->plataforma_.Aviso(
                ventana, QStringLiteral("Ayuda"),
                QStringLiteral("No se pudo abrir la ayuda del programa.") +
                    (guia.isEmpty() ? QString()
                                    : QStringLiteral("\nLa guia del operador esta en ") + guia),
                QMessageBox::Information);
    };
    QString guia;
    for (const QString& documento : DocumentosAyuda(PathApp)) {
        if (!QFileInfo::exists(documento))
            continue;
        guia = QDir::toNativeSeparators(QFileInfo(documento).absoluteFilePath());
        if (plataforma_.AbrirDocumento(documento, [sinAyuda, guia] { sinAyuda(guia); }))
            return;
    }
    sinAyuda(guia);
}

} // namespace brelo
