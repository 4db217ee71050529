// The one place that wires the menu bar and the row of picture buttons to the commands of
// FrmMain: a menu item and its button always run the same procedure.

#include "ui/editor/FraMensaje.h"
#include "ui/editor/Historia.h"
#include "ui/window/FrmMain.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QShortcutEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>
#include <span>

namespace brelo {

namespace {

using Comando = void (FrmMain::*)();

struct ItemMenu {
    const char* nombre; // nullptr: a separator
    const char* titulo;
    Comando accion;
    // The key every desktop gets, then the desktop's own standard ones for the same command.
    QKeyCombination tecla = {};
    QKeySequence::StandardKey estandar = QKeySequence::UnknownKey;
};

struct Boton {
    const char* nombre;
    const char* pista;
    const char* icono;
    Comando accion;
    int espacioAntes; // pixels; -1 for the wide gap that pushes the rest to the right
};

// Each letter after & is the only one of its menu.
const ItemMenu MenuArchivo[] = {
    {"Nuevo", "&Nuevo Mensaje", &FrmMain::Nuevo_Click, Qt::CTRL | Qt::Key_N, QKeySequence::New},
    {"Cargar", "&Abrir Mensaje ...", &FrmMain::Cargar_Click, Qt::CTRL | Qt::Key_O,
     QKeySequence::Open},
    {"cerrar", "&Cerrar Mensaje Actual", &FrmMain::cerrar_Click, Qt::CTRL | Qt::Key_W,
     QKeySequence::Close},
    {nullptr, nullptr, nullptr},
    {"Importar", "&Importar Archivo de Texto", &FrmMain::Importar_Click},
    {nullptr, nullptr, nullptr},
    {"save", "&Grabar Mensaje", &FrmMain::save_Click, Qt::CTRL | Qt::Key_S, QKeySequence::Save},
    {"Grabar", "Grabar Mensaje c&omo ...", &FrmMain::Grabar_Click, Qt::CTRL | Qt::SHIFT | Qt::Key_S,
     QKeySequence::SaveAs},
    {nullptr, nullptr, nullptr},
    {"Envio", "&Enviar Mensaje al Cartel", &FrmMain::Envio_Click},
    {"Escribir", "Escri&bir Mensaje en Archivo", &FrmMain::Escribir_Click},
    {nullptr, nullptr, nullptr},
    {"salir", "&Salir", &FrmMain::salir_Click, Qt::CTRL | Qt::Key_Q, QKeySequence::Quit},
};

const ItemMenu MenuOpciones[] = {
    {"Opciones", "&Puerto de Comunicacion", &FrmMain::Opciones_Click},
};

const ItemMenu MenuAgenda[] = {
    {"Agenda", "&Mensajes por Dia y Hora ...", &FrmMain::Agenda_Click},
};

// The help item runs the same help as its button; the trailing blanks are part of the captions.
const ItemMenu MenuAyuda[] = {
    {"Help", "&Contenido           ", &FrmMain::cmdHelp_Click, Qt::Key_F1,
     QKeySequence::HelpContents},
    {nullptr, nullptr, nullptr},
    {"About", "&Acerca de ", &FrmMain::About_Click},
};

struct Menu {
    const char* nombre;
    const char* titulo;
    const ItemMenu* items;
    std::size_t cuantos;
};

// Edicion holds the message's Deshacer and Rehacer, which its history makes, and the page
// list's commands; Ver, whether the list is shown.
const Menu Menus[] = {
    {"Archivo", "&Archivo", MenuArchivo, std::size(MenuArchivo)},
    {"Edicion", "&Edicion", nullptr, 0},
    {"Ver", "&Ver", nullptr, 0},
    {"MenuOpciones", "&Opciones", MenuOpciones, std::size(MenuOpciones)},
    {"MenuAgenda", "A&genda", MenuAgenda, std::size(MenuAgenda)},
    {"Ayuda", "&Ayuda", MenuAyuda, std::size(MenuAyuda)},
};

constexpr int Grupo = 20;
// Wide enough for the button row's groups to stand apart, as operators know it; the list of
// pages, when shown, takes its own width beside the editor's.
constexpr int AnchoMinimo = 720;
constexpr int AnchoMinimoConLista = 960;

const Boton Botones[] = {
    {"cmdNew", "Nuevo Mensaje", "nuevo", &FrmMain::Nuevo_Click, 0},
    {"cmdOpen", "Abrir Mensaje", "abrir", &FrmMain::Cargar_Click, 0},
    {"cmdSave", "Grabar Mensaje", "grabar", &FrmMain::save_Click, 0},
    {"cmdSaveAs", "Grabar Mensaje Como", "grabarcomo", &FrmMain::Grabar_Click, 0},
    {"cmdClose", "Cerrar Mensaje", "cerrar", &FrmMain::cerrar_Click, 0},
    {"cmdImport", "Importar texto", "importar", &FrmMain::Importar_Click, Grupo},
    {"cmdOptions", "Opciones", "opciones", &FrmMain::Opciones_Click, 0},
    {"cmdTx", "Enviar Mensaje al Cartel", "enviar", &FrmMain::Envio_Click, 0},
    {"Command2", "Enviar Mensaje a un Archivo", "archivo", &FrmMain::Escribir_Click, Grupo},
    {"Command1", "Enviar Hora y Fecha", "hora", &FrmMain::Command1_Click, Grupo},
    {"cmdAbout", "Acerca de", "acerca", &FrmMain::About_Click, -1},
    {"cmdHelp", "Ayuda", "ayuda", &FrmMain::cmdHelp_Click, 0},
    {"cmdExit", "Salir del Programa", "salir", &FrmMain::salir_Click, Grupo},
};

// "&Archivo" and "&Ayuda" share the letter A, and Qt would open them in turn. The operator's
// Alt+A means Archivo; Ayuda stays under the arrow keys and the mouse, its A underlined.
class AltAbreArchivo final : public QObject {
public:
    AltAbreArchivo(QMenuBar* barra, QMenu* archivo)
        : QObject(barra), barra_(barra), archivo_(archivo) {}

