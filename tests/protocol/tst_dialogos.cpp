#include "editor/CajaMensaje.h"
#include "editor/FraMensaje.h"
#include "protocol/frmDate.h"
#include "protocol/frmSend.h"
#include "protocol/frmSendTxt.h"
#include "shell/FrmMain.h"
#include "support/ajustesprueba.h"
#include "support/ejemplo.h"
#include "support/plataformaguion.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace brelo;

namespace {
const QByteArray TramaEjemplo = ejemplo::Trama;
}

class TstDialogos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }
    void init();
    void cleanup() { ventana.reset(); }

    void enviarSinMensaje_data();
    void enviarSinMensaje();
    void enviar();
    void enviarConDemorasSinNumero();
    void cancelarAntesDeEnviar();
    void cancelarDuranteElEnvio_data();
    void cancelarDuranteElEnvio();
    void segundoEnviarNoIniciaOtro();
    void puertoCerrado();
    void salida();
    void salidaFallaConservaLaAnterior();
    void fecha();
    void fechaConDemorasFueraDeTabla();

private:
    void ejemplo(); // the two-page message of the stream's worked example, open
    QStringList seguirAnotando(DialogoCartel& d);

    std::unique_ptr<PlataformaGuion> p;
    std::unique_ptr<FrmMain> ventana;
    QTemporaryDir dir;
};

void TstDialogos::init() {
    p = std::make_unique<PlataformaGuion>();
    ventana = std::make_unique<FrmMain>(*p);
    p->esperas.clear();
}

void TstDialogos::ejemplo() {
    ventana->Nuevo_Click();
    Mensaje& m = ventana->mensaje();
    m.cargarPaginas({{"HOLA", 3, 5, 2, 1}, {" Hora 00:00:00 ", 12, 0, 0, 0}});
    ventana->fraMensaje()->RefMensaje();
}

// Runs the transfer to its end, noting the status text before each byte.
QStringList TstDialogos::seguirAnotando(DialogoCartel& d) {
    QStringList textos{d.StatusBar1->text()};
    while (p->espera.seguir())
        textos << d.StatusBar1->text();
    return textos;
}

void TstDialogos::enviarSinMensaje_data() {
    QTest::addColumn<bool>("abierto");
    QTest::newRow("sin mensaje abierto") << false;
    QTest::newRow("abierto sin texto") << true;
}

void TstDialogos::enviarSinMensaje() {
    QFETCH(bool, abierto);
    if (abierto)
        ventana->Nuevo_Click();
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<DialogoCartel> d;
        if (i == 0)
            d = std::make_unique<frmSend>(*ventana);
        else
            d = std::make_unique<frmSendTxt>(*ventana);
        d->show();
        d->cmdOK->click();
        QCOMPARE(d->StatusBar1->text(), QString("Error #21, No Hay mensaje cargado"));
        QVERIFY(!d->isVisible());
    }
    QCOMPARE(p->esperas, (QList<double>{1, 1}));
    QVERIFY(p->puerto.salidas.isEmpty());
}

void TstDialogos::enviar() {
    ejemplo();
    frmSend d(*ventana);
    QCOMPARE(d.windowTitle(), QString("Envio de Mensaje"));
    QCOMPARE(d.findChild<QLabel*>("Label1")->text(), QString("- Verfique encendido del Cartel "));
    d.show();
    d.cmdOK->click();
    const QStringList textos = seguirAnotando(d);
    QCOMPARE(p->puerto.escrito(), TramaEjemplo);
    QCOMPARE(textos.first(), QString("Enviando ...3% [33]"));
    QCOMPARE(textos[31], QString("Enviando ...96% [33]"));
    QCOMPARE(textos[32], QString("Enviando ...100% [33]"));
    QCOMPARE(textos.last(), QString("Mensaje enviado OK!"));
    QCOMPARE(d.Demora1, 200.0);
    QCOMPARE(d.Demora2, 5.0);
    QCOMPARE(p->espera.pausas.mid(4, 2), (QList<double>{200, 5}));
    QCOMPARE(p->esperas, QList<double>{1});
    QVERIFY(!d.isVisible());
    // The filled page texts stay in the message.
    QCOMPARE(ventana->mensaje().TextoPag[1], std::string("      HOLA      "));
}

void TstDialogos::enviarConDemorasSinNumero() {
    ventana->ajustes().DY1 = "lento";
    ventana->ajustes().DY2 = "rapido";
    ejemplo();
    frmSend d(*ventana);
    d.cmdOK_Click();
    p->espera.seguirTodo();
    QCOMPARE(p->espera.pausas, QList<double>(33, 0));
}

void TstDialogos::cancelarAntesDeEnviar() {
    ejemplo();
    frmSend d(*ventana);
    d.show();
    d.Command2->click();
    QVERIFY(!d.isVisible());
    QVERIFY(p->puerto.salidas.isEmpty());
}

void TstDialogos::cancelarDuranteElEnvio_data() {
    QTest::addColumn<int>("como"); // 0 Cancelar, 1 Escape, 2 the window's close
    QTest::newRow("Cancelar") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("cerrar ventana") << 2;
}

