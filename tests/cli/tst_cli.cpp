// brelo-cli run as a process: its output, the files it leaves, its exit status, and the sign
// at the far end of a pseudo-terminal pair.

#include "cli/cartel.h"
#include "cli/envio.h"
#include "core/textos.h"
#include "link/parada.h"
#include "link/reloj.h"
#include "support/adaptador.h"
#include "support/banco.h"
#include "support/pty.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace brelo;
using B = QByteArray;

namespace {
// clang-format off
// Each order run where "m.mn2" holds archivo (unless null), "v.mnm" a version 1 page, "t.txt"
// a line, "fifo.mn2" is a FIFO, "grande.mn2" 16 MiB and a byte, and "Salida.txt" holds the
// text "anterior"; the stored settings hold a pause of 3000000000 ms. A last argument
// ">/dev/full" sends standard output there; a first "@ro" or "@lleno" mounts on "disco" a
// read-only disk or a full one of 4 KiB, in a namespace of the test's own. errores: what
// standard error says; deja: "file=bytes" afterwards.
struct Orden { const char* nombre; QStringList args; QByteArray archivo; int estado; QByteArray salida, errores; QString deja; };
const Orden Ordenes[] = {
    {"trama", {"trama", "m.mn2"}, ArchivoEjemplo, 0, TramaEjemplo, "", "Salida.txt=anterior"},
    {"trama v1", {"trama", "v.mnm"}, B(), 0, Hex("572D4E5439DF 92 50524F4D4F 20*11 C1 0101"), "", ""},
    {"salida", {"salida", "m.mn2"}, ArchivoEjemplo, 0, "", "", QString::fromLatin1("Salida.txt=\"" + TramaEjemplo + "\"\r\n")},
    {"trama a un disco lleno", {"trama", "m.mn2", ">/dev/full"}, ArchivoEjemplo, 1, "", "", ""},
    {"info", {"info", "m.mn2"}, "0,0,2,\"A\xF1o\",3\r\n", 0, "Pagina\tEfecto\tPausa\tAlineacion\tSalida\tTexto\n1\tRotacion\t0\t2\tVert Sale Arriba \tA\xC3\xB1o\nMemoria Restante: 7985\n", "", ""},
    {"importar", {"importar", "t.txt", "i.mn2"}, B(), 0, "", "", "i.mn2=0,0,0,\"      HOLA      \",0\r\n"},
    {"info sin paginas", {"info", "m.mn2"}, "", 0, "Pagina\tEfecto\tPausa\tAlineacion\tSalida\tTexto\nMemoria Restante: 7992\n", "", ""},
    {"importar con un reemplazo", {"importar", "m.mn2", "r.mn2"}, "\xC5\x91\r\n", 0, "", "Mensaje importado OK! (1 caracter reemplazado)\n", "r.mn2=0,0,0,\"       o        \",0\r\n"},
    {"disco de solo lectura", {"@ro", "importar", "t.txt", "disco/d.mn2"}, B(), 1, "", "NO se Grabo Archivo Mensajes: disco/d.mn2: el disco es de solo lectura\n", ""},
    {"disco lleno", {"@lleno", "importar", "m.mn2", "disco/d.mn2"}, B(100, 'x').append("\r\n").repeated(80), 1, "", "NO se Grabo Archivo Mensajes: disco/d.mn2: el disco esta lleno\n", ""},
    {"importar sin extension", {"importar", "t.txt", "sin"}, B(), 0, "", "", "sin.mn2=0,0,0,\"      HOLA      \",0\r\n"},
    {"archivo danado", {"trama", "m.mn2"}, "300,0,0,\"x\",0", 1, "", "Error en Archivo de Mensaje", ""},
    {"no existe", {"info", "no.mn2"}, B(), 1, "", "Error en Archivo de Mensaje: no.mn2: no existe\n", ""},
    {"un FIFO", {"trama", "fifo.mn2"}, B(), 1, "", "fifo.mn2: no es un archivo comun\n", ""},
    {"un dispositivo", {"info", "/dev/zero"}, B(), 1, "", "/dev/zero: no es un archivo comun\n", ""},
    {"demasiado grande", {"trama", "grande.mn2"}, B(), 1, "", "grande.mn2: es demasiado grande", ""},
    {"campo entre comillas", {"trama", "m.mn2"}, "\"B\",0,0,\"a\",0", 1, "", "registro 1: valor numerico no valido \"B\"\n", ""},
    {"byte de control", {"trama", "m.mn2"}, "\x01\xF1\x7F,0,0,\"a\",0", 1, "", "valor numerico no valido \"\\x01\xC3\xB1\\x7f\"\n", ""},
    {"destino con otro punto", {"importar", "t.txt", "x.MNM"}, B(), 0, "", "", "x.MNM.mn2=0,0,0,\"      HOLA      \",0\r\n"},
    {"destino que es el origen", {"importar", "t.txt", "enlace.Mn2"}, B(), 2, "", "NO se Grabo Archivo Mensajes: enlace.Mn2: es el mismo archivo que t.txt\n", "t.txt=HOLA\r\n"},
    {"sin texto", {"trama", "m.mn2"}, "", 1, "", "Error #21, No Hay mensaje cargado", ""},
    {"alineacion imposible", {"salida", "m.mn2"}, "4,0,7,\"x\",0\r\n", 1, "", "Error #22, No se envio el Mensaje", "Salida.txt=anterior"},
    {"texto sin lineas", {"importar", "m.mn2", "d.mn2"}, "\r\n", 1, "", "NO se pudo leer Archivo", "d.mn2=<no existe>"},
    {"destino imposible", {"importar", "t.txt", "no/hay/d.mn2"}, B(), 1, "", "NO se Grabo Archivo Mensajes: no/hay/d.mn2: no existe la carpeta", ""},
    {"agenda bien", {"agenda", "agenda.txt", "--revisar"}, ArchivoEjemplo, 0, "Semana:\nlun 00:00-24:00 m.mn2\nmar 00:00-24:00 m.mn2\nmie 00:00-24:00 m.mn2\njue 00:00-24:00 m.mn2\nvie 00:00-24:00 m.mn2\nsab 00:00-24:00 m.mn2\n    04:00       pone en hora el reloj\ndom 00:00-24:00 m.mn2\n    04:00       pone en hora el reloj\n", "", ""},
    {"agenda con hallazgos", {"agenda", "agenda.txt", "--revisar"}, "5,1,0,\"\xC1rbol de Navidad 2026\",0\r\n", 1, "Linea 1: Pagina 1: El cartel muestra 16 de 21 caracteres\nLinea 1: Pagina 1: \xC3\x81 se envia como A\nSemana:\nlun 00:00-24:00 m.mn2\nmar 00:00-24:00 m.mn2\nmie 00:00-24:00 m.mn2\njue 00:00-24:00 m.mn2\nvie 00:00-24:00 m.mn2\nsab 00:00-24:00 m.mn2\n    04:00       pone en hora el reloj\ndom 00:00-24:00 m.mn2\n    04:00       pone en hora el reloj\n", "", ""},
    {"agenda sin su mensaje", {"agenda", "agenda.txt", "--revisar"}, B(), 1, "Linea 1: Error en Archivo de Mensaje: m.mn2: no existe\nSemana:\nlun 00:00-24:00 m.mn2\nmar 00:00-24:00 m.mn2\nmie 00:00-24:00 m.mn2\njue 00:00-24:00 m.mn2\nvie 00:00-24:00 m.mn2\nsab 00:00-24:00 m.mn2\n    04:00       pone en hora el reloj\ndom 00:00-24:00 m.mn2\n    04:00       pone en hora el reloj\n", "", ""},
    {"agenda con puertos mal", {"agenda", "puertos.txt", "--revisar"}, B(), 1, "Linea 2: puerto tcp://equipo: direccion no valida (se espera tcp://EQUIPO:PUERTO)\nLinea 3: puerto 0: numero de puerto no valido: 0\nLinea 5: el mismo cartel esta dos veces\nLinea 5: a la misma hora que la linea 1 en /dev/null (lun 04:00): vale esta\nCartel en /dev/nada: no existe /dev/nada\nSemana en /dev/null:\nlun 00:00-24:00 (ningun mensaje de la agenda)\n    04:00       pone en hora el reloj\n    05:00       pone en hora el reloj\n    04:00       pone en hora el reloj\nmar 00:00-24:00 (ningun mensaje de la agenda)\nmie 00:00-24:00 (ningun mensaje de la agenda)\njue 00:00-24:00 (ningun mensaje de la agenda)\nvie 00:00-24:00 (ningun mensaje de la agenda)\nsab 00:00-24:00 (ningun mensaje de la agenda)\ndom 00:00-24:00 (ningun mensaje de la agenda)\nSemana en tcp://equipo:\nlun 00:00-24:00 (ningun mensaje de la agenda)\n    04:00       pone en hora el reloj\nmar 00:00-24:00 (ningun mensaje de la agenda)\nmie 00:00-24:00 (ningun mensaje de la agenda)\njue 00:00-24:00 (ningun mensaje de la agenda)\nvie 00:00-24:00 (ningun mensaje de la agenda)\nsab 00:00-24:00 (ningun mensaje de la agenda)\ndom 00:00-24:00 (ningun mensaje de la agenda)\nSemana en 0:\nlun 00:00-24:00 (ningun mensaje de la agenda)\n    05:00       pone en hora el reloj\nmar 00:00-24:00 (ningun mensaje de la agenda)\nmie 00:00-24:00 (ningun mensaje de la agenda)\njue 00:00-24:00 (ningun mensaje de la agenda)\nvie 00:00-24:00 (ningun mensaje de la agenda)\nsab 00:00-24:00 (ningun mensaje de la agenda)\ndom 00:00-24:00 (ningun mensaje de la agenda)\nSemana en /dev/nada:\nlun 00:00-24:00 (ningun mensaje de la agenda)\n    05:00       pone en hora el reloj\nmar 00:00-24:00 (ningun mensaje de la agenda)\nmie 00:00-24:00 (ningun mensaje de la agenda)\njue 00:00-24:00 (ningun mensaje de la agenda)\nvie 00:00-24:00 (ningun mensaje de la agenda)\nsab 00:00-24:00 (ningun mensaje de la agenda)\ndom 00:00-24:00 (ningun mensaje de la agenda)\n", "", ""},
    {"agenda mal escrita", {"agenda", "mala.txt", "--revisar"}, ArchivoEjemplo, 2, "", "mala.txt:2: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"25:00\"\nmala.txt:3: falta que enviar tras la hora: un mensaje .mn2 o .mnm, o hora\n", ""},
    {"agenda sin archivo", {"agenda", "no.txt", "--revisar"}, B(), 2, "", "no.txt: no existe\n", ""},
    {"revisar sin hallazgos", {"revisar", "m.mn2"}, ArchivoEjemplo, 0, "Pagina 1: ocupa 20 bytes\nPagina 2: ocupa 5 bytes\n", "", ""},
    {"revisar con hallazgos", {"revisar", "m.mn2"}, "5,1,0,\"\xC1rbol de Navidad 2026\",0\r\n", 1, "Pagina 1: ocupa 18 bytes\nPagina 1: El cartel muestra 16 de 21 caracteres\nPagina 1: \xC3\x81 se envia como A\n", "", ""},
    {"revisar con alineaciones imposibles", {"revisar", "m.mn2"}, "3,0,1,\"x\",0\r\n0,0,0,\"y\",0\r\n4,0,7,\"z\",0\r\n", 1, "Mensaje: El mensaje no se puede enviar como esta: las paginas 1 y 3 tienen una alineacion desconocida\nPagina 1: Alineacion desconocida (1): la pagina no se puede enviar\nPagina 2: ocupa 2 bytes\nPagina 3: Alineacion desconocida (7): la pagina no se puede enviar\n", "", ""},
    {"leer", {"leer", "m.mn2", "d"}, TramaEjemplo, 0, "Mensaje (byte 0): completo, 2 paginas\nPagina 1: LLuvia   [16], pausa 5, salida LLuvia Sale: \"      HOLA      \"\nPagina 2: Hora, pausa 0, salida Ninguno: \" Hora 00:00:00 \"\n", "", "d.mn2=3,5,0,\"      HOLA      \",1\r\n12,0,0,\" Hora 00:00:00 \",0\r\n"},
    {"leer lo que no entiende", {"leer", "m.mn2", "d.mn2"}, "\"W-NT9\xDF\x90" "A\x9F\x01\x01\"\n", 1, "Mensaje (byte 1): completo, 1 pagina\nPagina 1: Rotacion, pausa 0, salida Ninguno: \"A\"\nNo se entendio el byte 9: 1 byte que no forma ninguna pagina (0x9F): se esperaba el codigo de efecto de una pagina\n", "", "d.mn2=0,0,0,\"A\",0\r\n"},
    {"leer solo la hora", {"leer", "m.mn2", "solo"}, Hex("572D4E5439 B0 090000071226 0101"), 1, "Hora (byte 0): 09:00:00 07/12/26\n", "NO se Grabo Archivo Mensajes: solo.mn2: el archivo no trae ningun mensaje\n", "solo.mn2=<no existe>"},
    {"leer un mensaje vacio", {"leer", "m.mn2", "vacio"}, Hex("572D4E5439DF 0101"), 1, "Mensaje (byte 0): completo, 0 paginas\n", "NO se Grabo Archivo Mensajes: vacio.mn2: el mensaje del envio no tiene paginas\n", "vacio.mn2=<no existe>"},
    {"leer con ruido delante", {"leer", "m.mn2"}, Hex("00FF5A5A 572D4E5439DF 90") + "HOLA" + Hex("0101"), 1, "Mensaje (byte 4): completo, 1 pagina\nPagina 1: Rotacion, pausa 0, salida Ninguno: \"HOLA\"\nNo se entendio el byte 0: 4 bytes que no son parte de ningun envio\n", "", ""},
    {"leer sin envio", {"leer", "m.mn2", "nada"}, "hola", 1, "No se entendio el byte 0: 4 bytes que no son parte de ningun envio\nNo hay ningun envio\n", "", "nada.mn2=<no existe>"},
    {"leer sobre el origen", {"leer", "m.mn2", "m.mn2"}, TramaEjemplo, 2, "", "m.mn2: es el mismo archivo que m.mn2", "m.mn2=" + QString::fromLatin1(TramaEjemplo)},
    {"leer lo que no existe", {"leer", "no.mn2", "nada"}, B(), 2, "", "NO se pudo leer Archivo: no.mn2: no existe", "nada.mn2=<no existe>"},
    {"revisar a un disco lleno", {"revisar", "m.mn2", ">/dev/full"}, ArchivoEjemplo, 1, "", "", ""},
    {"ayuda de una orden", {"info", "--help"}, B(), 0, "Uso:", "", ""},
    {"opcion desconocida", {"trama", "--detalle"}, ArchivoEjemplo, 2, "", "Uso:", ""},
    {"revisar sin archivo", {"revisar", "no.mn2"}, B(), 2, "", "no.mn2: no existe", ""},
    {"orden desconocida", {"enviarlo"}, B(), 2, "", "Uso:", ""},
    {"pausa enorme", {"enviar", "m.mn2", "--dy2", "3000000000"}, ArchivoEjemplo, 2, "", "--dy2: 3000000000: la pausa maxima es 60000 ms\n", ""},
    {"puerto 32767", {"hora", "--puerto", "32767"}, B(), 1, "", "Error #03, No se pudo iniciar el Puerto Serie: /dev/ttyS32766: no existe\n", ""},
    {"velocidad 0", {"hora", "--puerto", "1", "--baud", "0"}, B(), 1, "", "Serie: velocidad no valida: 0\n", ""},
    {"puerto con DEL", {"hora", "--puerto", "\x7f"}, B(), 1, "", "Serie: numero de puerto no valido: \\x7f\n", ""},
    {"velocidad con signo", {"hora", "--puerto", "1", "--baud=+9600"}, B(), 1, "", "Serie: velocidad no valida: +9600\n", ""},
    {"puerto inexistente", {"hora", "--puerto", "/dev/brelo-no-existe"}, B(), 1, "", "Aviso: una pausa guardada en Opciones pasa de 60000 ms: se usa 60000 ms\nError #03, No se pudo iniciar el Puerto Serie: /dev/brelo-no-existe: no existe\n", ""},
};
// clang-format on
} // namespace

