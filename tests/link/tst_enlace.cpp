// The sign's outside world: the settings store, the options dialog, the port set-up, and
// real transfers over a socat pseudo-terminal pair.

#include "link/ajustes.h"
#include "link/frmOpciones.h"
#include "link/puertoserie.h"
#include "link/transferencia.h"
#include "support/banco.h"
#include "support/socat.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using namespace brelo;

namespace {
QSettings almacen() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelo2", "Brelo2");
}

} // namespace

class TstEnlace : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { AjustesDePrueba(); }

    // Aceptar saves all five as typed and reopens the port; Cancelar and Escape change
    // nothing and the store stays unwritten; a port that fails shows Error #03 and panel 1
    // keeps its text.
    void opciones_data() {
        QTest::addColumn<int>("como"); // 0 Aceptar, 1 Cancelar
        QTest::addColumn<bool>("falla");
        QTest::newRow("Aceptar") << 0 << false;
        QTest::newRow("Cancelar") << 1 << false;
        QTest::newRow("Aceptar con puerto que falla") << 0 << true;
    }
    void opciones() {
        QFETCH(int, como);
        QFETCH(bool, falla);
        Banco b;
        b.p.puerto.abrirFalla = falla;
        QTimer::singleShot(0, this, [como] {
            auto* d = static_cast<frmOpciones*>(QApplication::activeModalWidget());
            QTest::keyClick(d->cboBaud, Qt::Key_Down); // from the entry shown: 9600, then 19200
            QVERIFY(QTest::qWaitForWindowActive(d));
            for (QComboBox* c : {d->cboPort, d->cboWNT, d->cboChar}) {
                c->setFocus(); // completion, where there is any, happens in the focused box
                c->lineEdit()->selectAll();
                QTest::keyClicks(c, c == d->cboPort ? "/dev/ttyUSB0" : c == d->cboWNT ? "1" : "5");
            }
            d->chkRTS->click();
            (como == 0 ? d->cmdOK : d->Command2)->click();
        });
        b.v.Opciones_Click();
        const Ajustes a = LeerAjustes();
        QCOMPARE(QStringList({a.Puerto, a.Baud, a.DY1, a.DY2, a.RTS ? "RTS" : "-"}).join(' '),
                 QString(como ? "2 9600 200 05 -" : "/dev/ttyUSB0 19200 1 5 RTS"));
        QCOMPARE(QFile::exists(almacen().fileName()), como == 0);
        QCOMPARE(b.p.puerto.aperturas.join(' '),
                 QString(como ? "/dev/ttyS1@9600" : "/dev/ttyS1@9600 /dev/ttyUSB0@19200"));
        QCOMPARE(b.panel(1), QString(como || falla ? "COM2: 9600" : "COM/dev/ttyUSB0: 19200"));
        QCOMPARE(b.p.cajas.value(0).section('|', 2),
                 QString(falla ? "/dev/ttyUSB0: no existe" : ""));
    }

    // Every byte reaches the sign and no pause is shorter than its delay. Cancel while a byte
    // goes out: the terminator follows it. A vanished line or a missing device fails the
    // transfer instead of hanging it.
    void serie_data() {
        QTest::addColumn<int>("en");
        QTest::addColumn<int>("como"); // 0 cancel, 1 the sign's end vanishes, 2 no device, 3 busy
        QTest::newRow("entera") << 0 << 0;
        QTest::newRow("cancelar en la cabecera") << 3 << 0;
        QTest::newRow("cancelar en el cuerpo") << 20 << 0;
        QTest::newRow("el cartel desaparece") << 10 << 1;
        QTest::newRow("no existe") << 1 << 2;
        QTest::newRow("en uso") << 1 << 3;
    }
    void serie() {
        QFETCH(int, en);
        QFETCH(int, como);
        ParSocat par;
        QVERIFY(par.listo());
        PuertoSerie puerto;
        EsperaReal espera;
        Transferencia t(puerto, espera);
        QSignalSpy terminada(&t, &Transferencia::Terminada);
        Ajustes a;
        a.Puerto = como == 2 ? "/dev/brelo-no-existe" : par.programa();
        PuertoSerie otro; // another program holding the port
        if (como == 3)
            QCOMPARE(IniciarPuerto(otro, a), QString());
        const QString motivos[] = {"", "", a.Puerto + ": no existe", a.Puerto + ": esta en uso"};
        QCOMPARE(IniciarPuerto(puerto, a), motivos[como]);
        QElapsedTimer reloj;
        QList<qint64> momentos; // when each byte was about to go out, ns
        connect(&t, &Transferencia::Progreso, &t, [&](int pos, int, int) {
            momentos << reloj.nsecsElapsed();
            if (pos == en && como == 0)
                t.Cancelar();
            if (pos == en && como == 1)
                par.Terminar();
        });
        reloj.start();
        t.Iniciar(TramaEjemplo, 12, 3);
        if (terminada.isEmpty())
            QVERIFY(terminada.wait(20000));
        QCOMPARE(terminada[0][0].value<Transferencia::Fin>(), como ? Transferencia::Fallido
                                                              : en ? Transferencia::Cancelado
                                                                   : Transferencia::Enviado);
        const QByteArray llega = en ? TramaEjemplo.left(en) + "\x01\x01" : TramaEjemplo;
        if (como == 0)
            QCOMPARE(par.Leer(llega.size()), llega);
        for (int k = 1; k < momentos.size(); ++k)
            QVERIFY2(momentos[k] - momentos[k - 1] >= (k <= 5 ? 12 : 3) * 1000000LL,
                     qPrintable(QString("pausa %1").arg(k)));
    }
};

QTEST_MAIN(TstEnlace)
#include "tst_enlace.moc"
