#include "ui/editor/FraMensaje.h"

#include "core/model/catalogos.h"
#include "core/model/memoria.h"
#include "core/model/mensaje.h"
#include "core/model/reglas.h"
#include "core/model/valor.h"
#include "core/protocol/trama.h"
#include "core/protocol/vista.h"
#include "link/conversion.h"
#include "ui/editor/CajaMensaje.h"
#include "ui/editor/VistaCartel.h"
#include "ui/platform/plataforma.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace brelo {

namespace {

// Courier New where installed; fontconfig gives its metric twin Liberation Mono otherwise.
QFont fuenteFija(int puntos, bool negrita) {
    QFont f;
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(puntos);
    f.setBold(negrita);
    return f;
}

QLineEdit* campoSoloLectura(int ancho) {
    auto* c = new QLineEdit;
    c->setReadOnly(true);
    c->setFocusPolicy(Qt::NoFocus);
    c->setAlignment(Qt::AlignCenter);
    c->setFixedWidth(ancho);
    return c;
}

QToolButton* botonImagen(const QString& nombre, const QString& pista, const QString& icono) {
    auto* b = new QToolButton;
    b->setObjectName(nombre);
    b->setToolTip(pista);
    b->setIcon(QIcon(icono));
    b->setIconSize(QSize(20, 20));
    b->setAutoRaise(false);
    return b;
}

template <std::size_t N>
void llenar(QComboBox* lista, const std::array<std::string_view, N>& catalogo) {
    for (std::string_view titulo : catalogo)
        lista->addItem(QString::fromUtf8(titulo.data(), qsizetype(titulo.size())));
}

} // namespace

FraMensaje::FraMensaje(Mensaje& m, Plataforma& plataforma, QWidget* padre)
    : QWidget(padre), m_(m), plataforma_(plataforma) {
    setObjectName(QStringLiteral("fraMensaje"));
    construir();
    conectar();
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
}

// Page keys for operators who keep their hands on the keyboard, from every control of the
// frame: as shortcuts, the text boxes would keep Ctrl+Home and Ctrl+End for their caret.
bool FraMensaje::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objeto, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    const Qt::KeyboardModifiers mod = k->modifiers() & ~Qt::KeypadModifier;
    using Comando = void (FraMensaje::*)();
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, Comando> teclas[] = {
        {Qt::Key_PageUp, Qt::NoModifier, &FraMensaje::cmdPagUp_Click},
        {Qt::Key_PageDown, Qt::NoModifier, &FraMensaje::cmdPagDwn_Click},
        {Qt::Key_Home, Qt::ControlModifier, &FraMensaje::cmdPagFirst_Click},
        {Qt::Key_End, Qt::ControlModifier, &FraMensaje::cmdPagLast_Click},
    };
    for (const auto& [tecla, modificadores, comando] : teclas) {
        if (k->key() == tecla && mod == modificadores) {
            (this->*comando)();
            return true;
        }
    }
    return false;
}

// ---- moving a page between the arrays and the controls ----

void FraMensaje::TomoActual() {
    const int p = m_.PagAct;
    m_.EfePag[p] = static_cast<std::uint8_t>(cboEfe->currentIndex());
    m_.PausaPag[p] = static_cast<std::uint8_t>(cboPausa->currentIndex());
    m_.AlinPag[p] = optLeft->isChecked() ? 0 : 2;
    m_.EfeOutPag[p] = static_cast<std::uint8_t>(cboEfeOut->currentIndex());
    m_.TextoPag[p] = aBytes(txtMensaje->text());
}

void FraMensaje::RefMensaje() {
    const int p = m_.PagAct;
    // The stored exit effect and pause overwrite what the entry-effect rule forced; then the
    // pause goes back to 0 where the entry effect takes none.
    seleccionar(cboEfe, m_.EfePag[p]);
    seleccionar(cboEfeOut, m_.EfeOutPag[p]);
    seleccionar(cboPausa, m_.PausaPag[p]);
    if (EfectoLlevaPausa(m_.EfePag[p])) {
        cboPausa->setEnabled(true);
    } else {
        cboPausa->setEnabled(false);
        seleccionar(cboPausa, 0);
    }
    elegirAlineacion(m_.AlinPag[p] != 0);
    txtPag->setText(QString::number(m_.PagAct));
    txtDe->setText(QString::number(m_.TotPag));
    ponerTexto(aQString(m_.TextoPag[p]));
    RefMemoria();
}

