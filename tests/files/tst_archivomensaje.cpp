#include "files/archivomensaje.h"

#include <QTest>

using namespace brelo;

Q_DECLARE_METATYPE(brelo::Pagina)

namespace {
QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}
std::string_view vista(const QByteArray& b) {
    return {b.constData(), std::size_t(b.size())};
}
QByteArray registros(int n) {
    QByteArray d;
    for (int i = 0; i < n; ++i)
        d += "0,0,0,\"p\",0\r\n";
    return d;
}
} // namespace

class TstArchivoMensaje : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void extraer_data();
    void extraer();
    void ejemploVersion2();
    void huecosSeRenumeran();
    void lectura_data();
    void lectura();
    void fallas_data();
    void fallas();
    void idaYVuelta();
};

void TstArchivoMensaje::extraer_data() {
    QTest::addColumn<QString>("ruta");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<bool>("version1");
    QTest::newRow("mnm") << "/m/promo.mnm"
                         << "mnm" << true;
    QTest::newRow("MNM mayusculas") << "/m/PROMO.MNM"
                                    << "MNM" << false;
    QTest::newRow("mn2") << "a.b.mn2"
                         << "mn2" << false;
    QTest::newRow("sin punto") << "lista"
                               << "" << false;
    QTest::newRow("punto en carpeta") << "/m/mensajes.old/lista"
                                      << "old/lista" << false;
}

void TstArchivoMensaje::extraer() {
    QFETCH(QString, ruta);
    QTEST(QString::fromStdString(Extraer(ruta.toStdString(), '.')), "ext");
    QTEST(VersionDeRuta(ruta.toStdString()) == VersionArchivo::V1, "version1");
    QCOMPARE(QString::fromStdString(Extraer("C:\\a\\b.mn2", '\\')), QString("b.mn2"));
    QCOMPARE(QString::fromStdString(Extraer("b.mn2", '\\')), QString("b.mn2"));
}

void TstArchivoMensaje::ejemploVersion2() {
    Mensaje m;
    m.ponerPagina(1, {"HOLA", 0, 2, 2, 1});
    m.ponerPagina(2, {"DIGA \"SI\"", 5, 0, 0, 0});
    m.TotPag = 2;
    const QByteArray esperado =
        QByteArray::fromHex("302C322C322C22484F4C41222C310D0A352C302C302C2244494741"
                            "20FF5349FF222C300D0A");
    QCOMPARE(bytes(EscribirMensaje(m)), esperado);
    QCOMPARE(esperado.size(), 37);

    const LecturaMensaje l = LeerMensaje(vista(esperado), VersionArchivo::V2);
    QVERIFY(!l.error);
    QCOMPARE(l.paginas.size(), 2u);
    QCOMPARE(l.paginas[0], m.pagina(1));
    QCOMPARE(l.paginas[1], m.pagina(2));
}

void TstArchivoMensaje::huecosSeRenumeran() {
    Mensaje m;
    m.ponerPagina(1, {"UNO"});
    m.ponerPagina(3, {"TRES", 1, 1, 0, 0});
    m.TotPag = 3;
    const LecturaMensaje l = LeerMensaje(EscribirMensaje(m), VersionArchivo::V2);
    QCOMPARE(l.paginas.size(), 2u);
    QCOMPARE(l.paginas[1], m.pagina(3));
    QVERIFY(EscribirMensaje(Mensaje{}).empty());
}

void TstArchivoMensaje::lectura_data() {
    QTest::addColumn<QByteArray>("datos");
    QTest::addColumn<bool>("version1");
    QTest::addColumn<QList<Pagina>>("paginas");
    QTest::newRow("version 1") << QByteArray::fromHex("332C312C302C2250524F4D4F220D0A") << true
                               << QList<Pagina>{{"PROMO", 4, 1, 0, 0}};
    QTest::newRow("version 1 efectos 0 y 1 iguales")
        << QByteArray("0,0,0,\"a\"\r\n1,0,2,\"b\"\r\n18,0,0,\"c\"\r\n") << true
        << QList<Pagina>{{"a", 0, 0, 0, 0}, {"b", 1, 0, 2, 0}, {"c", 19, 0, 0, 0}};
    QTest::newRow("vacio") << QByteArray() << false << QList<Pagina>{};
    QTest::newRow("y con dieresis vuelve comilla")
        << QByteArray("0,0,0,\"\xFFok\xFF\",0\r\n") << false << QList<Pagina>{{"\"ok\""}};
    QTest::newRow("comas y blancos dentro de comillas")
        << QByteArray("0,0,0,\" a, b \",0\r\n") << false << QList<Pagina>{{" a, b "}};
    QTest::newRow("texto sin comillas")
        << QByteArray("1,2,0,HOLA,3\r\n") << false << QList<Pagina>{{"HOLA", 1, 2, 0, 3}};
    QTest::newRow("blancos antes de campos")
        << QByteArray(" 1, 2 , 0,  \"x\" , 3\r\n") << false << QList<Pagina>{{"x", 1, 2, 0, 3}};
    QTest::newRow("ceros a la izquierda")
        << QByteArray("0003,0,00,\"x\",010\r\n") << false << QList<Pagina>{{"x", 3, 0, 0, 10}};
    QTest::newRow("campo vacio es 0")
        << QByteArray(",,,\"x\",\r\n") << false << QList<Pagina>{{"x"}};
    QTest::newRow("sin fin de linea final")
        << QByteArray("1,0,0,\"x\",2") << false << QList<Pagina>{{"x", 1, 0, 0, 2}};
    QTest::newRow("LF solo") << QByteArray("1,0,0,\"x\",2\n3,0,0,\"y\",0\n") << false
                             << QList<Pagina>{{"x", 1, 0, 0, 2}, {"y", 3}};
    QTest::newRow("alineacion se guarda como se lee")
        << QByteArray("0,0,255,\"x\",0\r\n") << false << QList<Pagina>{{"x", 0, 0, 255}};
    QList<Pagina> noventaYNueve;
    for (int i = 0; i < 99; ++i)
        noventaYNueve.append(Pagina{"p"});
    QTest::newRow("99 registros") << registros(99) << false << noventaYNueve;
}

