#include "editor/CajaMensaje.h"
#include "editor/FraMensaje.h"
#include "shell/FrmMain.h"
#include "support/ajustesprueba.h"
#include "support/plataformaguion.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace brelo;

Q_DECLARE_METATYPE(brelo::Pagina)

namespace {
// QTest::keyClicks knows only ASCII; the operator's keyboard sends any character.
void teclear(QWidget* w, const QString& texto) {
    for (QChar c : texto) {
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &e);
    }
}
} // namespace

class TstFraMensaje : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }
    void init();
    void cleanup();

    void refMensajeSobrescribeLoForzado();
    void reglaAlElegirEfecto_data();
    void reglaAlElegirEfecto();
    void horaQuedaTrasNavegar();
    void estaticoNoRestauraTexto();
    void navegacionMarcaCambios();
    void irAPagina_data();
    void irAPagina();
    void proximaPagina_data();
    void proximaPagina();
    void proximaEnLa99NoPregunta();
    void textoSeTomaAlSalir();
    void insertar_data();
    void insertar();
    void borrar_data();
    void borrar();
    void limitesSinPregunta_data();
    void limitesSinPregunta();
    void teclas_data();
    void teclas();
    void limiteDe1023();
    void pegarFiltra();
    void caracterEspecial_data();
    void caracterEspecial();
    void caracterEnPaginaEspecial();
    void alineacion();
    void alineacionDesconocidaSeMuestraCentrada();
    void alineacionSinMensajeNoHaceNada();
    void memoriaSoloAlMostrar();

private:
    // n pages named P1..Pn, page p shown.
    void mensajeDe(int n, int p = 1);
    QStringList textos() const;
    void elegirEfecto(int efe);

    std::unique_ptr<PlataformaGuion> plataforma;
    std::unique_ptr<FrmMain> ventana;
    FraMensaje* fra = nullptr;
    Mensaje* m = nullptr;
};

void TstFraMensaje::init() {
    plataforma = std::make_unique<PlataformaGuion>();
    ventana = std::make_unique<FrmMain>(*plataforma);
    ventana->show();
    QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
    fra = ventana->fraMensaje();
    m = &ventana->mensaje();
    ventana->Nuevo_Click();
}

void TstFraMensaje::cleanup() {
    ventana.reset();
}

void TstFraMensaje::mensajeDe(int n, int p) {
    std::vector<Pagina> paginas;
    for (int i = 1; i <= n; ++i)
        paginas.push_back({"P" + std::to_string(i)});
    m->cargarPaginas(paginas);
    m->PagAct = std::uint8_t(p);
    fra->RefMensaje();
}

QStringList TstFraMensaje::textos() const {
    QStringList l;
    for (int i = 1; i <= m->TotPag; ++i)
        l << QString::fromStdString(m->TextoPag[i]);
    return l;
}

void TstFraMensaje::elegirEfecto(int efe) {
    fra->cboEfe->setCurrentIndex(efe);
    Q_EMIT fra->cboEfe->activated(efe);
}

void TstFraMensaje::refMensajeSobrescribeLoForzado() {
    // A special page read from a file with an exit effect and a pause.
    m->cargarPaginas({{"texto guardado", 12, 5, 0, 1}, {"otra", 3, 7, 2, 4}});
    fra->RefMensaje();
    QCOMPARE(fra->cboEfeOut->currentIndex(), 1); // stored value overwrites the rule's 0
    QCOMPARE(fra->cboPausa->currentIndex(), 0);  // then the pause goes back to 0
    QVERIFY(!fra->cboPausa->isEnabled());
    QVERIFY(!fra->txtMensaje->isEnabled());
    QCOMPARE(fra->txtMensaje->text(), QString("texto guardado"));

    m->PagAct = 2;
    fra->RefMensaje();
    QCOMPARE(fra->cboEfe->currentIndex(), 3);
    QCOMPARE(fra->cboPausa->currentIndex(), 7);
    QVERIFY(fra->cboPausa->isEnabled());
    QCOMPARE(fra->cboEfeOut->currentIndex(), 4);
    QVERIFY(fra->optCenter->isChecked());
    QVERIFY(fra->txtMensaje->isEnabled());
    QCOMPARE(fra->txtPag->text(), QString("2"));
    QCOMPARE(fra->txtDe->text(), QString("2"));
}