void FraMensaje::Ini_Frame() {
    m_.vaciarPaginas();
    txtGoto->clear();
    RefMensaje();
    m_.Cambios = false;
}

void FraMensaje::RefMemoria() {
    const FiguraMemoria f = CalcularMemoria(m_);
    txtBytes->setText(QString::fromStdString(f.texto));
    // Only the warning red is the program's own; otherwise the theme's text colour, which
    // stays readable on dark themes too.
    QPalette paleta;
    if (f.rojo)
        paleta.setColor(QPalette::Text, QColor(255, 0, 0));
    txtBytes->setPalette(paleta);
}

void FraMensaje::LlenarCatalogos() {
    llenar(cboEfe, EfectosEntrada);
    llenar(cboEfeOut, EfectosSalida);
    llenar(cboPausa, Pausas);
    for (const CaracterEspecial& c : CaracteresEspeciales)
        cboEsp->addItem(QString::fromUtf8(c.titulo.data(), qsizetype(c.titulo.size())));
    for (QComboBox* lista : {cboEfe, cboEfeOut, cboPausa, cboEsp})
        seleccionar(lista, 0);
}

// ---- page rules ----

void FraMensaje::RefPausa() {
    const ReglaEntrada r = ReglaDeEfecto(static_cast<std::uint8_t>(cboEfe->currentIndex()));
    cboPausa->setEnabled(r.pausaHabilitada);
    cboEfeOut->setEnabled(r.salidaHabilitada);
    if (r.salidaA0)
        seleccionar(cboEfeOut, 0);
    if (r.pausaA0)
        seleccionar(cboPausa, 0);
    if (!r.textoFijo.empty())
        ponerTexto(QString::fromLatin1(r.textoFijo.data(), qsizetype(r.textoFijo.size())));
    txtMensaje->setEnabled(r.textoHabilitado);
}

void FraMensaje::cboEfe_Click() {
    if (m_.Iniciando)
        return;
    RefPausa();
    m_.Cambios = true;
    actualizarVista();
}

void FraMensaje::cboEfeOut_Click() {
    if (!m_.Iniciando)
        m_.Cambios = true;
    actualizarVista();
}

void FraMensaje::cboPausa_Click() {
    if (!m_.Iniciando)
        m_.Cambios = true;
    actualizarVista();
}

void FraMensaje::txtMensaje_Change() {
    m_.Cambios = true;
    actualizarVista();
}

// ---- the preview ----

Pagina FraMensaje::paginaEscrita() const {
    return Pagina{aBytes(txtMensaje->text()), static_cast<std::uint8_t>(cboEfe->currentIndex()),
                  static_cast<std::uint8_t>(cboPausa->currentIndex()),
                  static_cast<std::uint8_t>(optLeft->isChecked() ? 0 : 2),
                  static_cast<std::uint8_t>(cboEfeOut->currentIndex())};
}

// The page's cost and findings, then the whole message's, with this page as typed.
void FraMensaje::actualizarVista() {
    if (!vista || cboEfe->currentIndex() < 0)
        return; // the frame is still being built
    const Pagina p = paginaEscrita();
    vista->Mostrar(p);
    const VistaPagina& v = vista->Vista();
    Mensaje copia = m_;
    copia.ponerPagina(m_.PagAct, p);
    const RevisionMensaje r = RevisarMensaje(copia);
    QStringList partes;
    if (!r.imposible.empty()) // first: nothing else matters until it is mended
        partes << aQString(r.imposible);
    partes << (SeEnvia(p)
                   ? QStringLiteral("Esta pagina ocupa ") + QString::fromStdString(Bytes(v.costo))
                   : QStringLiteral("Esta pagina no se envia: no tiene texto"));
    for (const std::string& h : v.hallazgos)
        partes << aQString(h);
    for (const std::string& h : r.mensaje)
        partes << aQString(h);
    lblVista->setText(partes.join(QStringLiteral(". ")));
    cmdVerMensaje->setText(QStringLiteral("Ver Mensaje"));
}

