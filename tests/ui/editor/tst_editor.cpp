// The editing frame as the operator drives it: page rules, navigation, insert and delete,
// typing and special characters, and what each of them leaves in the message.

#include "core/protocol/filtro.h"
#include "link/conversion.h"
#include "support/banco.h"
#include "ui/editor/Historia.h"
#include "ui/editor/LineaElidida.h"
#include "ui/editor/ListaPaginas.h"
#include "ui/editor/VistaCartel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include <cmath>

using namespace brelo;

namespace {
// n pages "P1".."Pn" of "Estatico", pause 5, exit 3, page p shown, nothing changed yet.
void conPaginas(Banco& b, int n, int p = 1) {
    b.v.Nuevo_Click();
    std::vector<Pagina> v;
    for (int i = 1; i <= n; ++i)
        v.push_back({"P" + std::to_string(i), 1, 5, 0, 3});
    b.m.cargarPaginas(v);
    b.m.PagAct = std::uint8_t(p);
    b.f.RefMensaje();
    b.m.Cambios = false;
    b.f.EmpezarHistoria(); // the pages were put in behind the editor's back
}

// As a keyboard sends it, with the key and modifiers (QTest::keyClicks knows only ASCII), or
// as an input method commits it (dead keys, compose).
enum Via { Teclas, Pegado, Alt, AltGrDeWindows, Composicion, TrasCtrlA };
void teclear(QWidget* w, const QString& texto, Via via = Teclas) {
    const Qt::KeyboardModifiers mod[] = {
        {}, {}, Qt::AltModifier, Qt::ControlModifier | Qt::AltModifier};
    for (QChar c : texto) {
        QInputMethodEvent compuesto;
        compuesto.setCommitString(c);
        const int k = c == '\b' ? Qt::Key_Backspace : c.unicode() < 128 ? c.toUpper().unicode() : 0;
        QKeyEvent tecla(QEvent::KeyPress, k, via < Composicion ? mod[via] : Qt::KeyboardModifiers(),
                        c);
        QApplication::sendEvent(w, via == Composicion ? static_cast<QEvent*>(&compuesto) : &tecla);
    }
}

void elegir(QComboBox* lista, int indice) {
    lista->setCurrentIndex(indice);
    Q_EMIT lista->activated(indice);
}

// The contrast of two colours as WCAG defines it, from 1 to 21.
double contraste(const QColor& a, const QColor& b) {
    const auto lineal = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const auto luz = [&](const QColor& c) {
        return 0.2126 * lineal(c.redF()) + 0.7152 * lineal(c.greenF()) + 0.0722 * lineal(c.blueF());
    };
    return (std::max(luz(a), luz(b)) + 0.05) / (std::min(luz(a), luz(b)) + 0.05);
}

QString estado(QComboBox* c) {
    return (c->isEnabled() ? "+" : "-") + QString::number(c->currentIndex());
}

// clang-format off
// Pages as file records (two "Estatico" pages, pause 5, exit 3, when none), effects chosen on
// the first, and its controls: "+5" enabled at index 5, "-0" disabled at 0, "-" before the
// text of a disabled page box.
struct Regla { const char* nombre; QByteArray registros; QList<int> efectos; QString pausa, salida, texto; };
// orden: a button, "ir:N" typed into "Nro Pagina" first, or "tecla:KEY:control" pressed in
// that control; textos: the page texts afterwards, or their count; the shown page was edited
// to "E" first.
// nota: what the status line says, where the page asked for is not there or no page fits.
struct Orden { const char* nombre; QString orden; int total, desde; bool si; QString textos; int pagina, preguntas; const char* nota = ""; };
// A message as file records, and the memory figure it leaves, on a light or a dark theme.
struct Memoria { const char* nombre; QByteArray registros; QString figura; bool rojo, oscuro = false; };
// nota: what the status line says of the characters refused or replaced.
struct Tecleo { const char* nombre; QString antes, tecleado; Via via; QString queda, nota = {}; };
const Regla Reglas[] = {
    {"Rotacion", "", {0}, "-0", "+3", "ABC"},
    {"Explosion", "", {11}, "+5", "+3", "ABC"},
    {"Reset", "", {2}, "-0", "-0", "- Reset Cartel  "},
    {"Hora", "", {12}, "-0", "-0", "- Hora 00:00:00 "},
    {"Estatico tras Hora", "", {12, 1}, "+0", "+0", "ABC"},
    {"Hora, Reset y Rotacion", "", {12, 2, 0}, "-0", "+0", "ABC"},
    {"Fecha", "", {13}, "-0", "-0", "-Fecha 12/07/07 "},
    {"Parpadeo", "", {14}, "-0", "+3", "ABC"},
    {"Velocidad", "", {16}, "+5", "-0", "-Velocidad Rot. "},
    {"Autito", "", {17}, "-0", "-0", "-Autito         "},
    {"Avion", "", {18}, "-0", "-0", "-Avioncito      "},
    {"Pacman", "", {19}, "-0", "-0", "-Pacman         "},
    {"Hora guardada con salida", "12,0,0,\" Hora 00:00:00 \",1\r\n0,0,0,\"b\",0", {}, "-0", "-1", "- Hora 00:00:00 "},
    {"Velocidad guardada", "16,4,0,\"Velocidad Rot. \",0\r\n0,0,0,\"b\",0", {}, "+4", "-0", "-Velocidad Rot. "},
};
const Orden Ordenes[] = {
    {"primera", "primera", 5, 3, false, "P1,P2,E,P4,P5", 1, 0},
    {"ultima", "ultima", 5, 3, false, "P1,P2,E,P4,P5", 5, 0},
    {"anterior en la 1", "anterior", 5, 1, false, "E,P2,P3,P4,P5", 1, 0},
    {"anterior", "anterior", 5, 4, false, "P1,P2,P3,E,P5", 3, 0},
    {"proxima", "proxima", 5, 2, false, "P1,E,P3,P4,P5", 3, 0},
    {"proxima al final No", "proxima", 5, 5, false, "P1,P2,P3,P4,E", 5, 1},
    {"proxima al final Si", "proxima", 5, 5, true, "P1,P2,P3,P4,E,", 6, 1},
    {"proxima en 99 de 99", "proxima", 99, 99, true, "99", 99, 0, "El mensaje ya tiene 99 paginas, las que caben"},
    {"proxima en 98 de 99", "proxima", 99, 98, true, "99", 99, 0, ""},
    {"ir a 3", "ir:3", 5, 1, false, "E,P2,P3,P4,P5", 3, 0},
    {"ir a 7", "ir:7", 5, 1, false, "E,P2,P3,P4,P5", 1, 0, "La pagina 7 no existe: el mensaje tiene 5"},
    {"ir a la ultima", "ir:5", 5, 1, false, "E,P2,P3,P4,P5", 5, 0},
    {"Intro en Nro Pagina", "intro:4", 5, 1, false, "E,P2,P3,P4,P5", 4, 0},
    {"ir a 0", "ir:0", 5, 2, false, "P1,E,P3,P4,P5", 2, 0, "La pagina 0 no existe: el mensaje tiene 5"},
    {"ir a palabra", "ir:tres", 5, 2, false, "P1,E,P3,P4,P5", 2, 0, "\"tres\" no es un numero de pagina"},
    {"ir a nada", "ir:", 5, 2, false, "P1,E,P3,P4,P5", 2, 0, "Escriba en Nro Pagina el numero de la pagina"},
    {"ir a blancos", "ir:  ", 5, 2, false, "P1,E,P3,P4,P5", 2, 0, "Escriba en Nro Pagina el numero de la pagina"},
    {"ir a enorme", "ir:99999999999999999999", 5, 2, false, "P1,E,P3,P4,P5", 2, 0},
    {"ir a 2.5", "ir:2.5", 5, 1, false, "E,P2,P3,P4,P5", 2, 0},
    {"ir a 3.5", "ir:3.5", 5, 1, false, "E,P2,P3,P4,P5", 4, 0},
    {"PgDn en la caja", "tecla:PgDown:caja", 5, 3, false, "P1,P2,E,P4,P5", 4, 0},
    {"PgUp en Nro Pagina", "tecla:PgUp:nro", 5, 3, false, "P1,P2,E,P4,P5", 2, 0},
    {"Ctrl+End en una lista", "tecla:Ctrl+End:lista", 5, 3, false, "P1,P2,E,P4,P5", 5, 0},
    {"Ctrl+Home en la caja", "tecla:Ctrl+Home:caja", 5, 3, false, "P1,P2,E,P4,P5", 1, 0},
    {"insertar en 3 de 5", "insertar", 5, 3, true, "P1,P2,,E,P4,P5", 3, 1},
    {"insertar en 1 de 1", "insertar", 1, 1, true, ",E", 1, 1},
    {"insertar con 98", "insertar", 98, 98, true, "99", 98, 1},
    {"insertar con 99", "insertar", 99, 5, true, "99", 5, 0, "El mensaje ya tiene 99 paginas, las que caben"},
    {"insertar No", "insertar", 5, 3, false, "P1,P2,P3,P4,P5", 3, 1},
    {"borrar 3 de 5", "borrar", 5, 3, true, "P1,P2,P4,P5", 2, 1},
    {"borrar 1 de 3", "borrar", 3, 1, true, "P2,P3", 1, 1},
    {"borrar la ultima", "borrar", 4, 4, true, "P1,P2,P3", 3, 1},
    {"borrar 50 de 99", "borrar", 99, 50, true, "98", 49, 1},
    {"borrar con 1", "borrar", 1, 1, true, "P1", 1, 0},
    {"borrar No", "borrar", 5, 3, false, "P1,P2,P3,P4,P5", 3, 1},
};
const QByteArray Mil = "0,0,0,\"" + QByteArray(998, 'a') + "\",0\r\n"; // 1000 with its 2
const Memoria Memorias[] = {
    {"una pagina vacia", "", "7992", false},
    {"10 letras", "0,0,0,\"0123456789\",0", "7980", false},
    {"con salida", "0,0,0,\"0123456789\",3", "7978", false},
    {"quedan 300", Mil.repeated(7) + "0,0,0,\"" + QByteArray(690, 'b') + "\",0", "0300", true},
    {"quedan 301", Mil.repeated(7) + "0,0,0,\"" + QByteArray(689, 'b') + "\",0", "0301", false},
    {"pasado", Mil.repeated(9), "0000", true},
    {"oscuro", "12,0,0,\" Hora 00:00:00 \",0", "7975", false, true},
    {"oscuro y en rojo", "12,0,0,\" Hora 00:00:00 \",0\r\n" + Mil.repeated(8), "0000", true, true},
    {"99 paginas", QByteArray("0,0,0,\"abcde\",0\r\n").repeated(99), "7299", false},
};
const Tecleo Tecleos[] = {
    {"letras y acentos", "", "Az5 áñÑ¦€", Teclas, "Az5 áñÑ¦€"},
    {"rechazados", "", "a@b_c[d{e~f\\g^h`i|j}\x7f", Teclas, "abcdefghij", "} se escribe desde \"Caracteres Especiales\""}, // each said once, as typed
    {"control e Intro", "", "a\tb\rc\x1b", Teclas, "abc"},
    {"retroceso", "", "ab\bc", Teclas, "ac"},
    {"fuera de 1252", "", "aЖb😀c", Teclas, "a#bc", "1 caracter reemplazado"},
    {"hasta 1023", QString(1021, 'x'), "abc", Teclas, QString(1021, 'x') + "ab"},
    {"pegado", "", "a@b\tc\x1fЖ", Pegado, "abc#", "1 caracter reemplazado; @ se escribe desde \"Caracteres Especiales\""},
    {"pegado de otro alfabeto", "", "Győr — 5 € 😀 “sí”", Pegado, "Gyor — 5 € # “sí”", "2 caracteres reemplazados"},
    {"acento aparte pegado", "", "Pe\u0301rez n\u0303", Pegado, "Pérez ñ"},
    {"el mismo dos veces", "", "@x@", Pegado, "x", "@ se escribe desde \"Caracteres Especiales\""},
    {"ÿ entre otros", "", "ÿЖ", Pegado, "y#", "2 caracteres reemplazados"},
    {"pegados de una vez", "", "a@b_c{", Pegado, "abc", "@ y _ y { se escriben desde \"Caracteres Especiales\""},
    {"con Alt", "", "a[\\]{}~@_`|^b", Alt, "ab", "| se escribe desde \"Caracteres Especiales\""},
    {"con Alt hasta 1023", QString(1023, 'x'), "ab", Alt, QString(1023, 'x')},
    {"AltGr de Windows", "", "[\\]{}~@_`|^", AltGrDeWindows, "", "| se escribe desde \"Caracteres Especiales\""},
    {"compuesto", "", "~é Жa", Composicion, "é #a", "1 caracter reemplazado"},
    {"compuesto hasta 1023", QString(1022, 'x'), "~ab", Composicion, QString(1022, 'x') + "a", "~ se escribe desde \"Caracteres Especiales\""},
    {"Ctrl+A sigue eligiendo todo", "HOLA", "x", TrasCtrlA, "x"},
    {"ÿ se escribe y", "", "Señor ÿ", Teclas, "Señor y", "ÿ se escribe como y"},
    {"ÿ pegada", "", "ÿÿ", Pegado, "yy", "ÿ se escribe como y"},
    {"ÿ compuesta", "", "ÿ", Composicion, "y", "ÿ se escribe como y"},
};
// A step done on page 2 of three after preparar, by the operator's own keys, wheel and clicks:
// the caption of Deshacer afterwards, how many Deshacer take the message back, and the page
// they show it on. "_" types a blank.
struct Paso { const char* nombre; QString preparar, hacer, titulo; int pasos = 1, muestra = 2; };
const Paso Pasos[] = {
    {"una palabra", "", "teclas:hola", "Escribir en la Pagina 2"},
    {"dos palabras", "", "teclas:dos_tres", "Escribir en la Pagina 2", 2},
    {"retroceso", "", "teclas:\b\b", "Escribir en la Pagina 2"},
    {"escribir y borrar", "", "teclas:ab\b", "Escribir en la Pagina 2", 2},
    {"pausa al escribir", "", "teclas:ab reloj:2 teclas:cd", "Escribir en la Pagina 2", 2},
    {"sin pausa larga", "", "teclas:a reloj:1 teclas:b reloj:1 teclas:c", "Escribir en la Pagina 2"},
    {"dos blancos", "", "teclas:a__b", "Escribir en la Pagina 2", 2},
    {"en dos paginas", "", "teclas:a clic:ultima teclas:b", "Escribir en la Pagina 3", 2},
    {"en la ultima", "clic:ultima", "teclas:hola_", "Escribir en la Pagina 3", 1, 3},
    {"tras deshacer", "teclas:a deshacer", "teclas:b", "Escribir en la Pagina 2"},
    {"pegado", "", "pegar:PEGADO", "Escribir en la Pagina 2"},
    {"caracter especial", "", "especial:5", "Caracter Especial de la Pagina 2"},
    {"efecto con flechas", "", "flecha:efecto", "Efecto de Entrada de la Pagina 2"},
    {"efecto con la rueda", "", "rueda:3", "Efecto de Entrada de la Pagina 2", 3},
    {"texto fijo de Hora", "", "efecto:12", "Efecto de Entrada de la Pagina 2"},
    {"salida", "", "flecha:salida", "Efecto de Salida de la Pagina 2"},
    {"pausa", "", "flecha:pausa", "Pausa de la Pagina 2"},
    {"alineacion", "", "clic:centrado", "Alineacion de la Pagina 2"},
    {"insertar", "", "clic:insertar", "Insertar Pagina 2"},
    {"borrar", "", "clic:borrar", "Borrar Pagina 2"},
    {"agregar al final", "clic:ultima", "clic:proxima", "Agregar Pagina 4", 1, 3},
    {"importar", "", "importar", "Importar Archivo de Texto"},
    {"en otra pagina", "", "teclas:x clic:primera", "Escribir en la Pagina 2"},
};
// clang-format on

// The whole message: all five values of each of the 99 slots, and the page count.
QString Entero(Banco& b) {
    b.f.TomoActual();
    QStringList paginas{QString::number(b.m.TotPag)};
    for (int i = 1; i <= MaxPag; ++i) {
        const Pagina p = b.m.pagina(i);
        paginas << aQString(p.texto) + '|' + QString::number(p.efe) + QString::number(p.pausa) +
                       QString::number(p.alin) + QString::number(p.efeOut);
    }
    return paginas.join('/');
}

void rueda(QWidget* w, int muescas) {
    for (int i = 0; i < muescas; ++i) {
        QWheelEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
    }
}

// Steps given as "orden:argumento" words, through the controls as the operator reaches them.
void Hacer(Banco& b, const QString& pasos) {
    for (const QString& paso : pasos.split(' ', Qt::SkipEmptyParts)) {
        const QString orden = paso.section(':', 0, 0), arg = paso.section(':', 1);
        // clang-format off
        const QMap<QString, QWidget*> controles{{"efecto", b.f.cboEfe}, {"salida", b.f.cboEfeOut}, {"pausa", b.f.cboPausa}, {"centrado", b.f.optCenter}, {"insertar", b.f.cmdInsertar}, {"borrar", b.f.cmdBorro}, {"ultima", b.f.cmdPagLast}, {"primera", b.f.cmdPagFirst}, {"proxima", b.f.cmdPagDwn}};
        // clang-format on
        if (orden == "teclas") {
            b.f.txtMensaje->setFocus();
            teclear(b.f.txtMensaje, QString(arg).replace('_', ' '));
        } else if (orden == "reloj") {
            b.p.ahora = b.p.ahora.addSecs(arg.toInt());
        } else if (orden == "pegar") {
            QApplication::clipboard()->setText(arg);
            QTest::keyClick(b.f.txtMensaje, Qt::Key_V, Qt::ControlModifier);
        } else if (orden == "especial") {
            b.f.cboEsp->setCurrentIndex(arg.toInt());
            QTest::mouseClick(b.f.cmdIngEsp, Qt::LeftButton);
        } else if (orden == "flecha") {
            controles[arg]->setFocus();
            QTest::keyClick(controles[arg], Qt::Key_Down);
        } else if (orden == "rueda") {
            rueda(b.f.cboEfe, arg.toInt());
        } else if (orden == "efecto") {
            elegir(b.f.cboEfe, arg.toInt());
        } else if (orden == "clic") {
            if (QStringList{"insertar", "borrar", "proxima"}.contains(arg))
                b.p.respuestas << true;
            QWidget* w = controles[arg]; // a radio button takes clicks on its mark and caption
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
        } else if (orden == "deshacer") {
            b.v.findChild<QAction*>("Deshacer")->trigger();
        } else if (orden == "importar") {
            b.elegir("t.txt");
            b.v.Importar_Click();
        }
    }
}
// clang-format off
// The list's commands from page 3 of total: the pages then the one shown, and the steps of the history.
struct Lista { const char* nombre; int total; QString orden, queda; int pasos; };
const Lista Listas[] = {
    {"clic en la 4", 5, "clic:4", "P1,P2,P3,P4,P5|4", 0},
    {"Alt+Arriba", 5, "Alt+Up", "P1,P3,P2,P4,P5|2", 1},
    {"Alt+Abajo", 5, "Alt+Down", "P1,P2,P4,P3,P5|4", 1},
    {"Alt+Abajo en la ultima", 3, "Alt+Down", "P1,P2,P3|3", 0},
    {"Ctrl+D", 5, "Ctrl+D", "P1,P2,P3,P3,P4,P5|4", 1},
    {"Ctrl+D con 99", 99, "Ctrl+D", "99|3", 0},
    {"Ctrl+D con 98", 98, "Ctrl+D", "99|4", 1},
    {"subir y deshacer", 5, "Alt+Up Ctrl+Z", "P1,P2,P3,P4,P5|3", 1},
    {"boton Duplicar", 3, "boton:cmdDuplicar", "P1,P2,P3,P3|4", 1},
    {"boton Bajar", 5, "boton:cmdBajar", "P1,P2,P4,P3,P5|4", 1},
    {"boton Subir", 5, "boton:cmdSubir", "P1,P3,P2,P4,P5|2", 1},
    {"Alt+Abajo hasta la ultima", 4, "Alt+Down", "P1,P2,P4,P3|4", 1},
};
// clang-format on

// clang-format off
struct Panel { const char* nombre; int ancho; bool lista; int paso; };
const Panel Panels[] = {
    {"la ventana mas chica", 0, false, 6},
    {"la mas chica con la lista", 0, true, 9},
    {"1100", 1100, false, 10},
    {"1280 con la lista", 1280, true, 12},
    {"maximizada en 2560", 2560, true, 12},
};
// clang-format on

// clang-format off
struct Linea { const char* nombre; QString tecleado, dice; };
const Linea Lineas[] = {
    {"una letra", "Caf\u00E0", "Esta pagina ocupa 20 bytes. \u00E0 se envia como a"},
    {"seis letras", "\u00E0\u00E8\u00EC\u00F2\u00F9\u00E4 \u00B0", "Esta pagina ocupa 20 bytes. 6 letras se envian sin acento. \u00B0 se envia como #"},
    {"sin acentos que perder", "HOLA", "Esta pagina ocupa 20 bytes"},
};
// clang-format on

// clang-format off
struct Caida { const char* nombre; int desde, fila; ListaPaginas::Caida donde; int hasta; };
const Caida Caidas[] = {
    {"bajo la ultima", 2, 4, ListaPaginas::Caida::Abajo, 4},
    {"sobre la primera", 2, 0, ListaPaginas::Caida::Arriba, 0},
    {"encima de la siguiente", 2, 3, ListaPaginas::Caida::Encima, 2},
    {"bajo la siguiente", 2, 3, ListaPaginas::Caida::Abajo, 3},
    {"sobre la anterior", 2, 1, ListaPaginas::Caida::Arriba, 1},
    {"fuera de las filas", 0, -1, ListaPaginas::Caida::Fuera, 4},
    {"en su sitio", 2, 2, ListaPaginas::Caida::Encima, 2},
};
// clang-format on

} // namespace