void TstFraMensaje::reglaAlElegirEfecto_data() {
    QTest::addColumn<int>("efe");
    QTest::addColumn<int>("pausa");
    QTest::addColumn<bool>("pausaHabilitada");
    QTest::addColumn<int>("salida");
    QTest::addColumn<bool>("salidaHabilitada");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("textoHabilitado");
    // The page starts as ABC, pause 5, exit 3, entry effect "LLuvia".
    QTest::newRow("Hora") << 12 << 0 << false << 0 << false << " Hora 00:00:00 " << false;
    QTest::newRow("Rotacion") << 0 << 0 << false << 3 << true << "ABC" << true;
    QTest::newRow("Velocidad") << 16 << 5 << true << 0 << false << "Velocidad Rot. " << false;
    QTest::newRow("Estatico") << 1 << 5 << true << 3 << true << "ABC" << true;
    QTest::newRow("Pacman") << 19 << 0 << false << 0 << false << "Pacman         " << false;
    QTest::newRow("Parpadeo") << 14 << 0 << false << 3 << true << "ABC" << true;
}

void TstFraMensaje::reglaAlElegirEfecto() {
    QFETCH(int, efe);
    m->cargarPaginas({{"ABC", 3, 5, 0, 3}});
    fra->RefMensaje();
    m->Cambios = false;
    elegirEfecto(efe);
    QTEST(fra->cboPausa->currentIndex(), "pausa");
    QTEST(fra->cboPausa->isEnabled(), "pausaHabilitada");
    QTEST(fra->cboEfeOut->currentIndex(), "salida");
    QTEST(fra->cboEfeOut->isEnabled(), "salidaHabilitada");
    QTEST(fra->txtMensaje->text(), "texto");
    QTEST(fra->txtMensaje->isEnabled(), "textoHabilitado");
    QVERIFY(m->Cambios);
    QCOMPARE(m->EfePag[1], 3); // the rule touches the controls only
}

void TstFraMensaje::horaQuedaTrasNavegar() {
    m->cargarPaginas({{"ABC", 3, 5, 0, 3}, {"B"}});
    fra->RefMensaje();
    elegirEfecto(12);
    fra->cmdPagDwn_Click();
    fra->cmdPagUp_Click();
    QCOMPARE(m->pagina(1), (Pagina{" Hora 00:00:00 ", 12, 0, 0, 0}));
    QCOMPARE(fra->txtMensaje->text(), QString(" Hora 00:00:00 "));
    QVERIFY(!fra->cboEfeOut->isEnabled());
}

void TstFraMensaje::estaticoNoRestauraTexto() {
    m->cargarPaginas({{"ABC"}});
    fra->RefMensaje();
    elegirEfecto(12);
    elegirEfecto(1);
    QVERIFY(fra->txtMensaje->isEnabled());
    QVERIFY(fra->cboPausa->isEnabled());
    QVERIFY(fra->cboEfeOut->isEnabled());
    QCOMPARE(fra->txtMensaje->text(), QString(" Hora 00:00:00 "));
}

void TstFraMensaje::navegacionMarcaCambios() {
    mensajeDe(3, 2);
    using Comando = void (FraMensaje::*)();
    for (Comando c : {&FraMensaje::cmdPagFirst_Click, &FraMensaje::cmdPagLast_Click,
                      &FraMensaje::cmdPagUp_Click, &FraMensaje::cmdPagDwn_Click}) {
        m->Cambios = false;
        plataforma->respuestas = {false};
        (fra->*c)();
        QVERIFY(m->Cambios);
    }
    m->Cambios = false;
    fra->txtGoto->setText("1");
    fra->cmdGtoPag_Click();
    QVERIFY(m->Cambios);
}

