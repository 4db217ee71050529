#include "model/catalogos.h"
#include "model/cp1252.h"
#include "model/memoria.h"
#include "model/mensaje.h"
#include "model/reglas.h"
#include "model/valor.h"

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
    void catalogosConservanSusBlancos();
    void reglaDeEntrada_data();
    void reglaDeEntrada();
    void pausaAlMostrar();
    void memoria_data();
    void memoria();
    void valorNumerico_data();
    void valorNumerico();
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

void TstModelo::catalogosConservanSusBlancos() {
    QCOMPARE(EfectosEntrada.size(), 20u);
    QCOMPARE(EfectosSalida.size(), 11u);
    for (int i = 3; i <= 11; ++i)
        QCOMPARE(EfectosEntrada[i].size(), 13u);
    QCOMPARE(EfectosEntrada[12], "Hora  ");
    QCOMPARE(EfectosEntrada[14].size(), 16u);
    QCOMPARE(EfectosSalida[0], "Ninguno       ");
    QCOMPARE(EfectosSalida[3], "Vert Sale Arriba ");
    QCOMPARE(EfectosSalida[9], EfectosEntrada[14]);
    QCOMPARE(CaracteresEspeciales[15].codigo, 124);
    QCOMPARE(CaracteresEspeciales[18].codigo, 166);
}

void TstModelo::reglaDeEntrada_data() {
    QTest::addColumn<int>("efe");
    QTest::addColumn<bool>("pausa");
    QTest::addColumn<bool>("salida");
    QTest::addColumn<bool>("texto");
    QTest::addColumn<bool>("pausaA0");
    QTest::addColumn<bool>("salidaA0");
    QTest::addColumn<QString>("fijo");
    QTest::newRow("Rotacion") << 0 << false << true << true << true << false << "";
    QTest::newRow("Estatico") << 1 << true << true << true << false << false << "";
    QTest::newRow("Reset") << 2 << false << false << false << true << true << " Reset Cartel  ";
    QTest::newRow("LLuvia") << 3 << true << true << true << false << false << "";
    QTest::newRow("Explosion") << 11 << true << true << true << false << false << "";
    QTest::newRow("Hora") << 12 << false << false << false << true << true << " Hora 00:00:00 ";
    QTest::newRow("Fecha") << 13 << false << false << false << true << true << "Fecha 12/07/07 ";
    QTest::newRow("Parpadeo") << 14 << false << true << true << true << false << "";
    QTest::newRow("Doble") << 15 << false << true << true << true << false << "";
    QTest::newRow("Velocidad") << 16 << true << false << false << false << true
                               << "Velocidad Rot. ";
    QTest::newRow("Autito") << 17 << false << false << false << true << true << "Autito         ";
    QTest::newRow("Avion") << 18 << false << false << false << true << true << "Avioncito      ";
    QTest::newRow("Pacman") << 19 << false << false << false << true << true << "Pacman         ";
}

void TstModelo::reglaDeEntrada() {
    QFETCH(int, efe);
    const ReglaEntrada r = ReglaDeEfecto(static_cast<std::uint8_t>(efe));
    QTEST(r.pausaHabilitada, "pausa");
    QTEST(r.salidaHabilitada, "salida");
    QTEST(r.textoHabilitado, "texto");
    QTEST(r.pausaA0, "pausaA0");
    QTEST(r.salidaA0, "salidaA0");
    QTEST(QString::fromLatin1(r.textoFijo.data(), qsizetype(r.textoFijo.size())), "fijo");
    if (!r.textoFijo.empty())
        QCOMPARE(r.textoFijo.size(), 15u);
    QCOMPARE(EfectoLlevaPausa(static_cast<std::uint8_t>(efe)), r.pausaHabilitada);
}

void TstModelo::pausaAlMostrar() {
    QVERIFY(!EfectoLlevaPausa(200)); // a value only a broken file could hold
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

void TstModelo::valorNumerico_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<double>("valor");
    QTest::addColumn<double>("redondeado");
    QTest::newRow("entero") << "3" << 3.0 << 3.0;
    QTest::newRow("blancos delante") << "  7x" << 7.0 << 7.0;
    QTest::newRow("palabra") << "hola" << 0.0 << 0.0;
    QTest::newRow("negativo") << "-2" << -2.0 << -2.0;
    QTest::newRow("2.5 al par") << "2.5" << 2.5 << 2.0;
    QTest::newRow("3.5 al par") << "3.5" << 3.5 << 4.0;
    QTest::newRow("2.6") << "2.6" << 2.6 << 3.0;
    QTest::newRow("ceros") << "05" << 5.0 << 5.0;
    QTest::newRow("vacio") << "" << 0.0 << 0.0;
}

void TstModelo::valorNumerico() {
    QFETCH(QString, texto);
    QFETCH(double, valor);
    const double v = ValorNumerico(texto.toStdString());
    QCOMPARE(v, valor);
    QTEST(RedondeoPar(v), "redondeado");
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
