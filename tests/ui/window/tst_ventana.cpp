// The main window: every button runs what its menu item runs, the file commands one step
// after another and what they leave on disk, the status line, help.

#include "link/ajustes.h"
#include "link/conversion.h"
#include "link/files/recuperacion.h"
#include "support/banco.h"
#include "ui/platform/PlataformaReal.h"
#include "ui/platform/ayuda.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <csignal>

#include <sys/stat.h>

using namespace brelo;
using B = QByteArray;

namespace {
// What a command leaves behind, from an opened and edited message: the modal window it showed,
// the questions and file dialogs, the status line and what is still shown.
QString huella(const QString& control) {
    Banco b;
    b.v.show();
    b.abrir("m.mn2", "0,0,0,\"HOLA\",0\r\n");
    b.f.txtMensaje->setText("editado");
    QString modal;
    QTimer::singleShot(0, &b.v, [&modal] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            modal = w->objectName();
            w->close();
        }
    });
    if (auto* boton = b.v.findChild<QToolButton*>(control))
        boton->click();
    else
        b.v.findChild<QAction*>(control)->trigger();
    const QString ventanas = QString::number(b.f.isHidden() + 2 * b.v.isHidden());
    return modal + '|' + b.panel(3) + '|' + ventanas + '|' + b.p.cajas.join('/') + '|' +
           b.p.dialogos.join('/') + '|' + b.p.documentos.join('/') + '|' + b.leer("m.mn2");
}

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