void TstFraMensaje::irAPagina_data() {
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<int>("pagina");
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("blancos delante") << "  4" << 4;
    QTest::newRow("7 fuera") << "7" << 1;
    QTest::newRow("0") << "0" << 1;
    QTest::newRow("palabra") << "tres" << 1;
    QTest::newRow("-2") << "-2" << 1;
    QTest::newRow("300") << "300" << 1;
    QTest::newRow("enorme") << "99999999999999999999" << 1;
    QTest::newRow("2.5 al par") << "2.5" << 2;
    QTest::newRow("3.5 al par") << "3.5" << 4;
}

void TstFraMensaje::irAPagina() {
    QFETCH(QString, escrito);
    mensajeDe(5);
    fra->txtGoto->setText(escrito);
    fra->cmdGtoPag_Click();
    QTEST(int(m->PagAct), "pagina");
    QCOMPARE(fra->txtPag->text().toInt(), m->PagAct);
    QCOMPARE(fra->txtGoto->text(), escrito);
    QVERIFY(plataforma->cajas.isEmpty());
}

void TstFraMensaje::proximaPagina_data() {
    QTest::addColumn<bool>("si");
    QTest::addColumn<int>("pagina");
    QTest::addColumn<int>("total");
    QTest::newRow("No") << false << 5 << 5;
    QTest::newRow("Si") << true << 6 << 6;
}

void TstFraMensaje::proximaPagina() {
    QFETCH(bool, si);
    mensajeDe(5, 5);
    plataforma->respuestas = {si};
    fra->cmdPagDwn_Click();
    QCOMPARE(plataforma->cajas.size(), 1);
    QCOMPARE(plataforma->cajas[0].titulo, QString("Nueva Pagina"));
    QCOMPARE(plataforma->cajas[0].texto, QString("No hay mas Paginas\nDesea Agregar una Nueva?"));
    QCOMPARE(plataforma->cajas[0].icono, QMessageBox::Information);
    QTEST(int(m->PagAct), "pagina");
    QTEST(int(m->TotPag), "total");
    if (si) {
        QCOMPARE(fra->txtMensaje->text(), QString());
        QCOMPARE(fra->cboEfe->currentIndex(), 0);
        QVERIFY(!fra->cboPausa->isEnabled());
        QCOMPARE(fra->cboEfeOut->currentText(), QString("Ninguno       "));
        QVERIFY(fra->optLeft->isChecked());
        QCOMPARE(fra->txtDe->text(), QString("6"));
    }
}

void TstFraMensaje::proximaEnLa99NoPregunta() {
    mensajeDe(99, 99);
    fra->cmdPagDwn_Click();
    QCOMPARE(int(m->PagAct), 99);
    QVERIFY(plataforma->cajas.isEmpty());
}

void TstFraMensaje::textoSeTomaAlSalir() {
    mensajeDe(3, 2);
    fra->txtMensaje->setText("escrito");
    fra->cmdPagDwn_Click();
    fra->cmdPagUp_Click();
    QCOMPARE(fra->txtMensaje->text(), QString("escrito"));
}

void TstFraMensaje::insertar_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("pagina");
    QTest::addColumn<QStringList>("despues");
    QTest::newRow("en la 3 de 5") << 5 << 3 << QStringList{"P1", "P2", "", "P3", "P4", "P5"};
    QTest::newRow("en la 1 de 1") << 1 << 1 << QStringList{"", "P1"};
}

void TstFraMensaje::insertar() {
    QFETCH(int, total);
    QFETCH(int, pagina);
    mensajeDe(total, pagina);
    plataforma->respuestas = {true};
    fra->cmdInsertar_Click();
    QCOMPARE(plataforma->cajas.value(0).titulo, QString("Insertar"));
    QCOMPARE(plataforma->cajas.value(0).texto, QString("Desea Insertar una Pagina ?"));
    QCOMPARE(plataforma->cajas.value(0).icono, QMessageBox::Information);
    QTEST(textos(), "despues");
    QCOMPARE(int(m->PagAct), pagina);
    QCOMPARE(fra->txtDe->text().toInt(), total + 1);
    QCOMPARE(fra->txtMensaje->text(), QString());
}

