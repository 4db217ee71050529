// brelo-cli: the window's core for scripts and scheduled jobs. Every failure prints the
// program's own text and the reason on standard error, writes nothing to standard output,
// leaves no partial file and exits with a non-zero status.

#include "cli/agenda.h"
#include "cli/cartel.h"
#include "cli/envio.h"
#include "core/files/archivomensaje.h"
#include "core/files/importartexto.h"
#include "core/model/catalogos.h"
#include "core/model/cp1252.h"
#include "core/model/memoria.h"
#include "core/model/valor.h"
#include "core/protocol/lectura.h"
#include "core/protocol/trama.h"
#include "core/protocol/vista.h"
#include "core/textos.h"
#include "link/files/cargamensaje.h"
#include "link/files/codificacion.h"
#include "link/files/escritura.h"
#include "link/parada.h"
#include "link/reloj.h"
#include "link/resolutor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

using namespace brelo;

namespace {

constexpr int Fallo = 1;
constexpr int MalUso = 2;

const char* const Ayuda =
    "Uso: brelo-cli ORDEN ARGUMENTOS\n"
    "\n"
    "Ordenes:\n"
    "  trama ARCHIVO            escribe en la salida estandar los bytes que recibe el cartel\n"
    "  salida ARCHIVO           escribe esos bytes en \"Salida.txt\" en la carpeta actual\n"
    "  info ARCHIVO             lista las paginas y la memoria restante del cartel\n"
    "  revisar ARCHIVO          lo que ocupa cada pagina y lo que conviene corregir antes de\n"
    "                           enviar; sale con 0 si no hay nada que corregir, 1 si lo hay\n"
    "  importar TEXTO DESTINO   importa un archivo de texto y lo graba como mensaje .mn2\n"
    "  leer ENVIO [DESTINO]     lee lo que recibio un cartel (los bytes de un envio, o un\n"
    "                           Salida.txt): sus paginas, la hora y lo que no se entendio; con\n"
    "                           DESTINO graba el mensaje como .mn2. Sale con 0 si se entendio\n"
    "                           todo, 1 si no\n"
    "  cartel --escuchar DISPOSITIVO|tcp://EQUIPO:PUERTO [--guardar CARPETA]\n"
    "                           hace de cartel: recibe los envios por una linea serie o por\n"
    "                           TCP (puerto 0: uno libre) sin escribir nada, muestra cada uno\n"
    "                           y las pausas medidas frente a --dy1 y --dy2; con --guardar,\n"
    "                           guarda cada envio en la carpeta. Ctrl-C o SIGTERM lo terminan\n"
    "  enviar ARCHIVO           envia el mensaje al cartel por el puerto serie\n"
    "  hora                     pone en hora el reloj del cartel con la del PC\n"
    "  agenda AGENDA [--revisar] envia cada mensaje de la agenda a su hora, hasta que\n"
    "                           Ctrl-C, SIGTERM o SIGHUP la terminan (sale con 0); con\n"
    "                           --revisar, revisa cada entrada y muestra la semana: sale\n"
    "                           con 0 si esta todo bien, 1 si hay que corregir, 2 si hay\n"
    "                           lineas mal escritas\n"
    "\n"
    "Opciones de enviar y hora (por omision, las guardadas en Opciones del programa):\n"
    "  --puerto P   puerto serie (en Linux 1 es /dev/ttyS0, o la ruta del dispositivo;\n"
    "               en Windows COM3, o solo 3), o\n"
    "               tcp://EQUIPO:PUERTO de un adaptador serie-Ethernet; repetida, el\n"
    "               mismo envio va a cada cartel a la vez\n"
    "  --baud B     velocidad en baudios\n"
    "  --dy1 MS     pausa tras cada uno de los cinco primeros bytes\n"
    "  --dy2 MS     pausa tras cada byte siguiente\n"
    "Ctrl-C, SIGTERM o SIGHUP cancelan el envio: el cartel recibe el fin de mensaje, y el\n"
    "resultado es 130, 143 o 129 (en Windows, Ctrl-C, Ctrl-Inter o cerrar la consola: 130,\n"
    "149 o 129). Con un adaptador de red, el envio termina cuando el\n"
    "adaptador confirma que recibio todos los bytes.\n"
    "\n"
    "ARCHIVO es un mensaje .mn2, o .mnm de la version anterior.\n";

// Loads a message file the way the window does; reports and returns nothing on failure.
std::optional<Mensaje> cargar(const QString& ruta) {
    Falla falla;
    auto m = CargarMensaje(ruta, falla);
    if (!m)
        Fallar(falla.texto, falla.motivo);
    return m;
}

// The stream of a message file, or nothing after reporting why it cannot be had.
std::optional<std::string> trama(const QString& ruta) {
    Falla falla;
    auto t = TramaDeArchivo(ruta, falla);
    if (!t)
        Fallar(falla.texto, falla.motivo);
    return t;
}

int ordenTrama(const QString& ruta) {
    const auto t = trama(ruta);
    if (!t)
        return Fallo;
    std::fwrite(t->data(), 1, t->size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : Fallo;
}

int ordenSalida(const QString& ruta) {
    const auto t = trama(ruta);
    if (!t)
        return Fallo;
    const QString destino = QDir::current().filePath(QString::fromLatin1(texto::NombreSalida));
    if (const auto error = EscribirArchivo(destino, FormatoSalida(*t)))
        return Fallar(texto::Error22, destino + QStringLiteral(": ") + *error);
    return 0;
}

int ordenInfo(const QString& ruta) {
    const auto m = cargar(ruta);
    if (!m)
        return Fallo;
    std::cout << "Pagina\tEfecto\tPausa\tAlineacion\tSalida\tTexto\n";
    const int paginas = m->tieneTexto() ? m->TotPag : 0; // an empty file loads no page
    for (int i = 1; i <= paginas; ++i) {
        std::cout << i << '\t' << EfectosEntrada[m->EfePag[i]] << '\t' << int(m->PausaPag[i])
                  << '\t' << int(m->AlinPag[i]) << '\t' << EfectosSalida[m->EfeOutPag[i]] << '\t'
                  << Cp1252AUtf8(m->TextoPag[i]) << '\n';
    }
    std::cout << "Memoria Restante: " << CalcularMemoria(*m).texto << '\n';
    return std::cout.flush() ? 0 : Fallo;
}

int ordenRevisar(const QString& ruta) {
    const auto m = cargar(ruta);
    if (!m)
        return MalUso;
    const RevisionMensaje r = RevisarMensaje(*m);
    if (!r.imposible.empty())
        std::cout << "Mensaje: " << r.imposible << '\n';
    for (const auto& [numero, vista] : r.paginas) {
        if (vista.costo) // nothing for a page that cannot be sent
            std::cout << "Pagina " << numero << ": ocupa " << Bytes(vista.costo) << '\n';
        for (const std::string& h : vista.hallazgos)
            std::cout << "Pagina " << numero << ": " << Cp1252AUtf8(h) << '\n';
    }
    for (const std::string& h : r.mensaje)
        std::cout << "Mensaje: " << Cp1252AUtf8(h) << '\n';
    if (!m->tieneTexto())
        std::cout << "Mensaje: no tiene texto; el envio daria " << texto::Error21 << '\n';
    if (!std::cout.flush()) // a full disk: the report is not there
        return Fallo;
    return r.conHallazgos() || !m->tieneTexto() ? Fallo : 0;
}

int ordenImportar(const QString& texto, QString destino) {
    destino = NombreMn2(destino); // as the window's save dialog names it
    if (MismoArchivo(texto, destino)) {
        Fallar(texto::NoGrabado, destino + QStringLiteral(": es el mismo archivo que ") + texto);
        return MalUso;
    }
    const LecturaArchivo archivo = LeerArchivo(texto);
    if (!archivo.error.isEmpty())
        return Fallar(texto::NoSePudoLeer, texto + QStringLiteral(": ") + archivo.error);
    const TextoDecodificado decodificado = DecodificarTexto(archivo.datos);
    const Importacion imp = ImportarTexto(decodificado.texto);
    if (imp.error)
        return Fallar(texto::NoSePudoLeer,
                      texto + QStringLiteral(": ") + QString::fromStdString(*imp.error));
    Mensaje m;
    std::vector<Pagina> paginas;
    for (const std::string& t : imp.paginas)
        paginas.push_back(Pagina{t});
    m.cargarPaginas(paginas);
    if (const auto error = EscribirArchivo(destino, EscribirMensaje(m)))
        return Fallar(texto::NoGrabado, destino + QStringLiteral(": ") + *error);
    if (decodificado.reemplazados || imp.lineasSinImportar)
        std::cerr << TextoImportado(decodificado.reemplazados, imp.lineasSinImportar) << '\n';
    return 0;
}

// --x VALOR or --x=VALOR taken out of args; empty when it is not there.
QString sacarOpcion(QStringList& args, const QString& nombre) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == nombre && i + 1 < args.size()) {
            const QString valor = args[i + 1];
            args.remove(i, 2);
            return valor;
        }
        if (args[i].startsWith(nombre + QLatin1Char('='))) {
            const QString valor = args[i].mid(nombre.size() + 1);
            args.removeAt(i);
            return valor;
        }
    }
    return {};
}

