#include "model/mensaje.h"
#include "protocol/trama.h"

#include <QTest>

using namespace brelo;

Q_DECLARE_METATYPE(brelo::Pagina)

namespace {
QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}
const QByteArray Cabecera = QByteArray::fromHex("572D4E5439DF");
const QByteArray Fin = QByteArray::fromHex("0101");
} // namespace

class TstTrama : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ejemplos_data();
    void ejemplos();
    void registroPorPagina_data();
    void registroPorPagina();
    void soloPaginasConTexto();
    void corteEn8000();
    void streamExacto8000NoSeCorta();
    void errorDeFiltro();
    void salida();
};

void TstTrama::ejemplos_data() {
    QTest::addColumn<QList<Pagina>>("paginas");
    QTest::addColumn<QByteArray>("trama");
    QTest::addColumn<QList<QByteArray>>("textosDespues");

    QTest::newRow("HOLA lluvia y hora")
        << QList<Pagina>{{"HOLA", 3, 5, 2, 1}, {" Hora 00:00:00 ", 12, 0, 0, 0}}
        << QByteArray::fromHex("572D4E5439DF 91 202020202020484F4C41202020202020 C5 D6C1"
                               "A0A0A0A0A0 0101")
        << QList<QByteArray>{"      HOLA      ", " Hora 00:00:00  "};
    QTest::newRow("Año estatico y parpadeo")
        << QList<Pagina>{{"A\xF1o 2007", 1, 3, 0, 0}, {"OFERTA", 14, 0, 2, 2}}
        << QByteArray::fromHex("572D4E5439DF 80 41156F2032303037 2020202020202020 C1"
                               "DF90D1 20202020204F46455254412020202020 D5C1 0101")
        << QList<QByteArray>{"A\xF1o 2007        ", "     OFERTA     "};
}

void TstTrama::ejemplos() {
    QFETCH(QList<Pagina>, paginas);
    QFETCH(QList<QByteArray>, textosDespues);
    Mensaje m;
    m.cargarPaginas({paginas.begin(), paginas.end()});
    const ResultadoTrama r = ArmarTrama(m);
    QVERIFY(r.ok());
    QTEST(bytes(r.Trama), "trama");
    for (int i = 0; i < textosDespues.size(); ++i)
        QCOMPARE(bytes(m.TextoPag[i + 1]), textosDespues[i]);
    QCOMPARE(bytes(ArmarTrama(m).Trama), bytes(r.Trama)); // filled texts are stable
}

void TstTrama::registroPorPagina_data() {
    QTest::addColumn<Pagina>("pagina");
    QTest::addColumn<QByteArray>("registro"); // hex, between header and terminator
    const QByteArray campo16 = QByteArray("ABCDEFGHIJKLMNOP").toHex();
    const QByteArray blancos16 = QByteArray(16, ' ').toHex();
    QTest::newRow("rotacion 20 letras entera") << Pagina{"ABCDEFGHIJKLMNOPQRST", 0, 0, 0, 0}
                                               << "90" + QByteArray("ABCDEFGHIJKLMNOPQRST").toHex();
    QTest::newRow("vert arr corta a 16")
        << Pagina{"ABCDEFGHIJKLMNOPQRST", 5, 2, 0, 0} << "93" + campo16 + "C2";
    QTest::newRow("lluvia pausa 0 lleva C1")
        << Pagina{"ABCDEFGHIJKLMNOP", 3, 0, 0, 0} << "91" + campo16 + "C1";
    QTest::newRow("lluvia pausa 9 lleva C9")
        << Pagina{"ABCDEFGHIJKLMNOP", 3, 9, 0, 0} << "91" + campo16 + "C9";
    QTest::newRow("explosion pausa 200 lleva C9")
        << Pagina{"ABCDEFGHIJKLMNOP", 11, 200, 0, 0} << "99" + campo16 + "C9";
    QTest::newRow("estatico ignora pausa")
        << Pagina{"ABCDEFGHIJKLMNOP", 1, 7, 0, 0} << "80" + campo16 + "C1";
    QTest::newRow("reset") << Pagina{" Reset Cartel  ", 2, 0, 0, 0} << QByteArray("DF90");
    QTest::newRow("hora con salida")
        << Pagina{" Hora 00:00:00 ", 12, 0, 0, 1} << QByteArray("A0A0A0A0A0D6C1");
    QTest::newRow("fecha") << Pagina{"Fecha 12/07/07 ", 13, 5, 0, 0} << QByteArray("A2C4");
    QTest::newRow("doble") << Pagina{"ABCDEFGHIJKLMNOP", 15, 0, 0, 10}
                           << "DF90D3" + campo16 + "DFD3";
    QTest::newRow("velocidad 4") << Pagina{"Velocidad Rot. ", 16, 4, 0, 0} << QByteArray("90E4");
    QTest::newRow("velocidad 0") << Pagina{"Velocidad Rot. ", 16, 0, 0, 0} << QByteArray("90E1");
    QTest::newRow("autito") << Pagina{"Autito         ", 17, 0, 0, 0} << "5B5C" + blancos16;
    QTest::newRow("avion") << Pagina{"Avioncito      ", 18, 0, 0, 0} << "5D5E" + blancos16;
    QTest::newRow("pacman") << Pagina{"Pacman         ", 19, 0, 0, 0} << "40" + blancos16;
    QTest::newRow("efecto fuera de catalogo rota")
        << Pagina{"AB", 42, 0, 0, 3} << QByteArray("904142D7C1");
    QTest::newRow("salida fuera de catalogo nada")
        << Pagina{"AB", 0, 0, 0, 11} << QByteArray("904142");
    const char* salidas[] = {"D6C1", "D5C1", "D7C1", "D8C1", "D9C1",
                             "DAC1", "DCC1", "DDC1", "DFD1", "DFD3"};
    for (int s = 1; s <= 10; ++s)
        QTest::addRow("salida %d", s)
            << Pagina{"AB", 0, 0, 0, std::uint8_t(s)} << "904142" + QByteArray(salidas[s - 1]);
}

