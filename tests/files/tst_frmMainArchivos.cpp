#include "editor/CajaMensaje.h"
#include "editor/FraMensaje.h"
#include "shell/BarraEstado.h"
#include "shell/FrmMain.h"
#include "support/ajustesprueba.h"
#include "support/plataformaguion.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace brelo;

namespace {
const QByteArray DosPaginas = "0,2,2,\"HOLA\",1\r\n5,0,0,\"DIGA \xFFSI\xFF\",0\r\n";
const QString Pregunta = QStringLiteral("Hay cambios Realizados\rDesea Grabar el Mensaje?");
} // namespace

class TstFrmMainArchivos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }
    void init();
    void cleanup();

    void grabarYVolverACargar();
    void tablaDeEstados_data();
    void tablaDeEstados();
    void preguntaAntesDePerder_data();
    void preguntaAntesDePerder();
    void nuevoTrasGrabarComoPideNombre();
    void grabarSinCambiosNoHaceNada();
    void cerrarNoYGrabar();
    void cerrarVentanaSinCambiosNoPregunta();
    void fallasDeCarga_data();
    void fallasDeCarga();
    void archivoVacio();
    void grabarCanceladoOFallido_data();
    void grabarCanceladoOFallido();
    void grabarInterrumpidoConservaElAnterior();
    void mensajeSinTextoNoSeGraba();
    void importar();
    void importarFallas_data();
    void importarFallas();

private:
    QString ruta(const QString& nombre) const { return dir.filePath(nombre); }
    void escribir(const QString& nombre, const QByteArray& datos);
    QByteArray leer(const QString& nombre) const;
    void elegir(const QString& nombre); // the next file dialog returns this file
    void abrir(const QString& nombre);
    void escribirPagina(const QString& texto);
    QString panel(int n) const { return ventana->StatusBar1()->Panel(n); }
    int preguntas() const;

    QTemporaryDir dir;
    std::unique_ptr<PlataformaGuion> p;
    std::unique_ptr<FrmMain> ventana;
    Mensaje* m = nullptr;
};

void TstFrmMainArchivos::init() {
    QVERIFY(dir.isValid());
    p = std::make_unique<PlataformaGuion>();
    ventana = std::make_unique<FrmMain>(*p);
    m = &ventana->mensaje();
}

void TstFrmMainArchivos::cleanup() {
    ventana.reset();
    for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
        QFile::remove(ruta(f));
}

