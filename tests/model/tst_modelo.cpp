#include "model/cp1252.h"
#include "model/memoria.h"
#include "model/mensaje.h"

#include <QTest>

#include <algorithm>

using namespace brelo;

class TstModelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verApp_data();
    void verApp();
    void vaciarDejaTodoVacio();
    void cargarPaginasRespetaElLimite();
    void memoria_data();
    void memoria();
    void cp1252IdaYVuelta();
    void cp1252Rechaza_data();
    void cp1252Rechaza();
};

void TstModelo::verApp_data() {
    QTest::addColumn<int>("mayor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("texto");
    QTest::newRow("2.19") << 2 << 19 << "v2.19";
    QTest::newRow("mayor 0 no se escribe") << 0 << 5 << "v.5";
    QTest::newRow("revision 0 se escribe") << 12 << 0 << "v12.0";
}

void TstModelo::verApp() {
    QFETCH(int, mayor);
    QFETCH(int, revision);
    QFETCH(QString, texto);
    QCOMPARE(QString::fromStdString(VerApp(mayor, revision)), texto);
}

void TstModelo::vaciarDejaTodoVacio() {
    Mensaje m;
    for (int i = 1; i <= MaxPag; ++i)
        m.ponerPagina(i, {"x", 3, 4, 2, 5});
    m.TotPag = 99;
    m.PagAct = 50;
    m.vaciarPaginas();
    QCOMPARE(m.TotPag, 1);
    QCOMPARE(m.PagAct, 1);
    for (int i = 1; i <= MaxPag; ++i)
        QCOMPARE(m.pagina(i), Pagina{});
    QVERIFY(!m.tieneTexto());
}

void TstModelo::cargarPaginasRespetaElLimite() {
    Mensaje m;
    m.ponerPagina(7, {"viejo", 1, 1, 0, 1});
    m.cargarPaginas({{"A", 1, 2, 2, 3}, {"B"}});
    QCOMPARE(m.TotPag, 2);
    QCOMPARE(m.pagina(1), (Pagina{"A", 1, 2, 2, 3}));
    QCOMPARE(m.pagina(7), Pagina{}); // a stale slot would reach the sign and the file

    m.cargarPaginas(std::vector<Pagina>(120, Pagina{"p"}));
    QCOMPARE(m.TotPag, 99);
    m.cargarPaginas({});
    QCOMPARE(m.TotPag, 1);
}

void TstModelo::memoria_data() {
    QTest::addColumn<QStringList>("textos");
    QTest::addColumn<int>("salida");
    QTest::addColumn<QString>("figura");
    QTest::addColumn<bool>("rojo");
    QTest::newRow("vacio") << QStringList{} << 0 << "7992" << false;
    QTest::newRow("10 caracteres") << QStringList{"0123456789"} << 0 << "7980" << false;
    QTest::newRow("con salida") << QStringList{"0123456789"} << 3 << "7978" << false;
    // count 6 + (n+2) + 2 = 7700 -> n = 7690, split over pages of 1000
    const auto paginas = [](int total) {
        QStringList l;
        for (; total > 0; total -= 1000 + 2)
            l << QString(std::min(total - 2, 1000), 'x');
        return l;
    };
    QTest::newRow("300 justo") << paginas(7700 - 8) << 0 << "0300" << true;
    QTest::newRow("301") << paginas(7699 - 8) << 0 << "0301" << false;
    QTest::newRow("excedido") << paginas(9000) << 0 << "0000" << true;
}

void TstModelo::memoria() {
    QFETCH(QStringList, textos);
    QFETCH(int, salida);
    Mensaje m;
    int i = 0;
    for (const QString& t : textos)
        m.ponerPagina(++i, {t.toStdString(), 0, 0, 0, static_cast<std::uint8_t>(salida)});
    m.EfeOutPag[60] = 5; // attributes of an empty page cost nothing
    const FiguraMemoria f = CalcularMemoria(m);
    QTEST(QString::fromStdString(f.texto), "figura");
    QTEST(f.rojo, "rojo");
}

void TstModelo::cp1252IdaYVuelta() {
    for (int b = 0; b < 256; ++b) {
        const char32_t c = Cp1252AUnicode(static_cast<std::uint8_t>(b));
        const auto vuelta = UnicodeACp1252(c, Indefinidos::Conservar);
        QVERIFY2(vuelta && *vuelta == b, qPrintable(QString::number(b, 16)));
    }
    QCOMPARE(Cp1252AUnicode(0x80), U'€');
    QCOMPARE(Cp1252AUnicode(0x93), U'“');
    QCOMPARE(Cp1252AUnicode(0xF1), U'ñ');
    QCOMPARE(QString::fromStdString(Cp1252AUtf8("A\xF1o \x80")), QString("Año €"));
}

void TstModelo::cp1252Rechaza_data() {
    QTest::addColumn<uint>("codigo");
    QTest::newRow("indefinido 81") << 0x81u;
    QTest::newRow("indefinido 9D") << 0x9Du;
    QTest::newRow("control C1") << 0x85u;
    QTest::newRow("cirilico") << uint(U'Ж');
    QTest::newRow("emoji") << 0x1F600u;
}

void TstModelo::cp1252Rechaza() {
    QFETCH(uint, codigo);
    QVERIFY(!UnicodeACp1252(codigo));
}

QTEST_APPLESS_MAIN(TstModelo)
#include "tst_modelo.moc"
