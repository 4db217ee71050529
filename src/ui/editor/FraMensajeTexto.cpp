#include "ui/editor/FraMensaje.h"

#include "core/model/catalogos.h"
#include "core/model/mensaje.h"
#include "ui/editor/CajaMensaje.h"

#include <QComboBox>

namespace brelo {

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
    registrarEn(QStringLiteral("Caracter Especial"));
}

void FraMensaje::optLeft_Click() {
    alinear(0);
    EnfocarTexto();
    registrarEn(QStringLiteral("Alineacion"));
}

void FraMensaje::optCenter_Click() {
    alinear(2);
    EnfocarTexto();
    registrarEn(QStringLiteral("Alineacion"));
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

} // namespace brelo
