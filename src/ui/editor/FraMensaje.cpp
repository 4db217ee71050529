#include "ui/editor/FraMensaje.h"

#include "core/model/catalogos.h"
#include "core/model/memoria.h"
#include "core/model/mensaje.h"
#include "core/model/reglas.h"
#include "core/model/valor.h"
#include "link/conversion.h"
#include "ui/editor/CajaMensaje.h"
#include "ui/editor/Historia.h"
#include "ui/platform/plataforma.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

// The page view and navigation, insert and delete, and the setters the program uses; the
// page rules and the preview are in FraMensajeReglas.cpp, text entry in FraMensajeTexto.cpp,
// the controls themselves in FraMensajeControles.cpp.

namespace brelo {

namespace {

template <std::size_t N>
void llenar(QComboBox* lista, const std::array<std::string_view, N>& catalogo) {
    for (std::string_view titulo : catalogo)
        lista->addItem(QString::fromUtf8(titulo.data(), qsizetype(titulo.size())));
}

} // namespace

FraMensaje::FraMensaje(Mensaje& m, Plataforma& plataforma, QWidget* padre)
    : QWidget(padre), m_(m), plataforma_(plataforma),
      historia_(new Historia([this](const Instantanea& e) { restaurar(e); }, this)) {
    setObjectName(QStringLiteral("fraMensaje"));
    construir();
    txtMensaje->UsarHistoria(historia_);
    conectar();
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
}

// Page keys for operators who keep their hands on the keyboard, from every control of the
// frame: as shortcuts, the text boxes would keep Ctrl+Home and Ctrl+End for their caret.
// Undo and redo are the message's, whichever control has the focus: no text box keeps them
// for a history of its own.
bool FraMensaje::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        const auto* k = static_cast<QKeyEvent*>(e);
        return k->matches(QKeySequence::Undo) || k->matches(QKeySequence::Redo) ||
               k->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
               k->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
    }
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
    textoPropio_.reset();
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
    textoPropio_.reset(); // the text the rule set aside was the page shown before
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

// ---- navigation ----

// Said where a command cannot add a page.
QString FraMensaje::Lleno() {
    return QStringLiteral("El mensaje ya tiene %1 paginas, las que caben").arg(MaxPag);
}

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
    if (m_.PagAct == MaxPag)
        Q_EMIT Nota(Lleno());
    int pagina = std::min(MaxPag, m_.PagAct + 1);
    if (pagina > m_.TotPag) {
        if (plataforma_.Pregunta(window(), QStringLiteral("Nueva Pagina"),
                                 QStringLiteral("No hay mas Paginas\nDesea Agregar una Nueva?"),
                                 QMessageBox::Information))
            m_.TotPag = static_cast<std::uint8_t>(pagina);
        else
            pagina = m_.TotPag;
    }
    const int antes = m_.PagAct;
    irA(pagina, true);
    Registrar(QStringLiteral("Agregar Pagina %1").arg(pagina), antes);
}

void FraMensaje::cmdGtoPag_Click() {
    TomoActual();
    const double pagina = RedondeoPar(ValorNumerico(aBytes(txtGoto->text())));
    if (pagina >= 1 && pagina <= m_.TotPag) {
        irA(static_cast<int>(pagina), true);
        return;
    }
    // The shown page stays; the operator is told why.
    const QString escrito = txtGoto->text().trimmed();
    bool numero = false;
    escrito.toDouble(&numero);
    if (escrito.isEmpty())
        Q_EMIT Nota(QStringLiteral("Escriba en Nro Pagina el numero de la pagina"));
    else if (!numero)
        Q_EMIT Nota(QStringLiteral("\"%1\" no es un numero de pagina").arg(escrito));
    else
        Q_EMIT Nota(QStringLiteral("La pagina %1 no existe: el mensaje tiene %2")
                        .arg(escrito)
                        .arg(m_.TotPag));
}

// ---- insert and delete ----

void FraMensaje::cmdInsertar_Click() {
    if (!abierto())
        return;
    if (m_.TotPag >= MaxPag) {
        Q_EMIT Nota(Lleno());
        return;
    }
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
    Registrar(QStringLiteral("Insertar Pagina %1").arg(m_.PagAct), m_.PagAct);
}

void FraMensaje::cmdBorro_Click() {
    if (!abierto() || m_.TotPag == 1)
        return;
    if (!plataforma_.Pregunta(window(), QStringLiteral("Borrar"),
                              QStringLiteral("Desea Borrar Pagina ?"), QMessageBox::Critical))
        return;
    const int borrada = m_.PagAct;
    for (int i = m_.PagAct; i < m_.TotPag; ++i)
        m_.ponerPagina(i, m_.pagina(i + 1));
    const int pagina = m_.PagAct != 1 ? m_.PagAct - 1 : 1;
    m_.vaciarPagina(m_.TotPag);
    --m_.TotPag;
    irA(pagina, true);
    Registrar(QStringLiteral("Borrar Pagina %1").arg(borrada), borrada);
}

// ---- undo and redo ----

std::vector<Pagina> FraMensaje::paginasEscritas() const {
    std::vector<Pagina> paginas;
    for (int i = 1; i <= m_.TotPag; ++i)
        paginas.push_back(i == m_.PagAct ? paginaEscrita() : m_.pagina(i));
    return paginas;
}

void FraMensaje::EmpezarHistoria() {
    historia_->Empezar(paginasEscritas());
}

void FraMensaje::Registrar(const QString& paso, int paginaAntes) {
    historia_->Registrar(paso, paginasEscritas(), paginaAntes, m_.PagAct);
}

// A step of the page shown: named after it.
void FraMensaje::registrarEn(const QString& paso) {
    Registrar(paso + QStringLiteral(" de la Pagina %1").arg(m_.PagAct), m_.PagAct);
}

void FraMensaje::txtMensaje_Edited() {
    historia_->Registrar(QStringLiteral("Escribir en la Pagina %1").arg(m_.PagAct),
                         paginasEscritas(), m_.PagAct, m_.PagAct, true, plataforma_.Ahora());
}

// The pages as a step found or left them, shown from the page where it was made. Showing
// them sets Cambios, as every page display does. Undoing or redoing a change of effect on the
// page shown keeps the text a special effect set aside, so a text effect still brings it back.
void FraMensaje::restaurar(const Instantanea& estado) {
    const std::optional<QString> propio = estado.pagina == m_.PagAct ? textoPropio_ : std::nullopt;
    m_.cargarPaginas(estado.paginas);
    m_.PagAct = static_cast<std::uint8_t>(std::clamp<int>(estado.pagina, 1, m_.TotPag));
    RefMensaje();
    if (!ReglaDeEfecto(m_.EfePag[m_.PagAct]).textoFijo.empty())
        textoPropio_ = propio;
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

} // namespace brelo
