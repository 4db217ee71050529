#include "protocol/fechahora.h"

#include <QTest>

using namespace brelo;

class TstFechaHora : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void trama_data();
    void trama();
    void demoras_data();
    void demoras();
};

void TstFechaHora::trama_data() {
    QTest::addColumn<QList<int>>("reloj"); // hour, minute, second, day, month, year
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("fin de 2026") << QList<int>{23, 59, 59, 31, 12, 2026}
                                 << "Hora 23:59:59  Fecha 31/12/26"
                                 << QByteArray::fromHex("572D4E5439B0 235959311226 0101");
    QTest::newRow("ceros a la izquierda")
        << QList<int>{9, 5, 0, 24, 7, 2007} << "Hora 09:05:00  Fecha 24/07/07"
        << QByteArray::fromHex("572D4E5439B0 090500240707 0101");
    QTest::newRow("medianoche de 2000")
        << QList<int>{0, 0, 0, 1, 1, 2000} << "Hora 00:00:00  Fecha 01/01/00"
        << QByteArray::fromHex("572D4E5439B0 000000010100 0101");
}

void TstFechaHora::trama() {
    QFETCH(QList<int>, reloj);
    const CamposFecha c = CamposDeReloj(reloj[0], reloj[1], reloj[2], reloj[3], reloj[4], reloj[5]);
    QTEST(QString::fromStdString(TextoFecha(c)), "texto");
    const std::string t = TramaFecha(c);
    QCOMPARE(t.size(), 14u);
    QTEST(QByteArray(t.data(), qsizetype(t.size())), "bytes");
}

void TstFechaHora::demoras_data() {
    QTest::addColumn<QString>("dy1");
    QTest::addColumn<double>("inicio");
    QTest::addColumn<QString>("dy2");
    QTest::addColumn<double>("byte");
    QTest::newRow("por omision") << "200" << 200.0 << "05" << 5.0;
    QTest::newRow("extremos") << "10" << 10.0 << "90" << 90.0;
    QTest::newRow("otros extremos") << "500" << 500.0 << "01" << 1.0;
    QTest::newRow("fuera de tabla: su numero") << "120" << 120.0 << "5" << 5.0;
    QTest::newRow("sin numero: cero") << "rapido" << 0.0 << "" << 0.0;
}

void TstFechaHora::demoras() {
    QFETCH(QString, dy1);
    QFETCH(QString, dy2);
    QTEST(DemoraInicioFecha(dy1.toStdString()), "inicio");
    QTEST(DemoraByteFecha(dy2.toStdString()), "byte");
}

QTEST_APPLESS_MAIN(TstFechaHora)
#include "tst_fechahora.moc"
