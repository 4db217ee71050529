// Message files and text import: what a file holds, what a text becomes, and which
// records are refused.

#include "core/files/archivomensaje.h"
#include "core/files/importartexto.h"
#include "link/files/codificacion.h"
#include "support/tabla.h"

using namespace brelo;
using B = QByteArray;

namespace {
const QByteArray DosPaginas = "0,2,2,\"HOLA\",1\r\n5,0,0,\"DIGA \xFFSI\xFF\",0\r\n";
const QByteArray Centrado = "      HOLA      ";

// clang-format off
// v2 null: the read fails.
struct Lectura { const char* nombre; QByteArray datos; bool v1; QByteArray v2; int registro; };
// texto as the file holds it; paginas in Windows-1252.
struct Importado { const char* nombre; QByteArray texto; QByteArrayList paginas; int reemplazados = 0, sinImportar = 0; };

const B Z(1023, 'z');
const Lectura Lecturas[] = {
    {"comillas y CR LF", DosPaginas, false, DosPaginas, 0},
    {"ceros, blancos, LF", "03 ,05,2, \"a,b\" ,010\n7,0,0,sin,0", false, "3,5,2,\"a,b\",10\r\n7,0,0,\"sin\",0\r\n", 0},
    {"v1 renumera desde 2", "1,0,0,\"a\"\r\n2,1,0,\"b\"\r\n18,0,2,\"c\"\r\n", true, "1,0,0,\"a\",0\r\n3,1,0,\"b\",0\r\n19,0,2,\"c\",0\r\n", 0},
    {"vacio", "", false, "", 0},
    {"numero malo", "0,0,0,\"a\",0\r\nx,0,0,\"b\",0", false, B(), 2},
    {"mas de 255", "300,0,0,\"a\",0", false, B(), 1},
    {"efecto 20", "20,0,0,\"a\",0", false, B(), 1},
    {"pausa 10", "0,10,0,\"a\",0", false, B(), 1},
    {"salida 11", "0,0,0,\"a\",11", false, B(), 1},
    {"v1 efecto 19", "19,0,0,\"a\"", true, B(), 1},
    {"sin comilla de cierre", "0,0,0,\"a,0", false, B(), 1},
    {"basura tras comilla", "0,0,0,\"a\"x,0", false, B(), 1},
    {"registro cortado", "0,0,0,\"a\",0\r\n1,2", false, B(), 2},
    {"100 registros", B("0,0,0,\"a\",0\r\n").repeated(100), false, B(), 100},
};
const Importado Importaciones[] = {
    {"centra y salta vacias", "HOLA\r\n\r\nMUNDO", {Centrado, "     MUNDO      "}},
    {"16, blancos, LF y CR", "abcdefghijklmnop\n   \rx", {"abcdefghijklmnop", B(16, ' '), "       x        "}},
    {"1023 una pagina", Z, {Z}},
    {"1024 dos", Z + "y", {" " + Z, "y"}},
    {"2500 tres", B(2500, 'z'), {" " + Z, " " + Z, B(454, 'z')}},
    {"150 lineas dan 99", B("x\r\n").repeated(150), QByteArrayList(99, "       x        "), 0, 51},
    {"UTF-8 con marca", "\xEF\xBB\xBF" "A\xC3\xB1o", {"      A\xF1o       "}},
    {"UTF-8", "\xC2\xA1" "Feliz A\xC3\xB1o, \xC3\x91" "and\xC3\xBA! \xC5\x91\xE2\x86\x92\xF0\x9F\x8E\x89", {"\xA1" "Feliz A\xF1o, \xD1" "and\xFA! o##"}, 3},
    {"comillas y rayas", "\xE2\x80\x9Cx\xE2\x80\x9D \xE2\x80\x9Bx\xE2\x80\x90 \xE2\x88\x92\xC5\x82", {"   \x93x\x94 'x- -#   "}, 4},
    {"UTF-8 roto es 1252", "A\xF1o \xC3", {"     A\xF1o \xC3      "}},
    {"UTF-8 con un byte roto", "A\xC3\xB1o \xFF\xEF\xBF\xBDni\xC3\xB1o", {"   A\xF1o ##ni\xF1o   "}, 2},
    {"un acento y un byte roto", "Can\xFF" "ci\xC3\xB3n", {"    Can#ci\xF3n    "}, 1},
    {"\xC3\xBF de 1252", "Se\xF1or \xFF", {"    Se\xF1or y     "}, 1},
    {"\xC3\xBF de UTF-8", "Se\xC3\xB1or \xC3\xBF", {"    Se\xF1or y     "}, 1},
    {"UTF-16LE", B("\xFF\xFE" "A\0\xF1\0o\0", 8), {"      A\xF1o       "}},
    {"UTF-16BE", B("\xFE\xFF\0A\0\xF1\0o", 8), {"      A\xF1o       "}},
    {"larga pasa de 99", B("x\r\n").repeated(98) + B(3000, 'z'), {}},
    {"sin lineas", "\r\n\r\n", {}},
};
// clang-format on
} // namespace

Q_DECLARE_METATYPE(Lectura)
Q_DECLARE_METATYPE(Importado)

class TstArchivos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A file as read, then written back as version 2; or the record where reading failed.
    void leer_data() { Filas(Lecturas); }
    void leer() {
        QFETCH(Lectura, caso);
        const LecturaMensaje l = LeerMensaje(caso.datos.toStdString(),
                                             caso.v1 ? VersionArchivo::V1 : VersionArchivo::V2);
        QCOMPARE(l.error ? l.error->registro : 0, caso.registro);
        Mensaje m;
        m.cargarPaginas(l.paginas);
        QCOMPARE(l.error ? B() : B::fromStdString(EscribirMensaje(m)), caso.v2);
    }

    // Pages of an imported text, or none when the import fails.
    void importar_data() { Filas(Importaciones); }
    void importar() {
        QFETCH(Importado, caso);
        const TextoDecodificado d = DecodificarTexto(caso.texto.toStdString());
        const Importacion imp = ImportarTexto(d.texto);
        QCOMPARE(d.reemplazados, caso.reemplazados);
        QCOMPARE(imp.lineasSinImportar, caso.sinImportar);
        QByteArrayList obtenidas;
        for (const std::string& p : imp.paginas)
            obtenidas << B::fromStdString(p);
        QCOMPARE(obtenidas, caso.paginas);
        QCOMPARE(bool(imp.error), caso.paginas.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstArchivos)
#include "tst_archivos.moc"
