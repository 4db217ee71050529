#include "protocol/frmSendTxt.h"

#include "files/escritura.h"
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
    const auto trama = TramaDelMensaje();
    if (!trama)
        return;
    // Written aside and renamed over the old file: a failure leaves the old one whole.
    const bool escrito = !EscribirArchivo(RutaSalida(), FormatoSalida(trama->toStdString()));
    Terminar(QString::fromLatin1(escrito ? texto::SalidaOk : texto::Error22));
}

} // namespace brelo