void TstFraMensaje::borrar_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("pagina");
    QTest::addColumn<QStringList>("despues");
    QTest::addColumn<int>("mostrada");
    QTest::newRow("la 3 de 5") << 5 << 3 << QStringList{"P1", "P2", "P4", "P5"} << 2;
    QTest::newRow("la 1 de 3") << 3 << 1 << QStringList{"P2", "P3"} << 1;
    QTest::newRow("la ultima de 4") << 4 << 4 << QStringList{"P1", "P2", "P3"} << 3;
}

void TstFraMensaje::borrar() {
    QFETCH(int, total);
    QFETCH(int, pagina);
    mensajeDe(total, pagina);
    plataforma->respuestas = {true};
    fra->cmdBorro_Click();
    QCOMPARE(plataforma->cajas.value(0).titulo, QString("Borrar"));
    QCOMPARE(plataforma->cajas.value(0).texto, QString("Desea Borrar Pagina ?"));
    QCOMPARE(plataforma->cajas.value(0).icono, QMessageBox::Critical);
    QTEST(textos(), "despues");
    QTEST(int(m->PagAct), "mostrada");
    QCOMPARE(m->pagina(total), Pagina{}); // the freed slot is empty again
}

void TstFraMensaje::limitesSinPregunta_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("insertar");
    QTest::addColumn<bool>("abierto");
    QTest::addColumn<bool>("respuesta");
    QTest::addColumn<bool>("pregunta");
    QTest::newRow("insertar con 99") << 99 << true << true << true << false;
    QTest::newRow("borrar con 1") << 1 << false << true << true << false;
    QTest::newRow("insertar sin mensaje") << 5 << true << false << true << false;
    QTest::newRow("borrar sin mensaje") << 5 << false << false << true << false;
    QTest::newRow("insertar No") << 5 << true << true << false << true;
    QTest::newRow("borrar No") << 5 << false << true << false << true;
}

void TstFraMensaje::limitesSinPregunta() {
    QFETCH(int, total);
    QFETCH(bool, insertar);
    QFETCH(bool, abierto);
    QFETCH(bool, respuesta);
    mensajeDe(total, 2 > total ? 1 : 2);
    fra->setVisible(abierto);
    const QStringList antes = textos();
    plataforma->respuestas = {respuesta};
    insertar ? fra->cmdInsertar_Click() : fra->cmdBorro_Click();
    QTEST(!plataforma->cajas.isEmpty(), "pregunta");
    QCOMPARE(textos(), antes);
    QCOMPARE(int(m->TotPag), total);
}

void TstFraMensaje::teclas_data() {
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<QString>("queda");
    QTest::newRow("letras y acentos") << "Az5 áñÑ¦€"
                                      << "Az5 áñÑ¦€";
    QTest::newRow("rechazados") << "a@b_c[d{e~f\\g^h`i|j}"
                                << "abcdefghij";
    QTest::newRow("fuera de 1252") << "aЖb😀c"
                                   << "abc";
}

void TstFraMensaje::teclas() {
    QFETCH(QString, tecleado);
    teclear(fra->txtMensaje, tecleado);
    QTEST(fra->txtMensaje->text(), "queda");
    QTest::keyClick(fra->txtMensaje, Qt::Key_Return);
    QTest::keyClick(fra->txtMensaje, Qt::Key_Tab);
    QTEST(fra->txtMensaje->text(), "queda");
    QFETCH(QString, queda);
    QTest::keyClick(fra->txtMensaje, Qt::Key_Backspace);
    QCOMPARE(fra->txtMensaje->text(), queda.chopped(1));
}

void TstFraMensaje::limiteDe1023() {
    fra->txtMensaje->setText(QString(1022, 'x'));
    QTest::keyClicks(fra->txtMensaje, "ab");
    QCOMPARE(fra->txtMensaje->text().size(), 1023);
    QVERIFY(fra->txtMensaje->text().endsWith("xa"));
    fra->txtMensaje->selectAll();
    QTest::keyClicks(fra->txtMensaje, "z"); // replacing the selection is allowed
    QCOMPARE(fra->txtMensaje->text(), QString("z"));
}