Q_DECLARE_METATYPE(Orden)

class TstCli : public QObject {
    Q_OBJECT

    Carpeta c;
    // In the test's folder, on settings that hold a pause of 3000000000 ms and 1200 baud.
    void arrancar(QProcess& p, QStringList args) {
        p.setWorkingDirectory(c.dir.path());
        p.setEnvironment(QProcess::systemEnvironment() << "XDG_CONFIG_HOME=" + c.ruta("config"));
        if (args.last() == ">/dev/full")
            p.setStandardOutputFile(args.takeLast().mid(1));
        if (args.first().startsWith('@')) { // run by unshare, on a disk of its own
            const QString disco = args.takeFirst() == "@ro" ? "ro" : "size=4k";
            args = QStringList{"-rm", "sh", "-c",
                               "mount -t tmpfs -o " + disco + " none disco && exec \"$0\" \"$@\"",
                               BRELO_CLI} +
                   args;
        }
        p.setReadChannel(QProcess::StandardError);
        p.start(args.first() == "-rm" ? "unshare" : BRELO_CLI, args);
        QVERIFY(p.waitForStarted());
    }
    // A signal to the program, and only to it: one that has already ended has no id, and a
    // kill of id 0 would stop the test's own process group.
    static void parar(QProcess& p, int senal) {
        if (p.processId() > 0)
            ::kill(pid_t(p.processId()), senal);
    }
    // Waits for the program's end; its exit status.
    static int estado(QProcess& p) { return p.waitForFinished(30000) ? p.exitCode() : -1; }

private Q_SLOTS:
    void initTestCase() {
        QFile grande(c.ruta("grande.mn2"));
        QVERIFY(grande.open(QIODevice::WriteOnly) && grande.resize(16 * 1024 * 1024 + 1));
        QCOMPARE(::mkfifo(qPrintable(c.ruta("fifo.mn2")), 0600), 0);
        QVERIFY(QFile::link(c.ruta("t.txt"), c.ruta("enlace.Mn2")));
        QVERIFY(QDir(c.dir.path()).mkpath("config/Brelo2") && QDir(c.dir.path()).mkdir("disco"));
        c.escribir("lleno.mn2",
                   "0,0,0,\"" + B(1000, 'a') + "\",0\r\n0,0,0,\"" + B(7000, 'b') + "\",0");
        c.escribir("config/Brelo2/Brelo2.conf", "[COM]\nBaud=1200\n[PGM]\nDY2=3000000000\n");
    }
    void ordenes_data() { Filas(Ordenes); }
    void ordenes() {
        QFETCH(Orden, caso);
        QFile::remove(c.ruta("m.mn2"));
        if (!caso.archivo.isNull())
            c.escribir("m.mn2", caso.archivo);
        // clang-format off
        for (auto [nombre, datos] : {std::pair{"v.mnm", "3,1,0,\"PROMO\"\r\n"}, {"t.txt", "HOLA\r\n"}, {"Salida.txt", "anterior"},
                                     {"agenda.txt", "lun-vie 08:00 m.mn2 /dev/null\nsab,dom 04:00 hora /dev/null\n"}, {"mala.txt", "# bien\nlun 25:00 m.mn2\nlun 08:00\n"},
                                     {"puertos.txt", "lun 04:00 hora /dev/null\nlun 04:00 hora tcp://equipo\nlun 05:00 hora /dev/null 0\nlun 05:00 hora /dev/nada\nlun 04:00 hora /dev/null /dev/null\n"}})
            c.escribir(nombre, datos);
        // clang-format on
        QProcess p;
        arrancar(p, caso.args);
        QCOMPARE(estado(p), caso.estado);
        const QByteArray salida = p.readAllStandardOutput(); // the usage, by its first word
        QCOMPARE(caso.salida == "Uso:" ? salida.left(4) : salida, caso.salida);
        const QByteArray dicho = p.readAllStandardError();
        QVERIFY2(dicho.contains(caso.errores), dicho.constData());
        if (!caso.deja.isEmpty())
            QCOMPARE(c.leer(caso.deja.section('=', 0, 0)), caso.deja.section('=', 1).toLatin1());
    }