// clang-format off
// estado: 1 open, 2 changed, 4 GrabarComo, 8 window shown; escrito: "file=bytes" on disk
// afterwards; preguntas: the save-changes questions asked; dialogo: the folder, relative to the
// test's, and the name the last file dialog offered.
struct Flujo { const char* nombre; QString pasos, panel2, nombreArchivo; int estado; QString mensajes; QString escrito = {}; int preguntas = 0; QString dialogo = {}; };

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
    {"soltar sobre uno sin nombre", "nuevo editar si soltar:o.mn2 como:x.mn2", "x.mn2", "x.mn2", 13, "ERR: NO se Grabo Archivo Mensajes / PGM: Mensajes Grabado OK", "x.mn2=0,0,0,\"editado\",0\r\n", 1},
    {"nuevo Si cancelado", "nuevo editar si nuevo como:x.mn2", "x.mn2", "x.mn2", 13, "ERR: NO se Grabo Archivo Mensajes / PGM: Mensajes Grabado OK", "x.mn2=0,0,0,\"editado\",0\r\n", 1},
    {"abrir Si cancelado", "nuevo editar si abrir", "Sin Nombre", "", 11, "ERR: NO se Grabo Archivo Mensajes", "", 1},
    {"cerrar Si cancelado", "nuevo editar si cerrar", "Sin Nombre", "", 11, "ERR: NO se Grabo Archivo Mensajes", "", 1},
    {"ventana Si cancelado", "nuevo editar si ventana", "Sin Nombre", "", 11, "ERR: NO se Grabo Archivo Mensajes", "", 1},
    {"salir Si con el disco lleno", "abrir:m.mn2 editar si salir!", "m.mn2", "m.mn2", 11, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se Grabo Archivo Mensajes", "", 1},
    {"cerrar Si con el disco lleno", "abrir:m.mn2 editar si cerrar! grabar", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se Grabo Archivo Mensajes / PGM: Mensajes Grabado OK", "m.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n", 1},
    {"importar y deshacer", "abrir:m.mn2 editar importar:t.txt deshacer como:u.mn2", "u.mn2", "u.mn2", 13, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Importando Mensaje... / PGM: Mensaje importado OK! / PGM: Mensajes Grabado OK", "u.mn2=0,0,2,\"editado\",1\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n"},
    {"importar, deshacer y rehacer", "abrir:m.mn2 importar:t.txt deshacer rehacer como:u.mn2", "u.mn2", "u.mn2", 13, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Importando Mensaje... / PGM: Mensaje importado OK! / PGM: Mensajes Grabado OK", "u.mn2=0,0,0,\"      HOLA      \",0\r\n"},
    {"importar con un acento y un byte roto", "nuevo importar:roto.txt como:r.mn2", "r.mn2", "r.mn2", 13, "PGM: Importando Mensaje... / PGM: Mensaje importado OK! (1 caracter reemplazado) / PGM: Mensajes Grabado OK", "r.mn2=0,0,0,\"    Can#ci\xC3\xB3n    \",0\r\n"},
    {"soltar un envio", "abrir:m.mn2 editar soltar:Salida.txt", "Salida.mn2", "Salida.mn2", 15, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / PGM: Mensaje leido de un envio al cartel", "", 1},
    {"importar un envio con dudas", "nuevo importar:raro.bin", "raro.mn2", "raro.mn2", 15, "PGM: Mensaje leido de un envio al cartel", "", 1},
    {"abrir una captura con ruido", "abrir:captura.bin", "captura.mn2", "captura.mn2", 15, "PGM: Mensaje leido de un envio al cartel", "", 1},
    {"abrir un envio cancelado", "abrir:cancelado.bin", "cancelado.mn2", "cancelado.mn2", 15, "PGM: Mensaje leido de un envio al cartel (cancelado)", "", 0},
    {"abrir solo la hora", "abrir:m.mn2 abrir:hora.bin", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: El envio no trae ningun mensaje: solo la hora (09:00:00 07/12/26)", ""},
    {"soltar un texto", "nuevo soltar:t.txt", "Sin Nombre", "", 11, "PGM: Importando Mensaje... / PGM: Mensaje importado OK!", ""},
    {"soltar un texto sin mensaje", "soltar:t.txt abrir:m.mn2", "m.mn2", "m.mn2", 9, "PGM: Importando Mensaje... / PGM: Mensaje importado OK! / PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"soltar un texto en mayusculas", "nuevo soltar:NOTAS.TXT", "Sin Nombre", "", 11, "PGM: Importando Mensaje... / PGM: Mensaje importado OK!", ""},
    {"soltar una direccion web", "abrir:m.mn2 soltar:http://cartel/o.mn2", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", ""},
    {"importar sin mensaje", "importar:t.txt", "Sin Nombre", "", 8, "ERR: NO hay mensaje!", ""},
    {"importar cancelado", "abrir:m.mn2 importar:", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se pudo leer Archivo", ""},
    {"importar fallido", "abrir:m.mn2 importar:largo.txt", "m.mn2", "m.mn2", 9, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK! / ERR: NO se pudo leer Archivo", ""},
    {"cerrado", "abrir:m.mn2 editar cerrar", "m.mn2", "", 10, "PGM: Cargando Mensaje... / PGM: Mensaje cargado OK!", "", 1},
    {"cerrar No y grabar", "nuevo editar cerrar grabar:c.mn2", "Sin Nombre", "", 14, "", "c.mn2=<no existe>", 1}, // closed stays closed
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
// clang-format off
// A key, or a picture button ("cmd..."), after typing in the page box: what it did, and the
// title it left (the file, and the mark of unsaved changes).
struct Atajo { const char* nombre; QString tecla, elegido, titulo, queda; };
const Atajo Atajos[] = {
    {"grabar", "Ctrl+S", "", "m.mn2[*] - Norvane - Brelo v2.0|0", "m.mn2=0,0,2,\"HOLAx\",1"},
    {"grabar como", "Ctrl+Shift+S", "o.mn2", "o.mn2[*] - Norvane - Brelo v2.0|0", "o.mn2=0,0,2,\"HOLAx\",1"},
    {"nuevo", "Ctrl+N", "", "Sin Nombre[*] - Norvane - Brelo v2.0|0", "preguntas=1"},
    {"abrir", "Ctrl+O", "o.mn2", "o.mn2[*] - Norvane - Brelo v2.0|0", "preguntas=1"},
    {"cerrar", "Ctrl+W", "", "Norvane - Brelo v2.0|0", "preguntas=1"},
    {"salir", "Ctrl+Q", "", "m.mn2[*] - Norvane - Brelo v2.0|1", "oculta=1"},
    {"ayuda", "F1", "", "m.mn2[*] - Norvane - Brelo v2.0|1", "ayuda="},
    {"deshacer", "Ctrl+Z", "", "m.mn2[*] - Norvane - Brelo v2.0|1", "texto=HOLA"},
    {"boton grabar", "cmdSave", "", "m.mn2[*] - Norvane - Brelo v2.0|0", "m.mn2=0,0,2,\"HOLAx\",1"},
    {"boton cerrar", "cmdClose", "", "Norvane - Brelo v2.0|0", "preguntas=1"},
    {"boton nuevo", "cmdNew", "", "Sin Nombre[*] - Norvane - Brelo v2.0|0", "preguntas=1"},
};
// clang-format on

} // namespace

Q_DECLARE_METATYPE(Atajo)
Q_DECLARE_METATYPE(Flujo)

class TstVentana : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }

    // The file commands, one step after another; then what the window and the disk show.
    void flujo_data() { Filas(Flujos); }
    void atajos_data() { Filas(Atajos); }
    void atajos() {
        QFETCH(Atajo, caso);
        Banco b;
        b.escribir("m.mn2", DosPaginas);
        b.escribir("o.mn2", "0,0,0,\"otro\",0\r\n");
        b.v.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.v));
        QCOMPARE(b.v.windowTitle(), "Norvane - Brelo v2.0");
        b.elegir("m.mn2");
        QTest::keySequence(&b.v, QKeySequence("Ctrl+O"));
        QCOMPARE(b.v.windowTitle() + '|' + QString::number(b.v.isWindowModified()),
                 "m.mn2[*] - Norvane - Brelo v2.0|0");
        b.f.txtMensaje->setFocus();
        b.f.txtMensaje->end(false);
        QTest::keyClick(b.f.txtMensaje, Qt::Key_X);
        QVERIFY(b.v.isWindowModified());
        if (!caso.elegido.isEmpty())
            b.elegir(caso.elegido);
        if (caso.tecla.startsWith("cmd"))
            QTest::mouseClick(b.v.findChild<QToolButton*>(caso.tecla), Qt::LeftButton);
        else
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(caso.tecla));
        QCOMPARE(b.v.windowTitle() + '|' + QString::number(b.v.isWindowModified()), caso.titulo);
        const QString que = caso.queda.section('=', 0, 0), valor = caso.queda.section('=', 1);
        if (que.endsWith(".mn2"))
            QCOMPARE(b.leer(que),
                     (valor + "\r\n5,0,0,\"DIGA \xC3\xBFSI\xC3\xBF\",0\r\n").toLatin1());
        else if (que == "preguntas")
            QCOMPARE(b.p.cajas.size(), valor.toInt());
        else if (que == "oculta")
            QCOMPARE(b.v.isHidden(), true);
        else if (que == "ayuda") // the guide, or where it is when it cannot be shown
            QCOMPARE(b.p.documentos.size() + b.p.cajas.filter("Ayuda|").size(), 1);
        else
            QCOMPARE(b.f.txtMensaje->text(), valor);
    }

    // A message closed without saving stays closed: no key saves it or changes its pages.
    void cerradoSinGrabar_data() {
        QTest::addColumn<QKeySequence>("tecla");
        for (const char* k : {"Ctrl+S", "Ctrl+Shift+S", "Ctrl+D", "Alt+Up", "Alt+Down"})
            QTest::newRow(k) << QKeySequence(k);
    }
    void cerradoSinGrabar() {
        QFETCH(QKeySequence, tecla);
        Banco b;
        b.escribir("m.mn2", "0,0,0,\"UNO\",0\r\n0,0,0,\"DOS\",0\r\n");
        b.v.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.v));
        b.abrir("m.mn2", "0,0,0,\"UNO\",0\r\n0,0,0,\"DOS\",0\r\n");
        b.f.txtMensaje->setFocus();
        QTest::keyClick(b.f.txtMensaje, Qt::Key_X);
        QTest::keySequence(&b.v, QKeySequence("Ctrl+W")); // and No to saving
        b.elegir("otro.mn2");
        const qsizetype dialogos = b.p.dialogos.size();
        QTest::keySequence(&b.v, tecla);
        QCOMPARE(b.p.dialogos.size(), dialogos);
        QCOMPARE(b.leer("otro.mn2"), "<no existe>");
        QCOMPARE(b.leer("m.mn2"), "0,0,0,\"UNO\",0\r\n0,0,0,\"DOS\",0\r\n");
        QCOMPARE(QString::fromStdString(b.m.TextoPag[1] + b.m.TextoPag[2]) +
                     QString::number(b.m.TotPag),
                 "UNODOS2");
        QVERIFY(b.f.isHidden());
        for (const char* a : {"SubirPagina", "BajarPagina", "DuplicarPagina"})
            QVERIFY(!b.v.findChild<QAction*>(a)->isEnabled());
    }

    // After Escribir, where Salida.txt went stays in the status line until the next message;
    // one that could not be written is not announced.
    void salidaQueda_data() {
        QTest::addColumn<bool>("puede"); // a folder stands where the file would go
        QTest::newRow("grabado") << true;
        QTest::newRow("no se pudo") << false;
    }
    void salidaQueda() {
        QFETCH(bool, puede);
        Banco b;
        b.v.show();
        b.abrir("m.mn2", DosPaginas);
        QVERIFY(puede || QDir(b.dir.path()).mkdir("Salida.txt"));
        QTimer::singleShot(0, &b.v, [] {
            QApplication::activeModalWidget()->findChild<QPushButton*>("cmdOK")->click();
        });
        b.v.findChild<QAction*>("Escribir")->trigger();
        const QString dicho = "PGM: Archivo 'SALIDA.TXT' grabado OK! " +
                              QDir::toNativeSeparators(b.ruta("Salida.txt"));
        if (!puede) {
            QVERIFY(!b.panel(3).contains("grabado OK"));
            return;
        }
        QVERIFY(b.leer("Salida.txt").startsWith("\"W-NT9"));
        QCOMPARE(b.panel(3), dicho);
        b.v.StatusBar1()->Timer1_Timer();
        QCOMPARE(b.panel(3), dicho);
        b.f.txtGoto->setText("9");
        b.f.cmdGtoPag->click(); // the next message takes the line, and goes in its time
        QCOMPARE(b.panel(3), "PGM: La pagina 9 no existe: el mensaje tiene 2");
        b.v.StatusBar1()->Timer1_Timer();
        QCOMPARE(b.panel(3), "");
    }

    // Alt and a letter reach one item of an open menu: no two share their letter.
    void letras() {
        Banco b;
        const QList<QMenu*> menus = b.v.menuBar()->findChildren<QMenu*>();
        QCOMPARE(menus.size(), 6);
        for (QMenu* menu : menus) {
            QStringList letras;
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) // every item has a letter, its own
                    letras << a->text().section('&', 1).left(1).toLower();
            QVERIFY2(!letras.contains("") &&
                         QSet<QString>(letras.begin(), letras.end()).size() == letras.size(),
                     qPrintable(letras.join(',')));
        }
    }

    void flujo() {
        QFETCH(Flujo, caso);
        Banco b;
        QVERIFY(QDir(b.dir.path()).mkdir("viejos"));
        // clang-format off
        for (auto [nombre, datos] : {std::pair{"m.mn2", DosPaginas}, {"mal.mn2", "0,0,0,\"a\",0\r\n300,0"}, {"V1.MNM", "3,1,0,\"PROMO\"\r\n"}, {"v1.mnm", "3,1,0,\"PROMO\"\r\n"}, {"vacio.mn2", ""}, {"t.txt", "HOLA\r\n"}, {"NOTAS.TXT", "HOLA\r\n"}, {"o.mn2", "0,0,0,\"otro\",0\r\n"}, {"roto.txt", "Can\xFF" "ci\xC3\xB3n\n"}, {"u.txt", "\xC5\x91\r\n" + B("x\r\n").repeated(100)}, {"largo.txt", B("x\r\n").repeated(98) + B(3000, 'z')}, {"viejos/v1.mnm", "3,1,0,\"PROMO\"\r\n"}, {"larga.mn2", "0,0,0,\"" + B(40000, 'x') + "\",0\r\n"}, {"Salida.txt", "\"W-NT9\xDF\x90HOLA\x01\x01\"\r\n"}, {"raro.bin", "W-NT9\xDF\x90" "A\x9F\x01\x01"}, {"captura.bin", B("\x00\xFF\x5A\x5AW-NT9\xDF\x90HOLA\x01\x01", 17)}, {"hora.bin", B("W-NT9\xB0\x09\x00\x00\x07\x12\x26\x01\x01", 14)}, {"cancelado.bin", "W-NT9\xDF\x90HOLA\x91" "AB\x01\x01"}})
            b.escribir(nombre, datos);
        const QMap<QString, std::function<void()>> ordenes{
            {"nuevo", [&] { b.v.Nuevo_Click(); }}, {"abrir", [&] { b.v.Cargar_Click(); }},
            {"grabar", [&] { b.v.save_Click(); }}, {"como", [&] { b.v.Grabar_Click(); }},
            {"importar", [&] { b.v.Importar_Click(); }}, {"cerrar", [&] { b.v.cerrar_Click(); }},
            {"salir", [&] { b.v.salir_Click(); }}, {"ventana", [&] { b.v.close(); }},
            {"salir!", [&] { ConLimiteDeArchivo(10, [&] { b.v.salir_Click(); }); }},
            {"cerrar!", [&] { ConLimiteDeArchivo(10, [&] { b.v.cerrar_Click(); }); }},
            {"deshacer", [&] { b.v.findChild<QAction*>("Deshacer")->trigger(); }},
            {"rehacer", [&] { b.v.findChild<QAction*>("Rehacer")->trigger(); }},
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

    // A file given from outside is in the title.
    void tituloDeFuera() {
        Banco b;
        b.escribir("o.mn2", "0,0,0,\"otro\",0\r\n");
        b.v.AbrirDeFuera(b.ruta("o.mn2"));
        QCOMPARE(b.v.windowTitle(), "o.mn2[*] - Norvane - Brelo v2.0");
    }

    // A session ending under the window (SIGTERM at logout) keeps a changed message beside the
    // settings, never over its file, and the next start offers it back, once; an unchanged
    // one leaves nothing behind.
    void recuperacion() {
        const QString recuperado = CarpetaAjustes() + "/recuperado.mn2";
        // clang-format off
        for (auto [editar, respuesta, queda] : {std::tuple{false, true, ""}, {true, false, ""}, {true, true, "m.mn2|sin grabar|DIGA \"SI\""}}) {
            // clang-format on
            { // the session that ends, gone before the next starts
                Banco b;
                b.v.show();
                b.abrir("m.mn2", DosPaginas);
                if (editar)
                    b.f.txtMensaje->setText("sin grabar");
                ::kill(::getpid(), SIGTERM);
                QTRY_VERIFY(!b.v.isVisible());
                QCOMPARE(b.leer("m.mn2"), DosPaginas);
                QCOMPARE(QFile::exists(recuperado), editar);
            }
            Banco luego;
            luego.p.respuestas = {respuesta};
            luego.v.OfrecerRecuperacion();
            QCOMPARE(luego.p.cajas.join('/'),
                     editar ? "Recuperar|Recuperar el mensaje sin grabar?" : "");
            QVERIFY(!QFile::exists(recuperado));
            QString visto;
            if (!luego.f.isHidden() && luego.m.Cambios)
                visto = luego.panel(2) + '|' + luego.f.txtMensaje->text() + '|' +
                        aQString(luego.m.TextoPag[2]);
            QCOMPARE(visto, QString(queda));
            if (!visto.isEmpty()) // the title says it, and that it is not saved
                QCOMPARE(luego.v.windowTitle() + QString::number(luego.v.isWindowModified()),
                         "m.mn2[*] - Norvane - Brelo v2.0" + QString::number(1));
        }
    }

    void botonYMenu() {
        // clang-format off
        const QStringList pares[] = {{"cmdNew", "Nuevo"}, {"cmdOpen", "Cargar"}, {"cmdSave", "save"}, {"cmdSaveAs", "Grabar"}, {"cmdClose", "cerrar"}, {"cmdImport", "Importar"}, {"cmdOptions", "Opciones"}, {"cmdTx", "Envio"}, {"Command2", "Escribir"}, {"Command1"}, {"cmdAbout", "About"}, {"cmdHelp", "Help"}, {"cmdExit", "salir"}};
        // clang-format on
        QStringList vistas;
        for (const QStringList& par : pares) {
            const QString h = huella(par[0]);
            if (par.size() > 1)
                QCOMPARE(huella(par[1]), h);
            QVERIFY2(!vistas.contains(h), qPrintable(par[0] + " hace lo de otro: " + h));
            vistas << h;
        }
        QVERIFY(vistas[9].startsWith("frmDate|"));
    }

    // Ver shows or hides the list of pages, as the operator last left it, and the window's
    // smallest width follows; Edicion holds the page commands.
    void verLista_data() {
        QTest::addColumn<bool>("guardada");
        QTest::newRow("oculta") << false;
        QTest::newRow("visible") << true;
    }
    void verLista() {
        QFETCH(bool, guardada);
        GuardarListaVisible(guardada);
        Banco b;
        QAction* ver = b.v.findChild<QMenu*>("Ver")->findChild<QAction*>("VerLista");
        QVERIFY(ver);
        QVERIFY(b.v.findChild<QMenu*>("Edicion")->actions().contains(
            b.v.findChild<QAction*>("SubirPagina")));
        QCOMPARE(ver->isChecked(), guardada);
        QCOMPARE(b.f.grpPaginas->isHidden(), !guardada);
        QCOMPARE(b.v.minimumWidth(), guardada ? 960 : 720);
        ver->trigger();
        QCOMPARE(LeerListaVisible(), !guardada);
        QCOMPARE(b.f.grpPaginas->isHidden(), guardada);
        QCOMPARE(b.v.minimumWidth(), guardada ? 720 : 960);
    }

    // With no viewer for the guide, or one that starts and gives up (the real one watched,
    // here "false"), the operator is told where the guide is, every time.
    // Before any message has been opened or saved, the file dialogs start in Documents: never
    // in the program's folder, which an uninstall empties.
    void primeraCarpeta() {
        Banco b;
        b.v.Cargar_Click(); // cancelled: no file scripted
        QCOMPARE(b.p.ultimoDialogo.carpeta,
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        b.abrir("m.mn2", DosPaginas);
        b.v.Grabar_Click();
        QCOMPARE(b.p.ultimoDialogo.carpeta, b.dir.path());
    }

    // The port box: the headline operators know, but for a port that opened and could not be
    // set up; the device and the reason as its detail.
    void avisoPuerto_data() {
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("titular");
        QTest::newRow("no existe") << "no existe"
                                   << "El puerto ya esta en uso o no existe ";
        QTest::newRow("en uso") << "esta en uso"
                                << "El puerto ya esta en uso o no existe ";
        QTest::newRow("sin configurar")
            << "no se pudo configurar el puerto (SetCommState: el dispositivo no responde)"
            << "No se pudo configurar el puerto ";
    }
    void avisoPuerto() {
        QFETCH(QString, error);
        QFETCH(QString, titular);
        Banco b;
        b.p.puerto.abrirFalla = true;
        b.p.puerto.errorApertura = error;
        b.v.ajustes().Puerto = "/dev/ttyBRELO";
        b.v.Inicio_COMM();
        QCOMPARE(b.p.cajas.value(0),
                 "Puerto Serie|Error #03, No se pudo iniciar el Puerto Serie\r" + titular +
                     "|/dev/ttyBRELO: " + error);
    }

    void ayudaSinVisor() {
        Banco b;
        QVERIFY(QDir(b.dir.path()).mkpath("guia"));
        b.escribir("guia/index.html", "<html></html>");
        b.v.PathApp = b.dir.path();
        b.v.cmdHelp_Click();
        b.p.visorFalla = true;
        b.v.cmdHelp_Click();
        b.v.cmdHelp_Click();
        QCOMPARE(b.p.cajas, QStringList(3, "Ayuda|No se pudo abrir la ayuda del programa.\nLa "
                                           "guia del operador esta en " +
                                               b.ruta("guia/index.html")));
        PlataformaReal real;
        real.Visor = "false";
        int fallos = 0;
        QVERIFY(real.AbrirDocumento(b.ruta("guia/index.html"), [&fallos] { ++fallos; }));
        QTRY_COMPARE(fallos, 1);
    }

    // A message is held half a second, and the 5 s timer clears panel 3 alone.
    void lineaDeEstado() {
        Banco b;
        BarraEstado* s = b.v.StatusBar1();
        s->TypeMsg(0, "hola");
        QVERIFY(b.p.esperas == QList<double>{0.5} && s->Timer1()->interval() == 5000 &&
                s->Timer1()->isActive());
        s->Timer1_Timer();
        QCOMPARE(QStringList({s->Panel(1), s->Panel(2), s->Panel(3)}),
                 QStringList({"COM2: 9600", "Sin Nombre", ""}));
    }

    // The save dialog stays open on a .mnm name, and on a No to creating a new file.
    void nombreDeGrabar() {
        Banco b;
        const DialogoArchivo d{.modo = DialogoArchivo::Guardar, .confirmarCrear = true};
        b.p.respuestas = {false, true};
        QList<bool> aceptados;
        for (const char* nombre : {"viejo.MnM", "nuevo.mn2", "nuevo.mn2"})
            aceptados << NombreAceptable(b.p, nullptr, d, b.ruta(nombre));
        QCOMPARE(aceptados, QList<bool>({false, false, true}));
        QVERIFY(b.p.cajas.value(0).contains("solo se leen") && b.p.cajas.size() == 3);
    }

    // The real save dialog: a folder typed, ".." or no name at all move about or do nothing;
    // a name typed with another dot gets ".mn2". (brelo-cli's tests keep one that ends in it,
    // in capitals; the end-to-end test types it with real keys.)
    void sufijoDeGrabar() {
        Carpeta c;
        QVERIFY(QDir(c.dir.path()).mkpath("sub/otra"));
        QStringList carpetas;
        QTimer::singleShot(0, this, [&carpetas] {
            auto* d = static_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* nombre = d->findChild<QLineEdit*>("fileNameEdit");
            for (const char* escrito : {"sub", "otra", "..", "", "cartel.v2"}) {
                nombre->setText(escrito);
                QTest::keyClick(nombre, Qt::Key_Return);
                carpetas << QDir(d->directory()).dirName();
            }
        });
        const auto elegido = PlataformaReal().ElegirArchivo(
            nullptr, {.modo = DialogoArchivo::Guardar, .carpeta = c.dir.path(), .sufijo = "mn2"});
        QCOMPARE(carpetas.mid(0, 4), QStringList({"sub", "otra", "sub", "sub"}));
        QCOMPARE(elegido->ruta, c.ruta("sub/cartel.v2.mn2"));
    }

    // Alt+A always opens "&Archivo", though "&Ayuda" carries the same letter.
    void altA() {
        Banco b;
        b.v.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.v));
        for (int vez = 0; vez < 3; ++vez) {
            QTest::keyClick(&b.v, Qt::Key_A, Qt::AltModifier);
            QCOMPARE(b.v.menuBar()->activeAction(), b.v.findChild<QMenu*>("Archivo")->menuAction());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTest::keyClick(b.v.menuBar(), Qt::Key_Escape);
        }
    }
};

QTEST_MAIN(TstVentana)
#include "tst_ventana.moc"
