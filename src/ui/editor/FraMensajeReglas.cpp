#include "ui/editor/FraMensaje.h"
#include "ui/editor/LineaElidida.h"

#include "core/model/mensaje.h"
#include "core/model/reglas.h"
#include "core/protocol/trama.h"
#include "core/protocol/vista.h"
#include "link/conversion.h"
#include "ui/editor/CajaMensaje.h"
#include "ui/editor/VistaCartel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace brelo {

// ---- page rules ----

void FraMensaje::RefPausa() {
    const ReglaEntrada r = ReglaDeEfecto(static_cast<std::uint8_t>(cboEfe->currentIndex()));
    cboPausa->setEnabled(r.pausaHabilitada);
    cboEfeOut->setEnabled(r.salidaHabilitada);
    if (r.salidaA0)
        seleccionar(cboEfeOut, 0);
    if (r.pausaA0)
        seleccionar(cboPausa, 0);
    // A special page shows its fixed text; the page's own text waits, so that a wheel or an
    // arrow key passing over the special effects loses nothing.
    if (!r.textoFijo.empty()) {
        if (!textoPropio_ && txtMensaje->isEnabledTo(this))
            textoPropio_ = txtMensaje->text();
        ponerTexto(QString::fromLatin1(r.textoFijo.data(), qsizetype(r.textoFijo.size())));
    } else if (textoPropio_) {
        ponerTexto(*std::exchange(textoPropio_, std::nullopt));
    }
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

void FraMensaje::cboEfe_Activated() {
    cboEfe_Click();
    registrarEn(QStringLiteral("Efecto de Entrada"));
}

void FraMensaje::cboEfeOut_Activated() {
    cboEfeOut_Click();
    registrarEn(QStringLiteral("Efecto de Salida"));
}

void FraMensaje::cboPausa_Activated() {
    cboPausa_Click();
    registrarEn(QStringLiteral("Pausa"));
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
    refrescarLista();
    Q_EMIT Mostrado();
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
    for (const std::string& h : v.resumen)
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

} // namespace brelo
