#include "protocol/frmSendTxt.h"

#include "files/escritura.h"
#include "protocol/frmSend.h"
#include "protocol/trama.h"
#include "shell/FrmMain.h"
#include "shell/textos.h"

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
    const QString ultimo = QString::fromStdString(principal_.mensaje().NomArchivo2);
    const QDir carpeta = ultimo.isEmpty() ? QDir::current() : QFileInfo(ultimo).dir();
    return carpeta.filePath(QString::fromLatin1(texto::NombreSalida));
}

void frmSendTxt::cmdOK_Click() {
    if (Ocupado)
        return;
    if (!HayMensajeParaEnviar(principal_)) {
        Terminar(QString::fromLatin1(texto::Error21));
        return;
    }
    Cancelado = false;
    Ocupado = true;
    const ResultadoTrama t = ArmarTrama(principal_.mensaje());
    // Written aside and renamed over the old file: a failure leaves the old one whole.
    if (!t.ok() || EscribirArchivo(RutaSalida(), FormatoSalida(t.Trama))) {
        Terminar(QString::fromLatin1(texto::Error22));
        return;
    }
    Terminar(QString::fromLatin1(texto::SalidaOk));
}

} // namespace brelo
