#include "link/ajustes.h"
#include "link/puerto.h"
#include "support/ajustesprueba.h"
#include "support/enlaceguion.h"

#include <QFile>
#include <QTest>

using namespace brelo;

namespace {
QSettings almacen() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brelo2"),
                     QStringLiteral("Brelo2"));
}
} // namespace

class TstAjustes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { AjustesDePrueba(); }
    void primeraVez();
    void valoresEscritosSeConservan();
    void rts_data();
    void rts();
    void dispositivo_data();
    void dispositivo();
};

void TstAjustes::primeraVez() {
    const Ajustes a = LeerAjustes();
    QCOMPARE(a.Puerto, QString("2"));
    QCOMPARE(a.Baud, QString("9600"));
    QCOMPARE(a.RTS, false);
    QCOMPARE(a.DY1, QString("200"));
    QCOMPARE(a.DY2, QString("05"));
    QVERIFY(!QFile::exists(almacen().fileName())); // reading writes nothing
    QCOMPARE(TextoLinea(a), QString("COM2: 9600"));
}

void TstAjustes::valoresEscritosSeConservan() {
    Ajustes a;
    a.Puerto = "/dev/ttyUSB0";
    a.Baud = "31250";
    a.RTS = true;
    a.DY1 = " 120x";
    a.DY2 = "005";
    GuardarAjustes(a);
    const Ajustes b = LeerAjustes();
    QCOMPARE(b.Puerto, a.Puerto);
    QCOMPARE(b.Baud, a.Baud);
    QCOMPARE(b.RTS, true);
    QCOMPARE(b.DY1, a.DY1);
    QCOMPARE(b.DY2, a.DY2);
    QCOMPARE(almacen().value("COM/RTS").toString(), QString("True"));
    QCOMPARE(almacen().allKeys().size(), 5);
}

void TstAjustes::rts_data() {
    QTest::addColumn<QString>("guardado");
    QTest::addColumn<bool>("rts");
    QTest::newRow("True") << "True" << true;
    QTest::newRow("False") << "False" << false;
    QTest::newRow("numero") << "-1" << true;
    QTest::newRow("cero") << "0" << false;
    QTest::newRow("basura") << "quizas" << false;
}

void TstAjustes::rts() {
    QFETCH(QString, guardado);
    almacen().setValue("COM/RTS", guardado);
    QTEST(LeerAjustes().RTS, "rts");
}

void TstAjustes::dispositivo_data() {
    QTest::addColumn<QString>("puerto");
    QTest::addColumn<QString>("dispositivo");
    QTest::newRow("2") << "2"
                       << "/dev/ttyS1";
    QTest::newRow("1") << "1"
                       << "/dev/ttyS0";
    QTest::newRow("2.5 al par") << "2.5"
                                << "/dev/ttyS1";
    QTest::newRow("ruta") << "/dev/serial/by-id/usb-X"
                          << "/dev/serial/by-id/usb-X";
    QTest::newRow("0") << "0"
                       << "";
    QTest::newRow("texto") << "COM"
                           << "";
    QTest::newRow("fuera de 16 bits") << "40000"
                                      << "";
}

void TstAjustes::dispositivo() {
    QFETCH(QString, puerto);
    QTEST(DispositivoDe(puerto), "dispositivo");
}

QTEST_GUILESS_MAIN(TstAjustes)
#include "tst_ajustes.moc"
