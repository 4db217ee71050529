// The sign's outside world: the settings store, the options dialog, the port set-up, and
// real transfers over a pseudo-terminal pair.

#include "link/ajustes.h"
#include "link/motivos.h"
#include "link/parada.h"
#include "link/puertoserie.h"
#include "link/puertotcp.h"
#include "link/reloj.h"
#include "link/transferencia.h"
#include "support/adaptador.h"
#include "support/banco.h"
#include "support/pty.h"
#include "ui/dialogs/frmOpciones.h"
#include "ui/dialogs/frmSend.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <csignal>

using namespace brelo;

namespace {
QSettings almacen() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelo2", "Brelo2");
}

// The window on a real line and the real clock, with the example message open; an adapter's
// name and its 3 s are the test's.
struct BancoReal : Banco {
    ResolutorGuion resolutor;
    RelojGuion plazos;
    LineaCartel linea{resolutor, plazos};
    RelojReal reloj;
    explicit BancoReal(const QString& puerto) {
        p.linea = &linea;
        p.tiempo = &reloj;
        v.ajustes().Puerto = puerto;
        v.ajustes().DY1 = v.ajustes().DY2 = "0";
        v.Inicio_COMM();
        abrir("m.mn2", ArchivoEjemplo);
    }
    // The line and the clock go before the window they were lent to: it gets its scripted
    // ones back first, and the line no longer calls it.
    ~BancoReal() {
        linea.AlComprobar({});
        p.linea = nullptr;
        p.tiempo = nullptr;
    }
    // Enviar, durante() once it has started; the dialog's last status text.
    QString enviar(const std::function<void(frmSend&)>& durante = [](frmSend&) {}) {
        frmSend d(v);
        d.show();
        d.cmdOK->click();
        durante(d);
        return QTest::qWaitFor([&d] { return !d.isVisible(); }, 20000) ? d.StatusBar1->text()
                                                                       : "<sigue abierto>";
    }
};

} // namespace