void TstFrmMainArchivos::escribir(const QString& nombre, const QByteArray& datos) {
    QFile f(ruta(nombre));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

QByteArray TstFrmMainArchivos::leer(const QString& nombre) const {
    QFile f(ruta(nombre));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no existe>");
}

void TstFrmMainArchivos::elegir(const QString& nombre) {
    p->archivos.append(ArchivoElegido{ruta(nombre), nombre});
}

void TstFrmMainArchivos::abrir(const QString& nombre) {
    elegir(nombre);
    ventana->Cargar_Click();
}

void TstFrmMainArchivos::escribirPagina(const QString& texto) {
    ventana->fraMensaje()->txtMensaje->setText(texto);
}

int TstFrmMainArchivos::preguntas() const {
    return int(std::count_if(p->cajas.begin(), p->cajas.end(),
                             [](const auto& c) { return c.titulo == "Grabar"; }));
}

void TstFrmMainArchivos::grabarYVolverACargar() {
    ventana->Nuevo_Click();
    FraMensaje* f = ventana->fraMensaje();
    escribirPagina("HOLA");
    f->cboPausa->setCurrentIndex(2); // disabled for "Rotacion", still taken as it stands
    f->optCenter->click();
    f->cboEfeOut->setCurrentIndex(1);
    p->respuestas = {true};
    f->cmdPagDwn_Click();
    f->cboEfe->setCurrentIndex(5);
    Q_EMIT f->cboEfe->activated(5);
    escribirPagina("DIGA \"SI\"");
    elegir("m.mn2");
    ventana->save_Click();

    QCOMPARE(leer("m.mn2"), DosPaginas);
    const DialogoArchivo& d = p->dialogos.last();
    QCOMPARE(d.modo, DialogoArchivo::Guardar);
    QCOMPARE(d.filtro, QString("Archivos de Mensajes(*.mn2)|*.mn2"));
    QCOMPARE(d.indiceFiltro, 1);
    QCOMPARE(d.nombreInicial, QString());
    QVERIFY(d.confirmarSobrescribir && d.confirmarCrear);
    QCOMPARE(panel(2), QString("m.mn2"));
    QCOMPARE(panel(3), QString("PGM: Mensajes Grabado OK"));
    QVERIFY(!m->Cambios);

    ventana->Nuevo_Click();
    abrir("m.mn2");
    QCOMPARE(p->dialogos.last().filtro,
             QString("Archivos de Mensajes v2(*.mn2)|*.mn2|Archivos de Mensajes v1(*.mnm)|*.mnm"));
    QCOMPARE(p->dialogos.last().nombreInicial, ruta("m.mn2")); // the last name chosen
    QCOMPARE(m->TotPag, 2);
    QCOMPARE(m->pagina(2), (Pagina{"DIGA \"SI\"", 5, 0, 0, 0}));
    QCOMPARE(f->txtMensaje->text(), QString("HOLA"));
    QCOMPARE(panel(3), QString("PGM: Mensaje cargado OK!"));
    QCOMPARE(p->esperas, QList<double>(3, 0.5)); // saved, loading, loaded

    elegir("copia.mn2");
    ventana->Grabar_Click(); // save as, without changes, to a second name
    // Showing a "Rotacion" page put its pause back to 0, as the page rules say.
    QCOMPARE(leer("copia.mn2"), QByteArray(DosPaginas).replace("0,2,2", "0,0,2"));
}

void TstFrmMainArchivos::tablaDeEstados_data() {
    QTest::addColumn<QString>("camino");
    QTest::addColumn<QString>("panel2");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<bool>("cambios");
    QTest::addColumn<bool>("grabarComo");
    QTest::addColumn<bool>("abierto");
    QTest::newRow("inicio") << ""
                            << "Sin Nombre"
                            << "" << false << false << false;
    QTest::newRow("nuevo") << "N"
                           << "Sin Nombre"
                           << "" << false << true << true;
    QTest::newRow("carga fallida") << "F"
                                   << "Sin Nombre"
                                   << "" << false << true << true;
    QTest::newRow("abierto") << "A"
                             << "m.mn2"
                             << "m.mn2" << false << false << true;
    QTest::newRow("grabado") << "AEG"
                             << "m.mn2"
                             << "m.mn2" << false << false << true;
    QTest::newRow("grabado como") << "AEC"
                                  << "otro.mn2"
                                  << "otro.mn2" << false << true << true;
    QTest::newRow("modificado") << "AE"
                                << "m.mn2"
                                << "m.mn2" << true << false << true;
    QTest::newRow("importado") << "NI"
                               << "Sin Nombre"
                               << "" << true << false << true;
    QTest::newRow("cerrado") << "AX"
                             << "m.mn2"
                             << "" << false << false << false;
}

void TstFrmMainArchivos::tablaDeEstados() {
    QFETCH(QString, camino);
    escribir("m.mn2", DosPaginas);
    escribir("mal.mn2", "x,0,0,\"a\",0\r\n");
    escribir("t.txt", "HOLA\r\n");
    for (QChar paso : camino) {
        switch (paso.toLatin1()) {
        case 'N':
            ventana->Nuevo_Click();
            break;
        case 'F':
            abrir("mal.mn2");
            break;
        case 'A':
            abrir("m.mn2");
            break;
        case 'E':
            escribirPagina("editado");
            break;
        case 'G':
            ventana->save_Click();
            break;
        case 'C':
            elegir("otro.mn2");
            ventana->Grabar_Click();
            break;
        case 'I':
            elegir("t.txt");
            ventana->Importar_Click();
            break;
        case 'X':
            p->respuestas = {false};
            ventana->cerrar_Click();
            break;
        }
    }
    QTEST(panel(2), "panel2");
    QTEST(QString::fromStdString(m->NomArchivo), "nombre");
    QTEST(m->Cambios, "cambios");
    QTEST(m->GrabarComo, "grabarComo");
    QTEST(!ventana->fraMensaje()->isHidden(), "abierto");
}

void TstFrmMainArchivos::preguntaAntesDePerder_data() {
    QTest::addColumn<QString>("comando");
    QTest::addColumn<bool>("si");
    for (const char* c : {"nuevo", "abrir", "cerrar", "salir", "ventana"}) {
        QTest::addRow("%s Si", c) << c << true;
        QTest::addRow("%s No", c) << c << false;
    }
}

// An opened, edited message: Yes writes it to its own file without a dialog (New too,
// since a loaded message does not ask for a name), No writes nothing; the command goes on.
void TstFrmMainArchivos::preguntaAntesDePerder() {
    QFETCH(QString, comando);
    QFETCH(bool, si);
    escribir("m.mn2", DosPaginas);
    ventana->show();
    abrir("m.mn2");
    escribirPagina("CAMBIO");
    p->respuestas = {si};
    const int dialogos = int(p->dialogos.size());
    if (comando == "nuevo")
        ventana->Nuevo_Click();
    else if (comando == "abrir")
        ventana->Cargar_Click(); // its dialog is then cancelled
    else if (comando == "cerrar")
        ventana->cerrar_Click();
    else if (comando == "salir")
        ventana->salir_Click();
    else
        ventana->close();
    QCOMPARE(preguntas(), 1);
    const auto& caja = p->cajas.constFirst();
    QCOMPARE(caja.texto, Pregunta);
    QCOMPARE(caja.icono, QMessageBox::Information);
    QCOMPARE(ventana->Resp, si ? 6 : 7);
    QCOMPARE(leer("m.mn2").startsWith("0,0,2,\"CAMBIO\",1"), si);
    const int dialogoDeAbrir = comando == "abrir" ? 1 : 0;
    QCOMPARE(int(p->dialogos.size()) - dialogos, dialogoDeAbrir); // no save dialog
    // Exit and the window's close end it after the one question, whatever the answer.
    QCOMPARE(ventana->isVisible(), comando != "salir" && comando != "ventana");
}

void TstFrmMainArchivos::nuevoTrasGrabarComoPideNombre() {
    ventana->Nuevo_Click();
    escribirPagina("UNO");
    elegir("a.mn2");
    ventana->Grabar_Click();
    escribirPagina("DOS");
    p->respuestas = {true};
    elegir("b.mn2");
    ventana->Nuevo_Click();
    QCOMPARE(p->dialogos.size(), 2); // GrabarComo stayed True
    QVERIFY(leer("b.mn2").contains("DOS"));
    QVERIFY(leer("a.mn2").contains("UNO"));
}

void TstFrmMainArchivos::grabarSinCambiosNoHaceNada() {
    ventana->Nuevo_Click();
    ventana->save_Click();
    QVERIFY(p->dialogos.isEmpty());
    QCOMPARE(panel(3), QString());
    escribirPagina("texto");
    ventana->save_Click(); // no name yet: the dialog, then its cancel
    QCOMPARE(p->dialogos.size(), 1);
    QCOMPARE(panel(3), QString("ERR: NO se Grabo Archivo Mensajes"));
    QCOMPARE(p->beeps, 2);
    QVERIFY(m->Cambios);
}

void TstFrmMainArchivos::cerrarNoYGrabar() {
    ventana->Nuevo_Click();
    escribirPagina("cerrado");
    p->respuestas = {false};
    ventana->cerrar_Click();
    QVERIFY(ventana->fraMensaje()->isHidden());
    QVERIFY(m->Cambios);
    elegir("c.mn2");
    ventana->save_Click();
    QCOMPARE(leer("c.mn2"), QByteArray("0,0,0,\"cerrado\",0\r\n"));

    p->cajas.clear();
    ventana->cerrar_Click(); // nothing open: asks nothing
    QVERIFY(p->cajas.isEmpty());
}

void TstFrmMainArchivos::cerrarVentanaSinCambiosNoPregunta() {
    ventana->show();
    ventana->close(); // no message open
    ventana->show();
    ventana->Nuevo_Click();
    ventana->close(); // open, unchanged
    QCOMPARE(preguntas(), 0);
}

void TstFrmMainArchivos::fallasDeCarga_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QByteArray>("datos"); // empty: not created by the test
    QTest::addColumn<bool>("cargando");    // the failure came after "Cargando Mensaje..."
    QTest::newRow("registro malo") << "mal.mn2" << QByteArray("0,0,0,\"a\",0\r\n300,0") << true;
    QTest::newRow("efecto fuera de catalogo")
        << "e.mn2" << QByteArray("25,0,0,\"a\",0\r\n") << true;
    QTest::newRow("v1 en mayusculas") << "V1.MNM" << QByteArray("3,1,0,\"PROMO\"\r\n") << true;
    QTest::newRow("no existe") << "nada.mn2" << QByteArray() << false;
    QTest::newRow("es una carpeta") << "carpeta.mn2" << QByteArray() << false;
}

