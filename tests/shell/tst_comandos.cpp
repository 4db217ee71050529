#include "editor/CajaMensaje.h"
#include "editor/FraMensaje.h"
#include "link/frmOpciones.h"
#include "protocol/frmDate.h"
#include "protocol/frmSend.h"
#include "protocol/frmSendTxt.h"
#include "shell/FrmMain.h"
#include "shell/ayuda.h"
#include "shell/frmAcerca.h"
#include "support/ajustesprueba.h"
#include "support/plataformaguion.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace brelo;

namespace {} // namespace

class TstComandos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }
    void init();
    void cleanup() { v.reset(); }

    void menus();
    void filaDeBotones();
    void botonYMenuHacenLoMismo_data();
    void botonYMenuHacenLoMismo();
    void acercaDe();
    void lineaDeAyuda();
    void ayuda_data();
    void ayuda();

private:
    QString observar(const std::function<void()>& orden); // what a command visibly did
    QAction* accion(const char* nombre) const { return v->findChild<QAction*>(nombre); }
    QToolButton* boton(const char* nombre) const { return v->findChild<QToolButton*>(nombre); }

    std::unique_ptr<PlataformaGuion> p;
    std::unique_ptr<FrmMain> v;
};

void TstComandos::init() {
    p = std::make_unique<PlataformaGuion>();
    v = std::make_unique<FrmMain>(*p);
    v->show();
}

void TstComandos::menus() {
    QStringList vistos;
    for (QAction* top : v->menuBar()->actions()) {
        vistos << top->text();
        for (QAction* a : top->menu()->actions())
            vistos << (a->isSeparator() ? QString("-") : a->objectName() + "=" + a->text());
    }
    QCOMPARE(vistos, (QStringList{"&Archivo",
                                  "Nuevo=&Nuevo Mensaje",
                                  "Cargar=&Abrir Mensaje ...",
                                  "cerrar=Cerrar Mensaje &Actual",
                                  "-",
                                  "Importar=&Importar Archivo de Texto",
                                  "-",
                                  "save=&Grabar Mensaje",
                                  "Grabar=&Grabar Mensaje como ...",
                                  "-",
                                  "Envio=&Enviar Mensaje al Cartel",
                                  "Escribir=&Escribir Mensaje en Archivo",
                                  "-",
                                  "salir=&Salir",
                                  "&Opciones",
                                  "Opciones=&Puerto de Comunicacion",
                                  "&Ayuda",
                                  "Help=&Contenido           ",
                                  "-",
                                  "About=A&cerca de "}));
}

void TstComandos::filaDeBotones() {
    QStringList orden;
    int x = -1;
    for (const char* nombre :
         {"cmdNew", "cmdOpen", "cmdSave", "cmdSaveAs", "cmdClose", "cmdImport", "cmdOptions",
          "cmdTx", "Command2", "Command1", "cmdAbout", "cmdHelp", "cmdExit"}) {
        QToolButton* b = boton(nombre);
        QVERIFY2(b, nombre);
        QVERIFY2(b->x() > x, nombre); // left to right in this order
        x = b->x();
        orden << b->toolTip();
    }
    QCOMPARE(orden,
             (QStringList{"Nuevo Mensaje", "Abrir Mensaje", "Grabar Mensaje", "Grabar Mensaje Como",
                          "Cerrar Mensaje", "Importar texto", "Opciones",
                          "Enviar Mensaje al Cartel", "Enviar Mensaje a un Archivo",
                          "Enviar Hora y Fecha", "Acerca de", "Ayuda", "Salir del Programa"}));
    // The wide gap before About: the last three sit at the right edge.
    QVERIFY(boton("cmdAbout")->x() - boton("Command1")->x() > 4 * boton("cmdNew")->width());
}

QString TstComandos::observar(const std::function<void()>& orden) {
    p->cajas.clear();
    p->dialogos.clear();
    QString modal;
    QTimer::singleShot(0, [&modal] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            modal = QString::fromLatin1(w->metaObject()->className());
            w->close();
        }
    });
    orden();
    QApplication::processEvents();
    QStringList visto{modal};
    for (const DialogoArchivo& d : p->dialogos)
        visto << d.filtro;
    for (const auto& c : p->cajas)
        visto << c.titulo;
    visto << (v->fraMensaje()->isHidden() ? "cerrado" : "abierto");
    visto << (v->isVisible() ? "visible" : "terminado");
    return visto.join('|');
}