void FraMensaje::cmdVerMensaje_Click() {
    if (vista->Reproduciendo()) {
        actualizarVista();
        return;
    }
    Mensaje copia = m_;
    copia.ponerPagina(m_.PagAct, paginaEscrita());
    std::vector<Pagina> paginas;
    numerosVistos_.clear();
    for (int i = 1; i <= copia.TotPag; ++i)
        if (SeEnvia(copia.pagina(i))) {
            paginas.push_back(copia.pagina(i));
            numerosVistos_.push_back(i);
        }
    cmdVerMensaje->setText(QStringLiteral("Detener"));
    vista->Reproducir(std::move(paginas));
}

// While Ver Mensaje plays: which page, and the pause the sign is sent for it.
void FraMensaje::vistaEnPagina(int indice, const Pagina& p) {
    const int n = CodigoPausa(p);
    lblVista->setText(
        QStringLiteral("Pagina %1: ").arg(numerosVistos_.at(std::size_t(indice))) +
        (n ? QStringLiteral("pausa C%1 (%1 s)").arg(n) : QStringLiteral("sin pausa")));
}

// ---- navigation ----

void FraMensaje::irA(int pagina, bool enfocar) {
    m_.PagAct = static_cast<std::uint8_t>(pagina);
    RefMensaje();
    if (enfocar)
        EnfocarTexto();
}

void FraMensaje::cmdPagFirst_Click() {
    TomoActual();
    irA(1, false);
}

void FraMensaje::cmdPagLast_Click() {
    TomoActual();
    irA(m_.TotPag, false);
}

void FraMensaje::cmdPagUp_Click() {
    TomoActual();
    irA(std::max(1, m_.PagAct - 1), true);
}

void FraMensaje::cmdPagDwn_Click() {
    TomoActual();
    int pagina = std::min(MaxPag, m_.PagAct + 1);
    if (pagina > m_.TotPag) {
        if (plataforma_.Pregunta(window(), QStringLiteral("Nueva Pagina"),
                                 QStringLiteral("No hay mas Paginas\nDesea Agregar una Nueva?"),
                                 QMessageBox::Information))
            m_.TotPag = static_cast<std::uint8_t>(pagina);
        else
            pagina = m_.TotPag;
    }
    irA(pagina, true);
}

void FraMensaje::cmdGtoPag_Click() {
    TomoActual();
    const double pagina = RedondeoPar(ValorNumerico(aBytes(txtGoto->text())));
    if (pagina >= 1 && pagina <= m_.TotPag)
        irA(static_cast<int>(pagina), true);
}

// ---- insert and delete ----

void FraMensaje::cmdInsertar_Click() {
    if (!abierto() || m_.TotPag >= MaxPag)
        return;
    if (!plataforma_.Pregunta(window(), QStringLiteral("Insertar"),
                              QStringLiteral("Desea Insertar una Pagina ?"),
                              QMessageBox::Information))
        return;
    // The shown page moves up with its edits; they would be lost if only the arrays moved.
    TomoActual();
    for (int i = m_.TotPag; i >= m_.PagAct; --i)
        m_.ponerPagina(i + 1, m_.pagina(i));
    m_.vaciarPagina(m_.PagAct);
    ++m_.TotPag;
    irA(m_.PagAct, true);
}

void FraMensaje::cmdBorro_Click() {
    if (!abierto() || m_.TotPag == 1)
        return;
    if (!plataforma_.Pregunta(window(), QStringLiteral("Borrar"),
                              QStringLiteral("Desea Borrar Pagina ?"), QMessageBox::Critical))
        return;
    for (int i = m_.PagAct; i < m_.TotPag; ++i)
        m_.ponerPagina(i, m_.pagina(i + 1));
    const int pagina = m_.PagAct != 1 ? m_.PagAct - 1 : 1;
    m_.vaciarPagina(m_.TotPag);
    --m_.TotPag;
    irA(pagina, true);
}

// ---- text entry ----