int ordenCartel(QStringList args) {
    OpcionesCartel o;
    o.escuchar = sacarOpcion(args, QStringLiteral("--escuchar"));
    o.carpeta = sacarOpcion(args, QStringLiteral("--guardar"));
    OpcionesLinea linea;
    if (o.escuchar.isEmpty() || !LeerOpcionesLinea(args, linea) || !args.isEmpty()) {
        if (!linea.demoraRechazada)
            std::cerr << Ayuda;
        return MalUso;
    }
    if (!o.carpeta.isEmpty() && !QFileInfo(o.carpeta).isDir()) {
        Fallar(texto::NoGrabado, o.carpeta + QStringLiteral(": no es una carpeta"));
        return MalUso;
    }
    o.dy1 = ValorNumerico(linea.dy1.toStdString());
    o.dy2 = ValorNumerico(linea.dy2.toStdString());
    return EscucharCartel(o);
}

// A stream read back, as the sign will show it: each message's pages, the clock commands, and
// every byte not understood with its place.
int ordenLeer(const QString& ruta, const QString& destino) {
    const QString salida = destino.isEmpty() ? QString() : NombreMn2(destino);
    if (!salida.isEmpty() && MismoArchivo(ruta, salida)) {
        Fallar(texto::NoGrabado, salida + QStringLiteral(": es el mismo archivo que ") + ruta);
        return MalUso;
    }
    const LecturaArchivo archivo = LeerArchivo(ruta);
    if (!archivo.error.isEmpty()) {
        Fallar(texto::NoSePudoLeer, ruta + QStringLiteral(": ") + archivo.error);
        return MalUso;
    }
    const LecturaTrama l = LeerTrama(archivo.datos);
    ImprimirLectura(l, std::cout);
    Mensaje m;
    if (l.mensaje)
        m.cargarPaginas(*l.mensaje);
    if (!salida.isEmpty()) { // a file only with a page to keep; else why there is none
        if (!m.tieneTexto()) {
            std::cout.flush();
            return Fallar(texto::NoGrabado,
                          salida + QStringLiteral(": ") +
                              (l.mensaje ? QStringLiteral("el mensaje del envio no tiene paginas")
                                         : QStringLiteral("el archivo no trae ningun mensaje")));
        }
        if (const auto error = EscribirArchivo(salida, EscribirMensaje(m)))
            return Fallar(texto::NoGrabado, salida + QStringLiteral(": ") + *error);
    }
    if (!std::cout.flush())
        return Fallo;
    return l.entendida() && !l.flujos.empty() ? 0 : Fallo;
}

