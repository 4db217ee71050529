// The Agenda dialog through its buttons, cells and keys: the file read into rows, edited,
// checked and written back; the week it draws; and whether it sees an agenda running.

#include "link/ajustes.h"
#include "link/cerrojo.h"
#include "support/banco.h"
#include "support/tabla.h"
#include "ui/agenda/SemanaAgenda.h"
#include "ui/agenda/frmAgenda.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace brelo;

namespace {

const QByteArray Cabecera = "# dias  hora  que  puertos (escrita por Brelo)\n";

// What the operator does, step by step: "boton:NAME", "celda:ROW,COL" (a click), "teclas:TEXT"
// (typed into the cell being edited, F2 first, Enter after), "archivo:NAME" (the next file
// dialog's answer).
struct Edicion {
    const char* nombre;
    QByteArray antes;
    QStringList pasos;
    QString texto; // the rows as lines afterwards
    bool cambia;   // the dialog holds changes to save
};

// clang-format off
const Edicion Ediciones[] = {
    {"agregar", "lun 08:00 a.mn2\n", {"celda:0,0", "boton:cmdAgregar"}, "lun 08:00 a.mn2\nlun-vie 08:00", true},
    {"agregar en una agenda vacia", "", {"boton:cmdAgregar"}, "lun-vie 08:00", true},
    {"quitar", "lun 08:00 a.mn2\nmar 09:00 b.mn2\n", {"celda:0,1", "boton:cmdQuitar"}, "mar 09:00 b.mn2", true},
    {"quitar sin fila", "", {"boton:cmdQuitar"}, "", false},
    {"subir", "lun 08:00 a.mn2\nmar 09:00 b.mn2\n", {"celda:1,2", "boton:cmdSubir"}, "mar 09:00 b.mn2\nlun 08:00 a.mn2", true},
    {"subir la primera", "lun 08:00 a.mn2\nmar 09:00 b.mn2\n", {"celda:0,2", "boton:cmdSubir"}, "lun 08:00 a.mn2\nmar 09:00 b.mn2", false},
    {"bajar", "lun 08:00 a.mn2\nmar 09:00 b.mn2\n", {"celda:0,2", "boton:cmdBajar"}, "mar 09:00 b.mn2\nlun 08:00 a.mn2", true},
    {"bajar la ultima", "lun 08:00 a.mn2\nmar 09:00 b.mn2\n", {"celda:1,2", "boton:cmdBajar"}, "lun 08:00 a.mn2\nmar 09:00 b.mn2", false},
    {"hora del cartel", "lun 08:00 a.mn2 COM3\n", {"celda:0,0", "boton:cmdHora"}, "lun 08:00 hora COM3", true},
    {"mensaje de la carpeta", "lun 08:00 a.mn2\n", {"celda:0,2", "archivo:otra/b.mn2", "boton:cmdMensaje"}, "lun 08:00 otra/b.mn2", true},
    {"mensaje con blancos", "lun 08:00 a.mn2\n", {"celda:0,2", "archivo:mis mensajes/b.mn2", "boton:cmdMensaje"}, "lun 08:00 \"mis mensajes/b.mn2\"", true},
    {"mensaje con almohadilla", "lun 08:00 a.mn2\n", {"celda:0,2", "archivo:#1.mn2", "boton:cmdMensaje"}, "lun 08:00 \"#1.mn2\"", true},
    {"mensaje cancelado", "lun 08:00 a.mn2\n", {"celda:0,2", "boton:cmdMensaje"}, "lun 08:00 a.mn2", false},
    {"dias a mano", "lun 08:00 a.mn2\n", {"celda:0,0", "teclas:sab,dom"}, "sab,dom 08:00 a.mn2", true},
    {"puertos a mano", "lun 08:00 a.mn2\n", {"celda:0,3", "teclas:COM3 tcp://10.0.0.2:4001"}, "lun 08:00 a.mn2 COM3 tcp://10.0.0.2:4001", true},
    {"leida con comillas", "# x\n\nvie-lun 7:05 \"mis mensajes/a.mn2\" \"/dev/serial/by-id/usb x\"\n", {}, "lun,vie-dom 07:05 \"mis mensajes/a.mn2\" \"/dev/serial/by-id/usb x\"", false},
    {"una linea mal queda para arreglarla", "lun 08:00 a.mn2\nlunes 25:00 b.mn2 COM1 COM2\n", {}, "lun 08:00 a.mn2\nlunes 25:00 b.mn2 COM1 COM2", false},
};
// clang-format on

const QByteArray Tienda =
    "# tienda\nvie-lun 21:00 a.mn2   # noche\n\n# manana\nlun 08:00 a.mn2\n# fin\n";

// clang-format off
struct Comentado { const char* nombre; QByteArray antes; QStringList pasos; QByteArray despues; };
const Comentado Comentados[] = {
    {"subir", Tienda, {"celda:1,0", "boton:cmdSubir"}, "\n# manana\nlun 08:00 a.mn2\n# tienda\nvie-lun 21:00 a.mn2   # noche\n# fin\n"},
    {"cambiada", Tienda, {"celda:0,1", "teclas:22:00"}, "# tienda\nlun,vie-dom 22:00 a.mn2\n\n# manana\nlun 08:00 a.mn2\n# fin\n"},
    {"quitada", Tienda, {"celda:0,1", "boton:cmdQuitar"}, "# tienda\n\n# manana\nlun 08:00 a.mn2\n# fin\n"},
    {"quitada la ultima", Tienda, {"celda:1,1", "boton:cmdQuitar"}, "# tienda\nvie-lun 21:00 a.mn2   # noche\n\n# manana\n# fin\n"},
    {"nueva", {}, {"boton:cmdAgregar", "boton:cmdHora"}, Cabecera + "lun-vie 08:00 hora\n"},
};
// clang-format on

} // namespace

