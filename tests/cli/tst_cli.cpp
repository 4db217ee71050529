#include "support/ejemplo.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <QTest>

namespace {

struct Corrida {
    int estado;
    QByteArray salida;
    QByteArray errores;
};

Corrida correr(const QStringList& args, const QString& carpeta) {
    QProcess p;
    p.setWorkingDirectory(carpeta);
    p.start(QStringLiteral(BRELO_CLI), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

void escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

QByteArray leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray Ejemplo = brelo::ejemplo::Archivo;
const QByteArray TramaEjemplo = brelo::ejemplo::Trama;

} // namespace

class TstCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(dir.isValid()); }
    void trama();
    void salidaReemplazaElArchivo();
    void info();
    void importar();
    void fallas_data();
    void fallas();

private:
    QTemporaryDir dir;
    QString ruta(const QString& nombre) const { return dir.filePath(nombre); }
};

void TstCli::trama() {
    escribir(ruta("m.mn2"), Ejemplo);
    const Corrida c = correr({"trama", ruta("m.mn2")}, dir.path());
    QCOMPARE(c.estado, 0);
    QCOMPARE(c.salida, TramaEjemplo);

    escribir(ruta("v1.mnm"), "3,1,0,\"PROMO\"\r\n");
    const Corrida v1 = correr({"trama", ruta("v1.mnm")}, dir.path());
    QCOMPARE(v1.estado, 0);
    QCOMPARE(v1.salida, QByteArray::fromHex("572D4E5439DF92") + "PROMO" + QByteArray(11, ' ') +
                            QByteArray::fromHex("C10101"));
}

void TstCli::salidaReemplazaElArchivo() {
    escribir(ruta("m.mn2"), Ejemplo);
    escribir(ruta("Salida.txt"), QByteArray(5000, 'z'));
    const Corrida c = correr({"salida", ruta("m.mn2")}, dir.path());
    QCOMPARE(c.estado, 0);
    QVERIFY(c.salida.isEmpty());
    QCOMPARE(leer(ruta("Salida.txt")), "\"" + TramaEjemplo + "\"\r\n");
}

void TstCli::info() {
    escribir(ruta("m.mn2"), "0,0,2,\"A\xF1o\",3\r\n");
    const Corrida c = correr({"info", ruta("m.mn2")}, dir.path());
    QCOMPARE(c.estado, 0);
    const QList<QByteArray> lineas = c.salida.split('\n');
    QCOMPARE(lineas.value(1), QByteArray("1\tRotacion\t0\t2\tVert Sale Arriba \tAño"));
    QCOMPARE(lineas.value(2), QByteArray("Memoria Restante: 7985"));
}

void TstCli::importar() {
    escribir(ruta("t.txt"), "HOLA\r\n\r\nMUNDO\r\n");
    const Corrida c = correr({"importar", ruta("t.txt"), ruta("t.mn2")}, dir.path());
    QCOMPARE(c.estado, 0);
    QCOMPARE(leer(ruta("t.mn2")), QByteArray("0,0,0,\"      HOLA      \",0\r\n"
                                             "0,0,0,\"     MUNDO      \",0\r\n"));
}

void TstCli::fallas_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("archivo");
    QTest::addColumn<QString>("texto");
    QTest::newRow("archivo danado")
        << QStringList{"trama", "m.mn2"} << QByteArray("300,0,0,\"x\",0")
        << "Error en Archivo de Mensaje";
    QTest::newRow("archivo inexistente")
        << QStringList{"info", "no.mn2"} << QByteArray() << "Error en Archivo de Mensaje";
    QTest::newRow("sin texto") << QStringList{"trama", "m.mn2"} << QByteArray()
                               << "Error #21, No Hay mensaje cargado";
    QTest::newRow("alineacion imposible")
        << QStringList{"salida", "m.mn2"} << QByteArray("4,0,7,\"x\",0\r\n")
        << "Error #22, No se envio el Mensaje";
    QTest::newRow("texto sin lineas") << QStringList{"importar", "m.mn2", "d.mn2"}
                                      << QByteArray("\r\n") << "NO se pudo leer Archivo";
    QTest::newRow("destino en carpeta inexistente")
        << QStringList{"importar", "m.mn2", "no/existe/d.mn2"} << QByteArray("HOLA")
        << "NO se Grabo Archivo Mensajes";
    QTest::newRow("orden desconocida") << QStringList{"enviarlo"} << QByteArray() << "Uso:";
}

void TstCli::fallas() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, archivo);
    QFETCH(QString, texto);
    escribir(ruta("m.mn2"), archivo);
    escribir(ruta("Salida.txt"), "anterior");
    const Corrida c = correr(args, dir.path());
    QVERIFY(c.estado != 0);
    QVERIFY(c.salida.isEmpty());
    QVERIFY2(c.errores.startsWith(texto.toUtf8()), c.errores.constData());
    QCOMPARE(leer(ruta("Salida.txt")), QByteArray("anterior"));
    QVERIFY(!QFile::exists(ruta("d.mn2")));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
