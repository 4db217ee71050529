// Message files and text import: what a file holds, what the window does with it, and that a
// failure loses nothing.

#include "core/files/archivomensaje.h"
#include "core/files/importartexto.h"
#include "link/files/codificacion.h"
#include "support/banco.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>

#include <sys/stat.h>

using namespace brelo;
using B = QByteArray;

namespace {
// A file dropped on the window from the file manager.
void soltar(QWidget& w, const QString& ruta) {
    QMimeData datos;
    const qsizetype web = ruta.indexOf("http:"); // a link from a browser, not a file
    datos.setUrls({web < 0 ? QUrl::fromLocalFile(ruta) : QUrl(ruta.mid(web))});
    QDragEnterEvent entra(QPoint(5, 5), Qt::CopyAction, &datos, Qt::LeftButton, {});
    QApplication::sendEvent(&w, &entra);
    QDropEvent suelta(QPointF(5, 5), Qt::CopyAction, &datos, Qt::LeftButton, {});
    if (entra.isAccepted())
        QApplication::sendEvent(&w, &suelta);
    QCoreApplication::processEvents();
}

const QByteArray DosPaginas = "0,2,2,\"HOLA\",1\r\n5,0,0,\"DIGA \xFFSI\xFF\",0\r\n";
const QByteArray Centrado = "      HOLA      ";

// clang-format off
// v2 null: the read fails.
struct Lectura { const char* nombre; QByteArray datos; bool v1; QByteArray v2; int registro; };
// texto as the file holds it; paginas in Windows-1252.
struct Importado { const char* nombre; QByteArray texto; QByteArrayList paginas; int reemplazados = 0, sinImportar = 0; };
// estado: 1 open, 2 changed, 4 GrabarComo, 8 window shown; escrito: "file=bytes" on disk
// afterwards; preguntas: the save-changes questions asked; dialogo: the folder, relative to the
// test's, and the name the last file dialog offered.
struct Flujo { const char* nombre; QString pasos, panel2, nombreArchivo; int estado; QString mensajes; QString escrito = {}; int preguntas = 0; QString dialogo = {}; };

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
    {"UTF-16LE", B("\xFF\xFE" "A\0\xF1\0o\0", 8), {"      A\xF1o       "}},
    {"UTF-16BE", B("\xFE\xFF\0A\0\xF1\0o", 8), {"      A\xF1o       "}},
    {"larga pasa de 99", B("x\r\n").repeated(98) + B(3000, 'z'), {}},
    {"sin lineas", "\r\n\r\n", {}},
};
const Flujo Flujos[] = {
    {"inicio", "", "Sin Nombre", "", 8, "", ""},
    {"nuevo", "nuevo", "Sin Nombre", "", 13, "", ""},
    {"abierto", "abrir:m.mn2", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", ""},
    {"grabado", "abrir:m.mn2 editar grabar", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "m.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n"},
    {"grabado como", "abrir:m.mn2 editar como:o.mn2", "o.mn2", "o.mn2", 13, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "o.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n"},
    {"como sin cambios", "abrir:m.mn2 como:o.mn2", "o.mn2", "o.mn2", 13, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "o.mn2=0,0,2,\"HOLA\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n"},
    {"modificado", "abrir:m.mn2 editar", "m.mn2", "m.mn2", 11, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", ""},
    {"grabar sin cambios", "nuevo grabar:n.mn2", "Sin Nombre", "", 13, "", "n.mn2=<no existe>"},
    {"grabar cancelado", "nuevo editar grabar", "Sin Nombre", "", 11, "ERR: NO se Grabo Archivo Mensajes", ""},
    {"carpeta inexistente", "nuevo editar grabar:no/hay/n.mn2", "Sin Nombre", "n.mn2", 11, "ERR: NO se Grabo Archivo Mensajes", ""},
    {"dentro de un archivo", "nuevo editar grabar:t.txt/n.mn2", "Sin Nombre", "n.mn2", 11, "ERR: NO se Grabo Archivo Mensajes", "t.txt=HOLA\r\n"},
    {"sin texto no se graba", "nuevo editar vaciar grabar:n.mn2", "Sin Nombre", "n.mn2", 11, "", "n.mn2=<no existe>"},
    {"importado", "nuevo importar:t.txt", "Sin Nombre", "", 11, "PGM: Importando Mensaje... / PGM: Mensaje importado OK!", ""},
    {"importado conserva nombre", "abrir:m.mn2 importar:t.txt grabar", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Importando Mensaje... / PGM: Mensaje importado OK! / PGM: Mensajes Grabado OK", "m.mn2=0,0,0,\"      HOLA      \",0\r\n"},
    {"importado de UTF-8", "nuevo importar:u.txt", "Sin Nombre", "", 11, "PGM: Importando Mensaje... / PGM: Mensaje importado OK! (1 caracter reemplazado, 2 lineas sin importar)", ""},
    {"soltar un mensaje", "abrir:m.mn2 editar soltar:o.mn2", "o.mn2", "o.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"soltar sobre uno sin nombre", "nuevo editar si soltar:o.mn2", "o.mn2", "o.mn2", 9, "ERR: NO se Grabo Archivo Mensajes / PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "o.mn2=0,0,0,\"otro\",0\r\n", 1},
    {"soltar un envio", "abrir:m.mn2 editar soltar:Salida.txt", "Salida.mn2", "Salida.mn2", 15, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensaje leido de un envio al cartel", "", 1},
    {"importar un envio con dudas", "nuevo importar:raro.bin", "raro.mn2", "raro.mn2", 15, "PGM: Mensaje leido de un envio al cartel", "", 1},
    {"soltar un texto", "nuevo soltar:t.txt", "Sin Nombre", "", 11, "PGM: Importando Mensaje... / PGM: Mensaje importado OK!", ""},
    {"soltar un texto sin mensaje", "soltar:t.txt abrir:m.mn2", "m.mn2", "m.mn2", 9, "PGM: Importando Mensaje... / PGM: Mensaje importado OK! / PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"soltar un texto en mayusculas", "nuevo soltar:NOTAS.TXT", "Sin Nombre", "", 11, "PGM: Importando Mensaje... / PGM: Mensaje importado OK!", ""},
    {"soltar una direccion web", "abrir:m.mn2 soltar:http://cartel/o.mn2", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", ""},
    {"importar sin mensaje", "importar:t.txt", "Sin Nombre", "", 8, "ERR: NO hay mensaje!", ""},
    {"importar cancelado", "abrir:m.mn2 importar:", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se pudo leer Archivo", ""},
    {"importar fallido", "abrir:m.mn2 importar:largo.txt", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se pudo leer Archivo", ""},
    {"cerrado", "abrir:m.mn2 editar cerrar", "m.mn2", "", 10, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"cerrar No y grabar", "nuevo editar cerrar grabar:c.mn2", "c.mn2", "c.mn2", 8, "PGM: Mensajes Grabado OK", "c.mn2=0,0,0,\"editado\",0\r\n", 1},
    {"nuevo tras como pide nombre", "nuevo editar como:a.mn2 editar si nuevo:b.mn2", "Sin Nombre", "", 13, "PGM: Mensajes Grabado OK / PGM: Mensajes Grabado OK", "b.mn2=0,0,0,\"otro\",0\r\n", 1},
    {"carga fallida", "nuevo editar abrir:mal.mn2", "Sin Nombre", "", 13, "PGM: Cargando Mensaje... / ERR: Error en Archivo de Mensaje", "", 1},
    {"v1 en mayusculas", "abrir:V1.MNM abrir", "V1.MNM", "V1.MNM", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 0, ".|V1.MNM"},
    {"no existe", "abrir:no.mn2", "Sin Nombre", "", 13, "ERR: Error en Archivo de Mensaje", ""},
    {"archivo vacio", "nuevo editar abrir:vacio.mn2", "Sin Nombre", "vacio.mn2", 13, "PGM: Cargando Mensaje...", "", 1},
    {"pagina de 40000 entera", "abrir:larga.mn2 como:o.mn2", "o.mn2", "o.mn2", 13, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "o.mn2=0,0,0,\"" + QString(40000, 'x') + "\",0\r\n"},
    {"v1 se graba como .mn2", "abrir:viejos/v1.mnm editar grabar:viejos/v1.mn2", "v1.mn2", "v1.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "viejos/v1.mn2=4,1,0,\"editado\",0\r\n", 0, "viejos|v1.mn2"},
    {"nunca un .mnm", "abrir:m.mn2 editar como:x.MNM", "m.mn2", "m.mn2", 15, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se Grabo Archivo Mensajes", "x.MNM=<no existe>"},
    {"abrir junto al mensaje", "abrir:viejos/v1.mnm abrir", "v1.mnm", "v1.mnm", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 0, "viejos|v1.mnm"},
    {"importar no ofrece el mensaje", "abrir:m.mn2 importar", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se pudo leer Archivo", "", 0, ".|"},
    {"abrir no ofrece el texto", "nuevo importar:t.txt abrir", "Sin Nombre", "", 11, "PGM: Importando Mensaje... / PGM: Mensaje importado OK!", "", 1, ".|"},
    {"grabar sin nombre", "abrir:viejos/v1.mnm nuevo editar grabar", "Sin Nombre", "", 11, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se Grabo Archivo Mensajes", "", 0, "viejos|"},
    {"abrir un FIFO", "abrir:fifo.mn2", "Sin Nombre", "", 13, "ERR: Error en Archivo de Mensaje"},
    {"importar un FIFO", "abrir:m.mn2 importar:fifo.txt", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se pudo leer Archivo"},
    {"v1 leido", "abrir:v1.mnm", "v1.mnm", "v1.mnm", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", ""},
    {"disco lleno conserva el anterior", "abrir:m.mn2 lleno", "m.mn2", "m.mn2", 11, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se Grabo Archivo Mensajes", "", 0},
    {"nuevo Si", "abrir:m.mn2 editar si nuevo", "Sin Nombre", "", 13, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "m.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n", 1},
    {"nuevo No", "abrir:m.mn2 editar nuevo", "Sin Nombre", "", 13, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"abrir Si", "abrir:m.mn2 editar si abrir", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "m.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n", 1},
    {"abrir No", "abrir:m.mn2 editar abrir", "m.mn2", "m.mn2", 11, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"cerrar Si", "abrir:m.mn2 editar si cerrar", "m.mn2", "", 8, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "m.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n", 1},
    {"salir Si", "abrir:m.mn2 editar si salir", "m.mn2", "m.mn2", 1, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "m.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n", 1},
    {"salir No", "abrir:m.mn2 editar salir", "m.mn2", "m.mn2", 3, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"cerrar ventana Si", "abrir:m.mn2 editar si ventana", "m.mn2", "m.mn2", 1, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensajes Grabado OK", "m.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n", 1},
    {"cerrar ventana No", "abrir:m.mn2 editar ventana", "m.mn2", "m.mn2", 3, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"ventana sin cambios", "abrir:m.mn2 ventana", "m.mn2", "m.mn2", 1, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 0},
};
// clang-format on
} // namespace

Q_DECLARE_METATYPE(Lectura)
Q_DECLARE_METATYPE(Importado)
Q_DECLARE_METATYPE(Flujo)

class TstArchivos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }

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

    // The file commands, one step after another; then what the window and the disk show.
    void flujo_data() { Filas(Flujos); }
    void flujo() {
        QFETCH(Flujo, caso);
        Banco b;
        QVERIFY(QDir(b.dir.path()).mkdir("viejos"));
        // clang-format off
        for (auto [nombre, datos] : {std::pair{"m.mn2", DosPaginas}, {"mal.mn2", "0,0,0,\"a\",0\r\n300,0"}, {"V1.MNM", "3,1,0,\"PROMO\"\r\n"}, {"v1.mnm", "3,1,0,\"PROMO\"\r\n"}, {"vacio.mn2", ""}, {"t.txt", "HOLA\r\n"}, {"NOTAS.TXT", "HOLA\r\n"}, {"o.mn2", "0,0,0,\"otro\",0\r\n"}, {"u.txt", "\xC5\x91\r\n" + B("x\r\n").repeated(100)}, {"largo.txt", B("x\r\n").repeated(98) + B(3000, 'z')}, {"viejos/v1.mnm", "3,1,0,\"PROMO\"\r\n"}, {"larga.mn2", "0,0,0,\"" + B(40000, 'x') + "\",0\r\n"}, {"Salida.txt", "\"W-NT9\xDF\x90HOLA\x01\x01\"\r\n"}, {"raro.bin", "W-NT9\xDF\x90" "A\x9F\x01\x01"}})
            b.escribir(nombre, datos);
        const QMap<QString, std::function<void()>> ordenes{
            {"nuevo", [&] { b.v.Nuevo_Click(); }}, {"abrir", [&] { b.v.Cargar_Click(); }},
            {"grabar", [&] { b.v.save_Click(); }}, {"como", [&] { b.v.Grabar_Click(); }},
            {"importar", [&] { b.v.Importar_Click(); }}, {"cerrar", [&] { b.v.cerrar_Click(); }},
            {"salir", [&] { b.v.salir_Click(); }}, {"ventana", [&] { b.v.close(); }},
            {"si", [&] { b.p.respuestas << true; }},
            {"soltar", [&] { soltar(b.v, b.p.archivos.takeLast()->ruta); }},
            {"lleno", [&] { b.f.txtMensaje->setText(QString(1000, 'x')); ConLimiteDeArchivo(200, [&] { b.v.save_Click(); }); }},
            {"vaciar", [&] { b.f.txtMensaje->setText(""); }},
            {"editar", [&] { b.f.txtMensaje->setText(b.f.txtMensaje->text() == "editado" ? "otro" : "editado"); }},
        };
        QCOMPARE(::mkfifo(qPrintable(b.ruta("fifo.mn2")), 0600) | ::mkfifo(qPrintable(b.ruta("fifo.txt")), 0600), 0);
        // clang-format on
        b.v.show();
        for (const QString& paso : caso.pasos.split(' ', Qt::SkipEmptyParts)) {
            if (const QString archivo = paso.section(':', 1); !archivo.isEmpty())
                b.elegir(archivo);
            ordenes[paso.section(':', 0, 0)]();
        }
        QCOMPARE(b.panel(2), caso.panel2);
        QCOMPARE(QString::fromStdString(b.m.NomArchivo), caso.nombreArchivo);
        const int estado =
            int(!b.f.isHidden()) | b.m.Cambios << 1 | b.m.GrabarComo << 2 | b.v.isVisible() << 3;
        QCOMPARE(estado, caso.estado);
        QCOMPARE(b.mostrados.join(" / "), caso.mensajes);
        // Two beeps before each error, but for "NO hay mensaje!".
        QCOMPARE(b.p.beeps, 2 * int(caso.mensajes.count("ERR") - caso.mensajes.count("NO hay")));
        QCOMPARE(b.p.cajas.size(), caso.preguntas);
        if (!caso.escrito.isEmpty())
            QCOMPARE(b.leer(caso.escrito.section('=', 0, 0)),
                     caso.escrito.section('=', 1).toLatin1());
        QCOMPARE(b.leer("m.mn2"), caso.escrito.startsWith("m.mn2") ? b.leer("m.mn2") : DosPaginas);
        QCOMPARE(b.leer("viejos/v1.mnm"), B("3,1,0,\"PROMO\"\r\n")); // never written
        const DialogoArchivo& d = b.p.ultimoDialogo;
        if (!caso.dialogo.isEmpty())
            QCOMPARE(QDir(b.dir.path()).relativeFilePath(d.carpeta) + '|' + d.nombreInicial,
                     caso.dialogo);
    }
};

QTEST_MAIN(TstArchivos)
#include "tst_archivos.moc"