    // The agenda as a service, a real process: what is in force at start reaches the adapter
    // byte for byte as trama gives it; a second agenda on the port is refused; SIGTERM ends it
    // with 0, also during a send.
    void agenda() {
        Adaptador cartel;
        c.escribir("siempre.mn2", "1,0,2,\"ABIERTO\",1\r\n");
        c.escribir("siempre.txt",
                   ("todos 00:00 siempre.mn2 " + cartel.direccion() + "\n").toUtf8());
        QProcess trama;
        arrancar(trama, {"trama", "siempre.mn2"});
        QCOMPARE(estado(trama), 0);
        const QByteArray esperado = trama.readAllStandardOutput();
        QProcess p;
        arrancar(p, {"agenda", "siempre.txt", "--dy1=0", "--dy2=0"});
        p.setReadChannel(QProcess::StandardOutput);
        QCOMPARE(cartel.Leer(esperado.size()), esperado);
        QProcess otra;
        arrancar(otra, {"agenda", "siempre.txt"});
        QCOMPARE(estado(otra), 1);
        QVERIFY2(otra.readAllStandardError().contains(
                     "siempre.txt: el puerto " + cartel.direccion().toUtf8() +
                     " lo usa otra agenda (proceso " + QByteArray::number(p.processId()) + ")\n"),
                 "");
        QByteArray dicho;
        while (!dicho.contains("Proxima") && p.waitForReadyRead(20000))
            dicho += p.readAllStandardOutput();
        parar(p, SIGTERM);
        QCOMPARE(estado(p), 0);
        dicho += p.readAllStandardOutput();
        const QRegularExpression lineas(
            "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d Agenda siempre.txt: 1 entradas\n"
            "\\S+ \\S+ Enviado siempre.mn2 a tcp://127.0.0.1:\\d+: " +
            QString::number(esperado.size()) +
            " bytes en \\d+\\.\\d s\n"
            "\\S+ \\S+ Proxima: \\w{3} 00:00 siempre.mn2\n"
            "\\S+ \\S+ Fin de la agenda\n$");
        QVERIFY2(lineas.match(QString::fromUtf8(dicho)).hasMatch(), dicho.constData());
        // Stopped in the middle of a send paced by the stored settings (a minute a byte): the
        // sign gets the terminator, and the agenda ends well.
        ParPty par;
        c.escribir("lenta.txt", ("todos 00:00 siempre.mn2 " + par.programa() + "\n").toUtf8());
        QProcess lenta;
        arrancar(lenta, {"agenda", "lenta.txt"});
        QVERIFY(!par.Leer(1).isEmpty());
        parar(lenta, SIGTERM);
        QCOMPARE(estado(lenta), 0);
        QVERIFY(lenta.readAllStandardOutput().contains(" Mensaje Cancelado... siempre.mn2 a " +
                                                       par.programa().toUtf8() + "\n"));
        const QByteArray recibido = par.Leer(3);
        QVERIFY2(recibido.startsWith("W") && recibido.endsWith("\x01\x01") &&
                     recibido.size() < esperado.size(),
                 recibido.toHex().constData());
    }