void FraMensaje::cmdIngEsp_Click() {
    const int indice = cboEsp->currentIndex();
    if (indice < 0)
        return;
    const int posicion = txtMensaje->PosicionInsercion();
    QString texto = txtMensaje->text();
    texto.insert(posicion, QChar(char16_t(CaracteresEspeciales[std::size_t(indice)].codigo)));
    ponerTexto(texto);
    if (txtMensaje->isEnabled()) {
        txtMensaje->setFocus();
        txtMensaje->setCursorPosition(posicion + 1);
    }
}

void FraMensaje::optLeft_Click() {
    alinear(0);
    EnfocarTexto();
}

void FraMensaje::optCenter_Click() {
    alinear(2);
    EnfocarTexto();
}

void FraMensaje::alinear(std::uint8_t codigo) {
    if (!isEnabled())
        return;
    m_.AlinPag[m_.PagAct] = codigo;
    txtMensaje->setAlignment(codigo == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
    m_.Cambios = true;
    actualizarVista();
}

void FraMensaje::EnfocarTexto() {
    if (abierto() && txtMensaje->isEnabled())
        txtMensaje->setFocus();
}

// ---- program-side setters ----

void FraMensaje::seleccionar(QComboBox* lista, int indice) {
    {
        const QSignalBlocker bloqueo(lista);
        lista->setCurrentIndex(indice);
    }
    if (lista == cboEfe)
        cboEfe_Click();
    else if (lista == cboEfeOut)
        cboEfeOut_Click();
    else if (lista == cboPausa)
        cboPausa_Click();
}

void FraMensaje::ponerTexto(const QString& texto) {
    {
        const QSignalBlocker bloqueo(txtMensaje);
        txtMensaje->setText(texto);
    }
    txtMensaje_Change();
}

// Showing a page selects its option, which stores the same alignment back; the focus stays
// where the command that showed the page leaves it.
void FraMensaje::elegirAlineacion(bool centrado) {
    {
        const QSignalBlocker a(optLeft);
        const QSignalBlocker b(optCenter);
        (centrado ? optCenter : optLeft)->setChecked(true);
    }
    txtMensaje->setAlignment(centrado ? Qt::AlignHCenter : Qt::AlignLeft);
    alinear(centrado ? 2 : 0);
}

bool FraMensaje::abierto() const {
    return !isHidden();
}

// ---- building the frame ----

void FraMensaje::construir() {
    auto* columnas = new QGridLayout(this);
    columnas->setContentsMargins(0, 0, 0, 0);
    columnas->addWidget(grupoMensaje(), 0, 0, 1, 2);
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(grupoEntrada());
    izquierda->addWidget(grupoSalida());
    izquierda->addWidget(grupoEspeciales());
    izquierda->addStretch();
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(grupoUbicacion());
    derecha->addWidget(grupoEdicion());
    derecha->addWidget(grupoMemoria());
    derecha->addStretch();
    columnas->addLayout(izquierda, 1, 0);
    columnas->addLayout(derecha, 1, 1);
    columnas->addWidget(grupoVista(), 2, 0, 1, 2);
    columnas->setColumnStretch(0, 1);
}

QWidget* FraMensaje::grupoMensaje() {
    auto* g = new QGroupBox(QStringLiteral("Mensaje"));
    txtMensaje = new CajaMensaje;
    txtMensaje->setObjectName(QStringLiteral("txtMensaje"));
    txtMensaje->setFont(fuenteFija(15, true));
    auto* l = new QVBoxLayout(g);
    l->addWidget(txtMensaje);
    return g;
}

QWidget* FraMensaje::grupoEntrada() {
    auto* g = new QGroupBox(QStringLiteral("Efecto de Entrada"));
    cboEfe = new QComboBox;
    cboEfe->setObjectName(QStringLiteral("cboEfe"));
    cboEfe->setFont(fuenteFija(9, false));
    cboPausa = new QComboBox;
    cboPausa->setObjectName(QStringLiteral("cboPausa"));
    optLeft = new QRadioButton(QStringLiteral("Alinear Izquierda"));
    optLeft->setObjectName(QStringLiteral("optLeft"));
    optCenter = new QRadioButton(QStringLiteral("Centrado"));
    optCenter->setObjectName(QStringLiteral("optCenter"));
    auto* l = new QGridLayout(g);
    l->addWidget(new QLabel(QStringLiteral("Efecto ")), 0, 0);
    l->addWidget(cboEfe, 0, 1, 1, 2);
    l->addWidget(new QLabel(QStringLiteral("Pausa Despues")), 1, 0);
    l->addWidget(cboPausa, 1, 1);
    l->addWidget(new QLabel(QStringLiteral("Alineacion")), 2, 0);
    l->addWidget(optLeft, 2, 1);
    l->addWidget(optCenter, 2, 2);
    l->setColumnStretch(2, 1);
    return g;
}

QWidget* FraMensaje::grupoSalida() {
    auto* g = new QGroupBox(QStringLiteral("Efecto de Salida"));
    cboEfeOut = new QComboBox;
    cboEfeOut->setObjectName(QStringLiteral("cboEfeOut"));
    cboEfeOut->setFont(fuenteFija(9, false));
    auto* l = new QGridLayout(g);
    l->addWidget(new QLabel(QStringLiteral("Efecto ")), 0, 0);
    l->addWidget(cboEfeOut, 0, 1);
    l->setColumnStretch(2, 1);
    return g;
}

QWidget* FraMensaje::grupoUbicacion() {
    auto* g = new QGroupBox(QStringLiteral("Ubicacion Linea"));
    txtPag = campoSoloLectura(40);
    txtPag->setObjectName(QStringLiteral("txtPag"));
    txtDe = campoSoloLectura(40);
    txtDe->setObjectName(QStringLiteral("txtDe"));
    auto* l = new QHBoxLayout(g);
    l->addWidget(txtPag);
    l->addWidget(new QLabel(QStringLiteral("de")));
    l->addWidget(txtDe);
    l->addStretch();
    return g;
}

QWidget* FraMensaje::grupoEdicion() {
    auto* g = new QGroupBox(QStringLiteral("Edicion"));
    cmdPagFirst = botonImagen(QStringLiteral("cmdPagFirst"), QStringLiteral("Primera Pagina"),
                              QStringLiteral(":/iconos/primera.svg"));
    cmdPagUp = botonImagen(QStringLiteral("cmdPagUp"), QStringLiteral("Pagina Anterior"),
                           QStringLiteral(":/iconos/anterior.svg"));
    cmdPagDwn = botonImagen(QStringLiteral("cmdPagDwn"), QStringLiteral("Proxima Pagina"),
                            QStringLiteral(":/iconos/proxima.svg"));
    cmdPagLast = botonImagen(QStringLiteral("cmdPagLast"), QStringLiteral("Ultima Pagina"),
                             QStringLiteral(":/iconos/ultima.svg"));
    cmdGtoPag = botonImagen(QStringLiteral("cmdGtoPag"), QStringLiteral("Ir a Pagina"),
                            QStringLiteral(":/iconos/ir.svg"));
    cmdInsertar = botonImagen(QStringLiteral("cmdInsertar"), QStringLiteral("Insertar Pagina"),
                              QStringLiteral(":/iconos/insertar.svg"));
    cmdBorro = botonImagen(QStringLiteral("cmdBorro"), QStringLiteral("Borrar Pagina Actual"),
                           QStringLiteral(":/iconos/borrar.svg"));
    txtGoto = new QLineEdit;
    txtGoto->setObjectName(QStringLiteral("txtGoto"));
    txtGoto->setFixedWidth(48);
    auto* l = new QGridLayout(g);
    int columna = 0;
    for (QToolButton* b : {cmdPagFirst, cmdPagUp, cmdPagDwn, cmdPagLast})
        l->addWidget(b, 0, columna++);
    l->addWidget(cmdInsertar, 0, 5);
    l->addWidget(cmdBorro, 0, 6);
    l->addWidget(new QLabel(QStringLiteral("Nro Pagina")), 1, 0, 1, 3);
    l->addWidget(txtGoto, 1, 3, 1, 2);
    l->addWidget(cmdGtoPag, 1, 5);
    l->setColumnMinimumWidth(4, 8);
    l->setColumnStretch(7, 1);
    return g;
}

QWidget* FraMensaje::grupoMemoria() {
    auto* g = new QGroupBox(QStringLiteral("Memoria Restante"));
    txtBytes = campoSoloLectura(64);
    txtBytes->setObjectName(QStringLiteral("txtBytes"));
    txtBytes->setText(QStringLiteral("8192"));
    auto* l = new QHBoxLayout(g);
    l->addWidget(txtBytes);
    l->addWidget(new QLabel(QStringLiteral("Bytes")));
    l->addStretch();
    return g;
}

QWidget* FraMensaje::grupoEspeciales() {
    auto* g = new QGroupBox(QStringLiteral("Caracteres Especiales"));
    cboEsp = new QComboBox;
    cboEsp->setObjectName(QStringLiteral("cboEsp"));
    cmdIngEsp =
        botonImagen(QStringLiteral("cmdIngEsp"), QStringLiteral("Insertar Caracter en Texto"),
                    QStringLiteral(":/iconos/caracter.svg"));
    auto* l = new QHBoxLayout(g);
    l->addWidget(cboEsp);
    l->addWidget(cmdIngEsp);
    l->addStretch();
    return g;
}

QWidget* FraMensaje::grupoVista() {
    auto* g = new QGroupBox(QStringLiteral("Vista del Cartel"));
    vista = new VistaCartel(plataforma_);
    lblVista = new QLabel;
    lblVista->setObjectName(QStringLiteral("lblVista"));
    lblVista->setWordWrap(true);
    cmdVerMensaje = new QPushButton(QStringLiteral("Ver Mensaje"));
    cmdVerMensaje->setObjectName(QStringLiteral("cmdVerMensaje"));
    auto* l = new QGridLayout(g);
    l->addWidget(vista, 0, 0, 1, 2);
    l->addWidget(lblVista, 1, 0);
    l->addWidget(cmdVerMensaje, 1, 1, Qt::AlignTop);
    l->setColumnStretch(0, 1);
    return g;
}

void FraMensaje::conectar() {
    connect(cmdVerMensaje, &QPushButton::clicked, this, &FraMensaje::cmdVerMensaje_Click);
    connect(vista, &VistaCartel::FinReproduccion, this, &FraMensaje::actualizarVista);
    connect(vista, &VistaCartel::EnPagina, this, &FraMensaje::vistaEnPagina);
    connect(cboEfe, &QComboBox::activated, this, &FraMensaje::cboEfe_Click);
    connect(cboEfeOut, &QComboBox::activated, this, &FraMensaje::cboEfeOut_Click);
    connect(cboPausa, &QComboBox::activated, this, &FraMensaje::cboPausa_Click);
    connect(txtMensaje, &QLineEdit::textChanged, this, &FraMensaje::txtMensaje_Change);
    connect(optLeft, &QRadioButton::clicked, this, &FraMensaje::optLeft_Click);
    connect(optCenter, &QRadioButton::clicked, this, &FraMensaje::optCenter_Click);
    connect(cmdPagFirst, &QToolButton::clicked, this, &FraMensaje::cmdPagFirst_Click);
    connect(cmdPagUp, &QToolButton::clicked, this, &FraMensaje::cmdPagUp_Click);
    connect(cmdPagDwn, &QToolButton::clicked, this, &FraMensaje::cmdPagDwn_Click);
    connect(cmdPagLast, &QToolButton::clicked, this, &FraMensaje::cmdPagLast_Click);
    connect(cmdGtoPag, &QToolButton::clicked, this, &FraMensaje::cmdGtoPag_Click);
    connect(txtGoto, &QLineEdit::returnPressed, this, &FraMensaje::cmdGtoPag_Click);
    connect(cmdInsertar, &QToolButton::clicked, this, &FraMensaje::cmdInsertar_Click);
    connect(cmdBorro, &QToolButton::clicked, this, &FraMensaje::cmdBorro_Click);
    connect(cmdIngEsp, &QToolButton::clicked, this, &FraMensaje::cmdIngEsp_Click);
}

} // namespace brelo
