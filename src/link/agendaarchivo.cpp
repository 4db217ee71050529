#include "link/agendaarchivo.h"

#include "core/model/cp1252.h"
#include "core/protocol/vista.h"
#include "link/files/cargamensaje.h"
#include "link/files/escritura.h"
#include "link/files/recuperacion.h"
#include "link/puerto.h"
#include "link/puertotcp.h"

#include <QDir>
#include <QFileInfo>

namespace brelo {

namespace {

// What revisar says of an entry's message, each finding a line; the file named as the agenda
// names it.
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

} // namespace

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

QStringList PuertosDe(const EntradaAgenda& e, const QStringList& porOmision) {
    if (e.puertos.empty())
        return porOmision;
    QStringList puertos;
    for (const std::string& p : e.puertos)
        puertos << QString::fromStdString(p);
    return puertos;
}

QStringList RevisarEntradas(const AgendaLeida& a, const QStringList& porOmision) {
    QStringList hallazgos;
    for (const EntradaAgenda& e : a.agenda.entradas) {
        const QString donde = QStringLiteral("Linea %1: ").arg(e.linea);
        if (!e.hora)
            for (const QString& h :
                 hallazgosMensaje(RutaMensaje(a, e), QString::fromStdString(e.que)))
                hallazgos << donde + h;
        for (const QString& p : PuertosDe(e, porOmision))
            if (const QString error = errorPuerto(p); !error.isEmpty())
                hallazgos << donde + QStringLiteral("puerto ") + p + QStringLiteral(": ") + error;
    }
    if (a.agenda.entradas.empty())
        hallazgos << QStringLiteral("La agenda no tiene entradas");
    return hallazgos;
}

QString AgendaPorOmision() {
    return CarpetaAjustes() + QStringLiteral("/agenda.txt");
}

} // namespace brelo
