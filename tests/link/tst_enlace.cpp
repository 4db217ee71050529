// The sign's outside world: the settings store, the options dialog, the port set-up, and
// real transfers over a pseudo-terminal pair.

#include "link/ajustes.h"
#include "link/frmOpciones.h"
#include "link/puertoserie.h"
#include "link/puertotcp.h"
#include "link/reloj.h"
#include "link/transferencia.h"
#include "protocol/frmSend.h"
#include "support/adaptador.h"
#include "support/banco.h"
#include "support/pty.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using namespace brelo;

namespace {
QSettings almacen() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelo2", "Brelo2");
}

// The real port, with the moment each byte went in and came out; antes(n) runs on the
// transfer's thread before the nth write.
struct PuertoMedido final : Puerto {
    PuertoSerie real;
    RelojReal reloj;
    std::function<void(int)> antes;
    QList<qint64> entradas, salidas;

    bool PortOpen() const override { return real.PortOpen(); }
    void Cerrar() override { real.Cerrar(); }
    bool Abrir(const QString& d, qint32 b, QString& e) override { return real.Abrir(d, b, e); }
    void Renovar() override { real.Renovar(); }
    bool Output(const QByteArray& bytes, const std::function<bool()>& seguir) override {
        antes(int(entradas.size()) + 1);
        entradas << reloj.Ahora();
        const bool bien = real.Output(bytes, seguir);
        salidas << reloj.Ahora();
        return bien;
    }
};

} // namespace

