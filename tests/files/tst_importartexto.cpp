#include "files/importartexto.h"

#include <QTest>

using namespace brelo;

namespace {
QByteArray lineas(int n, const QByteArray& fin = "\r\n") {
    QByteArray d;
    for (int i = 0; i < n; ++i)
        d += "linea " + QByteArray::number(i) + fin;
    return d;
}
} // namespace

class TstImportarTexto : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void paginas_data();
    void paginas();
    void lineaLargaSeCorta_data();
    void lineaLargaSeCorta();
    void fallas_data();
    void fallas();
};

void TstImportarTexto::paginas_data() {
    QTest::addColumn<QByteArray>("datos");
    QTest::addColumn<QList<QByteArray>>("esperadas");
    QTest::newRow("HOLA, vacia, MUNDO")
        << QByteArray("HOLA\r\n\r\nMUNDO\r\n")
        << QList<QByteArray>{"      HOLA      ", "     MUNDO      "};
    QTest::newRow("ultima linea sin fin")
        << QByteArray("ABCDEFGHIJKLMNOP\r\nXYZ")
        << QList<QByteArray>{"ABCDEFGHIJKLMNOP", "      XYZ       "};
    QTest::newRow("LF solo") << QByteArray("A\nB\n")
                             << QList<QByteArray>{"       A        ", "       B        "};
    QTest::newRow("CR solo") << QByteArray("A\rB")
                             << QList<QByteArray>{"       A        ", "       B        "};
    QTest::newRow("mas de 16 intacta")
        << QByteArray("  dieciseis letras  \r\n") << QList<QByteArray>{"  dieciseis letras  "};
    QTest::newRow("solo blancos es pagina")
        << QByteArray("   \r\n") << QList<QByteArray>{QByteArray(16, ' ')};
    QTest::newRow("comilla se conserva")
        << QByteArray("di \"si\"\r\n") << QList<QByteArray>{"    di \"si\"     "};
}

void TstImportarTexto::paginas() {
    QFETCH(QByteArray, datos);
    const Importacion imp = ImportarTexto({datos.constData(), std::size_t(datos.size())});
    QVERIFY(!imp.error);
    QList<QByteArray> obtenidas;
    for (const std::string& p : imp.paginas)
        obtenidas.append(QByteArray::fromStdString(p));
    QTEST(obtenidas, "esperadas");
}

void TstImportarTexto::lineaLargaSeCorta_data() {
    QTest::addColumn<int>("largo");
    QTest::addColumn<QList<int>>("largos"); // page lengths
    QTest::newRow("1023 una pagina") << 1023 << QList<int>{1023};
    QTest::newRow("1024 dos paginas") << 1024 << QList<int>{1024, 1};
    QTest::newRow("2500 tres paginas") << 2500 << QList<int>{1024, 1024, 454};
}

void TstImportarTexto::lineaLargaSeCorta() {
    QFETCH(int, largo);
    QFETCH(QList<int>, largos);
    std::string linea;
    for (int i = 0; i < largo; ++i)
        linea += char('a' + i % 26);
    const Importacion imp = ImportarTexto(linea + "\r\n");
    QVERIFY(!imp.error);
    QCOMPARE(int(imp.paginas.size()), largos.size());
    std::size_t desde = 0;
    for (int i = 0; i < largos.size(); ++i) {
        const std::string& p = imp.paginas[i];
        QCOMPARE(int(p.size()), largos[i]);
        const bool cortada = i + 1 < largos.size();
        QCOMPARE(p.front() == ' ', cortada); // a cut piece starts with one blank
        const std::string pedazo = cortada ? p.substr(1) : p;
        QCOMPARE(pedazo, linea.substr(desde, pedazo.size()));
        desde += pedazo.size();
    }
    QCOMPARE(desde, linea.size());
}

void TstImportarTexto::fallas_data() {
    QTest::addColumn<QByteArray>("datos");
    QTest::addColumn<int>("paginas"); // -1: the import fails
    QTest::newRow("150 lineas dan 99") << lineas(150) << 99;
    QTest::newRow("99 justas") << lineas(99, "\n") << 99;
    QTest::newRow("linea larga en la 98 se pasa") << lineas(97) + QByteArray(3000, 'x') << -1;
    QTest::newRow("linea larga llena la 99 justa") << lineas(97) + QByteArray(2000, 'x') << 99;
    QTest::newRow("vacio") << QByteArray() << -1;
    QTest::newRow("solo lineas vacias") << QByteArray("\r\n\r\n\n") << -1;
}

void TstImportarTexto::fallas() {
    QFETCH(QByteArray, datos);
    QFETCH(int, paginas);
    const Importacion imp = ImportarTexto({datos.constData(), std::size_t(datos.size())});
    if (paginas < 0) {
        QVERIFY(imp.error);
        QVERIFY(imp.paginas.empty());
    } else {
        QVERIFY(!imp.error);
        QCOMPARE(int(imp.paginas.size()), paginas);
    }
}

QTEST_APPLESS_MAIN(TstImportarTexto)
#include "tst_importartexto.moc"
