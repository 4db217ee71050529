// The window's shell: every button runs what its menu item runs, the status line, help.

#include "support/banco.h"
#include "ui/platform/PlataformaReal.h"
#include "ui/platform/ayuda.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>

using namespace brelo;

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
} // namespace

class TstVentana : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }

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

    // With no viewer for the guide, or one that starts and gives up (the real one watched,
    // here "false"), the operator is told where the guide is, every time.
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

    // The real save dialog: a name typed with another dot gets ".mn2". (brelo-cli's tests
    // keep one that ends in it, in capitals.)
    void sufijoDeGrabar() {
        QTimer::singleShot(0, this, [] {
            auto* nombre = QApplication::activeModalWidget()->findChild<QLineEdit*>("fileNameEdit");
            nombre->setText("cartel.v2");
            QTest::keyClick(nombre, Qt::Key_Return);
        });
        const auto elegido = PlataformaReal().ElegirArchivo(
            nullptr,
            {.modo = DialogoArchivo::Guardar, .carpeta = QDir::tempPath(), .sufijo = "mn2"});
        QCOMPARE(elegido->nombre, QString("cartel.v2.mn2"));
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
