#include "ui/dialogs/frmDate.h"

#include "ui/platform/plataforma.h"
#include "ui/window/FrmMain.h"

#include <QLabel>
#include <QPushButton>

namespace brelo {

frmDate::frmDate(FrmMain& principal)
    : DialogoCartel(principal, QStringLiteral("Envio de Hora y Fecha"), QStringLiteral("Enviar")) {
    setObjectName(QStringLiteral("frmDate"));
    auto* imagen = etiqueta(QStringLiteral("Picture1"), QString());
    imagen->setPixmap(QIcon(QStringLiteral(":/iconos/hora.svg")).pixmap(40, 40));
    etiqueta(QStringLiteral("Label1"), QStringLiteral("- Verfique encendido del Cartel "));
    etiqueta(QStringLiteral("Label2"), QStringLiteral("- Conecte el cable de comunicacion"));
    QFont resaltada = font();
    resaltada.setBold(true);
    etiqueta(QStringLiteral("Label3"), QStringLiteral("Cambiar Hora y Fecha en Cartel"))
        ->setFont(resaltada);
    // One reading of the clock for all six fields: separate readings could straddle a
    // change of minute, hour or day and send a time that never was.
    const QDateTime ahora = principal.plataforma().Ahora();
    const QTime h = ahora.time();
    const QDate d = ahora.date();
    campos_ = CamposDeReloj(h.hour(), h.minute(), h.second(), d.day(), d.month(), d.year());
    Label4 = etiqueta(QStringLiteral("Label4"), QString::fromStdString(TextoFecha(campos_)));
    resaltada.setPointSizeF(resaltada.pointSizeF() * 1.3);
    Label4->setFont(resaltada);
    connect(cmdOK, &QPushButton::clicked, this, &frmDate::cmdOK_Click);
}

void frmDate::cmdOK_Click() {
    if (Ocupado)
        return;
    Cancelado = false;
    Ocupado = true;
    Demora1 = DemoraInicioFecha(principal_.ajustes().DY1.toStdString());
    Demora2 = DemoraByteFecha(principal_.ajustes().DY2.toStdString());
    Transmitir(QByteArray::fromStdString(TramaFecha(campos_)), Demora1, Demora2);
}

QString frmDate::TextoProgreso(int porcentaje, int) const {
    return QStringLiteral("Enviando Datos al CARTEL ...%1%").arg(porcentaje);
}

} // namespace brelo
