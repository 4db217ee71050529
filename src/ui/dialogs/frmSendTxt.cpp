#include "ui/dialogs/frmSendTxt.h"

#include "core/protocol/trama.h"
#include "core/textos.h"
#include "link/files/escritura.h"
#include "ui/window/FrmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace brelo {

frmSendTxt::frmSendTxt(FrmMain& principal)
    : DialogoCartel(principal, QStringLiteral("Salida Archivo"), QStringLiteral("Crear")) {
    setObjectName(QStringLiteral("frmSendTxt"));
    etiqueta(QStringLiteral("Label1"), QStringLiteral("Crear Archivo SALIDA.TXT ?"));
    connect(cmdOK, &QPushButton::clicked, this, &frmSendTxt::cmdOK_Click);
}

QString frmSendTxt::RutaSalida() const {
    return QDir(principal_.CarpetaSalida()).filePath(QString::fromLatin1(texto::NombreSalida));
}

void frmSendTxt::cmdOK_Click() {
    if (Ocupado)
        return;
    const auto trama = TramaDelMensaje();
    if (!trama)
        return;
    // Written aside and renamed over the old file: a failure leaves the old one whole.
    const QString ruta = RutaSalida();
    const bool escrito = !EscribirArchivo(ruta, FormatoSalida(trama->toStdString()));
    if (escrito)
        escrito_ = QDir::toNativeSeparators(ruta);
    Terminar(escrito ? QString::fromLatin1(texto::SalidaOk) + QStringLiteral(" ") +
                           QDir::toNativeSeparators(ruta)
                     : QString::fromLatin1(texto::Error22));
}

} // namespace brelo
