#include "ui/dialogs/frmOpciones.h"

#include "link/ajustes.h"
#include "link/puerto.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace brelo {

namespace {

QComboBox* lista(const QString& nombre, const QStringList& entradas, const QString& texto) {
    auto* c = new QComboBox;
    c->setObjectName(nombre);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(entradas);
    // Typed text is taken exactly as typed: no completion ("4" must not become "4800").
    c->setCompleter(nullptr);
    // The list, the arrow keys and the wheel move on from the entry shown, not from the first.
    c->setCurrentIndex(c->findText(texto));
    c->setEditText(texto);
    c->setMinimumContentsLength(8);
    return c;
}

// After "1" to "9", the serial devices of this machine (USB adapters among them).
QStringList puertos() {
    QStringList l{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) // as typed: COM3
        l << (DispositivoDe(info.portName()).isEmpty() ? info.systemLocation() : info.portName());
    return l;
}

QGroupBox* grupo(const QString& titulo, std::initializer_list<std::pair<QString, QWidget*>> filas) {
    auto* g = new QGroupBox(titulo);
    auto* f = new QFormLayout(g);
    for (const auto& [etiqueta, control] : filas)
        f->addRow(etiqueta, control);
    return g;
}

} // namespace

frmOpciones::frmOpciones(Ajustes& ajustes, QWidget* padre) : QDialog(padre), ajustes_(ajustes) {
    setObjectName(QStringLiteral("frmOpciones"));
    setWindowTitle(QStringLiteral("Opciones de Programa"));
    OpcionesOK = false;

    cboPort = lista(QStringLiteral("cboPort"), puertos(), ajustes.Puerto);
    cboBaud = lista(QStringLiteral("cboBaud"),
                    {"110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600",
                     "115200", "230400", "460800"},
                    ajustes.Baud);
    // Wide enough for a device path or an adapter's address, not only a port number.
    cboPort->setMinimumContentsLength(24);
    cboPort->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboPort->setToolTip(AyudaPuerto());
    cboBaud->setToolTip(QStringLiteral(
        "Velocidad de la linea serie. Con un adaptador tcp:// no se usa: la velocidad\n"
        "hacia el cartel es la que tenga configurada el adaptador"));
    chkRTS = new QCheckBox(QStringLiteral("RTS/CTS"));
    chkRTS->setObjectName(QStringLiteral("chkRTS"));
    chkRTS->setChecked(ajustes.RTS);
    cboWNT =
        lista(QStringLiteral("cboWNT"),
              {"10", "25", "50", "100", "150", "200", "250", "300", "350", "400", "450", "500"},
              ajustes.DY1);
    cboChar = lista(QStringLiteral("cboChar"),
                    {"01", "02", "05", "10", "20", "30", "40", "50", "60", "70", "80", "90"},
                    ajustes.DY2);

    cmdOK = new QPushButton(QStringLiteral("Aceptar"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancelar"));
    Command2->setObjectName(QStringLiteral("Command2"));

    auto* grupos = new QHBoxLayout;
    grupos->addWidget(grupo(QStringLiteral("Puerto Serie"), {{QStringLiteral("Puerto"), cboPort},
                                                             {QStringLiteral("Baud Rate"), cboBaud},
                                                             {QString(), chkRTS}}));
    grupos->addWidget(grupo(QStringLiteral("Espera"), {{QStringLiteral("Inicio [ms]"), cboWNT},
                                                       {QStringLiteral("Mensaje [ms]"), cboChar}}));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdOK);
    botones->addWidget(Command2);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(grupos);
    columna->addLayout(botones);

    connect(cmdOK, &QPushButton::clicked, this, &frmOpciones::cmdOK_Click);
    // An editable list keeps Enter for itself; the operator means Aceptar.
    for (QComboBox* c : {cboPort, cboBaud, cboWNT, cboChar})
        connect(c->lineEdit(), &QLineEdit::returnPressed, this, &frmOpciones::cmdOK_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOpciones::cmdOK_Click() {
    ajustes_.Puerto = cboPort->currentText();
    ajustes_.Baud = cboBaud->currentText();
    ajustes_.RTS = chkRTS->isChecked();
    ajustes_.DY1 = cboWNT->currentText();
    ajustes_.DY2 = cboChar->currentText();
    OpcionesOK = true;
    accept();
}

} // namespace brelo