int ordenAgenda(QStringList args) {
    const bool revisar = args.removeAll(QStringLiteral("--revisar")) > 0;
    OpcionesLinea linea;
    if (!LeerOpcionesLinea(args, linea) || args.size() != 1) {
        if (!linea.demoraRechazada)
            std::cerr << Ayuda;
        return MalUso;
    }
    if (revisar)
        return RevisarAgenda(args[0], std::cout);
    RelojReal reloj;
    ResolutorSistema resolutor;
    Entorno entorno{reloj, resolutor, [] { return QDateTime::currentDateTime(); }};
    return CorrerAgenda(args[0], linea, entorno, std::cout, [] { return false; });
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    PrepararConsola();
    QStringList args = app.arguments().mid(1);
    const QString orden = args.value(0);
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::cout << Ayuda;
        return std::cout.flush() ? 0 : Fallo;
    }
    // The orders on files take no options: an unknown one is a mistake, not a file name.
    const bool conOpcion =
        std::any_of(args.begin() + std::min<qsizetype>(1, args.size()), args.end(),
                    [](const QString& a) { return a.startsWith('-'); });
    if (conOpcion &&
        QStringList{"trama", "salida", "info", "revisar", "importar", "leer"}.contains(orden)) {
        std::cerr << Ayuda;
        return MalUso;
    }
    if (orden == QLatin1String("trama") && args.size() == 2)
        return ordenTrama(args[1]);
    if (orden == QLatin1String("salida") && args.size() == 2)
        return ordenSalida(args[1]);
    if (orden == QLatin1String("info") && args.size() == 2)
        return ordenInfo(args[1]);
    if (orden == QLatin1String("revisar") && args.size() == 2)
        return ordenRevisar(args[1]);
    if (orden == QLatin1String("importar") && args.size() == 3)
        return ordenImportar(args[1], args[2]);
    if (orden == QLatin1String("leer") && (args.size() == 2 || args.size() == 3))
        return ordenLeer(args[1], args.value(2));
    if (orden == QLatin1String("cartel"))
        return ordenCartel(args.mid(1));
    if (orden == QLatin1String("agenda"))
        return ordenAgenda(args.mid(1));
    OpcionesLinea linea;
    const bool opcionesBien = LeerOpcionesLinea(args, linea);
    if (linea.demoraRechazada)
        return MalUso;
    RelojReal reloj;
    ResolutorSistema resolutor;
    Entorno entorno{reloj, resolutor, [] { return QDateTime::currentDateTime(); }};
    if (opcionesBien && orden == QLatin1String("enviar") && args.size() == 2) {
        const auto t = trama(args[1]);
        return t ? EnviarMensaje(QByteArray::fromStdString(*t), linea, entorno) : Fallo;
    }
    if (opcionesBien && orden == QLatin1String("hora") && args.size() == 1)
        return EnviarHora(linea, entorno);
    std::cerr << Ayuda;
    return MalUso;
}