Q_DECLARE_METATYPE(Comentado)
Q_DECLARE_METATYPE(Edicion)

class TstFrmAgenda : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString ruta(const QString& n) const { return dir.filePath(n); }
    void escribir(const QString& n, const QByteArray& datos) {
        QDir().mkpath(QFileInfo(ruta(n)).path());
        QFile f(ruta(n));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size());
    }
    QByteArray leer(const QString& n) {
        QFile f(ruta(n));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : "<no existe>";
    }
    void hacer(frmAgenda& d, PlataformaGuion& p, const QString& paso) {
        const QString que = paso.section(':', 0, 0), valor = paso.section(':', 1);
        QTableWidget* t = d.grdEntradas;
        if (que == "boton") {
            QTest::mouseClick(d.findChild<QPushButton*>(valor), Qt::LeftButton);
        } else if (que == "celda") {
            const int fila = valor.section(',', 0, 0).toInt(), col = valor.section(',', 1).toInt();
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                              t->visualRect(t->model()->index(fila, col)).center());
        } else if (que == "archivo") {
            p.archivos << ArchivoElegido{ruta(valor), QFileInfo(valor).fileName()};
        } else if (que == "teclas") {
            QTest::keyClick(t, Qt::Key_F2);
            QWidget* editor = QApplication::focusWidget();
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(editor, valor);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents(); // the view commits the cell from its queue
        }
    }

