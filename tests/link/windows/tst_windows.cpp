// The link on Windows, under wine: port names, the serial line's steps on a COM port that the
// runner maps to a pseudo-terminal (BRELO_COM, its far end's bytes in the file BRELO_RECIBIDO)
// and on one it maps to a device that is no serial port (BRELO_COM_NULO),
// the timer behind the pauses, the console's stops, and the registry.

#include "link/ajustes.h"
#include "link/parada.h"
#include "link/pausa.h"
#include "link/puertoserie.h"
#include "link/reloj.h"
#include "link/transferencia.h"
#include "link/windows/consola.h"
#include "link/windows/pausa.h"
#include "link/windows/serie.h"

#include <QSettings>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <thread>

using namespace brelo;

namespace {

QByteArray recibido() {
    QFile f(qEnvironmentVariable("BRELO_RECIBIDO"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("sin archivo");
}

Transferencia::Fin transferir(Transferencia& t, const QByteArray& trama, double dy2,
                              int cancelarEn = 101) {
    QSignalSpy fin(&t, &Transferencia::Terminada);
    QObject::connect(&t, &Transferencia::Progreso, &t, [&t, cancelarEn](int porcentaje) {
        if (porcentaje >= cancelarEn)
            t.Cancelar();
    });
    t.Iniciar(trama, 2, dy2);
    if (!fin.wait(30000))
        return Transferencia::Fin::SinLinea;
    return fin.at(0).at(0).value<Transferencia::Fin>();
}

} // namespace

class TstWindows : public QObject {
    Q_OBJECT
private slots:
    void nombres_data() {
        QTest::addColumn<QString>("puerto");
        QTest::addColumn<QString>("dispositivo");
        // clang-format off
        for (const char* fila : {"COM12|COM12", "com12|COM12", "\\\\.\\COM12|COM12", "\\\\.\\com12|COM12", "12|COM12", "COM255|COM255", "COM1|COM1", "tcp://h:1|tcp://h:1",
                                 "COM0|", "0|", "COM256|", "256|", "COM3:|", "\\\\.\\NUL|", "\\\\.\\PhysicalDrive0|", "\\\\.\\C:|", "/dev/ttyUSB0|", "|", "COM 3|", "COM-1|", "LPT1|", "\\\\?\\COM3|", "3.5|"})
            QTest::newRow(fila) << QString(fila).section('|', 0, 0) << QString(fila).section('|', 1);
        // clang-format on
    }
    // What the window, the options and --puerto all go through; status panel 1 names the port
    // itself, and a refused name never reaches the system.
    void nombres() {
        QFETCH(QString, puerto);
        QFETCH(QString, dispositivo);
        QString error;
        QCOMPARE(DispositivoDe(puerto, &error), dispositivo);
        Ajustes a;
        a.Puerto = puerto;
        if (dispositivo.startsWith("COM"))
            QCOMPARE(TextoLinea(a), dispositivo + ": 9600");
        if (!dispositivo.isEmpty())
            return;
        PuertoSerie p;
        QCOMPARE(IniciarPuerto(p, a),
                 "puerto no valido: " + puerto + " (se espera COM1 a COM255, o solo el numero)");
        QVERIFY(!p.PortOpen());
    }

    // A port typed in any case, with a blank after it, opens and is set up; a device that is
    // no serial port is told apart from one missing or in use.
    void puertos_data() {
        QTest::addColumn<QString>("puerto");
        QTest::addColumn<QString>("error");
        const QString com = qEnvironmentVariable("BRELO_COM");
        QTest::newRow("pseudo-terminal") << com.toLower() + " " << QString();
        QTest::newRow("no existe") << "COM200"
                                   << "COM200: no existe";
        QTest::newRow("no es un puerto serie")
            << qEnvironmentVariable("BRELO_COM_NULO")
            << qEnvironmentVariable("BRELO_COM_NULO") +
                   ": no se pudo configurar el puerto (GetCommState: no es un puerto serie)";
    }
    void puertos() {
        QFETCH(QString, puerto);
        QFETCH(QString, error);
        PuertoSerie p;
        Ajustes a;
        a.Puerto = puerto;
        QCOMPARE(IniciarPuerto(p, a), error);
        QCOMPARE(p.PortOpen(), error.isEmpty());
        QCOMPARE(p.Lista(), error.isEmpty());
    }

    // Configured, written, waited out of the driver's queue, paced never faster than asked,
    // cancelled with the terminator: the same path as brelo.exe and brelo-cli.exe.
    void serie() {
        PuertoSerie p;
        Ajustes a;
        a.Puerto = qEnvironmentVariable("BRELO_COM");
        QCOMPARE(IniciarPuerto(p, a), QString());
        RelojReal reloj;
        Transferencia t(p, reloj);
        QByteArray trama("W-NT9");
        for (int i = 0; i < 200; ++i)
            trama += char(0x10 + i % 0xF0);
        QElapsedTimer cronometro;
        cronometro.start();
        QCOMPARE(transferir(t, trama, 2), Transferencia::Fin::Enviado);
        QVERIFY(cronometro.elapsed() >= 5 * 2 + 200 * 2);
        QTRY_COMPARE(recibido(), trama);
        QCOMPARE(transferir(t, trama, 20, 10), Transferencia::Fin::Cancelado);
        QTRY_VERIFY(recibido().endsWith("\x01\x01"));
        const QByteArray cortada = recibido().mid(trama.size());
        QVERIFY2(cortada.size() < 60 && trama.startsWith(cortada.chopped(2)), cortada.toHex());
    }

    // The driver's queue waited out; a queue that cannot be read is never taken as empty.
    void cola_data() {
        QTest::addColumn<QList<int>>("colas"); // -1: ClearCommError fails
        QTest::addColumn<int>("resultado");
        QTest::newRow("vacia") << QList<int>{0} << 0;
        QTest::newRow("se vacia") << QList<int>{3, 2, 0} << 0;
        QTest::newRow("falla") << QList<int>{-1} << EACCES;
        QTest::newRow("falla despues") << QList<int>{2, -1} << EACCES;
        QTest::newRow("retenida") << QList<int>{1, 1, 1, 1} << ECANCELED;
    }
    void cola() {
        QFETCH(QList<int>, colas);
        QFETCH(int, resultado);
        int preguntas = 0;
        const auto cola = [&colas](qint64& enCola) {
            const int n = colas.size() > 1 ? colas.takeFirst() : colas.first();
            SetLastError(ERROR_ACCESS_DENIED);
            enCola = std::max(n, 0);
            return n >= 0;
        };
        QCOMPARE(EsperarCola(cola, 100, [&preguntas] { return ++preguntas < 2; }), resultado);
    }

    // The high-resolution timer where there is one, else the ordinary one with a 1 ms period;
    // either way no pause ends before its deadline.
    void temporizador() {
        QList<DWORD> pedidos;
        const Temporizador viejo = CrearTemporizador([&pedidos](DWORD flags) -> HANDLE {
            pedidos << flags;
            return flags ? nullptr : CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        });
        QVERIFY(viejo.h && viejo.precision == Precision::Periodo1ms);
        QCOMPARE(pedidos, QList<DWORD>({2, 0}));
        CloseHandle(viejo.h);
        timeEndPeriod(1);
        const Temporizador nuevo = CrearTemporizador([](DWORD flags) {
            return CreateWaitableTimerExW(nullptr, nullptr, flags, TIMER_ALL_ACCESS);
        });
        QCOMPARE(nuevo.precision, Precision::AltaResolucion);
        CloseHandle(nuevo.h);
        RelojReal reloj;
        reloj.AlEmpezar();
        for (qint64 ns = 50000; ns < 5000000; ns += 250000) {
            const qint64 hasta = reloj.Ahora() + ns;
            reloj.DormirHasta(hasta, {});
            QVERIFY(AhoraNs() >= hasta);
        }
    }

    // Ctrl-Break as Ctrl-C; a closed console waits, within the 5 s Windows allows, for the
    // transfer to end before the program is ended.
    void consola() {
        {
            const Parada parada;
            QVERIFY(AlControlConsola(CTRL_BREAK_EVENT));
            AlControlConsola(CTRL_C_EVENT); // the first stop counts
            QCOMPARE(Parada::Estado(), 128 + SIGBREAK);
        }
        auto parada = std::make_unique<Parada>();
        std::atomic<bool> vuelto = false;
        std::thread consola([&vuelto] {
            AlControlConsola(CTRL_CLOSE_EVENT);
            vuelto = true;
        });
        QTRY_COMPARE(Parada::Senal(), 1);
        QVERIFY(!vuelto);
        parada.reset();
        consola.join();
        QCOMPARE(Parada::Estado(), 129);
    }

    // The settings under the same name and sections as on Linux, as text.
    void registro() {
        Ajustes a;
        a.Puerto = "com7";
        GuardarAjustes(a);
        const QSettings r("HKEY_CURRENT_USER\\Software\\Brelo2\\Brelo2", QSettings::NativeFormat);
        QCOMPARE(r.value("COM/Port").toString() + r.value("COM/RTS").toString(), "com7False");
    }
};

QTEST_GUILESS_MAIN(TstWindows)
#include "tst_windows.moc"
