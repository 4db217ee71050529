// Reading an agenda file, and checking it as the sign will be driven by it.

#include "cli/agenda.h"

#include "cli/agendaleida.h"
#include "cli/envio.h"
#include "cli/mensajes.h"
#include "core/model/cp1252.h"
#include "core/protocol/vista.h"
#include "link/files/escritura.h"
#include "link/puerto.h"
#include "link/puertotcp.h"

#include <QDir>
#include <QFileInfo>

#include <iostream>

namespace brelo {

AgendaLeida LeerArchivoAgenda(const QString& ruta) {
    AgendaLeida a;
    const QFileInfo info(ruta);
    a.carpeta = info.absolutePath();
    a.cambiada = info.lastModified();
    a.tamano = info.size();
    const LecturaArchivo archivo = LeerArchivo(ruta);
    if (!archivo.error.isEmpty()) {
        a.errores << ruta + QStringLiteral(": ") + archivo.error;
        return a;
    }
    a.agenda = LeerAgenda(archivo.datos);
    for (const ErrorAgenda& e : a.agenda.errores)
        a.errores << QStringLiteral("%1:%2: %3")
                         .arg(ruta)
                         .arg(e.linea)
                         .arg(QString::fromStdString(e.motivo));
    return a;
}

QString RutaMensaje(const AgendaLeida& a, const EntradaAgenda& e) {
    return QDir(a.carpeta).absoluteFilePath(QString::fromStdString(e.que));
}

QStringList PuertosDe(const EntradaAgenda& e, const OpcionesLinea& linea) {
    if (e.puertos.empty())
        return linea.puertos;
    QStringList puertos;
    for (const std::string& p : e.puertos)
        puertos << QString::fromStdString(p);
    return puertos;
}

QString Sello(const QDateTime& ahora) {
    return ahora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss "));
}

namespace {

// What revisar would say of an entry's message, each finding a line; the file named as the
// agenda names it.
QStringList hallazgosMensaje(const QString& ruta, const QString& escrito) {
    Falla falla;
    const auto m = CargarMensaje(ruta, falla);
    if (!m)
        return {QLatin1String(falla.texto) + QStringLiteral(": ") +
                falla.motivo.replace(ruta, escrito)};
    QStringList h;
    const RevisionMensaje r = RevisarMensaje(*m);
    if (!r.imposible.empty())
        h << QString::fromStdString(Cp1252AUtf8(r.imposible));
    for (const auto& [numero, vista] : r.paginas)
        for (const std::string& texto : vista.hallazgos)
            h << QStringLiteral("Pagina %1: %2")
                     .arg(numero)
                     .arg(QString::fromStdString(Cp1252AUtf8(texto)));
    for (const std::string& texto : r.mensaje)
        h << QString::fromStdString(Cp1252AUtf8(texto));
    if (!m->tieneTexto())
        h << QStringLiteral("no tiene texto: no hay nada que enviar");
    return h;
}

// Why a port setting names no port; empty when it names one.
QString errorPuerto(const QString& puerto) {
    QString error;
    if (EsTcp(puerto) ? !DestinoDe(puerto, &error) : DispositivoDe(puerto, &error).isEmpty())
        return error;
    return {};
}

void imprimirSemana(const Agenda& a, std::ostream& salida) {
    const auto semana = Semana(a);
    salida << "Semana:\n";
    for (int d = 0; d < 7; ++d) {
        const auto& tramos = semana[std::size_t(d)];
        for (std::size_t i = 0; i < tramos.size(); ++i) {
            const int fin = i + 1 < tramos.size() ? tramos[i + 1].minuto : MinutosDia;
            salida << (i ? "   " : NombreDia(d)) << ' ' << TextoHora(tramos[i].minuto) << '-'
                   << TextoHora(fin) << ' '
                   << (tramos[i].entrada < 0 ? std::string("(ningun mensaje de la agenda)")
                                             : a.entradas[std::size_t(tramos[i].entrada)].que)
                   << '\n';
        }
        for (const EntradaAgenda& e : a.entradas)
            if (e.hora && (e.dias >> d & 1)) {
                salida << "    " << TextoHora(e.minuto) << "       pone en hora el reloj";
                for (std::size_t i = 0; i < e.puertos.size(); ++i)
                    salida << (i ? ", " : " en ") << e.puertos[i];
                salida << '\n';
            }
    }
}

} // namespace

int RevisarAgenda(const QString& ruta, std::ostream& salida) {
    const AgendaLeida a = LeerArchivoAgenda(ruta);
    if (!a.errores.isEmpty()) {
        for (const QString& e : a.errores)
            std::cerr << qUtf8Printable(e) << '\n';
        return AgendaMalEscrita;
    }
    OpcionesLinea linea;
    QStringList sinOpciones;
    LeerOpcionesLinea(sinOpciones, linea); // the stored port, for entries that name none
    QStringList hallazgos;
    for (const EntradaAgenda& e : a.agenda.entradas) {
        const QString donde = QStringLiteral("Linea %1: ").arg(e.linea);
        if (!e.hora)
            for (const QString& h :
                 hallazgosMensaje(RutaMensaje(a, e), QString::fromStdString(e.que)))
                hallazgos << donde + h;
        for (const QString& p : PuertosDe(e, linea))
            if (const QString error = errorPuerto(p); !error.isEmpty())
                hallazgos << donde + QStringLiteral("puerto ") + p + QStringLiteral(": ") + error;
    }
    if (a.agenda.entradas.empty())
        hallazgos << QStringLiteral("La agenda no tiene entradas");
    for (const QString& h : hallazgos)
        salida << qUtf8Printable(h) << '\n';
    imprimirSemana(a.agenda, salida);
    return hallazgos.isEmpty() ? 0 : AgendaConHallazgos;
}

} // namespace brelo