class TstEnlace : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The words an operator reads for a system's refusal, of a file or port and of a line
    // already open.
    void motivos_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("archivoOPuerto");
        QTest::addColumn<QString>("linea");
        const QString fuera = "el dispositivo se desconecto";
        QTest::newRow("no existe") << ENOENT << "no existe"
                                   << "no existe";
        QTest::newRow("permiso") << EACCES << "permiso denegado"
                                 << "permiso denegado";
        QTest::newRow("en uso") << EBUSY << "esta en uso"
                                << "esta en uso";
        QTest::newRow("desconectado") << ENODEV << fuera << fuera;
        QTest::newRow("no responde") << ETIMEDOUT << "el dispositivo no responde"
                                     << "el dispositivo no responde";
        QTest::newRow("error de la linea") << EIO << "error del sistema (x)" << fuera;
        QTest::newRow("tuberia rota") << EPIPE << "error del sistema (x)" << fuera;
        QTest::newRow("sin dispositivo") << ENXIO << "error del sistema (x)" << fuera;
        QTest::newRow("cerrado") << EBADF << "error del sistema (x)"
                                 << "el puerto no esta abierto";
    }
    void motivos() {
        QFETCH(int, codigo);
        QFETCH(QString, archivoOPuerto);
        QFETCH(QString, linea);
        QCOMPARE(Motivo(codigo, "x"), archivoOPuerto);
        QCOMPARE(MotivoLinea(codigo), linea);
    }

    void init() {
        AjustesDePrueba();
        Adaptador::Loopback(true); // a new namespace starts with it down
    }

    // Aceptar saves all five as typed and reopens the port; Cancelar and Escape change
    // nothing and the store stays unwritten; when the port fails, panel 1 keeps its text.
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
        QCOMPARE(b.panel(1), QString(como || falla ? "COM2: 9600" : "/dev/ttyUSB0: 19200"));
    }

    // Every byte reaches the sign, on a line set up as the sign wants it. Cancel while a byte
    // goes out: the terminator follows it. A full line only slows the transfer down; a cancel
    // gives its write up, and the terminator's after a second. A busy device is refused with
    // the reason.
    void serie_data() {
        QTest::addColumn<int>("como");
        QTest::addColumn<int>("en"); // the byte at which it happens
        QTest::newRow("entera") << 0 << 0;
        QTest::newRow("cancelar en la cabecera") << 0 << 3;
        QTest::newRow("cancelar en el cuerpo") << 0 << 20;
        QTest::newRow("linea llena que se vacia") << 1 << 0;
        QTest::newRow("linea llena y cancelar") << 1 << 1;
        QTest::newRow("en uso") << 4 << 0;
    }
    void serie() {
        QFETCH(int, como);
        QFETCH(int, en);
        ParPty par;
        const QByteArray lleno = como == 1 ? par.Llenar() : QByteArray();
        PuertoSerie puerto;
        RelojReal reloj;
        Transferencia t(puerto, reloj);
        QSignalSpy terminada(&t, &Transferencia::Terminada);
        const auto detenidas = Contar(&t, &Transferencia::Detenida);
        Ajustes a;
        a.Puerto = par.programa();
        a.Baud = "19200";
        PuertoSerie otro; // another program holding the port
        if (como == 4)
            QCOMPARE(IniciarPuerto(otro, a), QString());
        QCOMPARE(IniciarPuerto(puerto, a), como == 4 ? a.Puerto + ": esta en uso" : "");
        QCOMPARE(par.Modo(), QString("19200 8N1"));
        const auto antes = [&](int porcentaje) { // before byte en
            if (en && porcentaje == Transferencia::Porcentaje(en, int(TramaEjemplo.size())))
                t.Cancelar();
        };
        connect(&t, &Transferencia::Progreso, &t, antes, Qt::DirectConnection);
        const QByteArray llega = como == 1 && en ? lleno
                                 : en && !como   ? TramaEjemplo.left(en) + "\x01\x01"
                                                 : lleno + TramaEjemplo;
        t.Iniciar(TramaEjemplo, 12, 3);
        if (como == 1 && !en) { // the line stays full until the transfer has waited a second
            QTRY_VERIFY_WITH_TIMEOUT(*detenidas > 0, 20000);
            QCOMPARE(par.Leer(llega.size()), llega);
        }
        QVERIFY(!terminada.isEmpty() || terminada.wait(20000));
        QCOMPARE(terminada[0][0].value<Transferencia::Fin>(), !como && en ? Transferencia::Cancelado
                                                              : !en && como <= 1
                                                                  ? Transferencia::Enviado
                                                                  : Transferencia::Fallido);
        if (como < 4)
            QCOMPARE(par.Leer(llega.size()), llega);
    }

    // An adapter at tcp://HOST:PORT: the exact bytes, paced by the clock as on a serial line,
    // over a connection made for the transfer; a refused connection, an unknown host, an
    // adapter that never answers, a bad scope, an unknown interface number and an address of
    // one link without its interface (typed, or given by a name) at start-up; a connection
    // the adapter drops fails the transfer, and the next connects again. A transfer is over
    // only once the adapter has acknowledged every byte: a network that goes down
    // mid-transfer fails it once the adapter has answered nothing for 18 s. (brelo-cli's tests
    // wait for a slow adapter.)
    void adaptador_data() {
        QTest::addColumn<int>("como");
        QTest::newRow("entera, en mayusculas") << 0;
        QTest::newRow("se corta y vuelve") << 1;
        QTest::newRow("rechazada") << 2;
        QTest::newRow("equipo desconocido") << 3;
        QTest::newRow("no responde") << 4;
        QTest::newRow("IPv6 con ambito") << 5;
        QTest::newRow("interfaz desconocida") << 6;
        QTest::newRow("se cae la red") << 7;
        QTest::newRow("enlace local sin interfaz") << 8;
        QTest::newRow("nombre de enlace local") << 9;
        QTest::newRow("interfaz 99") << 10;
    }
    void adaptador() {
        QFETCH(int, como);
        if (como == 7 && !Adaptador::Loopback(true))
            QSKIP("takes the loopback down: only in the network namespace ctest gives it");
        Adaptador adaptador, adaptador6(0, 0, QHostAddress::LocalHostIPv6);
        AdaptadorMudo mudo;
        ResolutorGuion resolutor;
        RelojGuion reloj;
        LineaCartel linea(resolutor, reloj);
        Transferencia t(linea, reloj);
        QSignalSpy terminada(&t, &Transferencia::Terminada);
        Ajustes a;
        // Nothing listens on the highest port: outgoing connections never take it.
        // clang-format off
        a.Puerto = QStringList{adaptador.direccion().toUpper(), adaptador.direccion(), "tcp://127.0.0.1:65535", "tcp://cartel.invalid:4001",
                               mudo.direccion(), adaptador6.direccion().replace("]", "%25lo]"), "tcp://[fe80::1%eth9]:4001", adaptador.direccion(),
                               "tcp://[FE80::1]:4001", "tcp://enlace.example:4001", "tcp://[fe80::1%99]:4001"}[como];
        const QString motivo = QStringList{"", "", "el adaptador rechazo la conexion", "no se encontro el equipo", "el adaptador no responde", "",
                                           "interfaz de red desconocida: eth9", "",
                                           "a la direccion FE80::1 le falta la interfaz de red: se escribe [FE80::1%eth0], con la interfaz por la que se llega al adaptador",
                                           "a la direccion fe80::1 le falta la interfaz de red: se escribe [fe80::1%eth0], con la interfaz por la que se llega al adaptador",
                                           "interfaz de red desconocida: 99"}[como];
        // clang-format on
        reloj.porLectura = como == 4 ? 1000000000 : 0; // a second at every look at the clock
        QCOMPARE(Iniciar(linea, a), motivo.isEmpty() ? motivo : a.Puerto + ": " + motivo);
        QCOMPARE(DestinoDe("tcp://[fe80::1%lo]:1")->host, "fe80::1%1"); // lo is the first
        QCOMPARE(DestinoDe("tcp://[fe8::1]:1")->host, "fe8::1");        // not of one link
        const auto fin = [&terminada] { return !terminada.isEmpty(); };
        QTcpSocket sonda; // sent with the transfer, so the test sees the system resend it
        if (como == 7) {
            sonda.connectToHost(QHostAddress::LocalHost, adaptador.puerto());
            QVERIFY(sonda.waitForConnected());
        }
        for (int vez = 0; vez < (como == 1 ? 2 : como == 0 || como == 7); ++vez) {
            terminada.clear();
            t.Iniciar(TramaEjemplo, 12, 3);
            for (int n = 1; reloj.parado(fin); ++n, reloj.soltar()) {
                if (como == 1 && vez == 0 && n == 3)
                    adaptador.Cortar();
                if (como == 7 && n == 10) { // the rest goes out, never to be answered
                    QVERIFY(Adaptador::Loopback(false));
                    reloj.libre = true;
                    reloj.soltar();
                    sonda.write("x");
                    QTRY_VERIFY_WITH_TIMEOUT(Adaptador::Retransmite(sonda), 10000);
                    int paso = 0;
                    for (; paso < 30 && !fin(); ++paso) { // 5 s at a time
                        reloj.Avanzar(5000000000);
                        const int vistas = reloj.lecturas;
                        QTRY_VERIFY(reloj.lecturas > vistas + 2 || fin());
                    }
                    // Given up once 18 s have gone by without an answer, not before.
                    QVERIFY2(paso >= 3 && paso <= 5, qPrintable(QString::number(paso)));
                }
            }
            QVERIFY(fin() || terminada.wait(10000));
            const QString motivo = como == 7               ? "el adaptador no responde"
                                   : como == 1 && vez == 0 ? "el adaptador corto la conexion"
                                                           : "";
            QCOMPARE(terminada[0][0].value<Transferencia::Fin>(),
                     motivo.isEmpty() ? Transferencia::Enviado : Transferencia::Fallido);
            QCOMPARE(t.Motivo(), motivo);
        }
        if (como >= 2)
            return;
        const QByteArray llega = adaptador.Leer(TramaEjemplo.size() + (como ? 3 : 0));
        QCOMPARE(llega, como ? TramaEjemplo.left(3) + TramaEjemplo : TramaEjemplo);
        QCOMPARE(adaptador.conexiones(), como ? 3 : 2); // the check, then one per transfer
        QCOMPARE(reloj.pausas.mid(reloj.pausas.size() - 33),
                 QList<double>(5, 12) + QList<double>(28, 3));
    }

    // An adapter as slow as a 1200-baud sign behind a 1 KiB buffer, or slower: its reader
    // stops and goes on as the test says, and the transfer's clock moves only as the test
    // moves it. One that takes some bytes every 50 s is waited for to the end; one that
    // answers but takes nothing for a minute is given up, with that reason.
    void adaptadorLento() {
        for (const int segundos : {50, 61}) {
            AdaptadorRetenido adaptador(1024);
            ResolutorGuion resolutor;
            RelojGuion reloj;
            reloj.libre = true;
            LineaCartel linea(resolutor, reloj);
            Transferencia t(linea, reloj);
            QSignalSpy terminada(&t, &Transferencia::Terminada);
            Ajustes a;
            a.Puerto = adaptador.direccion();
            QCOMPARE(Iniciar(linea, a), QString());
            const QByteArray trama = Hex("572D4E5439DF 90") + QByteArray(7994, 'a') + Hex("0101");
            t.Iniciar(trama, 0, 0);
            const auto mirado = [&] { // the transfer has looked at the adapter since
                const int vistas = reloj.lecturas;
                QTRY_VERIFY(reloj.lecturas > vistas + 2 || !terminada.isEmpty());
            };
            for (int vuelta = 0; terminada.isEmpty() && vuelta < 100; ++vuelta) {
                reloj.Avanzar(qint64(segundos) * 1000000000);
                mirado();
                if (segundos < 60) { // some bytes taken, and seen taken
                    adaptador.Leer();
                    mirado();
                }
            }
            QVERIFY(!terminada.isEmpty() || terminada.wait(10000));
            QCOMPARE(terminada[0][0].value<Transferencia::Fin>(),
                     segundos < 60 ? Transferencia::Enviado : Transferencia::Fallido);
            QCOMPARE(t.Motivo(), segundos < 60 ? "" : "el adaptador no acepta datos");
            if (segundos < 60)
                QCOMPARE(adaptador.Leer(), trama);
        }
    }

    // A cancel while an adapter takes nothing: the bytes waited here, as on a full serial line,
    // so the sign gets the terminator right after what it had room for, not after everything
    // the pauses had let pile up.
    void cancelarAdaptadorLento() {
        AdaptadorRetenido adaptador(1024);
        ResolutorGuion resolutor;
        RelojGuion reloj;
        reloj.libre = true;
        LineaCartel linea(resolutor, reloj);
        Transferencia t(linea, reloj);
        QSignalSpy terminada(&t, &Transferencia::Terminada);
        const auto detenidas = Contar(&t, &Transferencia::Detenida);
        Ajustes a;
        a.Puerto = adaptador.direccion();
        QCOMPARE(Iniciar(linea, a), QString());
        reloj.porLectura = 10000000; // 10 ms at every look: the held write is said at 1 s
        t.Iniciar(Hex("572D4E5439DF 90") + QByteArray(7994, 'a') + Hex("0101"), 0, 0);
        QTRY_VERIFY_WITH_TIMEOUT(*detenidas > 0, 20000);
        t.Cancelar();
        QByteArray llegado;
        while (terminada.isEmpty() && !llegado.endsWith("\x01\x01"))
            QTRY_VERIFY((llegado = adaptador.Leer()).size() > 0);
        QVERIFY(terminada.wait(20000));
        QCOMPARE(terminada[0][0].value<Transferencia::Fin>(), Transferencia::Cancelado);
        QVERIFY2(llegado.size() < 4096, QByteArray::number(llegado.size()).constData());
        QVERIFY(llegado.startsWith("W-NT9\xDF\x90"
                                   "aaaa") &&
                llegado.endsWith("a\x01\x01"));
    }

    // The transfer's own connection is made before its stream: a stopping signal while it is
    // being made sends nothing at all, there being nothing to end; an adapter slow to take it
    // is not a line that holds bytes up, and fails the send after 3 s.
    void conexionLenta() {
        for (const bool parar : {true, false}) {
            Adaptador adaptador(0, 0, QHostAddress::LocalHost, 0);
            ResolutorGuion resolutor;
            RelojGuion reloj;
            reloj.libre = true;
            LineaCartel linea(resolutor, reloj);
            Transferencia t(linea, reloj);
            QSignalSpy terminada(&t, &Transferencia::Terminada);
            const auto detenidas = Contar(&t, &Transferencia::Detenida);
            Ajustes a;
            a.Puerto = adaptador.direccion();
            QCOMPARE(Iniciar(linea, a), QString()); // the check found it
            adaptador.Enmudecer();
            const Parada parada;
            reloj.porLectura = parar ? 0 : 100000000;
            t.Iniciar(TramaEjemplo, 12, 3);
            if (parar)
                ::kill(::getpid(), SIGTERM);
            QVERIFY(terminada.wait(20000));
            QCOMPARE(terminada[0][0].value<Transferencia::Fin>(),
                     parar ? Transferencia::Cancelado : Transferencia::Fallido);
            QCOMPARE(t.Motivo(), parar ? "" : "el adaptador no responde");
            QCOMPARE(*detenidas, 0);
            QCOMPARE(adaptador.Leer(0), QByteArray()); // not even the terminator
        }
    }

    // A stopping signal cancels a transfer itself, with no event loop running: the byte in
    // flight and its pause, then the terminator.
    void senal() {
        PuertoGuion puerto;
        puerto.abierto = true;
        RelojGuion reloj;
        Transferencia t(puerto, reloj);
        QSignalSpy terminada(&t, &Transferencia::Terminada);
        const Parada parada;
        t.Iniciar(TramaEjemplo, 12, 3);
        for (int byte = 1; byte <= 3; ++byte) { // parked in the pause after each
            QVERIFY(reloj.parado([] { return false; }));
            if (byte < 3)
                reloj.soltar();
        }
        ::kill(::getpid(), SIGTERM);
        reloj.soltar(); // the third byte's pause ends: the signal is seen
        QVERIFY(terminada.wait(10000));
        QCOMPARE(puerto.escrito(), TramaEjemplo.left(3) + "\x01\x01");
    }

    // A line that goes while a message is sent: Error #22, and the reason in a box. While it
    // is away the next send gives the Error #03 box with its reason; once it is back, the
    // next send opens it afresh and goes through.
    void cableDesconectado() {
        ParPty par;
        BancoReal b(par.programa());
        b.v.ajustes().DY1 = "300";
        const QString textos[] = {b.enviar([&](frmSend&) {
                                      QVERIFY(!par.Leer(1).isEmpty());
                                      par.Terminar(); // in the pause after the first byte
                                      b.v.ajustes().DY1 = "0";
                                  }),
                                  b.enviar(), (par.Renovar(), b.enviar())};
        QCOMPARE(QStringList(std::begin(textos), std::end(textos)).join('|'),
                 "Error #22, No se envio el Mensaje|Error #03, No se pudo iniciar el Puerto "
                 "Serie|Mensaje enviado OK!");
        QVERIFY(b.p.cajas.size() == 2 &&
                b.p.cajas[0].endsWith("\r" + par.programa() + ": el dispositivo se desconecto") &&
                b.p.cajas[1].endsWith("|" + par.programa() + ": no existe"));
        QCOMPARE(par.Leer(TramaEjemplo.size()), TramaEjemplo);
    }

    // An adapter is checked away from the window, which is there at once. One that did not
    // answer at start-up is tried again by the next send, and status panel 1 shows it once it
    // answers. A send while the adapter's name is still being looked for waits for it in its
    // dialog, where Cancelar works; a name that does not come within 3 s is an Error #03.
    void adaptadorQueVuelve() {
        BancoReal b("tcp://127.0.0.1:4001"); // nothing else listens in this namespace
        QTRY_VERIFY(!b.p.cajas.isEmpty());
        Adaptador adaptador(0, 4001);
        QCOMPARE(b.enviar(), QString("Mensaje enviado OK!"));
        QCOMPARE(b.panel(1), QString("127.0.0.1:4001"));
        b.v.ajustes().Puerto = "tcp://mudo.example:4001";
        b.v.Inicio_COMM();
        const auto escape = [](frmSend& d) { QTest::keyClick(&d, Qt::Key_Escape); };
        QCOMPARE(b.enviar(escape), QString("Mensaje Cancelado..."));
        QVERIFY(b.plazos.parado([] { return false; })); // the check waits for the name
        b.plazos.soltar();                              // and 3 s go by
        QTRY_COMPARE(b.p.cajas.size(), 2);
        b.resolutor.Responder("4001");
        QCOMPARE(b.enviar(), QString("Mensaje enviado OK!"));
        QCOMPARE(b.panel(1), QString("mudo.example:4001"));
        QCOMPARE(adaptador.Leer(2 * TramaEjemplo.size()), TramaEjemplo + TramaEjemplo);
        QVERIFY(
            b.p.cajas[0].endsWith("|tcp://127.0.0.1:4001: el adaptador rechazo la conexion") &&
            b.p.cajas[1].endsWith("|tcp://mudo.example:4001: no se encontro el equipo a tiempo"));
    }
};

QTEST_MAIN(TstEnlace)
#include "tst_enlace.moc"