    // Sent to a real line; the clock. A scheduler stopping the job (SIGTERM, twice) or its
    // terminal closing (SIGHUP) during the longest pause, after the header paced and the line
    // set up by the stored settings (200 ms, 60000 ms, 1200 baud): the sign gets the whole
    // terminator at once. A line that takes nothing for a while only holds
    // the 8002 bytes of a full memory up.
    void enviar() {
        {
            const Parada parada; // the first stopping signal counts, whatever comes after it
            ::raise(SIGTERM);
            ::raise(SIGINT);
            QCOMPARE(Parada::Estado(), 143);
        }
        // clang-format off
        for (auto [args, senal, estado, largo] : {std::tuple{QStringList{"enviar", "m.mn2", "--dy1=5", "--dy2", "1"}, 0, 0, 33}, {{"enviar", "m.mn2"}, SIGTERM, 143, 33}, {{"hora"}, SIGHUP, 129, 14}, {{"hora", "--dy1", "10", "--dy2", "02"}, 0, 0, 14}, {{"enviar", "lleno.mn2", "--dy1", "0", "--dy2=0"}, 0, 0, 8002}}) {
            // clang-format on
            c.escribir("m.mn2", ArchivoEjemplo);
            ParPty par;
            const QByteArray lleno = largo > 33 ? par.Llenar() : B();
            QProcess p;
            if (senal == SIGHUP) // what it says, nobody reads any more
                p.setChildProcessModifier([] {
                    int tubo[2];
                    if (::pipe(tubo) == 0 && ::dup2(tubo[1], STDERR_FILENO) >= 0)
                        ::close(tubo[0]);
                });
            arrancar(p, args << "--puerto" << par.programa());
            if (senal) {
                QVERIFY(par.Leer(6).size() >= 6);
                QCOMPARE(par.Modo(), QString("1200 8N1"));
                for (int vez = 0; vez < 2; ++vez) // a second signal cuts nothing short
                    parar(p, senal);
            }
            QByteArray dicho;
            while (!lleno.isEmpty() && !dicho.contains("la linea no acepta datos") &&
                   p.waitForReadyRead(20000))
                dicho += p.readAllStandardError();
            QCOMPARE(dicho.contains("la linea no acepta datos"), !lleno.isEmpty());
            const QByteArray recibido = par.Leer(lleno.size() + largo);
            QCOMPARE(TstCli::estado(p), estado);
            // The paced bytes themselves are the transfer's, tested on a line of their own.
            QVERIFY(recibido.startsWith(lleno + (args[0] == "hora" ? "W-NT9\xB0" : "W-NT9\xDF")) &&
                    recibido.endsWith("\x01\x01"));
            QCOMPARE(recibido.size() < lleno.size() + largo, senal != 0);
            QVERIFY(senal == SIGHUP ||
                    (dicho + p.readAllStandardError())
                        .contains(senal ? "Mensaje Cancelado..." : "Mensaje enviado OK!"));
        }
        ParPty par; // the sign's end vanishes during the first pause: a failure naming the port
        QProcess p;
        arrancar(p, {"hora", "--dy1", "300", "--puerto", par.programa()});
        QVERIFY(!par.Leer(1).isEmpty());
        par.Terminar();
        QCOMPARE(estado(p), 1);
        QVERIFY(p.readAllStandardError().contains(
            "Error #22, No se envio el Mensaje: " + par.programa().toUtf8() +
            ": el dispositivo se desconecto\n"));
    }