void TstFrmMainArchivos::fallasDeCarga() {
    QFETCH(QString, nombre);
    QFETCH(QByteArray, datos);
    QFETCH(bool, cargando);
    if (!datos.isEmpty())
        escribir(nombre, datos);
    if (nombre == "carpeta.mn2")
        QVERIFY(QDir(dir.path()).mkpath(nombre));
    ventana->Nuevo_Click();
    escribirPagina("anterior");
    ventana->fraMensaje()->TomoActual();
    abrir(nombre);
    QCOMPARE(panel(3), QString("ERR: Error en Archivo de Mensaje"));
    QCOMPARE(p->beeps, 2);
    QCOMPARE(p->esperas.size(), cargando ? 2 : 1);
    QVERIFY(!m->tieneTexto());
    QCOMPARE(m->TotPag, 1);
    QVERIFY(!m->Cambios);
    QVERIFY(m->GrabarComo);
    QVERIFY(!ventana->fraMensaje()->isHidden());
    QCOMPARE(panel(2), QString("Sin Nombre"));
    QVERIFY(m->NomArchivo.empty());
    QCOMPARE(QString::fromStdString(m->NomArchivo2), ruta(nombre));
    QDir(ruta("carpeta.mn2")).removeRecursively();
}

void TstFrmMainArchivos::archivoVacio() {
    escribir("vacio.mn2", "");
    ventana->Nuevo_Click();
    escribirPagina("anterior");
    abrir("vacio.mn2");
    QCOMPARE(panel(3), QString("PGM: Cargando Mensaje..."));
    QVERIFY(!m->tieneTexto());
    QVERIFY(!m->Cambios);
    QCOMPARE(QString::fromStdString(m->NomArchivo), QString("vacio.mn2"));
    QCOMPARE(panel(2), QString("Sin Nombre"));
    QVERIFY(m->GrabarComo);
}

