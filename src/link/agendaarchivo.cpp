#include "link/agendaarchivo.h"

#include "core/model/cp1252.h"
#include "core/protocol/vista.h"
#include "link/cerrojo.h"
#include "link/files/cargamensaje.h"
#include "link/files/escritura.h"
#include "link/files/recuperacion.h"
#include "link/puerto.h"
#include "link/puertotcp.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <tuple>

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
    a.agenda = LeerAgenda(AgendaEnUtf8(archivo.datos));
    for (const ErrorAgenda& e : a.agenda.errores)
        a.errores << QStringLiteral("%1:%2: %3")
                         .arg(ruta)
                         .arg(e.linea)
                         .arg(QString::fromStdString(e.motivo));
    return a;
}

std::string AgendaEnUtf8(const std::string& datos) {
    const auto bom = [&datos](const char* b) { return datos.rfind(b, 0) == 0; };
    if (bom("\xFF\xFE") || bom("\xFE\xFF")) {
        QStringDecoder utf16(bom("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString texto = utf16(QByteArrayView(datos).sliced(2));
        return texto.toUtf8().toStdString();
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8(QByteArrayView(datos));
    return utf8.hasError() ? Cp1252AUtf8(datos) : datos;
}

QString RutaMensaje(const AgendaLeida& a, const EntradaAgenda& e) {
    return QDir(a.carpeta).absoluteFilePath(QString::fromStdString(e.que));
}

namespace {
QStringList escritos(const EntradaAgenda& e, const QStringList& porOmision) {
    if (e.puertos.empty())
        return porOmision;
    QStringList puertos;
    for (const std::string& p : e.puertos)
        puertos << QString::fromStdString(p);
    return puertos;
}

// Each sign of the list once, by the first name it is given.
QStringList unicos(const QStringList& puertos) {
    QStringList unicos, claves;
    for (const QString& p : puertos)
        if (const QString clave = ClavePuerto(p); !claves.contains(clave)) {
            claves << clave;
            unicos << p;
        }
    return unicos;
}
} // namespace

QStringList PuertosDe(const EntradaAgenda& e, const QStringList& porOmision) {
    return unicos(escritos(e, porOmision));
}

QStringList Carteles(const Agenda& a, const QStringList& porOmision) {
    QStringList todos;
    for (const EntradaAgenda& e : a.entradas)
        todos << escritos(e, porOmision);
    return unicos(todos);
}

Aplica DelCartel(const QString& puerto, const QStringList& porOmision) {
    return [clave = ClavePuerto(puerto), porOmision](const EntradaAgenda& e) {
        const QStringList puertos = PuertosDe(e, porOmision);
        return std::any_of(puertos.begin(), puertos.end(),
                           [&clave](const QString& p) { return ClavePuerto(p) == clave; });
    };
}

QStringList RevisarEntradas(const AgendaLeida& a, const QStringList& porOmision) {
    QStringList hallazgos;
    std::map<QString, QStringList> mensajes; // of each file, read once however often named
    // The line that holds each minute of the week of each sign, for messages and for clocks.
    std::map<std::tuple<bool, int, QString>, int> ocupado;
    for (const EntradaAgenda& e : a.agenda.entradas) {
        const QString donde = QStringLiteral("Linea %1: ").arg(e.linea);
        const QString ruta = RutaMensaje(a, e);
        if (!e.hora && !mensajes.count(ruta))
            mensajes[ruta] = hallazgosMensaje(ruta, QString::fromStdString(e.que));
        for (const QString& h : e.hora ? QStringList() : mensajes[ruta])
            hallazgos << donde + h;
        const QStringList puertos = PuertosDe(e, porOmision);
        if (puertos.size() < escritos(e, porOmision).size())
            hallazgos << donde + QStringLiteral("el mismo cartel esta dos veces");
        for (const QString& p : puertos) {
            if (const QString error = errorPuerto(p); !error.isEmpty())
                hallazgos << donde + QStringLiteral("puerto ") + p + QStringLiteral(": ") + error;
            for (int d = 0; d < 7; ++d) {
                if (!(e.dias >> d & 1))
                    continue;
                const auto [antes, nueva] = ocupado.try_emplace(
                    {e.hora, d * MinutosDia + e.minuto, ClavePuerto(p)}, e.linea);
                if (!nueva && antes->second != e.linea) {
                    hallazgos << donde + QStringLiteral("a la misma hora que la linea %1 en %2 (%3 "
                                                        "%4): vale esta")
                                             .arg(antes->second)
                                             .arg(p, QString::fromStdString(NombreDia(d)),
                                                  QString::fromStdString(TextoHora(e.minuto)));
                    antes->second = e.linea;
                    break;
                }
            }
        }
    }
    // A device that is not there now: the agenda would fail until it is plugged in.
    for (const QString& p : Carteles(a.agenda, porOmision))
        if (const QString d = EsTcp(p) ? QString() : DispositivoDe(p);
            d.startsWith(QLatin1Char('/')) && !QFileInfo::exists(d))
            hallazgos << QStringLiteral("Cartel en %1: no existe %2").arg(p, d);
    if (a.agenda.entradas.empty())
        hallazgos << QStringLiteral("La agenda no tiene entradas");
    return hallazgos;
}

QString AgendaPorOmision() {
    return CarpetaAjustes() + QStringLiteral("/agenda.txt");
}

} // namespace brelo