    // "hora" to three adapters at once, in this process: each gets the time its own first
    // byte goes out at, so one slow to answer (its name found for the check, then slow for
    // the transfer's own connection) holds back neither the others nor its own clock, and one
    // that refuses stops none of them.
    void horaPorPuerto() {
        Adaptador rapido, lento;
        ResolutorGuion resolutor;
        RelojReal reloj;
        const QString puertoLento = lento.direccion().section(':', -1);
        QTimer llegada; // once the first sign has its clock, the slow one's name comes
        std::atomic<bool> despues = false;
        connect(&llegada, &QTimer::timeout, &llegada, [&] {
            if (!despues && rapido.Leer(0).size() == 14) {
                despues = true;
                resolutor.Responder(puertoLento.toStdString());
            }
        });
        llegada.start(10);
        const QDateTime nueve({2026, 12, 7}, {9, 0});
        Entorno entorno{reloj, resolutor, [&] { return nueve.addSecs(despues ? 10 : 0); }};
        OpcionesLinea o;
        o.puertos = {"tcp://127.0.0.1:65535", "tcp://lento.example:" + puertoLento,
                     rapido.direccion()};
        o.dy1 = o.dy2 = "0";
        QCOMPARE(EnviarHora(o, entorno), 1);
        QCOMPARE(rapido.Leer(14), Hex("572D4E5439 B0 090000071226 0101"));
        QCOMPARE(lento.Leer(14), Hex("572D4E5439 B0 090010071226 0101"));
    }