void TstArchivoMensaje::lectura() {
    QFETCH(QByteArray, datos);
    QFETCH(bool, version1);
    QFETCH(QList<Pagina>, paginas);
    const LecturaMensaje l =
        LeerMensaje(vista(datos), version1 ? VersionArchivo::V1 : VersionArchivo::V2);
    QVERIFY2(!l.error, l.error ? l.error->motivo.c_str() : "");
    QCOMPARE(QList<Pagina>(l.paginas.begin(), l.paginas.end()), paginas);
}

void TstArchivoMensaje::fallas_data() {
    QTest::addColumn<QByteArray>("datos");
    QTest::addColumn<bool>("version1");
    QTest::addColumn<int>("registro");
    QTest::newRow("100 registros") << registros(100) << false << 100;
    QTest::newRow("linea en blanco al final") << registros(2) + "\r\n" << false << 3;
    QTest::newRow("numero mayor que 255") << QByteArray("256,0,0,\"x\",0\r\n") << false << 1;
    QTest::newRow("numero enorme")
        << QByteArray("99999999999999999999,0,0,\"x\",0\r\n") << false << 1;
    QTest::newRow("numero con signo") << QByteArray("-1,0,0,\"x\",0\r\n") << false << 1;
    QTest::newRow("numero con letras") << QByteArray("1a,0,0,\"x\",0\r\n") << false << 1;
    QTest::newRow("fin dentro del registro") << QByteArray("0,0,0,\"x\"") << false << 1;
    QTest::newRow("comilla sin cerrar") << QByteArray("0,0,0,\"x,0\r\n") << false << 1;
    QTest::newRow("basura tras comilla") << QByteArray("0,0,0,\"x\"y,0\r\n") << false << 1;
    QTest::newRow("efecto 20") << registros(1) + "20,0,0,\"x\",0\r\n" << false << 2;
    QTest::newRow("pausa 10") << QByteArray("0,10,0,\"x\",0\r\n") << false << 1;
    QTest::newRow("salida 11") << QByteArray("0,0,0,\"x\",11\r\n") << false << 1;
    QTest::newRow("v1 efecto 255") << QByteArray("255,0,0,\"x\"\r\n") << true << 1;
    QTest::newRow("v1 efecto 19 pasa a 20") << QByteArray("19,0,0,\"x\"\r\n") << true << 1;
    QTest::newRow("v1 leido como v2") << QByteArray("3,1,0,\"PROMO\"\r\n") << false << 1;
}

void TstArchivoMensaje::fallas() {
    QFETCH(QByteArray, datos);
    QFETCH(bool, version1);
    const LecturaMensaje l =
        LeerMensaje(vista(datos), version1 ? VersionArchivo::V1 : VersionArchivo::V2);
    QVERIFY(l.error);
    QTEST(l.error->registro, "registro");
    QVERIFY(!l.error->motivo.empty());
    QVERIFY(l.paginas.empty()); // nothing of a bad file is handed on
}

void TstArchivoMensaje::idaYVuelta() {
    Mensaje m;
    std::string todos;
    for (int c = 1; c < 256; ++c)
        todos += char(c);
    for (int i = 1; i <= MaxPag; ++i)
        m.ponerPagina(i, {todos.substr(i % 40, 1 + i * 3), std::uint8_t(i % 20),
                          std::uint8_t(i % 10), std::uint8_t(i % 3), std::uint8_t(i % 11)});
    m.TotPag = 99;
    const LecturaMensaje l = LeerMensaje(EscribirMensaje(m), VersionArchivo::V2);
    QVERIFY(!l.error);
    QCOMPARE(l.paginas.size(), 99u);
    for (int i = 1; i <= MaxPag; ++i) {
        Pagina esperada = m.pagina(i);
        esperada.texto = RComi(WComi(esperada.texto));
        QCOMPARE(l.paginas[i - 1], esperada);
    }
}

QTEST_APPLESS_MAIN(TstArchivoMensaje)
#include "tst_archivomensaje.moc"
