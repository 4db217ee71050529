#include "protocol/filtro.h"

#include <QTest>

using namespace brelo;

namespace {
QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}
} // namespace

class TstFiltro : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void campo_data();
    void campo();
    void traduccion_data();
    void traduccion();
    void nuncaEmiteComandos();
    void alineacionDesconocida();
};

void TstFiltro::campo_data() {
    QTest::addColumn<QByteArray>("texto");
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("alin");
    QTest::addColumn<QByteArray>("campo");     // hex
    QTest::addColumn<QByteArray>("rellenado"); // what the caller's text becomes

    QTest::newRow("Año 2007 fijo centrado")
        << QByteArray("A\xF1o 2007") << 16 << 2
        << QByteArray("20 20 20 20 41 15 6F 20 32 30 30 37 20 20 20 20")
        << QByteArray("    A\xF1o 2007    ");
    QTest::newRow("¡Hola! libre izquierda")
        << QByteArray("\xA1Hola!") << 0 << 0 << QByteArray("18 48 6F 6C 61 21")
        << QByteArray("\xA1Hola!          ");
    QTest::newRow("abc fijo izquierda")
        << QByteArray("abc") << 16 << 0 << QByteArray("616263" + QByteArray(13, ' ').toHex())
        << QByteArray("abc             ");
    QTest::newRow("vacio fijo") << QByteArray() << 16 << 0 << QByteArray(16, ' ').toHex()
                                << QByteArray(16, ' ');
    QTest::newRow("vacio libre") << QByteArray() << 0 << 0 << QByteArray() << QByteArray(16, ' ');
    QTest::newRow("16 no se rellena")
        << QByteArray("ABCDEFGHIJKLMNOP") << 0 << 2 << QByteArray("ABCDEFGHIJKLMNOP").toHex()
        << QByteArray("ABCDEFGHIJKLMNOP");
    QTest::newRow("15 centrado") << QByteArray("ABCDEFGHIJKLMNO") << 0 << 2
                                 << QByteArray("ABCDEFGHIJKLMNO ").toHex()
                                 << QByteArray("ABCDEFGHIJKLMNO ");
    QTest::newRow("5 centrado") << QByteArray("ABCDE") << 16 << 2
                                << QByteArray("     ABCDE      ").toHex()
                                << QByteArray("     ABCDE      ");
    QTest::newRow("20 fijo corta")
        << QByteArray("ABCDEFGHIJKLMNOPQRST") << 16 << 0 << QByteArray("ABCDEFGHIJKLMNOP").toHex()
        << QByteArray("ABCDEFGHIJKLMNOPQRST");
    QTest::newRow("20 libre entero")
        << QByteArray("ABCDEFGHIJKLMNOPQRST") << 0 << 0
        << QByteArray("ABCDEFGHIJKLMNOPQRST").toHex() << QByteArray("ABCDEFGHIJKLMNOPQRST");
    QTest::newRow("alineacion 7 libre")
        << QByteArray("ab") << 0 << 7 << QByteArray("6162") << QByteArray("ab");
}

void TstFiltro::campo() {
    QFETCH(QByteArray, texto);
    QFETCH(int, modo);
    QFETCH(int, alin);
    std::string t = texto.toStdString();
    const auto r = Filtro(t, std::uint8_t(modo), std::uint8_t(alin));
    QVERIFY(r);
    QFETCH(QByteArray, campo);
    QCOMPARE(bytes(*r), QByteArray::fromHex(campo));
    QTEST(bytes(t), "rellenado");
}

void TstFiltro::traduccion_data() {
    QTest::addColumn<int>("editor");
    QTest::addColumn<int>("cartel");
    const std::pair<int, int> tabla[] = {
        {0xE1, 0x10},
        {0xE9, 0x11},
        {0xED, 0x12},
        {0xF3, 0x13},
        {0xFA, 0x14},
        {0xF1, 0x15},
        {0xD1, 0x16},
        {0xFC, 0x17},
        {0xA1, 0x18},
        {0xBF, 0x19},
        {0xBB, 0x1A},
        {0xAB, 0x1B},
        {0x40, 0x1E},
        {0x5F, 0x1F},
        {0xA6, 0x7F},
        {0x09, '#'},
        {0x00, '#'},
        {0x1F, '#'},
        {'{', '{'},
        {'|', '|'},
        {'}', '}'},
        {'~', '~'},
        {'[', '['},
        {0x7F, 0x7F},
        {'A', 'A'},
        {' ', ' '},
        {'"', '"'},
        // without a glyph of their own: base letter, plain quote or dash, else "#"
        {0xC1, 'A'},
        {0xC7, 'C'},
        {0xE0, 'a'},
        {0xE7, 'c'},
        {0xC9, 'E'},
        {0xDC, 'U'},
        {0xF6, 'o'},
        {0xFF, 'y'},
        {0x8A, 'S'},
        {0x93, '"'},
        {0x94, '"'},
        {0x91, '\''},
        {0x92, '\''},
        {0x96, '-'},
        {0x97, '-'},
        {0xB0, '#'},
        {0x80, 'E'},
        {0x81, '#'},
        {0xD7, '#'},
        {0xA0, ' '},
    };
    for (auto [e, c] : tabla)
        QTest::addRow("%02x", e) << e << c;
}

void TstFiltro::traduccion() {
    QFETCH(int, editor);
    QTEST(int(CodigoCartel(std::uint8_t(editor))), "cartel");
}

void TstFiltro::nuncaEmiteComandos() {
    // Bytes from 0x80 up are the sign's commands; no page character may become one.
    for (int c = 0; c < 256; ++c) {
        const int s = CodigoCartel(std::uint8_t(c));
        QVERIFY2(s < 0x80, qPrintable(QString::number(c, 16)));
        QVERIFY(s != 0x1C && s != 0x1D);
    }
}

void TstFiltro::alineacionDesconocida() {
    std::string corto = "abc";
    QVERIFY(!Filtro(corto, 16, 5));
    std::string largo = "ABCDEFGHIJKLMNOPQR";
    QVERIFY(Filtro(largo, 16, 5)); // nothing to fill, so nothing fails
}

QTEST_APPLESS_MAIN(TstFiltro)
#include "tst_filtro.moc"
