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

// Typed or pasted text that went in otherwise is said in the status line; a refused character
// that Caracteres Especiales puts in is pointed there once.
void FraMensaje::txtMensaje_Filtrada(const CajaMensaje::Filtrado& f) {
    QStringList notas;
    if (f.reemplazados && f.reemplazados == f.yDieresis)
        notas << QStringLiteral("\u00FF se escribe como y");
    else if (f.reemplazados)
        notas << (f.reemplazados == 1
                      ? QStringLiteral("1 caracter reemplazado")
                      : QStringLiteral("%1 caracteres reemplazados").arg(f.reemplazados));
    QString nuevos;
    for (QChar c : f.especiales)
        if (!especialesDichos_.contains(c))
            nuevos += c;
    especialesDichos_ += nuevos;
    if (!nuevos.isEmpty())
        notas << QStringLiteral("%1 se escribe%2 desde \"Caracteres Especiales\"")
                     .arg(QStringList(nuevos.begin(), nuevos.end()).join(QStringLiteral(" y ")),
                          nuevos.size() > 1 ? QStringLiteral("n") : QString());
    if (!notas.isEmpty())
        Q_EMIT Nota(notas.join(QStringLiteral("; ")));
}

} // namespace brelo