void TstFraMensaje::pegarFiltra() {
    fra->txtMensaje->setText("Hola");
    fra->txtMensaje->setCursorPosition(4);
    QApplication::clipboard()->setText(" a\tb@c\r\nd€Ж" + QString(2000, 'y'));
    QTest::keySequence(fra->txtMensaje, QKeySequence::Paste);
    const QString t = fra->txtMensaje->text();
    QCOMPARE(t.size(), 1023);
    QVERIFY(t.startsWith("Hola abcd€yyy"));
}

void TstFraMensaje::caracterEspecial_data() {
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("seleccion");
    QTest::addColumn<int>("entrada");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("caretDespues");
    QTest::newRow("al final n tilde") << 4 << 0 << 5 << "HOLAñ" << 5;
    QTest::newRow("tras la O guarda") << 2 << 0 << 14 << "HO{LA" << 3;
    QTest::newRow("con OL elegido") << 1 << 2 << 0 << "HáOLA" << 2;
    QTest::newRow("barra vertical") << 0 << 0 << 15 << "|HOLA" << 1;
}

void TstFraMensaje::caracterEspecial() {
    QFETCH(int, caret);
    QFETCH(int, seleccion);
    QFETCH(int, entrada);
    fra->txtMensaje->setText("HOLA");
    if (seleccion > 0)
        fra->txtMensaje->setSelection(caret, seleccion);
    else
        fra->txtMensaje->setCursorPosition(caret);
    fra->cboEsp->setCurrentIndex(entrada);
    m->Cambios = false;
    fra->cmdIngEsp_Click();
    QTEST(fra->txtMensaje->text(), "texto");
    QTEST(fra->txtMensaje->cursorPosition(), "caretDespues");
    QVERIFY(m->Cambios);
    QVERIFY(fra->txtMensaje->hasFocus());
}

void TstFraMensaje::caracterEnPaginaEspecial() {
    elegirEfecto(12);
    fra->cmdIngEsp->setFocus();
    fra->cboEsp->setCurrentIndex(12);
    fra->cmdIngEsp_Click();
    QCOMPARE(fra->txtMensaje->text(), QString(" Hora 00:00:00 @")); // the caret was at the end
    QVERIFY(fra->cmdIngEsp->hasFocus());
}

void TstFraMensaje::alineacion() {
    mensajeDe(2);
    m->Cambios = false;
    fra->optCenter->click();
    QCOMPARE(m->AlinPag[1], 2); // stored at once, before any TomoActual
    QVERIFY(m->Cambios);
    QCOMPARE(fra->txtMensaje->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    fra->cmdPagDwn_Click();
    fra->cmdPagUp_Click();
    QVERIFY(fra->optCenter->isChecked());
}

void TstFraMensaje::alineacionDesconocidaSeMuestraCentrada() {
    m->cargarPaginas({{"x", 0, 0, 7, 0}, {"y"}});
    fra->RefMensaje();
    QVERIFY(fra->optCenter->isChecked());
    fra->cmdPagDwn_Click();
    QCOMPARE(m->AlinPag[1], 2);
}

void TstFraMensaje::alineacionSinMensajeNoHaceNada() {
    mensajeDe(1);
    fra->setEnabled(false);
    m->Cambios = false;
    fra->optCenter_Click();
    QCOMPARE(m->AlinPag[1], 0);
    QVERIFY(!m->Cambios);
}

void TstFraMensaje::memoriaSoloAlMostrar() {
    mensajeDe(2);
    QCOMPARE(fra->txtBytes->text(), QString("7984")); // 6 + 2 x (2 + 2) + 2
    fra->txtMensaje->setText("0123456789");
    QCOMPARE(fra->txtBytes->text(), QString("7984"));
    fra->cmdPagDwn_Click();
    QCOMPARE(fra->txtBytes->text(), QString("7976"));
    QCOMPARE(fra->txtBytes->palette().color(QPalette::Text), QColor(Qt::black));
}

QTEST_MAIN(TstFraMensaje)
#include "tst_fraMensaje.moc"
