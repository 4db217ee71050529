#include "ui/dialogs/frmSend.h"

#include "core/model/valor.h"
#include "core/textos.h"
#include "ui/window/FrmMain.h"

#include <QLabel>
#include <QPushButton>

namespace brelo {

frmSend::frmSend(FrmMain& principal)
    : DialogoCartel(principal, QStringLiteral("Envio de Mensaje"), QStringLiteral("Enviar")) {
    setObjectName(QStringLiteral("frmSend"));
    auto* Picture1 = etiqueta(QStringLiteral("Picture1"), QString());
    Picture1->setPixmap(QIcon(QStringLiteral(":/iconos/enviar.svg")).pixmap(48, 48));
    etiqueta(QStringLiteral("Label1"), QStringLiteral("- Verfique encendido del Cartel "));
    etiqueta(QStringLiteral("Label2"), QStringLiteral("- Conecte el cable de comunicacion"));
    connect(cmdOK, &QPushButton::clicked, this, &frmSend::cmdOK_Click);
}

void frmSend::cmdOK_Click() {
    if (Ocupado)
        return;
    const auto trama = TramaDelMensaje();
    if (!trama)
        return;
    Demora1 = ValorNumerico(principal_.ajustes().DY1.toStdString());
    Demora2 = ValorNumerico(principal_.ajustes().DY2.toStdString());
    Transmitir(*trama, Demora1, Demora2);
}

QString frmSend::TextoProgreso(int porcentaje, int largo) const {
    return QStringLiteral("Enviando ...%1% [%2]").arg(porcentaje).arg(largo);
}

} // namespace brelo
