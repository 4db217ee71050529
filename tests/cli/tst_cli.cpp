// brelo-cli run as a process: its output, the files it leaves, its exit status, and the sign
// at the far end of a socat pair.

#include "support/banco.h"
#include "support/socat.h"

#include <QProcess>

#include <csignal>

using namespace brelo;
using B = QByteArray;

namespace {
// clang-format off
// Each order run where "m.mn2" holds archivo (unless null), "v.mnm" a version 1 page, "t.txt"
// a line, and "Salida.txt" the text "anterior". errores: how standard error starts; deja:
// "file=bytes" afterwards.
struct Orden { const char* nombre; QStringList args; QByteArray archivo; int estado; QByteArray salida, errores; QString deja; };
const Orden Ordenes[] = {
    {"trama", {"trama", "m.mn2"}, ArchivoEjemplo, 0, TramaEjemplo, "", "Salida.txt=anterior"},
    {"trama v1", {"trama", "v.mnm"}, B(), 0, Hex("572D4E5439DF 92 50524F4D4F 20*11 C1 0101"), "", ""},
    {"salida", {"salida", "m.mn2"}, ArchivoEjemplo, 0, "", "", QString::fromLatin1("Salida.txt=\"" + TramaEjemplo + "\"\r\n")},
    {"info", {"info", "m.mn2"}, "0,0,2,\"A\xF1o\",3\r\n", 0, "Pagina\tEfecto\tPausa\tAlineacion\tSalida\tTexto\n1\tRotacion\t0\t2\tVert Sale Arriba \tA\xC3\xB1o\nMemoria Restante: 7985\n", "", ""},
    {"importar", {"importar", "t.txt", "i.mn2"}, B(), 0, "", "", "i.mn2=0,0,0,\"      HOLA      \",0\r\n"},
    {"archivo danado", {"trama", "m.mn2"}, "300,0,0,\"x\",0", 1, "", "Error en Archivo de Mensaje", ""},
    {"no existe", {"info", "no.mn2"}, B(), 1, "", "Error en Archivo de Mensaje", ""},
    {"sin texto", {"trama", "m.mn2"}, "", 1, "", "Error #21, No Hay mensaje cargado", ""},
    {"alineacion imposible", {"salida", "m.mn2"}, "4,0,7,\"x\",0\r\n", 1, "", "Error #22, No se envio el Mensaje", "Salida.txt=anterior"},
    {"texto sin lineas", {"importar", "m.mn2", "d.mn2"}, "\r\n", 1, "", "NO se pudo leer Archivo", "d.mn2=<no existe>"},
    {"destino imposible", {"importar", "t.txt", "no/hay/d.mn2"}, B(), 1, "", "NO se Grabo Archivo Mensajes", ""},
    {"orden desconocida", {"enviarlo"}, B(), 2, "", "Uso:", ""},
};
// clang-format on
} // namespace

Q_DECLARE_METATYPE(Orden)

class TstCli : public QObject {
    Q_OBJECT

    Carpeta c;
    void arrancar(QProcess& p, const QStringList& args) {
        p.setWorkingDirectory(c.dir.path());
        p.start(BRELO_CLI, args);
        QVERIFY(p.waitForStarted());
    }

private Q_SLOTS:
    void ordenes_data() { Filas(Ordenes); }
    void ordenes() {
        QFETCH(Orden, caso);
        QFile::remove(c.ruta("m.mn2"));
        if (!caso.archivo.isNull())
            c.escribir("m.mn2", caso.archivo);
        // clang-format off
        for (auto [nombre, datos] : {std::pair{"v.mnm", "3,1,0,\"PROMO\"\r\n"}, {"t.txt", "HOLA\r\n"}, {"Salida.txt", "anterior"}})
            c.escribir(nombre, datos);
        // clang-format on
        QProcess p;
        arrancar(p, caso.args);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), caso.estado);
        QCOMPARE(p.readAllStandardOutput(), caso.salida);
        const QByteArray dicho = p.readAllStandardError();
        QVERIFY2(dicho.startsWith(caso.errores), dicho.constData());
        if (!caso.deja.isEmpty())
            QCOMPARE(c.leer(caso.deja.section('=', 0, 0)), caso.deja.section('=', 1).toLatin1());
    }

    // Sent to a real line; Ctrl-C stops it and the sign gets the terminator; the clock.
    void enviar() {
        // clang-format off
        for (auto [args, ctrlC, estado] : {std::tuple{QStringList{"enviar", "m.mn2", "--dy1=5", "--dy2", "1"}, false, 0}, {{"enviar", "m.mn2", "--dy1", "5", "--dy2", "200"}, true, 130}, {{"hora", "--dy1", "10", "--dy2", "02"}, false, 0}}) {
            // clang-format on
            c.escribir("m.mn2", ArchivoEjemplo);
            ParSocat par;
            QVERIFY(par.listo());
            QProcess p;
            arrancar(p, args << "--puerto" << par.programa());
            if (ctrlC) {
                QVERIFY(par.Leer(7).size() >= 7);
                ::kill(pid_t(p.processId()), SIGINT);
            }
            QVERIFY(p.waitForFinished(30000));
            QCOMPARE(p.exitCode(), estado);
            const QByteArray recibido = par.Leer(args[0] == "hora" ? 14 : TramaEjemplo.size());
            if (args[0] == "hora")
                QCOMPARE(recibido.left(6) + recibido.right(2), Hex("572D4E5439B0 0101"));
            else
                QCOMPARE(recibido, TramaEjemplo.left(recibido.size() - 2) +
                                       (ctrlC ? "\x01\x01" : TramaEjemplo.right(2)));
            QVERIFY(p.readAllStandardError().contains(ctrlC ? "Mensaje Cancelado..."
                                                            : "Mensaje enviado OK!"));
        }
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
