#include "link/frmOpciones.h"
#include "shell/BarraEstado.h"
#include "shell/FrmMain.h"
#include "support/ajustesprueba.h"
#include "support/plataformaguion.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace brelo;

namespace {
const QString Error03 = QStringLiteral(
    "Error #03, No se pudo iniciar el Puerto Serie\rEl puerto ya esta en uso o no existe ");

// Acts on the options dialog once FrmMain has opened it modally.
void alAbrirOpciones(std::function<void(frmOpciones*)> accion) {
    QTimer::singleShot(0, [accion] {
        auto* d = qobject_cast<frmOpciones*>(QApplication::activeModalWidget());
        QVERIFY(d);
        accion(d);
    });
}
} // namespace

class TstFrmOpciones : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { AjustesDePrueba(); }
    void muestraLosValores();
    void aceptarGuardaYReabre();
    void cancelarNoCambiaNada_data();
    void cancelarNoCambiaNada();
    void puertoQueNoAbre();
};

void TstFrmOpciones::muestraLosValores() {
    Ajustes a;
    a.Baud = "31250"; // not in the list: shown as typed
    frmOpciones d(a);
    QCOMPARE(d.windowTitle(), QString("Opciones de Programa"));
    QCOMPARE(d.cboPort->currentText(), QString("2"));
    QCOMPARE(d.cboBaud->currentText(), QString("31250"));
    QVERIFY(!d.chkRTS->isChecked());
    QCOMPARE(d.cboWNT->currentText(), QString("200"));
    QCOMPARE(d.cboChar->currentText(), QString("05"));
    QCOMPARE(d.cboChar->itemText(0), QString("01"));
    QCOMPARE(d.cboBaud->count(), 12);
    QCOMPARE(d.cboPort->itemText(8), QString("9"));
    QVERIFY(!d.OpcionesOK);
}

void TstFrmOpciones::aceptarGuardaYReabre() {
    PlataformaGuion p;
    FrmMain v(p);
    QCOMPARE(p.puerto.aperturas, QStringList{"/dev/ttyS1@9600"});
    QCOMPARE(v.StatusBar1()->Panel(1), QString("COM2: 9600"));
    alAbrirOpciones([](frmOpciones* d) {
        d->cboPort->setEditText("/dev/ttyUSB0");
        d->cboBaud->setEditText("19200");
        d->chkRTS->setChecked(true);
        d->cboWNT->setEditText("50");
        d->cboChar->setEditText("7 ms");
        d->cmdOK->click();
    });
    v.Opciones_Click();
    QCOMPARE(p.puerto.aperturas.last(), QString("/dev/ttyUSB0@19200"));
    QCOMPARE(v.StatusBar1()->Panel(1), QString("COM/dev/ttyUSB0: 19200"));
    const Ajustes leido = LeerAjustes();
    QCOMPARE(leido.Puerto, QString("/dev/ttyUSB0"));
    QCOMPARE(leido.RTS, true);
    QCOMPARE(leido.DY2, QString("7 ms"));

    alAbrirOpciones([](frmOpciones* d) { d->cmdOK->click(); }); // nothing changed
    v.Opciones_Click();
    QCOMPARE(p.puerto.aperturas.size(), 3); // reopened all the same
}

void TstFrmOpciones::cancelarNoCambiaNada_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancelar") << false;
    QTest::newRow("Escape") << true;
}

void TstFrmOpciones::cancelarNoCambiaNada() {
    QFETCH(bool, escape);
    PlataformaGuion p;
    FrmMain v(p);
    alAbrirOpciones([escape](frmOpciones* d) {
        d->cboPort->setEditText("7");
        escape ? QTest::keyClick(d, Qt::Key_Escape) : d->Command2->click();
    });
    v.Opciones_Click();
    QCOMPARE(v.ajustes().Puerto, QString("2"));
    QCOMPARE(p.puerto.aperturas.size(), 1);
    QVERIFY(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelo2", "Brelo2")
                .allKeys()
                .isEmpty());
}

void TstFrmOpciones::puertoQueNoAbre() {
    PlataformaGuion p;
    p.puerto.abrirFalla = true;
    FrmMain v(p);
    QCOMPARE(p.cajas.size(), 1);
    QCOMPARE(p.cajas[0].titulo, QString("Puerto Serie"));
    QCOMPARE(p.cajas[0].texto, Error03);
    QCOMPARE(p.cajas[0].icono, QMessageBox::Critical);
    QCOMPARE(v.StatusBar1()->Panel(1), QString());

    p.puerto.abrirFalla = false;
    v.Inicio_COMM();
    p.puerto.abrirFalla = true;
    alAbrirOpciones([](frmOpciones* d) {
        d->cboPort->setEditText("3");
        d->cmdOK->click();
    });
    v.Opciones_Click();
    QCOMPARE(LeerAjustes().Puerto, QString("3")); // saved before the port failed
    QCOMPARE(p.cajas.size(), 2);
    QCOMPARE(v.StatusBar1()->Panel(1), QString("COM2: 9600")); // keeps its old text
}

QTEST_MAIN(TstFrmOpciones)
#include "tst_frmOpciones.moc"
