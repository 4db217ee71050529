#include "link/ajustes.h"
#include "link/espera.h"
#include "link/puertoserie.h"
#include "link/transferencia.h"
#include "support/ejemplo.h"
#include "support/socat.h"

#include <QSignalSpy>
#include <QTest>

using namespace brelo;

namespace {

const QByteArray Trama = ejemplo::Trama;

// Notes when each byte left, to check the pauses from the program's side, where they are made.
class PuertoCronometrado final : public Puerto {
public:
    PuertoSerie real;
    QList<qint64> momentos; // ns
    QElapsedTimer reloj;

    bool PortOpen() const override { return real.PortOpen(); }
    void Cerrar() override { real.Cerrar(); }
    bool Abrir(const QString& d, qint32 b, QString& e) override { return real.Abrir(d, b, e); }
    bool Output(const QByteArray& bytes) override {
        if (!reloj.isValid())
            reloj.start();
        momentos << reloj.nsecsElapsed();
        return real.Output(bytes);
    }
};

// A transfer through one end of a fresh socat pair.
template <class P> struct Enlace {
    ParSocat par;
    P puerto;
    EsperaReal espera;
    Transferencia t{puerto, espera};
    QSignalSpy terminada{&t, &Transferencia::Terminada};

    bool abierto() {
        Ajustes a;
        a.Puerto = par.programa();
        return par.listo() && IniciarPuerto(puerto, a).isEmpty();
    }
};

Transferencia::Fin fin(QSignalSpy& spy) {
    if (spy.isEmpty() && !spy.wait(20000))
        return Transferencia::Fin(-1);
    return spy[0][0].value<Transferencia::Fin>();
}

} // namespace

class TstSerie : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bytesExactosYPausas();
    void cancelar_data();
    void cancelar();
    void puertoInexistente();
    void cartelDesaparece();
};

void TstSerie::bytesExactosYPausas() {
    Enlace<PuertoCronometrado> e;
    QVERIFY(e.abierto());
    e.t.Iniciar(Trama, 12, 3);
    QCOMPARE(fin(e.terminada), Transferencia::Enviado);
    QCOMPARE(e.par.Leer(Trama.size()), Trama);
    const QList<qint64>& momentos = e.puerto.momentos;
    for (int k = 1; k < momentos.size(); ++k) {
        const qint64 minimo = (k <= 5 ? 12 : 3) * 1000000LL;
        QVERIFY2(
            momentos[k] - momentos[k - 1] >= minimo,
            qPrintable(
                QStringLiteral("pausa %1 de %2 ns").arg(k).arg(momentos[k] - momentos[k - 1])));
    }
}

void TstSerie::cancelar_data() {
    QTest::addColumn<int>("enviados");
    QTest::newRow("en la cabecera") << 3;
    QTest::newRow("en el cuerpo") << 20;
}

void TstSerie::cancelar() {
    QFETCH(int, enviados);
    Enlace<PuertoSerie> e;
    QVERIFY(e.abierto());
    connect(&e.t, &Transferencia::Progreso, &e.t, [&e, enviados](int pos, int, int) {
        if (pos == enviados)
            e.t.Cancelar(); // pressed while this byte goes out
    });
    e.t.Iniciar(Trama, 2, 1);
    QCOMPARE(fin(e.terminada), Transferencia::Cancelado);
    QCOMPARE(e.par.Leer(enviados + 2), Trama.left(enviados) + "\x01\x01");
}

void TstSerie::puertoInexistente() {
    PuertoSerie puerto;
    Ajustes a;
    a.Puerto = QStringLiteral("/dev/brelo-no-existe");
    QVERIFY(!IniciarPuerto(puerto, a).isEmpty());
    EsperaReal espera;
    Transferencia t(puerto, espera);
    QSignalSpy progreso(&t, &Transferencia::Progreso);
    QSignalSpy terminada(&t, &Transferencia::Terminada);
    t.Iniciar(Trama, 2, 1);
    QCOMPARE(fin(terminada), Transferencia::Fallido);
    QCOMPARE(progreso.size(), 1); // the first byte fails
}

void TstSerie::cartelDesaparece() {
    Enlace<PuertoSerie> e;
    QVERIFY(e.abierto());
    connect(&e.t, &Transferencia::Progreso, &e.t, [&e](int pos, int, int) {
        if (pos == 10)
            e.par.Terminar();
    });
    QSignalSpy progreso(&e.t, &Transferencia::Progreso);
    e.t.Iniciar(Trama, 1, 1);
    QCOMPARE(fin(e.terminada), Transferencia::Fallido);
    QVERIFY(progreso.size() < Trama.size());
}

QTEST_GUILESS_MAIN(TstSerie)
#include "tst_serie.moc"