void TstDialogos::cancelarDuranteElEnvio() {
    QFETCH(int, como);
    ejemplo();
    frmSend d(*ventana);
    d.show();
    d.cmdOK->click();
    for (int i = 0; i < 9; ++i)
        p->espera.seguir();
    if (como == 0)
        d.Command2->click();
    else if (como == 1)
        QTest::keyClick(&d, Qt::Key_Escape);
    else
        d.close();
    QVERIFY(d.isVisible()); // it ends by itself after the current byte and its pause
    p->espera.seguirTodo();
    QCOMPARE(p->puerto.escrito(), TramaEjemplo.left(10) + "\x01\x01");
    QCOMPARE(d.StatusBar1->text(), QString("Mensaje Cancelado..."));
    QVERIFY(!d.isVisible());
}

void TstDialogos::segundoEnviarNoIniciaOtro() {
    ejemplo();
    frmSend d(*ventana);
    d.cmdOK_Click();
    p->espera.seguir();
    d.cmdOK_Click();
    p->espera.seguirTodo();
    QCOMPARE(p->puerto.escrito(), TramaEjemplo);
}

void TstDialogos::puertoCerrado() {
    ejemplo();
    p->puerto.abierto = false;
    frmSend d(*ventana);
    d.cmdOK_Click();
    QCOMPARE(d.StatusBar1->text(), QString("Error #22, No se envio el Mensaje"));
    QVERIFY(p->puerto.salidas.isEmpty());
    QCOMPARE(p->esperas, QList<double>{1});

    frmDate f(*ventana);
    f.cmdOK_Click();
    QCOMPARE(f.StatusBar1->text(), QString("Error #22, No se envio el Mensaje"));
}

void TstDialogos::salida() {
    ejemplo();
    ventana->mensaje().NomArchivo2 = dir.filePath("mensaje.mn2").toStdString();
    const QString ruta = dir.filePath("Salida.txt");
    QFile viejo(ruta);
    QVERIFY(viejo.open(QIODevice::WriteOnly));
    viejo.write(QByteArray(9000, 'v'));
    viejo.close();
    for (int vez = 0; vez < 2; ++vez) {
        frmSendTxt d(*ventana);
        QCOMPARE(d.windowTitle(), QString("Salida Archivo"));
        QCOMPARE(d.RutaSalida(), ruta);
        d.cmdOK_Click();
        QCOMPARE(d.StatusBar1->text(), QString("Archivo 'SALIDA.TXT' grabado OK!"));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), "\"" + TramaEjemplo + "\"\r\n");
    }
    QVERIFY(p->puerto.salidas.isEmpty());
}

void TstDialogos::salidaFallaConservaLaAnterior() {
    ejemplo();
    ventana->mensaje().NomArchivo2 = dir.filePath("no/existe/mensaje.mn2").toStdString();
    frmSendTxt d(*ventana);
    d.cmdOK_Click();
    QCOMPARE(d.StatusBar1->text(), QString("Error #22, No se envio el Mensaje"));

    ventana->mensaje().NomArchivo2.clear(); // no file chosen yet: the working folder
    frmSendTxt enCarpeta(*ventana);
    QCOMPARE(enCarpeta.RutaSalida(), QDir::current().filePath("Salida.txt"));
}

void TstDialogos::fecha() {
    p->ahora = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    frmDate d(*ventana);
    QCOMPARE(d.windowTitle(), QString("Envio de Hora y Fecha"));
    QCOMPARE(d.Label4->text(), QString("Hora 23:59:59  Fecha 31/12/26"));
    QCOMPARE(d.findChild<QLabel*>("Label3")->text(), QString("Cambiar Hora y Fecha en Cartel"));
    p->ahora = p->ahora.addSecs(5); // the time sent is the time the dialog opened
    d.cmdOK_Click();
    const QStringList textos = seguirAnotando(d);
    QCOMPARE(p->puerto.escrito(), QByteArray::fromHex("572D4E5439B02359593112260101"));
    QStringList porcentajes;
    for (int pct : {7, 14, 21, 28, 35, 42, 50, 57, 64, 71, 78, 85, 92, 100})
        porcentajes << QStringLiteral("Enviando Datos al CARTEL ...%1%").arg(pct);
    QCOMPARE(textos.mid(0, 14), porcentajes);
    QCOMPARE(textos.last(), QString("Mensaje enviado OK!"));
    QList<double> pausas(5, 200);
    pausas += QList<double>(9, 5);
    QCOMPARE(p->espera.pausas, pausas);
}

void TstDialogos::fechaConDemorasFueraDeTabla() {
    ventana->ajustes().DY1 = "120";
    ventana->ajustes().DY2 = "5";
    frmDate d(*ventana);
    d.cmdOK_Click();
    QCOMPARE(d.Demora1, 120.0);
    QCOMPARE(d.Demora2, 5.0);
    d.Command2_Click();
    p->espera.seguirTodo();
    QCOMPARE(p->puerto.escrito(), QByteArray("W\x01\x01"));
    QCOMPARE(d.StatusBar1->text(), QString("Mensaje Cancelado..."));
}

QTEST_MAIN(TstDialogos)
#include "tst_dialogos.moc"
