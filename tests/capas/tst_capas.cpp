// Which layer may use which: every source under src/ includes only its own layer or a lower
// one (cli and ui over link over core), the core includes no Qt, and link no widgets. The
// rules are first tried on made-up files, so that a check which could never fail is seen.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace {

// The layer a path under src/ belongs to, by its first folder; -1 for none.
int Capa(const QString& ruta) {
    static const QStringList capas{"core", "link", "ui", "cli"};
    return int(capas.indexOf(ruta.section('/', 0, 0)));
}

// Below: core under link, link under ui and cli; ui and cli side by side, neither using the
// other.
bool PuedeUsar(int capa, int otra) {
    const int altura[] = {0, 1, 2, 2};
    return otra == capa || altura[otra] < altura[capa];
}

// The file's faults, "ruta:linea: what" each. ruta is relative to src/; cabecerasGui are the
// names of Qt's widget and GUI headers, which link must not include.
QStringList Revisar(const QString& ruta, const QByteArray& texto,
                    const QSet<QString>& cabecerasGui) {
    static const QRegularExpression incluye(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    QStringList faltas;
    const int capa = Capa(ruta);
    if (capa < 0 || !ruta.contains('/'))
        return {ruta + ":0: fuera de las carpetas de las capas (core, link, ui, cli)"};
    const QList<QByteArray> lineas = texto.split('\n');
    for (int n = 0; n < lineas.size(); ++n) {
        const auto m = incluye.match(QString::fromUtf8(lineas[n]));
        if (!m.hasMatch())
            continue;
        const QString donde = ruta + ':' + QString::number(n + 1) + ": ";
        const QString cabecera = m.captured(2);
        if (m.captured(1) == "\"") {
            const int otra = Capa(cabecera);
            if (otra < 0 && cabecera.contains('/'))
                faltas << donde + "\"" + cabecera + "\" no dice su capa";
            else if (otra >= 0 && !PuedeUsar(capa, otra))
                faltas << donde + "\"" + cabecera + "\" es de una capa que no puede usar";
        } else if (capa == 0 && (cabecera.startsWith('Q') || cabecera.startsWith("qt"))) {
            faltas << donde + "el nucleo no usa Qt: <" + cabecera + ">";
        } else if (capa == 1 &&
                   (cabecerasGui.contains(cabecera) || cabecera.startsWith("QtWidgets/") ||
                    cabecera.startsWith("QtGui/"))) {
            faltas << donde + "link no usa ventanas: <" + cabecera + ">";
        }
    }
    return faltas;
}

QSet<QString> CabecerasGui() {
    QSet<QString> nombres;
    for (const QString& carpeta : QStringLiteral(BRELO_QT_GUI).split('|'))
        for (const QString& nombre : QDir(carpeta).entryList(QDir::Files))
            nombres << nombre;
    return nombres;
}

} // namespace

class TstCapas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reglas_data() {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<QString>("falta");
        // clang-format off
        const char* casos[][4] = {
            {"hacia abajo", "ui/editor/a.cpp", "#include \"link/puerto.h\"\n#include \"core/model/mensaje.h\"", ""},
            {"en su carpeta", "core/model/a.cpp", "#include \"mensaje.h\"", ""},
            {"hacia arriba", "link/a.cpp", "// x\n#include \"ui/editor/FraMensaje.h\"", "link/a.cpp:2: \"ui/editor/FraMensaje.h\" es de una capa que no puede usar"},
            {"el nucleo hacia link", "core/protocol/a.h", "#include \"link/puerto.h\"", "core/protocol/a.h:1: \"link/puerto.h\" es de una capa que no puede usar"},
            {"de cli a ui", "cli/a.cpp", "  #  include \"ui/window/FrmMain.h\"", "cli/a.cpp:1: \"ui/window/FrmMain.h\" es de una capa que no puede usar"},
            {"de ui a cli", "ui/a.cpp", "#include \"cli/envio.h\"", "ui/a.cpp:1: \"cli/envio.h\" es de una capa que no puede usar"},
            {"sin capa", "ui/a.cpp", "#include \"model/mensaje.h\"", "ui/a.cpp:1: \"model/mensaje.h\" no dice su capa"},
            {"Qt en el nucleo", "core/a.cpp", "#include <string>\n#include <QString>", "core/a.cpp:2: el nucleo no usa Qt: <QString>"},
            {"ventanas en link", "link/a.cpp", "#include <QString>\n#include <QWidget>", "link/a.cpp:2: link no usa ventanas: <QWidget>"},
            {"la GUI en link", "link/windows/a.cpp", "#include <QDesktopServices>", "link/windows/a.cpp:1: link no usa ventanas: <QDesktopServices>"},
            {"ventanas en ui", "ui/a.cpp", "#include <QWidget>", ""},
            {"fuera de las capas", "shell/a.cpp", "", "shell/a.cpp:0: fuera de las carpetas de las capas (core, link, ui, cli)"},
        };
        // clang-format on
        for (const auto& c : casos)
            QTest::newRow(c[0]) << c[1] << QByteArray(c[2]) << c[3];
    }
    void reglas() {
        QFETCH(QString, ruta);
        QFETCH(QByteArray, texto);
        QFETCH(QString, falta);
        QCOMPARE(Revisar(ruta, texto, CabecerasGui()).join('\n'), falta);
    }

    void fuentes() {
        const QDir src(QStringLiteral(BRELO_SRC));
        const QSet<QString> gui = CabecerasGui();
        QVERIFY(gui.contains("QWidget") && gui.contains("QDesktopServices"));
        QStringList faltas;
        int vistos = 0;
        for (QDirIterator it(src.path(), {"*.h", "*.cpp", "*.h.in"}, QDir::Files,
                             QDirIterator::Subdirectories);
             it.hasNext(); ++vistos) {
            QFile f(it.next());
            QVERIFY(f.open(QIODevice::ReadOnly));
            faltas << Revisar(src.relativeFilePath(f.fileName()), f.readAll(), gui);
        }
        QVERIFY2(vistos > 100, "no se leyeron las fuentes");
        QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TstCapas)
#include "tst_capas.moc"
