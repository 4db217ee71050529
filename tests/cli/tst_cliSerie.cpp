#include "support/ajustesprueba.h"
#include "support/ejemplo.h"
#include "support/socat.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace brelo;

namespace {
const QByteArray Trama = ejemplo::Trama;
}

class TstCliSerie : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void enviar();
    void ctrlCCancela();
    void hora();

private:
    bool correr(QProcess& p, const QStringList& args);
    QTemporaryDir dir;
    QString mensaje;
};

void TstCliSerie::initTestCase() {
    AjustesDePrueba();
    mensaje = dir.filePath("m.mn2");
    QFile f(mensaje);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ejemplo::Archivo);
}

bool TstCliSerie::correr(QProcess& p, const QStringList& args) {
    // The settings the tool falls back on are the test's own.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QDir::home().filePath(".qttest/config"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BRELO_CLI), args);
    return p.waitForStarted();
}

void TstCliSerie::enviar() {
    ParSocat par;
    QVERIFY(par.listo());
    QProcess p;
    QVERIFY(correr(p, {"enviar", mensaje, "--puerto", par.programa(), "--dy1=5", "--dy2", "1"}));
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardError().contains("Mensaje enviado OK!"));
    QVERIFY(p.readAllStandardOutput().isEmpty());
    QCOMPARE(par.Leer(Trama.size()), Trama);
}

void TstCliSerie::ctrlCCancela() {
    ParSocat par;
    QVERIFY(par.listo());
    QProcess p;
    QVERIFY(
        correr(p, {"enviar", mensaje, "--puerto", par.programa(), "--dy1", "5", "--dy2", "200"}));
    const QByteArray antes = par.Leer(7); // header and the first byte after it are out
    QVERIFY(antes.size() >= 7);
    ::kill(pid_t(p.processId()), SIGINT);
    QVERIFY(p.waitForFinished(20000));
    QVERIFY(p.exitCode() != 0);
    QVERIFY(p.readAllStandardError().contains("Mensaje Cancelado..."));
    const QByteArray todo = par.Leer(antes.size() + 2);
    QVERIFY(todo.endsWith("\x01\x01"));
    QCOMPARE(todo.chopped(2), Trama.left(todo.size() - 2));
    QVERIFY(todo.size() < Trama.size());
}

void TstCliSerie::hora() {
    ParSocat par;
    QVERIFY(par.listo());
    QProcess p;
    QVERIFY(correr(p, {"hora", "--puerto", par.programa(), "--dy1", "10", "--dy2", "01"}));
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitCode(), 0);
    const QByteArray recibido = par.Leer(14);
    QCOMPARE(recibido.size(), 14);
    QVERIFY(recibido.startsWith("W-NT9\xB0"));
    QVERIFY(recibido.endsWith("\x01\x01"));
    // Packed BCD: every nibble of the six fields is a decimal digit.
    for (char b : recibido.mid(6, 6))
        QVERIFY(((b >> 4) & 0xF) <= 9 && (b & 0xF) <= 9);
}

QTEST_GUILESS_MAIN(TstCliSerie)
#include "tst_cliSerie.moc"