    bool eventFilter(QObject* objeto, QEvent* e) override {
        if (e->type() == QEvent::Shortcut &&
            static_cast<QShortcutEvent*>(e)->key() == QKeySequence(Qt::ALT | Qt::Key_A)) {
            barra_->setActiveAction(archivo_->menuAction());
            return true;
        }
        return QObject::eventFilter(objeto, e);
    }

private:
    QMenuBar* barra_;
    QMenu* archivo_;
};

QList<QKeySequence> teclas(const ItemMenu& item) {
    QList<QKeySequence> l;
    if (item.tecla.key() != Qt::Key_unknown)
        l << QKeySequence(item.tecla);
    for (const QKeySequence& k : QKeySequence::keyBindings(item.estandar))
        if (!l.contains(k))
            l << k;
    return l;
}

QFrame* linea() {
    auto* l = new QFrame;
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

} // namespace

// A command from a menu, a key or a button; the title then shows what it left open.
void FrmMain::Ejecutar(void (FrmMain::*comando)()) {
    (this->*comando)();
    ActualizarTitulo();
}

void FrmMain::CrearComandos() {
    CrearMenus();
    auto* centro = new QWidget(this);
    auto* columna = new QVBoxLayout(centro);
    columna->addWidget(linea());
    columna->addLayout(CrearBotones());
    columna->addWidget(linea());
    columna->addWidget(fraMensaje_);
    columna->addStretch();
    setCentralWidget(centro); // its minimum width is the Ver menu's, with or without the list
}

void FrmMain::CrearMenus() {
    for (const Menu& m : Menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(m.titulo));
        if (&m == &Menus[0])
            menuBar()->installEventFilter(new AltAbreArchivo(menuBar(), menu));
        menu->setObjectName(QString::fromLatin1(m.nombre));
        if (!m.items && &m == &Menus[1])
            CrearEdicion(menu);
        else if (!m.items)
            CrearVer(menu);
        for (const ItemMenu& item : std::span(m.items, m.cuantos)) {
            if (!item.nombre) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(QString::fromLatin1(item.titulo));
            a->setObjectName(QString::fromLatin1(item.nombre));
            a->setShortcuts(teclas(item));
            connect(a, &QAction::triggered, this, [this, c = item.accion] { Ejecutar(c); });
        }
    }
}

// Captions name the step: "Deshacer Borrar Pagina 3". Both common keys redo.
void FrmMain::CrearEdicion(QMenu* menu) {
    Historia* historia = fraMensaje_->historia();
    QAction* deshacer = historia->createUndoAction(menu, QStringLiteral("&Deshacer"));
    deshacer->setObjectName(QStringLiteral("Deshacer"));
    deshacer->setShortcut(QKeySequence::Undo);
    QAction* rehacer = historia->createRedoAction(menu, QStringLiteral("&Rehacer"));
    rehacer->setObjectName(QStringLiteral("Rehacer"));
    rehacer->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    menu->addActions({deshacer, rehacer});
    menu->addSeparator();
    const auto pagina = [this, menu](const char* nombre, const char* titulo, QKeyCombination tecla,
                                     void (FraMensaje::*orden)()) {
        QAction* a = menu->addAction(QLatin1String(titulo));
        a->setObjectName(QLatin1String(nombre));
        a->setShortcut(tecla);
        connect(a, &QAction::triggered, fraMensaje_, orden);
        accionesPagina_ << a;
    };
    pagina("SubirPagina", "&Subir Pagina", Qt::ALT | Qt::Key_Up, &FraMensaje::cmdSubir_Click);
    pagina("BajarPagina", "&Bajar Pagina", Qt::ALT | Qt::Key_Down, &FraMensaje::cmdBajar_Click);
    pagina("DuplicarPagina", "D&uplicar Pagina", Qt::CTRL | Qt::Key_D,
           &FraMensaje::cmdDuplicar_Click);
}

// As the operator last left it.
void FrmMain::CrearVer(QMenu* menu) {
    QAction* lista = menu->addAction(QStringLiteral("&Lista de Paginas"));
    lista->setObjectName(QStringLiteral("VerLista"));
    lista->setCheckable(true);
    const auto mostrar = [this](bool visible) {
        fraMensaje_->grpPaginas->setVisible(visible);
        setMinimumWidth(visible ? AnchoMinimoConLista : AnchoMinimo);
    };
    lista->setChecked(LeerListaVisible());
    mostrar(lista->isChecked());
    connect(lista, &QAction::toggled, this, [mostrar](bool visible) {
        mostrar(visible);
        GuardarListaVisible(visible);
    });
}

QHBoxLayout* FrmMain::CrearBotones() {
    auto* fila = new QHBoxLayout;
    fila->setSpacing(0);
    for (const Boton& b : Botones) {
        if (b.espacioAntes < 0)
            fila->addStretch();
        else
            fila->addSpacing(b.espacioAntes);
        auto* boton = new QToolButton;
        boton->setObjectName(QString::fromLatin1(b.nombre));
        boton->setToolTip(QString::fromLatin1(b.pista));
        boton->setIcon(QIcon(QStringLiteral(":/iconos/%1.svg").arg(QLatin1String(b.icono))));
        boton->setIconSize(QSize(22, 22));
        boton->setAutoRaise(true);
        connect(boton, &QToolButton::clicked, this, [this, c = b.accion] { Ejecutar(c); });
        fila->addWidget(boton);
    }
    return fila;
}

} // namespace brelo