Q_DECLARE_METATYPE(Caida)
Q_DECLARE_METATYPE(Linea)
Q_DECLARE_METATYPE(Panel)
Q_DECLARE_METATYPE(Lista)
Q_DECLARE_METATYPE(Paso)
Q_DECLARE_METATYPE(Regla)
Q_DECLARE_METATYPE(Orden)
Q_DECLARE_METATYPE(Tecleo)
Q_DECLARE_METATYPE(Memoria)

class TstEditor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }

    // The page rules of the entry effect, as chosen and as shown again after leaving the page;
    // the stored exit and pause overwrite what the rule forces.
    void regla_data() { Filas(Reglas); }
    void regla() {
        QFETCH(Regla, caso);
        Banco b;
        b.abrir("m.mn2",
                caso.registros.isEmpty() ? "1,5,0,\"ABC\",3\r\n1,5,0,\"P2\",3" : caso.registros);
        for (int efe : caso.efectos)
            elegir(b.f.cboEfe, efe);
        for (int vuelta = 0; vuelta < 2; ++vuelta) {
            QCOMPARE(estado(b.f.cboPausa), caso.pausa);
            QCOMPARE(estado(b.f.cboEfeOut), caso.salida);
            QCOMPARE((b.f.txtMensaje->isEnabled() ? "" : "-") + b.f.txtMensaje->text(), caso.texto);
            b.f.cmdPagDwn_Click();
            b.f.cmdPagUp_Click();
        }
    }

    // A special effect reached by the wheel or the arrow keys shows its fixed text, and the
    // page's own text comes back with a text effect while the page is shown.
    void rueda() {
        // clang-format off
        for (auto [pasos, queda] : {std::pair{"rueda:2", "- Reset Cartel  "}, {"rueda:3", "Texto importante"}, {"flecha:efecto flecha:efecto flecha:efecto", "Texto importante"}, {"efecto:12 efecto:1", "Texto importante"}, {"efecto:12 clic:proxima clic:primera efecto:1", " Hora 00:00:00 "}, {"efecto:12 efecto:13 deshacer efecto:1", "Texto importante"}, {"efecto:12 deshacer teclas:B efecto:12 efecto:1", "Texto importanteB"}}) {
            // clang-format on
            Banco b;
            b.v.show();
            b.abrir("m.mn2", "0,0,0,\"Texto importante\",0\r\n0,0,0,\"x\",0");
            Hacer(b, pasos);
            QCOMPARE((b.f.txtMensaje->isEnabled() ? "" : "-") + b.f.txtMensaje->text(), queda);
        }
    }

    // Each kind of step, done, undone and redone with the operator's keys wherever the focus
    // is, the message compared whole each time; the caption names the step.
    void deshacer_data() { Filas(Pasos); }
    void deshacer() {
        QFETCH(Paso, caso);
        Banco b;
        b.escribir("t.txt", "UNO\r\nDOS\r\n");
        b.v.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.v));
        b.abrir("m.mn2", "1,5,0,\"P1\",3\r\n3,2,0,\"DIGA \xFFSI\xFF\",1\r\n0,0,7,\"P3\",0\r\n");
        QAction* deshacer = b.v.findChild<QAction*>("Deshacer");
        QVERIFY(!deshacer->isEnabled()); // an opened message starts a new history
        b.f.cmdPagDwn->click();
        Hacer(b, caso.preparar);
        const QString antes = Entero(b);
        const int hechos = b.f.historia()->index();
        Hacer(b, caso.hacer);
        QCOMPARE(b.f.historia()->index() - hechos, caso.pasos);
        const QString despues = Entero(b);
        QVERIFY(antes != despues);
        QCOMPARE(deshacer->text(), "&Deshacer " + caso.titulo);
        const auto teclas = [&](QKeyCombination k, int veces) {
            for (int i = 0; i < veces; ++i)
                QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
        };
        teclas(Qt::CTRL | Qt::Key_Z, caso.pasos);
        QCOMPARE(Entero(b), antes);
        QCOMPARE(b.f.txtPag->text(), QString::number(caso.muestra));
        teclas(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, caso.pasos);
        QCOMPARE(Entero(b), despues);
        teclas(Qt::CTRL | Qt::Key_Z, caso.pasos);
        teclas(Qt::CTRL | Qt::Key_Y, caso.pasos);
        QCOMPARE(Entero(b), despues);
        teclas(Qt::CTRL | Qt::Key_Z, 99);
        QVERIFY(!deshacer->isEnabled() && b.m.Cambios);
        b.v.Nuevo_Click(); // No to saving: a new message, a new history
        QVERIFY(!deshacer->isEnabled() && !b.v.findChild<QAction*>("Rehacer")->isEnabled());
    }

    // A click that changes nothing is no step; a ÿ typed goes in as y, and the status line
    // says so.
    void sinPaso() {
        Banco b;
        conPaginas(b, 1);
        b.f.optLeft->click();
        elegir(b.f.cboEfe, 1);
        QCOMPARE(b.f.historia()->count(), 0);
        teclear(b.f.txtMensaje, "\u00FF");
        QCOMPARE(b.panel(3), QString("PGM: \u00FF se escribe como y"));
        QCOMPARE(b.f.historia()->count(), 1);
    }

    // The page box's own menu undoes and redoes the message's steps, not a history of its own.
    void menuDeLaCaja() {
        Banco b;
        b.v.show();
        conPaginas(b, 1);
        teclear(b.f.txtMensaje, "x");
        QStringList vistos;
        QApplication::clipboard()->setText("@y");
        for (const char* accion : {"Deshacer", "Rehacer", "Pegar"}) {
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5),
                                b.f.txtMensaje->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(b.f.txtMensaje, &e);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            const auto activa = [menu](const char* nombre) {
                return menu->findChild<QAction*>(nombre)->isEnabled() ? "+" : "-";
            };
            vistos << QString(activa("Deshacer")) + activa("Rehacer");
            menu->findChild<QAction*>(accion)->trigger();
            menu->close();
            vistos << b.f.txtMensaje->text();
        }
        QCOMPARE(vistos.join(' '), "+- P1 -+ P1x +- P1xy"); // the filter keeps "@" out
    }

    // Every way of changing a page marks the message changed, the keyboard's too.
    void cambios() {
        // clang-format off
        const std::pair<const char*, std::function<void(FraMensaje&)>> acciones[] = {
            {"salida", [](FraMensaje& f) { QTest::keyClick(f.cboEfeOut, Qt::Key_Down); }},
            {"pausa", [](FraMensaje& f) { QTest::keyClick(f.cboPausa, Qt::Key_Up); }},
            {"efecto", [](FraMensaje& f) { elegir(f.cboEfe, 3); }},
            {"centrado", [](FraMensaje& f) { f.optCenter->click(); }},
            {"tecla", [](FraMensaje& f) { teclear(f.txtMensaje, "x"); }},
            {"especial", [](FraMensaje& f) { f.cmdIngEsp->click(); }},
            {"izquierda", [](FraMensaje& f) { f.optLeft->click(); }},
            {"primera pagina", [](FraMensaje& f) { f.cmdPagFirst->click(); }},
        };
        // clang-format on
        for (int i = 0; i < 8; ++i) {
            Banco b;
            conPaginas(b, 1);
            acciones[i].second(b.f);
            QVERIFY2(b.m.Cambios, acciones[i].first);
            QCOMPARE(b.m.AlinPag[1], i == 3 ? 2 : 0); // Centrado is stored at once
            b.f.TomoActual();                         // the first six change the page itself
            QCOMPARE(b.m.pagina(1) != Pagina({"P1", 1, 5, 0, 3}), i < 6);
        }
    }

    // Moving between pages takes the shown page first; insert and delete ask, and keep to
    // 1 and 99 pages.
    void paginas_data() { Filas(Ordenes); }
    void paginas() {
        QFETCH(Orden, caso);
        Banco b;
        conPaginas(b, caso.total, caso.desde);
        b.p.respuestas = {caso.si};
        b.f.txtMensaje->setText("E");
        // clang-format off
        const QMap<QString, QToolButton*> botones{{"primera", b.f.cmdPagFirst}, {"ultima", b.f.cmdPagLast}, {"anterior", b.f.cmdPagUp}, {"proxima", b.f.cmdPagDwn}, {"insertar", b.f.cmdInsertar}, {"borrar", b.f.cmdBorro}, {"ir", b.f.cmdGtoPag}};
        // clang-format on
        const QString orden = caso.orden.section(':', 0, 0), arg = caso.orden.section(':', 1, 1);
        if (orden == "tecla") { // the page keys work from every control of the frame
            b.v.show();
            QVERIFY(QTest::qWaitForWindowActive(&b.v));
            QWidget* w =
                QMap<QString, QWidget*>{{"caja", b.f.txtMensaje},
                                        {"nro", b.f.txtGoto},
                                        {"lista", b.f.cboPausa}}[caso.orden.section(':', 2)];
            w->setFocus();
            const QKeyCombination k = QKeySequence(arg)[0];
            QTest::keyClick(w, k.key(), k.keyboardModifiers());
        } else {
            QTest::keyClicks(b.f.txtGoto, arg);
            if (orden == "intro")
                QTest::keyClick(b.f.txtGoto, Qt::Key_Return);
            else
                botones[orden]->click();
        }
        QStringList textos;
        for (int i = 1; i <= b.m.TotPag; ++i)
            textos << QString::fromLatin1(b.m.TextoPag[i]);
        QCOMPARE(caso.textos.toInt() ? QString::number(b.m.TotPag) : textos.join(','), caso.textos);
        QCOMPARE(int(b.p.cajas.size()), caso.preguntas);
        QCOMPARE(b.f.txtPag->text(), QString::number(caso.pagina));
        if (*caso.nota || caso.orden == "proxima")
            QCOMPARE(b.panel(3), *caso.nota ? "PGM: " + QString(caso.nota) : QString());
        if (b.m.TotPag < 99) // the slot above the last page stays empty
            QCOMPARE(b.m.TextoPag[b.m.TotPag + 1], std::string());
    }

    // Keys with any modifier, composed text and paste pass the same filter and the 1023 limit;
    // editing shortcuts keep working.
    void teclas_data() { Filas(Tecleos); }
    void teclas() {
        QFETCH(Tecleo, caso);
        Banco b;
        conPaginas(b, 1);
        b.f.txtMensaje->setText(caso.antes);
        QApplication::clipboard()->setText(caso.tecleado);
        if (caso.via == Pegado)
            QTest::keyClick(b.f.txtMensaje, Qt::Key_V, Qt::ControlModifier);
        if (caso.via == TrasCtrlA) { // with the control character X11 sends for it
            QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, "\x01");
            QApplication::sendEvent(b.f.txtMensaje, &ctrlA);
        }
        if (caso.via != Pegado)
            teclear(b.f.txtMensaje, caso.tecleado, caso.via == TrasCtrlA ? Teclas : caso.via);
        QCOMPARE(b.f.txtMensaje->text(), caso.queda);
        QCOMPARE(b.panel(3), caso.nota.isEmpty() ? QString() : "PGM: " + caso.nota);
        b.f.TomoActual();
        QCOMPARE(aQString(b.m.TextoPag[1]), caso.queda);
    }

    // Where a refused character is typed from is said the first time only: the operator has
    // read it.
    void especialUnaVez() {
        Banco b;
        conPaginas(b, 1);
        teclear(b.f.txtMensaje, "@", Teclas);
        QCOMPARE(b.panel(3), "PGM: @ se escribe desde \"Caracteres Especiales\"");
        b.v.BorrMsg();
        teclear(b.f.txtMensaje, "@", Teclas);
        QCOMPARE(b.panel(3), "");
        teclear(b.f.txtMensaje, "_", Teclas);
        QCOMPARE(b.panel(3), "PGM: _ se escribe desde \"Caracteres Especiales\"");
    }

    // The character goes in at the caret, or at the start of a selection (kept when the focus
    // goes to the list), and the caret follows it.
    void especial() {
        // clang-format off
        for (auto [caret, elegidos, indice, queda, lista] : {std::tuple{4, 0, 5, "HOLAñ", false}, {2, 0, 14, "HO{LA", false}, {1, 2, 0, "HáOLA", false}, {0, 0, 15, "|HOLA", false}, {1, 2, 1, "HéOLA", true}}) {
            // clang-format on
            Banco b;
            b.v.show();
            QVERIFY(QTest::qWaitForWindowActive(&b.v));
            conPaginas(b, 1);
            b.f.txtMensaje->setText("HOLA");
            b.f.txtMensaje->setFocus();
            b.f.txtMensaje->setSelection(caret, elegidos);
            b.f.cboEsp->setCurrentIndex(lista ? indice - 1 : indice);
            if (lista) { // the operator goes to the list and picks the next entry there
                b.f.cboEsp->setFocus();
                QTest::keyClick(b.f.cboEsp, Qt::Key_Down);
            }
            b.f.cmdIngEsp->click();
            QCOMPARE(b.f.txtMensaje->text(), QString(queda));
            QCOMPARE(b.f.txtMensaje->cursorPosition(), caret + 1);
            QCOMPARE(b.v.focusWidget(), b.f.txtMensaje);
        }
    }

    // 6 for the header, 2 for the end, each page its text and 2, and 2 more with an exit
    // effect: red at 300 or less, and never below 0.
    void memoria_data() { Filas(Memorias); }
    void memoria() {
        QFETCH(Memoria, caso);
        const QPalette claro = QApplication::palette();
        if (caso.oscuro)
            QApplication::setPalette(QPalette(QColor(53, 53, 53)));
        Banco b;
        b.abrir("m.mn2", caso.registros);
        QCOMPARE(b.f.txtBytes->text(), caso.figura);
        // Red for the warning alone; every text readable on the theme, a special page's too.
        const QPalette cifra = b.f.txtBytes->palette(), caja = b.f.txtMensaje->palette();
        const QColor texto = cifra.color(QPalette::Active, QPalette::Text);
        QCOMPARE(texto == QColor(255, 0, 0), caso.rojo);
        QVERIFY(contraste(texto, cifra.color(QPalette::Active, QPalette::Base)) >=
                (caso.rojo ? 3 : 4.5));
        QVERIFY(contraste(caja.color(QPalette::Disabled, QPalette::Text),
                          caja.color(QPalette::Disabled, QPalette::Base)) >= 4.5);
        teclear(b.f.txtMensaje, "abc"); // the figure follows the pages as last taken
        QCOMPARE(b.f.txtBytes->text(), caso.figura);
        for (QLineEdit* cifra : {b.f.txtBytes, b.f.txtPag, b.f.txtDe}) // shown, not typed in
            teclear(cifra, "9");
        QCOMPARE(b.f.txtBytes->text() + b.f.txtPag->text() + b.f.txtDe->text(),
                 caso.figura + "1" + QString::number(b.m.TotPag));
        b.f.cmdPagLast->click();
        b.v.Nuevo_Click(); // one empty page again, shown as page 1
        QCOMPARE(b.f.txtBytes->text() + b.f.txtPag->text(), QString("79921"));
        QApplication::setPalette(claro);
    }

    // Every code a text can send has dots of its own, whatever fonts the machine has.
    void letras() {
        Banco b;
        b.abrir("m.mn2", "1,0,0,\"\",0\r\n");
        QSet<QString> vistas;
        QString codigos;
        for (int c = 0x20; c < 0x100; ++c)
            if (const QChar k{char16_t(CodigoCartel(std::uint8_t(c)))}; !codigos.contains(k))
                codigos += k;
        for (const QChar codigo : codigos) {
            int c = 0x20; // the first character the filter sends as this code, DEL aside
            while (CodigoCartel(std::uint8_t(c)) != codigo.unicode() || c == 0x7F)
                ++c;
            b.f.txtMensaje->setText(QString(QChar(c)));
            const VistaCartel::Puntos cuadro = b.f.vista->Cuadro(0);
            QString puntos;
            for (int x = 0; x < 6; ++x)
                puntos += QString::fromStdString(cuadro[x].to_string());
            QVERIFY2(!vistas.contains(puntos), qPrintable(QString(QChar(c)) + " como otra"));
            vistas << puntos;
        }
        QCOMPARE(vistas.size(), 108); // 0x10-0x1B, 0x1E, 0x1F, 0x20-0x7F but for 0x40 and 0x5F
    }

    // Pages the stream leaves out or cannot take, and the pause Ver Mensaje holds each page for:
    // Cn for the code the stream carries, one second a step.
    void loQueSeEnvia() {
        Banco b;
        b.abrir("m.mn2", "12,0,0,\"\",0\r\n1,0,0,\"x\",0\r\n3,0,7,\"corta\",0\r\n");
        QVERIFY(b.f.vista->Cuadro(0) == VistaCartel::Puntos(VistaCartel::Columnas)); // no clock
        QCOMPARE(b.f.lblVista->text(), "El mensaje no se puede enviar como esta: la pagina 3 "
                                       "tiene una alineacion desconocida. Esta pagina no se "
                                       "envia: no tiene texto");
        // clang-format off
        for (auto [pagina, pausa] : {std::pair{"1,0,0,\"x\",0", "C1 (1 s)"}, {"3,0,0,\"x\",0", "C1 (1 s)"}, {"3,9,0,\"x\",0", "C9 (9 s)"}, {"0,5,0,\"x\",0", ""}}) {
            // clang-format on
            b.abrir("p.mn2", "12,0,0,\"\",0\r\n" + QByteArray(pagina));
            b.f.cmdVerMensaje->click();
            QCOMPARE(b.f.lblVista->text(),
                     "Pagina 2: " + (*pausa ? "pausa " + QString(pausa) : QString("sin pausa")));
            QCOMPARE(b.f.vista->Permanencia() - std::max<qint64>(b.f.vista->Duracion(), 1500),
                     *pausa ? QString(pausa).mid(1, 1).toInt() * 1000 : 0);
        }
    }

    // The preview follows the page as typed, effect included, and reports the cost and what
    // the sign would change; the message, Cambios and the memory figure are left alone.
    // The line under the panel: letters that lose their accent in one sentence; however many
    // findings, one line that leaves the controls above as they were, the whole in its tooltip.
    void lineaBajoElPanel_data() { Filas(Lineas); }
    void lineaBajoElPanel() {
        QFETCH(Linea, caso);
        Banco b;
        b.v.show();
        conPaginas(b, 1);
        b.f.txtMensaje->clear();
        b.v.resize(b.v.minimumSizeHint());
        QCoreApplication::processEvents();
        const int alto = b.f.txtMensaje->height(), altoLinea = b.f.lblVista->height(),
                  ancho = b.v.minimumSizeHint().width();
        teclear(b.f.txtMensaje, caso.tecleado);
        QCOMPARE(b.f.lblVista->text(), caso.dice);
        // Many findings later, nothing above has moved.
        QString largo;
        for (char16_t c = 0xA4; c < 0xA4 + 40; ++c)
            if (c != 0xA6 && c != 0xAB && c != 0xBB && c != 0xA1 && c != 0xBF)
                largo += QChar(c);
        teclear(b.f.txtMensaje, largo);
        QCoreApplication::processEvents();
        QVERIFY(b.f.lblVista->text().size() > 200); // the sixteen columns the page shows
        QCOMPARE(b.f.txtMensaje->height(), alto);
        QCOMPARE(b.f.lblVista->height(), altoLinea);
        QCOMPARE(b.v.minimumSizeHint().width(), ancho); // nor does the window widen
        QVERIFY(b.f.lblVista->Cortada());
        const QString visible = b.f.lblVista->Visible();
        QVERIFY2(visible.startsWith("Esta pagina ocupa") && visible.endsWith(QChar(0x2026)),
                 qPrintable(visible));
    }

    // The panel's dots grow with the window's width, whole pixels, up to a limit; the sign's
    // sixteen columns always fill it.
    // The list of pages through the mouse and the keys: each change one step, the message
    // compared whole after it, and the list showing it.
    void listaDePaginas_data() { Filas(Listas); }
    void listaDePaginas() {
        QFETCH(Lista, caso);
        Banco b;
        b.v.findChild<QAction*>("VerLista")->setChecked(true);
        b.v.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.v));
        conPaginas(b, caso.total, 3);
        b.f.EmpezarHistoria();
        ListaPaginas* l = b.f.lstPaginas;
        QCOMPARE(l->count(), caso.total);
        b.f.txtMensaje->setFocus();
        for (const QString& paso : caso.orden.split(' ')) {
            const QString que = paso.section(':', 0, 0);
            const int fila = paso.section(':', 1).toInt() - 1;
            if (que == "clic") {
                QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                                  l->visualItemRect(l->item(fila)).center());
            } else if (que == "boton") {
                b.f.findChild<QToolButton*>(paso.section(':', 1))->click();
            } else {
                QTest::keySequence(QApplication::focusWidget(), QKeySequence(paso));
            }
        }
        QStringList textos;
        for (int i = 1; i <= b.m.TotPag; ++i)
            textos << QString::fromLatin1(b.m.TextoPag[i]);
        QCOMPARE((b.m.TotPag > 10 ? QString::number(b.m.TotPag) : textos.join(',')) + '|' +
                     QString::number(b.m.PagAct),
                 caso.queda);
        QCOMPARE(b.f.historia()->count(), caso.pasos);
        QCOMPARE(b.p.cajas, caso.total == 99
                                ? QStringList{"Duplicar|El mensaje ya tiene 99 paginas, las "
                                              "que caben: la pagina 3 no se puede duplicar"}
                                : QStringList()); // the refused duplicate says why
        if (b.m.TotPag < 99)                      // the slot above the last page stays empty
            QCOMPARE(b.m.TextoPag[b.m.TotPag + 1], std::string());
        QCOMPARE(l->count(), b.m.TotPag); // the list follows
        QCOMPARE(l->currentRow(), b.m.PagAct - 1);
        QVERIFY(l->item(b.m.PagAct - 1)
                    ->text()
                    .endsWith(QString::fromLatin1(b.m.TextoPag[b.m.PagAct])));
    }

    // A row dragged from one place and dropped on, above or below another, or past the rows.
    void soltarFila_data() { Filas(Caidas); }
    void soltarFila() {
        QFETCH(Caida, caso);
        QCOMPARE(ListaPaginas::Destino(caso.desde, caso.fila, caso.donde, 5), caso.hasta);
    }

    // Each row as the operator reads it: the number to the right, the entry effect, the start
    // of the text; a page that is not sent greyed. The rows follow when many pages go at once.
    void filasDeLaLista() {
        Banco b;
        conPaginas(b, 3);
        b.m.cargarPaginas({{"OFERTA", 0, 0, 0, 0},
                           {"", 3, 0, 0, 0},
                           {"  PAN   CALIENTE  ", 1, 0, 0, 0},
                           {std::string(30, 'x') + "y", 12, 0, 0, 0}});
        b.f.RefMensaje();
        ListaPaginas* l = b.f.lstPaginas;
        QStringList filas;
        for (int i = 0; i < l->count(); ++i)
            filas << l->item(i)->text();
        QCOMPARE(filas, (QStringList{" 1  Rotacion  OFERTA", " 2  LLuvia   [16]  ",
                                     " 3  Estatico  PAN CALIENTE",
                                     " 4  Hora  " + QString(21, 'x') + "..."}));
        const QColor gris = l->palette().placeholderText().color(),
                     texto = l->palette().text().color();
        QCOMPARE(l->item(1)->foreground().color(), gris);
        QCOMPARE(l->item(0)->foreground().color(), texto);
        b.v.Nuevo_Click(); // four rows to one
        QCOMPARE(l->count(), 1);
        QCOMPARE(l->item(0)->text(), " 1  Rotacion  ");
    }

    void panelCrece_data() { Filas(Panels); }
    void panelCrece() {
        QFETCH(Panel, caso);
        Banco b;
        conPaginas(b, 1);
        b.v.findChild<QAction*>("VerLista")->setChecked(caso.lista);
        b.v.show();
        b.v.resize(std::max(caso.ancho, b.v.minimumSizeHint().width()), 1000);
        QCoreApplication::processEvents();
        VistaCartel* v = b.f.vista;
        QCOMPARE(VistaCartel::Paso(v->width()), caso.paso);
        QCOMPARE(v->height(), VistaCartel::Filas * caso.paso + 8);
        QVERIFY(v->width() >= VistaCartel::Columnas * caso.paso);
    }

    void vista() {
        Banco b;
        b.abrir("m.mn2", "1,0,0,\"AB\",0\r\n");
        const auto encendidos = [&b](qint64 ms) {
            int n = 0;
            for (const auto& columna : b.f.vista->Cuadro(ms))
                n += int(columna.count());
            return n;
        };
        const int ab = encendidos(0);
        const QString figura = b.f.txtBytes->text();
        QVERIFY(ab > 0);
        QCOMPARE(b.f.lblVista->text(), QString("Esta pagina ocupa 18 bytes"));
        teclear(b.f.txtMensaje, "\u00C1rbol de Navidad 2026", Composicion);
        QVERIFY(encendidos(0) > ab);
        QCOMPARE(b.f.lblVista->text(),
                 QString("Esta pagina ocupa 18 bytes. El cartel muestra 16 de "
                         "23 caracteres. \u00C1 se envia como A"));
        b.m.Cambios = false;
        elegir(b.f.cboEfe, 3); // LLuvia falls in
        QVERIFY(encendidos(0) < encendidos(900));
        elegir(b.f.cboEfe, 14);                               // Parpadeo
        QVERIFY(encendidos(300) > 0 && encendidos(700) == 0); // scrolling in, then dark
        b.f.cmdVerMensaje->click();
        QVERIFY(b.f.vista->Reproduciendo());
        QCOMPARE(b.m.pagina(1), Pagina({"AB", 1, 0, 0, 0}));
        QCOMPARE(b.f.txtBytes->text(), figura);
        QVERIFY(b.m.Cambios);         // the effect's change, not the preview's
        teclear(b.f.txtMensaje, "x"); // typing ends it
        QVERIFY(!b.f.vista->Reproduciendo());
        b.f.cmdVerMensaje->click();
        b.v.cerrar_Click();
        QVERIFY(!b.f.vista->Reproduciendo());
        QCOMPARE(encendidos(300), 0);
        QWidget* ultimo = nullptr; // its button comes after every control of the window
        for (QWidget* w = b.v.nextInFocusChain(); w != &b.v; w = w->nextInFocusChain())
            ultimo = w->focusPolicy() & Qt::TabFocus ? w : ultimo;
        QCOMPARE(ultimo, b.f.cmdVerMensaje);
        // A page wider than the panel scrolls in from the right edge, a dot column every
        // 30 ms, and moves only while the panel is in sight. Velocidad 0 is sent, and shown,
        // as 1.
        b.abrir("w.mn2", "0,0,0,\"" + QByteArray(20, 'W') + "\",0\r\n");
        b.v.show();
        QTimer* cuadros = b.f.vista->findChild<QTimer*>();
        QVERIFY(cuadros->isActive());
        b.v.hide();
        QVERIFY(!cuadros->isActive());
        // Three columns on, the sixteenth W has come in where the first went out.
        const VistaCartel::Puntos lleno = b.f.vista->Cuadro(96 * 30),
                                  luego = b.f.vista->Cuadro(99 * 30);
        for (int x = 0; x < VistaCartel::Columnas; ++x)
            QCOMPARE(luego[x], lleno[(x + 3) % VistaCartel::Columnas]);
        b.abrir("v.mn2", "16,0,0,\"Velocidad Rot. \",0\r\n");
        const VistaCartel::Puntos cero = b.f.vista->Cuadro(0);
        QTest::keyClick(b.f.cboPausa, Qt::Key_Down);
        QVERIFY(b.f.vista->Cuadro(0) == cero);
        // The whole message's findings count the page as typed, not as last taken.
        b.abrir("q.mn2", "0,0,0,\"x\",0\r\n0,0,0,\"" + QByteArray(7690, 'a') + "\",0\r\n");
        teclear(b.f.txtMensaje, "yz");
        QVERIFY(b.f.lblVista->text().endsWith(". Quedan solo 299 bytes de memoria en el cartel"));
    }
};

QTEST_MAIN(TstEditor)
#include "tst_editor.moc"