    // Signs at once through adapters: one that refuses is named, the others go on, and
    // Ctrl-C reaches them all, each getting the terminator. An adapter that stops reading holds
    // the bytes up, as a full line does, and is waited for, and said so, until it has all 8002;
    // a stop while one takes nothing exits as a stop, though the terminator cannot go; one
    // still being reached when the job is stopped gets nothing.
    void adaptadores() {
        AdaptadorMudo mudo; // stopped while it still tries to reach an adapter: nothing is sent
        QProcess parado;
        arrancar(parado, {"hora", "--puerto", mudo.direccion()});
        QVERIFY(parado.waitForReadyRead(20000)); // its first words
        parar(parado, SIGTERM);
        QCOMPARE(estado(parado), 143);
        Adaptador lento(2048);
        QProcess p;
        arrancar(p, {"enviar", "lleno.mn2", "--dy1=0", "--dy2=0", "--puerto", lento.direccion()});
        for (QByteArray dicho; !dicho.contains(texto::LineaDetenida);)
            QVERIFY(p.waitForReadyRead(20000) && !(dicho += p.readAllStandardError()).isEmpty());
        QCOMPARE(lento.Leer(8002).size(), 8002);
        QCOMPARE(estado(p), 0);
        AdaptadorRetenido sordo(1024);
        QProcess esperando;
        arrancar(esperando,
                 {"enviar", "lleno.mn2", "--dy1=0", "--dy2=0", "--puerto", sordo.direccion()});
        QByteArray dicho;
        while (!dicho.contains(texto::LineaDetenida) && esperando.waitForReadyRead(20000))
            dicho += esperando.readAllStandardError();
        parar(esperando, SIGTERM);
        QCOMPARE(estado(esperando), 143);
        QVERIFY((dicho + esperando.readAllStandardError())
                    .contains("la linea no acepto el fin de mensaje"));
        c.escribir("m.mn2", ArchivoEjemplo);
        Adaptador uno, dos, tres;
        QProcess todos; // ports that fail, first, hold none back; Ctrl-C reaches them all
        arrancar(todos,
                 {"enviar", "m.mn2", "--dy1", "5", "--dy2", "200", "--puerto",
                  "/dev/brelo-no-existe", "--puerto", "tcp://127.0.0.1:65535", "--puerto",
                  uno.direccion(), "--puerto", dos.direccion(), "--puerto", tres.direccion()});
        dicho.clear();
        while (!dicho.contains("Enviando") && todos.waitForReadyRead(20000))
            dicho += todos.readAllStandardError();
        // Each working port past its connection and its first bytes: the refused one, started
        // before them, has had its answer by then.
        for (Adaptador* a : {&uno, &dos, &tres})
            QVERIFY(a->Leer(7).size() >= 7);
        parar(todos, SIGINT);
        QCOMPARE(estado(todos), 130);
        QVERIFY((dicho + todos.readAllStandardError())
                    .contains("tcp://127.0.0.1:65535: el adaptador rechazo la conexion"));
        for (Adaptador* a : {&uno, &dos, &tres}) // the terminator after part of the stream
            QVERIFY(a->Leer(3).startsWith("W") && a->Leer(0).endsWith("\x01\x01") &&
                    a->Leer(0).size() < 33);
    }