void TstFrmMainArchivos::grabarCanceladoOFallido_data() {
    QTest::addColumn<QString>("destino"); // empty: the dialog is cancelled
    QTest::newRow("cancelado") << QString();
    QTest::newRow("carpeta inexistente") << "no/existe/m.mn2";
    QTest::newRow("dentro de un archivo") << "t.txt/m.mn2";
}

void TstFrmMainArchivos::grabarCanceladoOFallido() {
    QFETCH(QString, destino);
    escribir("t.txt", "soy un archivo");
    ventana->Nuevo_Click();
    escribirPagina("algo");
    if (!destino.isEmpty())
        elegir(destino);
    ventana->save_Click();
    QCOMPARE(panel(3), QString("ERR: NO se Grabo Archivo Mensajes"));
    QCOMPARE(p->beeps, 2);
    QVERIFY(m->Cambios);
    QCOMPARE(panel(2), QString("Sin Nombre"));
    QCOMPARE(leer("t.txt"), QByteArray("soy un archivo"));
}

// A save that fails half-way (here: the file-size limit) leaves the old file whole.
void TstFrmMainArchivos::grabarInterrumpidoConservaElAnterior() {
    escribir("m.mn2", DosPaginas);
    abrir("m.mn2");
    escribirPagina(QString(1000, 'x'));
    rlimit antes{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &antes) == 0);
    const auto senal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 200;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limite) == 0);
    ventana->save_Click();
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);
    QCOMPARE(panel(3), QString("ERR: NO se Grabo Archivo Mensajes"));
    QCOMPARE(leer("m.mn2"), DosPaginas);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"m.mn2"});
}