void TstTrama::registroPorPagina() {
    QFETCH(Pagina, pagina);
    QFETCH(QByteArray, registro);
    Mensaje m;
    m.cargarPaginas({pagina});
    const ResultadoTrama r = ArmarTrama(m);
    QVERIFY(r.ok());
    QCOMPARE(bytes(r.Trama), Cabecera + QByteArray::fromHex(registro) + Fin);
}

void TstTrama::soloPaginasConTexto() {
    Mensaje m;
    m.ponerPagina(3, {"", 12, 0, 0, 1}); // special page without text: skipped
    m.ponerPagina(5, {"ABCDEFGHIJKLMNOP", 0, 0, 0, 0});
    m.TotPag = 5;
    QCOMPARE(bytes(ArmarTrama(m).Trama), Cabecera + "\x90" + "ABCDEFGHIJKLMNOP" + Fin);

    Mensaje vacio;
    QCOMPARE(bytes(ArmarTrama(vacio).Trama), Cabecera + Fin);
}

void TstTrama::corteEn8000() {
    // 6 header + 7 records of 1 + 1023 + a record of 1 + n + 2 terminator = 8001: n = 824
    Mensaje m;
    for (int i = 1; i <= 7; ++i)
        m.ponerPagina(i, {std::string(1023, 'a'), 0, 0, 0, 0});
    m.ponerPagina(8, {std::string(824, 'b'), 0, 0, 0, 0});
    m.TotPag = 8;
    const ResultadoTrama r = ArmarTrama(m);
    QCOMPARE(r.Trama.size(), 8002u);
    QCOMPARE(bytes(r.Trama.substr(7990)), QByteArray("bbbbbbbbb\x01\x01\x01"));

    for (int i = 8; i <= 99; ++i)
        m.ponerPagina(i, {std::string(1023, 'c'), 0, 0, 0, 0});
    const ResultadoTrama grande = ArmarTrama(m);
    QCOMPARE(grande.Trama.size(), 8002u);
    QCOMPARE(bytes(grande.Trama.substr(7998)), QByteArray("cc\x01\x01"));
}

void TstTrama::streamExacto8000NoSeCorta() {
    Mensaje m;
    for (int i = 1; i <= 7; ++i)
        m.ponerPagina(i, {std::string(1023, 'a'), 0, 0, 0, 0});
    m.ponerPagina(8, {std::string(823, 'b'), 0, 0, 0, 0});
    const ResultadoTrama r = ArmarTrama(m);
    QCOMPARE(r.Trama.size(), 8000u);
    QCOMPARE(bytes(r.Trama.substr(7996)), QByteArray("bb\x01\x01"));
}

void TstTrama::errorDeFiltro() {
    Mensaje m;
    m.ponerPagina(1, {"bien", 0, 0, 0, 0});
    m.ponerPagina(2, {"mal", 4, 0, 7, 0}); // fixed field, unknown alignment, short text
    const ResultadoTrama r = ArmarTrama(m);
    QVERIFY(!r.ok());
    QCOMPARE(r.paginaConError, 2);
}

void TstTrama::salida() {
    Mensaje m;
    m.ponerPagina(1, {"HOLA", 3, 5, 2, 1});
    m.ponerPagina(2, {" Hora 00:00:00 ", 12, 0, 0, 0});
    const std::string f = FormatoSalida(ArmarTrama(m).Trama);
    QCOMPARE(bytes(f), QByteArray::fromHex("22 572D4E5439DF 91 202020202020 484F4C41 202020202020"
                                           "C5D6C1A0A0A0A0A00101 220D0A"));
    QCOMPARE(f.size(), 37u);
}

QTEST_APPLESS_MAIN(TstTrama)
#include "tst_trama.moc"
