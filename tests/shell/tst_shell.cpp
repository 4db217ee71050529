// The window's shell: every button runs what its menu item runs, the status line, help.

#include "shell/PlataformaReal.h"
#include "shell/ayuda.h"
#include "shell/textos.h"
#include "support/banco.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
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
    return QStringList{modal,
                       b.panel(3),
                       QString::number(b.f.isHidden() + 2 * b.v.isHidden()),
                       b.p.cajas.join('/'),
                       b.p.dialogos.join('/'),
                       b.p.documentos.join('/'),
                       b.leer("m.mn2")}
        .join('|');
}
} // namespace

class TstShell : public QObject {
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

    // A message is held half a second, and the 5 s timer clears panel 3 alone.
    void lineaDeEstado() {
        Banco b;
        BarraEstado* s = b.v.StatusBar1();
        s->TypeMsg(0, "hola");
        QVERIFY(b.p.esperas == QList<double>{0.5} && s->Timer1()->interval() == 5000);
        QVERIFY(s->Timer1()->isActive());
        s->Timer1_Timer();
        QCOMPARE(QStringList({s->Panel(1), s->Panel(2), s->Panel(3)}),
                 QStringList({"COM2: 9600", "Sin Nombre", ""}));
    }

    // The real save dialog refuses a .mnm, and a No to creating the file returns to it.
    void dialogoDeGrabar() {
        Carpeta c;
        PlataformaReal real;
        DialogoArchivo d{DialogoArchivo::Guardar,
                         "Archivos de Mensajes(*.mn2)|*.mn2",
                         1,
                         c.dir.path(),
                         "",
                         true,
                         true};
        QStringList vistos;
        const auto nombre = [](QWidget* w, const char* n) {
            w->findChild<QLineEdit*>("fileNameEdit")->setText(n);
            w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
        };
        const auto caja = [&vistos](QWidget* w, QMessageBox::StandardButton b) {
            vistos << static_cast<QMessageBox*>(w)->text();
            static_cast<QMessageBox*>(w)->button(b)->click();
        };
        // clang-format off
        const std::function<void(QWidget*)> pasos[] = {[&](QWidget* w) { nombre(w, "viejo.mnm"); }, [&](QWidget* w) { caja(w, QMessageBox::Ok); }, [&](QWidget* w) { nombre(w, "nuevo.mn2"); }, [&](QWidget* w) { caja(w, QMessageBox::No); }, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }};
        // clang-format on
        // Each step runs in the modal window up at the time, after queuing the next one.
        QObject guia;
        std::function<void(int)> paso = [&](int i) {
            QTimer::singleShot(0, &guia, [&, i] {
                if (i + 1 < int(std::size(pasos)))
                    paso(i + 1);
                pasos[i](QApplication::activeModalWidget());
            });
        };
        paso(0);
        QVERIFY(!real.ElegirArchivo(nullptr, d));
        QCOMPARE(vistos, QStringList({texto::SoloLectura,
                                      "El archivo nuevo.mn2 no existe.\nDesea crearlo?"}));
        QVERIFY(QDir(c.dir.path()).isEmpty());
    }

    // Alt+A always opens "&Archivo", though "&Ayuda" carries the same letter.
    void altA() {
        Banco b;
        b.v.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.v));
        for (int vez = 0; vez < 3; ++vez) {
            QTest::keyClick(&b.v, Qt::Key_A, Qt::AltModifier);
            QVERIFY(b.v.menuBar()->activeAction());
            QCOMPARE(b.v.menuBar()->activeAction()->text(), QString("&Archivo"));
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTest::keyClick(b.v.menuBar(), Qt::Key_Escape);
        }
    }

    void lineaDeAyuda() {
        QCOMPARE(LineaAyuda("C:\\Cartel"), QString("hh.exe C:\\Cartel\\brelo.chm"));
    }
};

QTEST_MAIN(TstShell)
#include "tst_shell.moc"