class TstEnlace : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { AjustesDePrueba(); }

    // Aceptar saves all five as typed and reopens the port; Cancelar and Escape change
    // nothing and the store stays unwritten; a port that fails shows Error #03 and panel 1
    // keeps its text.
    void opciones_data() {
        QTest::addColumn<int>("como"); // 0 Aceptar, 1 Cancelar, 2 Enter in a list
        QTest::addColumn<bool>("falla");
        QTest::newRow("Aceptar") << 0 << false;
        QTest::newRow("Cancelar") << 1 << false;
        QTest::newRow("Aceptar con puerto que falla") << 0 << true;
        QTest::newRow("Intro en una lista") << 2 << false;
    }
    void opciones() {
        QFETCH(int, como);
        QFETCH(bool, falla);
        almacen().setValue("COM/RTS", "true"); // as a hand-edited store may hold it
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
            if (como == 2)
                QTest::keyClick(d->cboChar->lineEdit(), Qt::Key_Return);
            else
                (como == 0 ? d->cmdOK : d->Command2)->click();
        });
        b.v.Opciones_Click();
        const Ajustes a = LeerAjustes();
        como %= 2; // Enter does what Aceptar does
        QCOMPARE(QStringList({a.Puerto, a.Baud, a.DY1, a.DY2, a.RTS ? "RTS" : "-"}).join(' '),
                 QString(como ? "2 9600 200 05 RTS" : "/dev/ttyUSB0 19200 1 5 -"));
        QCOMPARE(almacen().contains("COM/Port"), como == 0);
        QCOMPARE(b.p.puerto.aperturas.join(' '),
                 QString(como ? "/dev/ttyS1@9600" : "/dev/ttyS1@9600 /dev/ttyUSB0@19200"));
        QCOMPARE(b.panel(1), QString(como || falla ? "COM2: 9600" : "COM/dev/ttyUSB0: 19200"));
        QCOMPARE(b.p.cajas.value(0).section('|', 2),
                 QString(falla ? "/dev/ttyUSB0: no existe" : ""));
    }

    // Every byte reaches the sign and no pause, counted from the moment its byte left, is
    // shorter than its delay. Cancel while a byte goes out: the terminator follows it. A full
    // line only slows the transfer down; a cancel gives its write up, and the terminator's
    // after a second. A vanished line or a missing device fails the transfer instead of
    // hanging it, and the next transfer opens the line again.
    void serie_data() {
        QTest::addColumn<int>("como");
        QTest::addColumn<int>("en"); // the byte at which it happens
        QTest::newRow("entera") << 0 << 0;
        QTest::newRow("cancelar en la cabecera") << 0 << 3;
        QTest::newRow("cancelar en el cuerpo") << 0 << 20;
        QTest::newRow("linea llena que se vacia") << 1 << 0;
        QTest::newRow("linea llena y cancelar") << 1 << 1;
        QTest::newRow("el cartel desaparece y vuelve") << 2 << 10;
        QTest::newRow("no existe") << 3 << 0;
        QTest::newRow("en uso") << 4 << 0;
    }
    void serie() {
        QFETCH(int, como);
        QFETCH(int, en);
        ParPty par;
        QVERIFY(par.listo());
        const QByteArray lleno = como == 1 ? par.Llenar() : QByteArray();
        QCOMPARE(lleno.isEmpty(), como != 1);
        PuertoMedido puerto;
        RelojReal reloj;
        Transferencia t(puerto, reloj);
        QSignalSpy terminada(&t, &Transferencia::Terminada);
        const auto detenidas = Contar(&t, &Transferencia::Detenida);
        Ajustes a;
        a.Puerto = como == 3 ? "/dev/brelo-no-existe" : par.programa();
        a.Baud = "19200";
        PuertoSerie otro; // another program holding the port
        if (como == 4)
            QCOMPARE(IniciarPuerto(otro, a), QString());
        const QString motivos[] = {"", "", "", a.Puerto + ": no existe",
                                   a.Puerto + ": esta en uso"};
        QCOMPARE(IniciarPuerto(puerto, a), motivos[como]);
        if (como < 3)
            QCOMPARE(par.Modo(), QString("19200 8N1"));
        puerto.antes = [&](int n) {
            if (n == en && como != 2)
                t.Cancelar();
            if (n == en && como == 2)
                par.Terminar();
        };
        const QByteArray llega = como == 1 && en ? lleno
                                 : en && !como   ? TramaEjemplo.left(en) + "\x01\x01"
                                                 : lleno + TramaEjemplo;
        t.Iniciar(TramaEjemplo, 12, 3);
        if (como == 1 && !en) { // the line stays full until the transfer has waited a second
            QTRY_VERIFY_WITH_TIMEOUT(*detenidas > 0, 20000);
            QCOMPARE(par.Leer(llega.size()), llega);
        }
        if (terminada.isEmpty())
            QVERIFY(terminada.wait(20000));
        const Transferencia::Fin fines[] = {en ? Transferencia::Cancelado : Transferencia::Enviado,
                                            en ? Transferencia::Fallido : Transferencia::Enviado,
                                            Transferencia::Fallido, Transferencia::Fallido,
                                            Transferencia::Fallido};
        QCOMPARE(terminada[0][0].value<Transferencia::Fin>(), fines[como]);
        if (como == 2) { // plugged in again: the next transfer reopens the line and works
            par.Renovar();
            t.Iniciar(TramaEjemplo, 0, 0);
            QVERIFY(terminada.wait(20000));
            QCOMPARE(terminada[1][0].value<Transferencia::Fin>(), Transferencia::Enviado);
        }
        if (como < 3)
            QCOMPARE(par.Leer(llega.size()), llega);
        for (int k = 1; !como && k < puerto.entradas.size(); ++k)
            QVERIFY2(puerto.entradas[k] - puerto.salidas[k - 1] >= (k <= 5 ? 12 : 3) * 1000000LL,
                     qPrintable(QString("pausa %1").arg(k)));
    }

    // An adapter at tcp://HOST:PORT: the exact bytes, paced by the clock as on a serial line,
    // over a connection made for the transfer; a refused connection, an unknown host and an
    // adapter that never answers at start-up; a connection the adapter drops fails the
    // transfer, and the next connects again.
    void adaptador_data() {
        QTest::addColumn<int>("como");
        QTest::newRow("entera, en mayusculas") << 0;
        QTest::newRow("se corta y vuelve") << 1;
        QTest::newRow("rechazada") << 2;
        QTest::newRow("equipo desconocido") << 3;
        QTest::newRow("no responde") << 4;
    }
    void adaptador() {
        QFETCH(int, como);
        Adaptador adaptador;
        // Its queue of connections is full and nothing takes them: a new one hangs.
        QTcpServer mudo;
        mudo.setListenBacklogSize(0);
        QVERIFY(mudo.listen(QHostAddress::LocalHost));
        mudo.pauseAccepting();
        QTcpSocket enCola;
        enCola.connectToHost(QHostAddress::LocalHost, mudo.serverPort());
        QVERIFY(enCola.waitForConnected());
        LineaCartel linea;
        RelojGuion reloj;
        Transferencia t(linea, reloj);
        QSignalSpy terminada(&t, &Transferencia::Terminada);
        Ajustes a;
        // Nothing listens on the highest port: outgoing connections never take it.
        a.Puerto = QStringList{adaptador.direccion().toUpper(), adaptador.direccion(),
                               "tcp://127.0.0.1:65535", "tcp://cartel.invalid:4001",
                               "tcp://127.0.0.1:" + QString::number(mudo.serverPort())}[como];
        const QString motivos[] = {"", "", a.Puerto + ": el adaptador rechazo la conexion",
                                   a.Puerto + ": no se encontro el equipo",
                                   a.Puerto + ": el adaptador no responde"};
        QCOMPARE(IniciarPuerto(linea, a), motivos[como]);
        QCOMPARE(TextoLinea(a), a.Puerto.mid(6));
        const auto fin = [&terminada] { return !terminada.isEmpty(); };
        for (int vez = 0; vez < (como == 1 ? 2 : como == 0); ++vez) {
            terminada.clear();
            t.Iniciar(TramaEjemplo, 12, 3);
            for (int n = 1; reloj.parado(fin); ++n, reloj.soltar())
                if (como == 1 && vez == 0 && n == 3)
                    adaptador.Cortar();
            QVERIFY(fin() || terminada.wait(10000));
            QCOMPARE(terminada[0][0].value<Transferencia::Fin>(),
                     como == 1 && vez == 0 ? Transferencia::Fallido : Transferencia::Enviado);
        }
        if (como >= 2)
            return;
        const QByteArray llega = adaptador.Leer(TramaEjemplo.size() + (como ? 3 : 0));
        QCOMPARE(llega, como ? TramaEjemplo.left(3) + TramaEjemplo : TramaEjemplo);
        QCOMPARE(adaptador.conexiones(), como ? 3 : 2); // the check, then one per transfer
        QCOMPARE(reloj.pausas.mid(reloj.pausas.size() - 33),
                 QList<double>(5, 12) + QList<double>(28, 3));
    }

    // A line that holds a write up for three seconds in each of two transfers: the operator
    // is told once a transfer, and every byte goes out once the line takes it.
    void detenida() {
        Banco b;
        b.p.puerto.retener = {2, 40};
        b.p.puerto.vueltas = 30;
        b.p.puerto.alPreguntar = [&b] { b.p.reloj.adelantar(100); };
        Transferencia t(b.p.puerto, b.p.reloj);
        const auto detenidas = Contar(&t, &Transferencia::Detenida);
        QSignalSpy terminada(&t, &Transferencia::Terminada);
        for (int vez = 1; vez <= 2; ++vez) {
            t.Iniciar(TramaEjemplo, 0, 0);
            while (b.p.reloj.parado([&] { return terminada.size() == vez; }))
                b.p.reloj.soltar();
            QCOMPARE(*detenidas, vez);
        }
        QCOMPARE(b.p.puerto.escrito(), TramaEjemplo + TramaEjemplo);
    }

    // In the window, Escape while the line holds a write up is handled at once; the
    // terminator follows as soon as the line takes it.
    void cancelarConLineaLlena() {
        Banco b;
        ParPty par;
        const QByteArray lleno = par.Llenar();
        PuertoSerie puerto;
        RelojReal reloj;
        b.p.linea = &puerto;
        b.p.tiempo = &reloj;
        b.v.ajustes().Puerto = par.programa();
        b.v.Inicio_COMM();
        b.abrir("m.mn2", ArchivoEjemplo);
        frmSend d(b.v);
        d.show();
        const auto detenidas = Contar(d.findChild<Transferencia*>(), &Transferencia::Detenida);
        d.cmdOK->click();
        QTRY_VERIFY_WITH_TIMEOUT(*detenidas > 0, 20000);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(d.Cancelado);
        QByteArray llega = par.Leer(lleno.size() + 2);
        QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 20000);
        llega = par.Leer(0);
        // The held-up byte went out too if the line took it before the cancel was seen.
        QCOMPARE(llega.mid(lleno.size()).replace("W", ""), QByteArray("\x01\x01"));
        QCOMPARE(d.StatusBar1->text(), QString("Mensaje Cancelado..."));
    }
};

QTEST_MAIN(TstEnlace)
#include "tst_enlace.moc"
