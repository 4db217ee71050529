#include "ui/dialogs/DialogoCartel.h"

#include "core/protocol/trama.h"
#include "core/textos.h"
#include "ui/editor/FraMensaje.h"
#include "ui/platform/plataforma.h"
#include "ui/window/BarraEstado.h"
#include "ui/window/FrmMain.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brelo {

DialogoCartel::DialogoCartel(FrmMain& principal, const QString& titulo, const QString& textoOK)
    : QDialog(&principal), principal_(principal),
      transferencia_(principal.plataforma().PuertoCom(), principal.plataforma().Pausas(), this) {
    setWindowTitle(titulo);
    setModal(true);
    auto* columna = new QVBoxLayout(this);
    contenido_ = new QVBoxLayout;
    columna->addLayout(contenido_);
    auto* botones = new QHBoxLayout;
    cmdOK = new QPushButton(textoOK);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancelar"));
    Command2->setObjectName(QStringLiteral("Command2"));
    botones->addStretch();
    botones->addWidget(cmdOK);
    botones->addWidget(Command2);
    columna->addLayout(botones);
    StatusBar1 = new QLabel;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    columna->addWidget(StatusBar1);
    // At least this wide, and wider when what the panel says needs it (a long path, a wait).
    columna->addStrut(300);

    connect(Command2, &QPushButton::clicked, this, &DialogoCartel::Command2_Click);
    connect(&transferencia_, &Transferencia::Progreso, this, [this](int porcentaje, int largo) {
        StatusBar1->setText(TextoProgreso(porcentaje, largo));
    });
    connect(&transferencia_, &Transferencia::Detenida, this, [this] {
        StatusBar1->setText(QStringLiteral("Aviso: ") + QString::fromLatin1(texto::LineaDetenida));
    });
    connect(&transferencia_, &Transferencia::Confirmando, this, [this] {
        StatusBar1->setText(QStringLiteral("Enviado; ") + QString::fromLatin1(texto::Confirmando));
    });
    connect(&transferencia_, &Transferencia::Terminada, this, &DialogoCartel::alTerminar);
}

QLabel* DialogoCartel::etiqueta(const QString& nombre, const QString& texto) {
    auto* l = new QLabel(texto);
    l->setObjectName(nombre);
    contenido_->addWidget(l);
    return l;
}

void DialogoCartel::Command2_Click() {
    if (Ocupado) {
        if (!terminado_) {
            Cancelado = true;
            transferencia_.Cancelar();
        }
        return;
    }
    close();
}

std::optional<QByteArray> DialogoCartel::TramaDelMensaje() {
    principal_.fraMensaje()->TomoActual();
    if (principal_.fraMensaje()->isHidden() || !principal_.mensaje().tieneTexto()) {
        Terminar(QString::fromLatin1(texto::Error21));
        return std::nullopt;
    }
    Cancelado = false;
    Ocupado = true;
    const ResultadoTrama t = ArmarTrama(principal_.mensaje());
    if (!t.ok()) {
        Terminar(QString::fromLatin1(texto::Error22));
        return std::nullopt;
    }
    return QByteArray::fromStdString(t.Trama);
}

void DialogoCartel::Transmitir(const QByteArray& trama, double demora1, double demora2) {
    cmdOK->setEnabled(false); // a second press cannot start a second transfer
    if (!principal_.PuertoListo()) {
        Terminar(QString::fromLatin1(texto::Error03));
        return;
    }
    if (std::max(demora1, demora2) > DemoraMaxima)
        principal_.TypeMsg(
            tipo::Err,
            QStringLiteral("Pausa de mas de %1 ms en Opciones: se usa %1 ms").arg(DemoraMaxima));
    transferencia_.Iniciar(trama, demora1, demora2);
}

void DialogoCartel::alTerminar(Transferencia::Fin fin) {
    switch (fin) {
    case Transferencia::Enviado:
        Terminar(QString::fromLatin1(texto::EnviadoOk));
        break;
    case Transferencia::Cancelado:
        Terminar(QString::fromLatin1(texto::Cancelado));
        break;
    case Transferencia::SinLinea: // the main window tells why, as at start-up
        Terminar(QString::fromLatin1(texto::Error03));
        break;
    case Transferencia::Fallido:
        Terminar(QString::fromLatin1(texto::Error22));
        // The dialog's status is gone with it: the reason stays in a box of its own.
        principal_.plataforma().Aviso(&principal_, windowTitle(),
                                      QString::fromLatin1(texto::Error22) + QLatin1Char('\r') +
                                          principal_.DispositivoActual() + QStringLiteral(": ") +
                                          transferencia_.Motivo(),
                                      QMessageBox::Critical);
        break;
    }
}

void DialogoCartel::Terminar(const QString& texto) {
    terminado_ = true;
    StatusBar1->setText(texto);
    principal_.Tiempo(1);
    accept();
}

void DialogoCartel::reject() {
    if (Ocupado && !terminado_)
        Command2_Click(); // the transfer ends by itself, then the dialog closes
    else
        QDialog::reject();
}

void DialogoCartel::closeEvent(QCloseEvent* e) {
    if (Ocupado && !terminado_) {
        Command2_Click();
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

} // namespace brelo
