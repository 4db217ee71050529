// The list of pages and what it does to the message: show a page, move the shown one up or
// down or to where it is dropped, duplicate it. Each change is one step of the history and
// keeps the slot above the last page empty.

#include "ui/editor/FraMensaje.h"
#include "ui/editor/ListaPaginas.h"

#include "core/model/mensaje.h"
#include "ui/platform/plataforma.h"

#include <QMessageBox>

#include <algorithm>

namespace brelo {

void FraMensaje::refrescarLista() {
    lstPaginas->Mostrar(paginasEscritas(), m_.PagAct);
}

// Through the same take-and-show path as the Edicion buttons.
void FraMensaje::lstPaginas_Elegida(int pagina) {
    if (!abierto() || pagina == m_.PagAct || pagina > m_.TotPag)
        return;
    TomoActual();
    irA(pagina, false);
}

void FraMensaje::MoverPagina(int desde, int hasta) {
    if (!abierto() || desde == hasta || std::min(desde, hasta) < 1 ||
        std::max(desde, hasta) > m_.TotPag)
        return;
    TomoActual();
    std::vector<Pagina> paginas = paginasEscritas();
    const Pagina movida = paginas[std::size_t(desde - 1)];
    paginas.erase(paginas.begin() + (desde - 1));
    paginas.insert(paginas.begin() + (hasta - 1), movida);
    for (int i = 1; i <= m_.TotPag; ++i)
        m_.ponerPagina(i, paginas[std::size_t(i - 1)]);
    irA(hasta, false);
    Registrar(QStringLiteral("Mover Pagina %1").arg(desde), desde);
}

void FraMensaje::cmdSubir_Click() {
    MoverPagina(m_.PagAct, m_.PagAct - 1);
}

void FraMensaje::cmdBajar_Click() {
    MoverPagina(m_.PagAct, m_.PagAct + 1);
}

// The copy goes right after its page, and is the page shown.
void FraMensaje::cmdDuplicar_Click() {
    if (!abierto())
        return;
    if (m_.TotPag >= MaxPag) {
        plataforma_.Aviso(window(), QStringLiteral("Duplicar"),
                          Lleno() +
                              QStringLiteral(": la pagina %1 no se puede duplicar").arg(m_.PagAct),
                          QMessageBox::Information);
        return;
    }
    TomoActual();
    const int original = m_.PagAct;
    for (int i = m_.TotPag; i >= original; --i)
        m_.ponerPagina(i + 1, m_.pagina(i));
    ++m_.TotPag;
    irA(original + 1, true);
    Registrar(QStringLiteral("Duplicar Pagina %1").arg(original), original);
}

} // namespace brelo
