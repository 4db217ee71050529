#pragma once

// fraMensaje, the editing frame of the main window: one page of the message at a time.
//
//   arrays of Mensaje --RefMensaje--> controls --TomoActual--> arrays of Mensaje
//
// Between the two the operator's edits live only in the controls. Every selection or text
// the program sets runs the same handler as the operator's would (Cambios is set by every
// page display, and the entry-effect rule runs when a page is shown), whether or not Qt
// would signal a value set to what it already was.

#include "ui/editor/CajaMensaje.h"

#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace brelo {

class Historia;
class LineaElidida;
class ListaPaginas;
class Plataforma;
class VistaCartel;
struct Instantanea;
struct Mensaje;
struct Pagina;

class FraMensaje : public QWidget {
    Q_OBJECT

public:
    FraMensaje(Mensaje& m, Plataforma& plataforma, QWidget* padre = nullptr);

    void TomoActual();
    void RefMensaje();
    void Ini_Frame();
    void RefPausa();
    void RefMemoria();

    void LlenarCatalogos();

    // Gives the page box the focus when it can take it.
    void EnfocarTexto();

    // The undo history of the open message: every change the operator makes to it is a step.
    Historia* historia() const { return historia_; }
    // A new history for a message just made, opened or closed.
    void EmpezarHistoria();
    // A step named paso, from the pages as last recorded to the pages as they are now, the
    // shown one as typed; paginaAntes is the page that was shown when the operator began it.
    void Registrar(const QString& paso, int paginaAntes);

    // The commands, as the buttons run them.
    void cmdPagFirst_Click();
    void cmdPagUp_Click();
    void cmdPagDwn_Click();
    void cmdPagLast_Click();
    void cmdGtoPag_Click();
    void cmdInsertar_Click();
    void cmdBorro_Click();
    void cmdIngEsp_Click();
    // The list of pages: the shown page up or down, or from one place to another (1-based),
    // and a copy of it after it.
    void cmdSubir_Click();
    void cmdBajar_Click();
    void cmdDuplicar_Click();
    void MoverPagina(int desde, int hasta);
    void optLeft_Click();
    void optCenter_Click();

    // The controls, for the window and for tests.
    CajaMensaje* txtMensaje;
    QComboBox* cboEfe;
    QComboBox* cboPausa;
    QComboBox* cboEfeOut;
    QComboBox* cboEsp;
    QRadioButton* optLeft;
    QRadioButton* optCenter;
    QLineEdit* txtPag;
    QLineEdit* txtDe;
    QLineEdit* txtGoto;
    QLineEdit* txtBytes;
    QToolButton* cmdPagFirst;
    QToolButton* cmdPagUp;
    QToolButton* cmdPagDwn;
    QToolButton* cmdPagLast;
    QToolButton* cmdGtoPag;
    QToolButton* cmdInsertar;
    QToolButton* cmdBorro;
    QToolButton* cmdIngEsp;
    // The preview: it follows the page as typed and never changes the message.
    VistaCartel* vista = nullptr;
    LineaElidida* lblVista;
    QPushButton* cmdVerMensaje;
    ListaPaginas* lstPaginas;
    QWidget* grpPaginas; // the list and its buttons, which the Ver menu shows or hides
    QToolButton* cmdSubir;
    QToolButton* cmdBajar;
    QToolButton* cmdDuplicar;

Q_SIGNALS:
    // A short note for the status line, such as a character the page box wrote as another.
    void Nota(const QString& texto);
    // The shown page or one of its controls changed, by the operator or by the program.
    void Mostrado();

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void cboEfe_Click();
    void cboEfeOut_Click();
    void cboPausa_Click();
    void txtMensaje_Change();

    // The operator's own changes, each recorded as a step after the design's handler ran.
    void cboEfe_Activated();
    void cboEfeOut_Activated();
    void cboPausa_Activated();
    void txtMensaje_Edited();
    void txtMensaje_Filtrada(const CajaMensaje::Filtrado& f);
    void lstPaginas_Elegida(int pagina);
    void refrescarLista();
    void registrarEn(const QString& paso);
    std::vector<Pagina> paginasEscritas() const;
    void restaurar(const Instantanea& estado);
    void alinear(std::uint8_t codigo);
    Pagina paginaEscrita() const;
    void actualizarVista();
    void cmdVerMensaje_Click();
    void vistaEnPagina(int indice, const Pagina& p);

    // Program-side setters that raise the handler even when the value does not change.
    void seleccionar(QComboBox* lista, int indice);
    void ponerTexto(const QString& texto);
    void elegirAlineacion(bool centrado);

    bool abierto() const; // the frame is shown: a message is open
    void irA(int pagina, bool enfocar);
    static QString Lleno();
    void construir();
    QWidget* grupoMensaje();
    QWidget* grupoEntrada();
    QWidget* grupoSalida();
    QWidget* grupoUbicacion();
    QWidget* grupoEdicion();
    QWidget* grupoMemoria();
    QWidget* grupoEspeciales();
    QWidget* grupoVista();
    QWidget* grupoPaginas();
    void conectar();

    Mensaje& m_;
    Plataforma& plataforma_;
    Historia* historia_;
    // The shown page's own text while a special effect shows its fixed one: it comes back
    // when a text effect is chosen again, until another page is shown.
    std::optional<QString> textoPropio_;
    std::vector<int> numerosVistos_; // the page numbers Ver Mensaje shows, in order
    QString especialesDichos_;       // refused characters the status line has pointed to
};

} // namespace brelo
