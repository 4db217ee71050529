#include "ui/dialogs/frmAcerca.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace brelo {

frmAcerca::frmAcerca(const QString& verApp, QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("frmAcerca"));
    setWindowTitle(QStringLiteral("Acerca de"));
    auto* imagen = new QLabel;
    imagen->setObjectName(QStringLiteral("Picture1"));
    imagen->setPixmap(QIcon(QStringLiteral(":/iconos/brelo.svg")).pixmap(64, 64));
    Label1 = new QLabel(QStringLiteral("Sistema Carga de Mensajes para  Carteles Brelo"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label3 = new QLabel(verApp);
    Label3->setObjectName(QStringLiteral("Label3"));
    salir = new QPushButton(QStringLiteral("OK"));
    salir->setObjectName(QStringLiteral("salir"));
    salir->setDefault(true);
    auto* l = new QGridLayout(this);
    l->addWidget(imagen, 0, 0, 2, 1);
    l->addWidget(Label1, 0, 1);
    l->addWidget(Label3, 1, 1);
    l->addWidget(salir, 2, 1, Qt::AlignRight);
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace brelo