    // The gaps the virtual sign measures: between one stream's reads, those after one of its
    // first five bytes apart from the rest.
    void pausasDeLlegadas() {
        // clang-format off
        for (auto [llegadas, desde, primeras, demas] : {std::tuple{std::vector<std::pair<qint64, qsizetype>>{{0, 0}, {30000000, 1}, {50000000, 5}, {51000000, 6}, {53000000, 7}}, 0, QList<double>{20, 30}, QList<double>{1, 2}}, {{{7, 0}}, 0, {}, {}}, {{{0, 0}, {4000000, 20}}, 0, {}, {4}}, {{{0, 0}, {900000000, 4}, {930000000, 5}, {932000000, 11}}, 4, {30}, {2}}}) {
            // clang-format on
            const auto p = PausasDeLlegadas(llegadas, desde);
            QCOMPARE(QList<double>(p[0].begin(), p[0].end()), primeras);
            QCOMPARE(QList<double>(p[1].begin(), p[1].end()), demas);
        }
    }

    // The virtual sign, on the far end of a pseudo-terminal left in cooked mode and on a TCP
    // port of its choosing, takes what the real enviar sends, codes that look like XON, XOFF,
    // Ctrl-Z and DEL unchanged, shows it, keeps it, and stops cleanly on SIGTERM.
    void cartelVirtual() {
        c.escribir("cc.mn2", "3,0,0,\"\xE9\xF3\xBB\xA6 hola\",0\r\n");
        QProcess trama;
        arrancar(trama, {"trama", "cc.mn2"});
        QCOMPARE(estado(trama), 0);
        const QByteArray bytes = trama.readAllStandardOutput();
        QProcess socat;
        socat.start("socat", {"pty,raw,echo=0,link=" + c.ruta("pa"), "pty,link=" + c.ruta("pb")});
        QTRY_VERIFY(QFileInfo::exists(c.ruta("pb")));
        for (const QString& donde : {c.ruta("pb"), QString("tcp://localhost:0")}) {
            QVERIFY(QDir(c.dir.path()).mkpath("recibidos" + donde.left(3)));
            QProcess cartel, envio;
            arrancar(cartel, {"cartel", "--escuchar", donde, "--dy1", "3", "--dy2=1", "--guardar",
                              "recibidos" + donde.left(3)});
            cartel.setReadChannel(QProcess::StandardOutput);
            QByteArray dicho;
            const auto hasta = [&](const char* texto) {
                while (!dicho.contains(texto) && cartel.waitForReadyRead(20000))
                    dicho += cartel.readAllStandardOutput();
                return dicho.contains(texto);
            };
            QVERIFY(hasta("\n")); // listening, the line set up
            const QString puerto = donde.startsWith("tcp") ? dicho.mid(14).trimmed() : c.ruta("pa");
            arrancar(envio, {"enviar", "cc.mn2", "--dy1", "1", "--dy2", "1", "--puerto", puerto});
            QVERIFY2(estado(envio) == 0, envio.readAllStandardError().constData());
            QVERIFY(hasta("Pausas tras los demas bytes"));
            // Each group beside its own configured pause.
            QVERIFY(QRegularExpression("primeros bytes: [^\n]*configurada: 3 ms\\)\n")
                        .match(QString::fromUtf8(dicho))
                        .hasMatch());
            QVERIFY(QRegularExpression("demas bytes: [^\n]*configurada: 1 ms\\)\n")
                        .match(QString::fromUtf8(dicho))
                        .hasMatch());
            // A whole memory and more: the sign keeps what fits, the page it cut left out.
            arrancar(envio, {"enviar", "lleno.mn2", "--dy1=0", "--dy2=0", "--puerto", puerto});
            QCOMPARE(estado(envio), 0);
            QVERIFY(hasta("Mensaje (byte 0): cortado en la memoria, 1 pagina\n"));
            parar(cartel, SIGTERM);
            QCOMPARE(estado(cartel), 0);
            QVERIFY2(dicho.contains(
                         "Mensaje (byte 0): completo, 1 pagina\nPagina 1: LLuvia   [16], "
                         "pausa 1, salida Ninguno: \"\u00E9\u00F3\u00BB\u00A6 hola       \"\n"),
                     dicho.constData());
            QCOMPARE(c.leer("recibidos" + donde.left(3) + "/envio-001.bin"), bytes);
        }
        socat.kill();
        socat.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