private Q_SLOTS:
    // The stored port one that is there, so that it is no finding.
    void init() {
        GuardarRutaAgenda(ruta("agenda.txt"));
        Ajustes a;
        a.Puerto = "/dev/null";
        GuardarAjustes(a);
    }

    void edicion_data() { Filas(Ediciones); }
    void edicion() {
        QFETCH(Edicion, caso);
        QFile::remove(ruta("agenda.txt"));
        if (!caso.antes.isEmpty())
            escribir("agenda.txt", caso.antes);
        PlataformaGuion p;
        frmAgenda d(p);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        for (const QString& paso : caso.pasos)
            hacer(d, p, paso);
        QCOMPARE(d.Texto(), caso.texto);
        QCOMPARE(d.Cambiado(), caso.cambia);
        QCOMPARE(d.isWindowModified(), caso.cambia);
    }

    // A line that is not an entry stops the save until it is mended; findings are asked
    // about; the file written is what the service reads.
    void grabar() {
        escribir("a.mn2", "0,0,0,\"BUENOS DIAS\",0\r\n");
        escribir("agenda.txt", "# mia\nlun-vie 08:00 a.mn2\nlun 25:00 a.mn2\n");
        PlataformaGuion p;
        frmAgenda d(p);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(d.txtRevision->toPlainText(),
                 "Fila 2: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"25:00\"");
        QTest::mouseClick(d.cmdGrabar, Qt::LeftButton);
        QCOMPARE(p.cajas.size(), 1);
        QVERIFY(p.cajas[0].startsWith("Agenda|La agenda no se grabo: hay filas que no son "
                                      "entradas.\nFila 2:"));
        QCOMPARE(leer("agenda.txt"), "# mia\nlun-vie 08:00 a.mn2\nlun 25:00 a.mn2\n");
        hacer(d, p, "celda:1,1");
        hacer(d, p, "teclas:21:00");
        hacer(d, p, "celda:1,2");
        hacer(d, p, "teclas:falta.mn2");
        p.respuestas = {false}; // not with a message missing
        QTest::mouseClick(d.cmdGrabar, Qt::LeftButton);
        QCOMPARE(p.cajas.value(1), "Agenda|La agenda tiene observaciones:\nFila 2: Error en "
                                   "Archivo de Mensaje: falta.mn2: no existe\nDesea Grabarla "
                                   "igual?");
        QCOMPARE(leer("agenda.txt"), "# mia\nlun-vie 08:00 a.mn2\nlun 25:00 a.mn2\n");
        QVERIFY(d.Cambiado() && d.isWindowModified());
        p.respuestas = {true};
        QTest::mouseClick(d.cmdGrabar, Qt::LeftButton);
        QCOMPARE(leer("agenda.txt"), "# mia\nlun-vie 08:00 a.mn2\nlun 21:00 falta.mn2\n");
        QVERIFY(!d.Cambiado() && !d.isWindowModified());
        QCOMPARE(LeerRutaAgenda(), ruta("agenda.txt"));
        hacer(d, p, "celda:1,2");
        hacer(d, p, "teclas:a.mn2");
        QTest::mouseClick(d.cmdGrabar, Qt::LeftButton); // all well: nothing asked
        QCOMPARE(p.cajas.size(), 3);
        QCOMPARE(leer("agenda.txt"), "# mia\nlun-vie 08:00 a.mn2\nlun 21:00 a.mn2\n");
        QCOMPARE(d.txtRevision->toPlainText(), "Revisada: todo bien\nAgenda grabada");
    }

    // The operator's comments and way of writing stay where they were; a changed row is written
    // anew; a new agenda starts with what its columns are.
    void comentarios_data() { Filas(Comentados); }
    void comentarios() {
        QFETCH(Comentado, caso);
        QFile::remove(ruta("agenda.txt"));
        escribir("a.mn2", "0,0,0,\"A\",0\r\n");
        if (!caso.antes.isNull())
            escribir("agenda.txt", caso.antes);
        PlataformaGuion p;
        frmAgenda d(p);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        for (const QString& paso : caso.pasos)
            hacer(d, p, paso);
        QVERIFY(d.Grabar());
        QCOMPARE(leer("agenda.txt"), caso.despues);
    }

    // A file changed by another while the dialog had it open is not overwritten unasked.
    void cambiadaEnElDisco() {
        escribir("a.mn2", "0,0,0,\"A\",0\r\n");
        escribir("agenda.txt", "lun 08:00 a.mn2\n");
        PlataformaGuion p;
        frmAgenda d(p);
        escribir("agenda.txt", "mar 10:00 a.mn2 # a mano\n");
        d.grdEntradas->item(0, frmAgenda::Hora)->setText("08:30");
        QVERIFY(!d.Grabar()); // No
        QCOMPARE(p.cajas.value(0), "Agenda|La agenda cambio en el disco desde que se abrio.\nDesea "
                                   "Grabarla igual? Se pierde lo que cambio alli.");
        QCOMPARE(leer("agenda.txt"), "mar 10:00 a.mn2 # a mano\n");
        p.respuestas = {true};
        QVERIFY(d.Grabar());
        QCOMPARE(leer("agenda.txt"), "lun 08:30 a.mn2\n");
    }

    // Leaving with changes asks; No leaves the file as it was, Yes writes it.
    void cerrar_data() {
        QTest::addColumn<bool>("si");
        QTest::newRow("No") << false;
        QTest::newRow("Si") << true;
    }
    void cerrar() {
        QFETCH(bool, si);
        escribir("a.mn2", "0,0,0,\"A\",0\r\n");
        escribir("agenda.txt", "lun 08:00 a.mn2\n");
        PlataformaGuion p;
        frmAgenda d(p);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        hacer(d, p, "boton:cmdHora");
        hacer(d, p, "celda:0,0");
        hacer(d, p, "boton:cmdHora");
        p.respuestas = {si};
        QTest::keyClick(&d, Qt::Key_Escape);
        QCOMPARE(p.cajas.value(0), "Agenda|Hay cambios en la agenda\rDesea Grabarlos?");
        QVERIFY(!d.isVisible());
        QCOMPARE(leer("agenda.txt"), si ? "lun 08:00 hora\n" : "lun 08:00 a.mn2\n");
    }

    // The week drawn from the rows as they change, each sign's own, chosen above the drawing.
    void semana() {
        escribir("agenda.txt", "todos 08:00 a.mn2 tcp://127.0.0.1:4001\ntodos 12:00 b.mn2 "
                               "tcp://127.0.0.1:4002\ntodos 20:00 c.mn2 tcp://127.0.0.1:4001\n"
                               "sab 04:00 hora tcp://127.0.0.1:4001\n");
        PlataformaGuion p;
        frmAgenda d(p);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.cboCartel->isVisible() && d.cboCartel->count() == 2);
        QCOMPARE(d.semana->Tramos().mid(0, 3),
                 (QStringList{"lun 00:00-08:00 c.mn2", "lun 08:00-20:00 a.mn2",
                              "lun 20:00-24:00 c.mn2"}));
        QVERIFY(d.semana->Tramos().contains("sab 04:00 hora"));
        d.grdEntradas->item(2, frmAgenda::Hora)->setText("22:30");
        QCOMPARE(d.semana->Tramos().value(1), "lun 08:00-22:30 a.mn2");
        d.cboCartel->setCurrentIndex(1);
        QCOMPARE(d.semana->Tramos().first(), "lun 00:00-24:00 b.mn2");
        QVERIFY(!d.semana->Tramos().contains("sab 04:00 hora"));
    }

    // An agenda running on one of the ports is seen, whoever runs it.
    void servicio() {
        escribir("agenda.txt", "lun 08:00 a.mn2 tcp://127.0.0.1:4001\n");
        PlataformaGuion p;
        {
            frmAgenda d(p);
            QVERIFY(d.lblServicio->text().startsWith("La agenda no esta en marcha."));
        }
        {
            CerrojoAgenda otra("TCP://127.0.0.1:4001"); // the same sign, another agenda
            QVERIFY(otra.Tomar(ruta("otra.txt")));
            frmAgenda d(p);
            QCOMPARE(d.lblServicio->text(),
                     QStringLiteral("Otra agenda esta en marcha en el puerto tcp://127.0.0.1:4001 "
                                    "(proceso %1, %2): esta no se envia mientras aquella lo use.")
                         .arg(QCoreApplication::applicationPid())
                         .arg(ruta("otra.txt")));
        }
        CerrojoAgenda cerrojo("tcp://127.0.0.1:4001");
        QVERIFY(cerrojo.Tomar(ruta("agenda.txt")));
        frmAgenda d(p);
        QCOMPARE(d.lblServicio->text(),
                 QStringLiteral("La agenda esta en marcha (proceso %1, puerto "
                                "tcp://127.0.0.1:4001): toma los cambios en un minuto, una vez "
                                "grabados.")
                     .arg(QCoreApplication::applicationPid()));
    }
};

QTEST_MAIN(TstFrmAgenda)
#include "tst_frmagenda.moc"
