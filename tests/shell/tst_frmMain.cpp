#include "editor/CajaMensaje.h"
#include "editor/FraMensaje.h"
#include "shell/BarraEstado.h"
#include "shell/FrmMain.h"
#include "shell/PlataformaReal.h"
#include "support/ajustesprueba.h"
#include "support/plataformaguion.h"
#include "version.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace brelo;

class TstFrmMain : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }
    void arranque();
    void nuevoAbreElFrame();
    void mensajesDeEstado_data();
    void mensajesDeEstado();
    void timer1BorraSoloElPanel3();
    void preguntaReal();
};

void TstFrmMain::arranque() {
    PlataformaGuion p;
    FrmMain v(p);
    const Mensaje& m = v.mensaje();
    QCOMPARE(m.TotPag, 1);
    QCOMPARE(m.PagAct, 1);
    QVERIFY(!m.tieneTexto());
    QVERIFY(!m.Cambios);
    QVERIFY(!m.GrabarComo);
    QCOMPARE(m.Iniciando, 0);
    QVERIFY(m.NomArchivo.empty());
    QVERIFY(v.fraMensaje()->isHidden());
    QVERIFY(!v.fraMensaje()->isEnabled());
    QCOMPARE(v.windowTitle(), "Norvane - Brelo " + v.VerApp);
    QCOMPARE(v.VerApp, QString("v%1.%2").arg(VersionMayor).arg(VersionRevision));
    QCOMPARE(v.StatusBar1()->Panel(2), QString("Sin Nombre"));
    QCOMPARE(v.StatusBar1()->Panel(3), QString());
    FraMensaje* f = v.fraMensaje();
    QCOMPARE(f->cboEfe->currentText(), QString("Rotacion"));
    QCOMPARE(f->cboEfeOut->currentText(), QString("Ninguno       "));
    QCOMPARE(f->cboPausa->currentText(), QString("0"));
    QCOMPARE(f->cboEsp->currentText(), QString("á"));
    QCOMPARE(f->cboEfe->count(), 20);
    QCOMPARE(f->cboEsp->count(), 19);
    QCOMPARE(f->txtBytes->text(), QString("7992"));
    QVERIFY(p.beeps == 0 && p.cajas.isEmpty());
}

void TstFrmMain::nuevoAbreElFrame() {
    PlataformaGuion p;
    FrmMain v(p);
    v.show();
    v.Nuevo_Click();
    QVERIFY(!v.fraMensaje()->isHidden());
    QVERIFY(v.fraMensaje()->isEnabled());
    QVERIFY(!v.mensaje().Cambios);
    QVERIFY(v.mensaje().GrabarComo);
    QVERIFY(QTest::qWaitForWindowActive(&v));
    QVERIFY(v.fraMensaje()->txtMensaje->hasFocus());
    // Status panels 1 and 2 narrow and equal, panel 3 about five times as wide.
    const auto ancho = [&v](int n) {
        return v.StatusBar1()->findChild<QLabel*>(QString("Panel%1").arg(n))->width();
    };
    QVERIFY(qAbs(ancho(1) - ancho(2)) <= 1); // the layout rounds
    QVERIFY(ancho(3) > 4 * ancho(1) && ancho(3) < 6 * ancho(1));
}

void TstFrmMain::mensajesDeEstado_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<int>("beeps");
    QTest::newRow("PGM") << 0 << false << "PGM: Mensaje cargado OK!" << 0;
    QTest::newRow("COM") << 1 << false << "COM: Mensaje cargado OK!" << 0;
    QTest::newRow("ERR sin beeps") << 3 << false << "ERR: Mensaje cargado OK!" << 0;
    QTest::newRow("tipo 5") << 5 << false << "Mensaje cargado OK!" << 0;
    QTest::newRow("tipo 2 desconocido") << 2 << false << "Mensaje cargado OK!" << 0;
    QTest::newRow("TypeErr") << 0 << true << "ERR: Mensaje cargado OK!" << 2;
}

void TstFrmMain::mensajesDeEstado() {
    QFETCH(int, tipo);
    QFETCH(bool, error);
    PlataformaGuion p;
    FrmMain v(p);
    v.StatusBar1()->Timer1()->stop();
    if (error)
        v.TypeErr("Mensaje cargado OK!");
    else
        v.TypeMsg(std::uint8_t(tipo), "Mensaje cargado OK!");
    QTEST(v.StatusBar1()->Panel(3), "panel");
    QTEST(p.beeps, "beeps");
    QCOMPARE(p.esperas, QList<double>{0.5});
    QVERIFY(v.StatusBar1()->Timer1()->isActive());
    QCOMPARE(v.StatusBar1()->Timer1()->interval(), 5000);
}

void TstFrmMain::timer1BorraSoloElPanel3() {
    PlataformaGuion p;
    FrmMain v(p);
    BarraEstado* barra = v.StatusBar1();
    barra->PonerPanel(1, "COM2: 9600");
    v.TypeMsg(0, "uno");
    barra->Timer1_Timer();
    QCOMPARE(barra->Panel(3), QString());
    QCOMPARE(barra->Panel(1), QString("COM2: 9600"));
    QCOMPARE(barra->Panel(2), QString("Sin Nombre"));
}

// The real message box: title, text, icon, buttons and default as the operator sees them.
void TstFrmMain::preguntaReal() {
    PlataformaReal real;
    QString titulo, texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    QMessageBox::StandardButtons botones;
    QAbstractButton* porDefecto = nullptr;
    QAbstractButton* si = nullptr;
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(caja);
        titulo = caja->windowTitle();
        texto = caja->text();
        icono = caja->icon();
        botones = caja->standardButtons();
        porDefecto = caja->defaultButton();
        si = caja->button(QMessageBox::Yes);
        caja->button(QMessageBox::No)->click();
    });
    const bool respuesta =
        real.Pregunta(nullptr, "Borrar", "Desea Borrar Pagina ?", QMessageBox::Critical);
    QVERIFY(!respuesta);
    QCOMPARE(titulo, QString("Borrar"));
    QCOMPARE(texto, QString("Desea Borrar Pagina ?"));
    QCOMPARE(icono, QMessageBox::Critical);
    QCOMPARE(botones, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(porDefecto, si);
}

QTEST_MAIN(TstFrmMain)
#include "tst_frmMain.moc"
