#pragma once

// FrmMain, the main window. It owns the one message for the whole run and hands it by
// reference to the editing frame and the dialogs.
//
//   menus, picture buttons --> commands (ui/window) --> FraMensaje (ui/editor)
//                                 |            |                        |
//                                 |            v                        v
//                                 |   dialogs (ui/dialogs): frmSend,  Mensaje (core/model)
//                                 |   frmDate, frmSendTxt, frmOpciones      ^
//                                 v            |                        |
//                       StatusBar1     link: port, pacing  <--  core: files, protocol

#include "core/model/mensaje.h"
#include "link/ajustes.h"
#include "link/parada.h"
#include "ui/platform/plataforma.h"

#include <QMainWindow>

#include <cstdint>
#include <optional>

class QAction;
class QHBoxLayout;
class QMenu;

namespace brelo {

class BarraEstado;
class FraMensaje;

class FrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmMain(Plataforma& plataforma, QWidget* padre = nullptr);
    ~FrmMain() override;

    Mensaje& mensaje() { return mensaje_; }
    FraMensaje* fraMensaje() const { return fraMensaje_; }
    BarraEstado* StatusBar1() const { return statusBar1_; }
    Plataforma& plataforma() { return plataforma_; }
    Ajustes& ajustes() { return ajustes_; }

    QString PathApp;
    QString VerApp;

    // Status line.
    void TypeMsg(std::uint8_t tipo, const QString& men);
    void TypeErr(const QString& menerr);
    void BorrMsg();
    void Tiempo(double pausa);

    // File commands; each menu item and its picture button run the same one.
    void Nuevo_Click();
    void Cargar_Click();
    void cerrar_Click();
    void Importar_Click();
    void save_Click();
    void Grabar_Click();
    void salir_Click();

    // False when the message was not saved: the dialog was cancelled or the write failed.
    bool Grabar_Mensaje();

    // A file given from outside (the command line, the file manager, a drop on the window):
    // a .txt is imported, anything else opened, through the commands' own questions and
    // reports, as if it had been chosen in their file dialog.
    void AbrirDeFuera(const QString& ruta);

    // A message the last session ended on unsaved is offered back, once.
    void OfrecerRecuperacion();

    // The sign and the settings.
    void Envio_Click();
    void Escribir_Click();
    void Command1_Click();
    void Opciones_Click();
    // The agenda file, edited; the service sends by it.
    void Agenda_Click();
    void LoadRegSett();
    void SaveRegSett();
    void Inicio_COMM();
    // Before each transfer: a line that is not ready is started again as at start-up, the
    // Error #03 box included when it cannot be; whether the transfer may start (an
    // adapter's check may still be under way: the transfer waits for it).
    bool PuertoListo();
    // The device or adapter the port setting names, as the operator reads it.
    QString DispositivoActual() const;
    QString CarpetaSalida() const;

    // Help and About.
    void cmdHelp_Click();
    void About_Click();

    // The answer to the last yes/no question: 6 Yes, 7 No.
    std::int16_t Resp = 0;

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void Ejecutar(void (FrmMain::*comando)());
    // The open message's file before the program's name, marked while it has changes.
    void ActualizarTitulo();
    void ponerVistaAlFinal();
    void Form_Load();
    void CrearComandos();
    void CrearMenus();
    void CrearEdicion(QMenu* menu);
    void CrearVer(QMenu* menu);
    QHBoxLayout* CrearBotones();
    bool PreguntarGrabar(bool comoNuevo);
    void GuardarRecuperacion();
    void CargarMensaje();
    void FallaCarga();
    // False when the stream holds no message: nothing was opened.
    bool AbrirTrama(const QString& ruta, const std::string& datos);
    void MostrarPaginas(const std::vector<Pagina>& paginas);
    void MensajeVacioSinNombre();
    std::optional<ArchivoElegido> ElegirArchivo(DialogoArchivo d);
    bool MensajeAbierto() const;
    void InicioVar();
    void MostrarFrame(bool visible);
    void PuertoComprobado(const QString& error);
    void Parar();
    void AvisoPuerto(const QString& error);

    Plataforma& plataforma_;
    Mensaje mensaje_;
    Ajustes ajustes_;
    QString ultimoNombre_; // the one file dialog of the window keeps the last name chosen
    QString carpetaBuena_; // of the message last read or written
    std::optional<ArchivoElegido> elegidoDeFuera_; // answers the next file dialog
    bool saliendo_ = false;
    bool recuperacionEscrita_ = false; // by this run, so its clean exit removes it
    Parada parada_;
    FraMensaje* fraMensaje_;
    BarraEstado* statusBar1_;
    QList<QAction*> accionesPagina_; // of Edicion: they work on the open message only
};

} // namespace brelo