void TstFrmMainArchivos::mensajeSinTextoNoSeGraba() {
    ventana->Nuevo_Click();
    escribirPagina("x");
    escribirPagina(""); // changed, but no text anywhere
    elegir("nada.mn2");
    ventana->save_Click();
    QCOMPARE(p->dialogos.size(), 1);
    QCOMPARE(leer("nada.mn2"), QByteArray("<no existe>"));
    QCOMPARE(QString::fromStdString(m->NomArchivo), QString("nada.mn2"));
    QCOMPARE(panel(3), QString());
}

void TstFrmMainArchivos::importar() {
    escribir("m.mn2", DosPaginas);
    escribir("t.txt", "HOLA\r\n\r\nMUNDO\r\n");
    abrir("m.mn2");
    elegir("t.txt");
    ventana->Importar_Click();
    const DialogoArchivo& d = p->dialogos.last();
    QCOMPARE(d.filtro, QString("Archivos de Texto(*.txt)|*.txt"));
    QCOMPARE(d.nombreInicial, ruta("m.mn2"));
    QCOMPARE(m->TotPag, 2);
    QCOMPARE(m->TextoPag[1], std::string("      HOLA      "));
    QCOMPARE(m->TextoPag[2], std::string("     MUNDO      "));
    QCOMPARE(panel(3), QString("PGM: Mensaje importado OK!"));
    QVERIFY(m->Cambios);
    QCOMPARE(panel(2), QString("m.mn2"));
    ventana->save_Click(); // the name is kept: no dialog
    QCOMPARE(p->dialogos.size(), 2);
    QCOMPARE(leer("m.mn2"), QByteArray("0,0,0,\"      HOLA      \",0\r\n"
                                       "0,0,0,\"     MUNDO      \",0\r\n"));
}

void TstFrmMainArchivos::importarFallas_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QByteArray>("datos");
    QTest::newRow("cancelado") << QString() << QByteArray();
    QTest::newRow("no existe") << "no.txt" << QByteArray();
    QTest::newRow("linea larga pasa de 99")
        << "largo.txt" << QByteArray(98 * 4, 'a').replace("aaaa", "aa\r\n") + QByteArray(3000, 'z');
    QTest::newRow("sin lineas") << "vacio.txt" << QByteArray("\r\n\r\n");
}

void TstFrmMainArchivos::importarFallas() {
    QFETCH(QString, nombre);
    QFETCH(QByteArray, datos);
    ventana->Importar_Click(); // no message open: no beeps
    QCOMPARE(panel(3), QString("ERR: NO hay mensaje!"));
    QCOMPARE(p->beeps, 0);
    QVERIFY(p->dialogos.isEmpty());

    escribir("m.mn2", DosPaginas);
    abrir("m.mn2");
    if (!datos.isEmpty())
        escribir(nombre, datos);
    if (!nombre.isEmpty())
        elegir(nombre);
    ventana->Importar_Click();
    QCOMPARE(panel(3), QString("ERR: NO se pudo leer Archivo"));
    QCOMPARE(p->beeps, 2);
    QCOMPARE(m->TotPag, 2);
    QCOMPARE(m->TextoPag[1], std::string("HOLA"));
    QVERIFY(!m->Cambios);
}

QTEST_MAIN(TstFrmMainArchivos)
#include "tst_frmMainArchivos.moc"