void TstComandos::botonYMenuHacenLoMismo_data() {
    QTest::addColumn<QString>("boton");
    QTest::addColumn<QString>("menu");
    const char* pares[][2] = {
        {"cmdNew", "Nuevo"},        {"cmdOpen", "Cargar"},  {"cmdSave", "save"},
        {"cmdSaveAs", "Grabar"},    {"cmdClose", "cerrar"}, {"cmdImport", "Importar"},
        {"cmdOptions", "Opciones"}, {"cmdTx", "Envio"},     {"Command2", "Escribir"},
        {"cmdAbout", "About"},      {"cmdHelp", "Help"},    {"cmdExit", "salir"}};
    for (auto& par : pares)
        QTest::newRow(par[0]) << par[0] << par[1];
}

// Each from the same starting point: an open, changed message. Yes to every question.
void TstComandos::botonYMenuHacenLoMismo() {
    QFETCH(QString, boton);
    QFETCH(QString, menu);
    QString resultado[2];
    for (int vez = 0; vez < 2; ++vez) {
        init();
        v->Nuevo_Click();
        v->fraMensaje()->txtMensaje->setText("x");
        p->respuestas = QList<bool>(5, true);
        if (vez == 0)
            resultado[0] = observar([&] { this->boton(qPrintable(boton))->click(); });
        else
            resultado[1] = observar([&] { accion(qPrintable(menu))->trigger(); });
    }
    QCOMPARE(resultado[1], resultado[0]);
    QVERIFY(!resultado[0].isEmpty());
}

void TstComandos::acercaDe() {
    QString clase;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmAcerca*>(QApplication::activeModalWidget());
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString("Acerca de"));
        QCOMPARE(d->Label1->text(), QString("Sistema Carga de Mensajes para  Carteles Brelo"));
        QCOMPARE(d->Label3->text(), v->VerApp);
        QCOMPARE(d->salir->text(), QString("OK"));
        clase = d->metaObject()->className();
        d->salir->click();
    });
    boton("cmdAbout")->click();
    QCOMPARE(clase, QString("brelo::frmAcerca"));
    QVERIFY(!QApplication::activeModalWidget());
}

void TstComandos::lineaDeAyuda() {
    QCOMPARE(LineaAyuda("C:\\Cartel"), QString("hh.exe C:\\Cartel\\brelo.chm"));
}

void TstComandos::ayuda_data() {
    QTest::addColumn<QStringList>("presentes"); // files in the program's folder
    QTest::addColumn<bool>("visorAbre");
    QTest::addColumn<QString>("abierto"); // the document opened; empty: none
    QTest::newRow("chm con visor")
        << QStringList{"brelo.chm", "guia/index.html"} << true << "brelo.chm";
    QTest::newRow("solo la guia") << QStringList{"guia/index.html"} << true << "guia/index.html";
    QTest::newRow("nada") << QStringList{} << true << "";
    QTest::newRow("sin visor") << QStringList{"brelo.chm"} << false << "";
}

void TstComandos::ayuda() {
    QFETCH(QStringList, presentes);
    QFETCH(bool, visorAbre);
    QFETCH(QString, abierto);
    QTemporaryDir dir;
    for (const QString& f : presentes) {
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(f)).path());
        QFile archivo(dir.filePath(f));
        QVERIFY(archivo.open(QIODevice::WriteOnly));
    }
    v->PathApp = dir.path();
    p->documentoAbre = visorAbre;
    v->cmdHelp_Click();
    if (abierto.isEmpty()) {
        QCOMPARE(p->cajas.size(), 1); // the operator is told, and the program goes on
        QCOMPARE(p->cajas[0].titulo, QString("Ayuda"));
    } else {
        QCOMPARE(p->documentos.last(), dir.filePath(abierto));
        QVERIFY(p->cajas.isEmpty());
    }
}

QTEST_MAIN(TstComandos)
#include "tst_comandos.moc"
