#include "link/transferencia.h"
#include "support/enlaceguion.h"

#include <QSignalSpy>
#include <QTest>

using namespace brelo;

class TstTransferencia : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ritmo();
    void porcentajes_data();
    void porcentajes();
    void falla();
};

namespace {
QByteArray trama(int largo) {
    QByteArray t("W-NT9\xDF");
    while (t.size() < largo - 2)
        t += 'a';
    return t + "\x01\x01";
}
} // namespace

void TstTransferencia::ritmo() {
    PuertoGuion puerto;
    puerto.abierto = true;
    EsperaGuion espera;
    Transferencia t(puerto, espera);
    QSignalSpy fin(&t, &Transferencia::Terminada);
    t.Iniciar(trama(33), 200, 5);
    espera.seguirTodo();
    QCOMPARE(puerto.escrito(), trama(33));
    QCOMPARE(puerto.salidas.size(), 33); // one byte per Output
    QList<double> esperado(5, 200);
    esperado += QList<double>(28, 5);
    QCOMPARE(espera.pausas, esperado);
    QCOMPARE(fin.size(), 1);
    QCOMPARE(fin[0][0].value<Transferencia::Fin>(), Transferencia::Enviado);
    QVERIFY(!t.Ocupado());
}

void TstTransferencia::porcentajes_data() {
    QTest::addColumn<int>("largo");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("porcentaje");
    QTest::newRow("33 primero") << 33 << 1 << 3;
    QTest::newRow("33 el 32") << 33 << 32 << 96;
    QTest::newRow("33 ultimo") << 33 << 33 << 100;
    QTest::newRow("1000 primero") << 1000 << 1 << 0;
    QTest::newRow("14 el 7") << 14 << 7 << 50;
    QTest::newRow("8002 ultimo") << 8002 << 8002 << 100;
}

void TstTransferencia::porcentajes() {
    QFETCH(int, largo);
    QFETCH(int, pos);
    QTEST(Transferencia::Porcentaje(pos, largo), "porcentaje");
}

void TstTransferencia::falla() {
    PuertoGuion puerto;
    puerto.abierto = true;
    puerto.fallaEnEscritura = 7;
    EsperaGuion espera;
    Transferencia t(puerto, espera);
    QSignalSpy progreso(&t, &Transferencia::Progreso);
    QSignalSpy fin(&t, &Transferencia::Terminada);
    t.Iniciar(trama(33), 10, 1);
    espera.seguirTodo();
    QCOMPARE(puerto.escrito(), trama(33).left(7)); // no terminator after a failure
    QCOMPARE(progreso.size(), 8);
    QCOMPARE(fin[0][0].value<Transferencia::Fin>(), Transferencia::Fallido);

    PuertoGuion cerrado;
    Transferencia t2(cerrado, espera);
    QSignalSpy fin2(&t2, &Transferencia::Terminada);
    t2.Iniciar(trama(33), 10, 1);
    QCOMPARE(fin2.size(), 1);
    QVERIFY(cerrado.salidas.isEmpty());
}

QTEST_GUILESS_MAIN(TstTransferencia)
#include "tst_transferencia.moc"
