// The file commands of FrmMain: new, open, close, save, save as, import and exit, with the
// question asked before unsaved changes would be lost. Reading and writing the bytes is the
// core's; this file decides what the window does with the result.

#include "core/files/archivomensaje.h"
#include "core/files/importartexto.h"
#include "core/protocol/lectura.h"
#include "core/textos.h"
#include "link/files/codificacion.h"
#include "link/files/escritura.h"
#include "link/files/recuperacion.h"
#include "link/parada.h"
#include "ui/editor/FraMensaje.h"
#include "ui/window/BarraEstado.h"
#include "ui/window/FrmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace brelo {

namespace {
constexpr std::int16_t Si = 6;
constexpr std::int16_t No = 7;

const QString FiltroMensajes =
    QStringLiteral("Archivos de Mensajes v2(*.mn2)|*.mn2|Archivos de Mensajes v1(*.mnm)|*.mnm");
const QString FiltroGrabar = QStringLiteral("Archivos de Mensajes(*.mn2)|*.mn2");
const QString FiltroTexto =
    QStringLiteral("Archivos de Texto(*.txt)|*.txt|Todos los Archivos(*.*)|*.*");
constexpr int DudasEnLaCaja = 20; // the rest of a long list is counted, not shown

QString deTexto(const std::string& s) {
    return QString::fromStdString(s);
}

// Whether a dialog with this filter ("Label(*.ext)|*.ext|...") shows the file name.
bool EncajaEnFiltro(const QString& nombre, const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    for (qsizetype i = 1; i < partes.size(); i += 2)
        if (nombre.endsWith(partes[i].mid(1), Qt::CaseInsensitive))
            return true;
    return false;
}
} // namespace

// Where "Salida.txt" goes: beside the message last read or written in this run, never beside
// a file that failed; before any, in the documents folder.
QString FrmMain::CarpetaSalida() const {
    if (!carpetaBuena_.isEmpty())
        return carpetaBuena_;
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documentos).isDir() ? documentos : QDir::homePath();
}

bool FrmMain::MensajeAbierto() const {
    return !fraMensaje_->isHidden();
}

// Every file dialog opens in the folder of the message, else in the last folder chosen. Open
// and Import offer the name last chosen only when their filter shows it: Enter on an imported
// .txt in the Open dialog would fail the load and lose the open message.
std::optional<ArchivoElegido> FrmMain::ElegirArchivo(DialogoArchivo d) {
    if (elegidoDeFuera_ && d.modo == DialogoArchivo::Abrir) {
        ultimoNombre_ = elegidoDeFuera_->ruta;
        return std::exchange(elegidoDeFuera_, std::nullopt);
    }
    const QString junto =
        mensaje_.NomArchivo.empty() ? ultimoNombre_ : deTexto(mensaje_.NomArchivo2);
    // Before any, the documents folder: never the program's, which an uninstall removes.
    d.carpeta = junto.isEmpty()
                    ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                    : QFileInfo(junto).path();
    const QString ultimo = QFileInfo(ultimoNombre_).fileName();
    if (d.modo == DialogoArchivo::Abrir && EncajaEnFiltro(ultimo, d.filtro))
        d.nombreInicial = ultimo;
    auto elegido = plataforma_.ElegirArchivo(this, d);
    if (elegido)
        ultimoNombre_ = elegido->ruta;
    return elegido;
}

void FrmMain::AbrirDeFuera(const QString& ruta) {
    const QFileInfo info(ruta);
    elegidoDeFuera_ = ArchivoElegido{info.absoluteFilePath(), info.fileName()};
    if (info.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0) {
        if (!MensajeAbierto()) // a text opened from outside becomes a new message
            Nuevo_Click();
        Importar_Click();
    } else
        Cargar_Click();
    elegidoDeFuera_.reset(); // not taken when the command stopped before its dialog
    ActualizarTitulo();
}

void FrmMain::dragEnterEvent(QDragEnterEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile())
        e->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* e) {
    e->acceptProposedAction();
    const QString ruta = e->mimeData()->urls().value(0).toLocalFile();
    // After the drop has finished: the commands may ask questions in dialogs of their own.
    QTimer::singleShot(0, this, [this, ruta] { AbrirDeFuera(ruta); });
}

// Asked only for an open, changed message. A Yes saves at once under the current name,
// except for New, which keeps GrabarComo so a new or saved-as message asks for a name.
// False when the operator said Yes and the message was not saved after all (the dialog
// cancelled, the write failed): the command that asked stops there, and the message stays
// open as it is, so no edit is lost behind the operator's back.
bool FrmMain::PreguntarGrabar(bool comoNuevo) {
    if (!MensajeAbierto() || !mensaje_.Cambios)
        return true;
    const bool si =
        plataforma_.Pregunta(this, QStringLiteral("Grabar"),
                             QStringLiteral("Hay cambios Realizados\rDesea Grabar el Mensaje?"),
                             QMessageBox::Information);
    Resp = si ? Si : No;
    if (!si)
        return true;
    if (!comoNuevo)
        mensaje_.GrabarComo = false;
    return Grabar_Mensaje();
}

void FrmMain::Nuevo_Click() {
    if (PreguntarGrabar(true))
        MensajeVacioSinNombre();
}

// One empty page, open in the editor, with no file yet: the next save asks for a name.
void FrmMain::MensajeVacioSinNombre() {
    fraMensaje_->Ini_Frame();
    mensaje_.Cambios = false;
    mensaje_.GrabarComo = true;
    MostrarFrame(true);
    fraMensaje_->EnfocarTexto();
    statusBar1_->PonerPanel(2, QString::fromLatin1(texto::SinNombre));
    mensaje_.NomArchivo.clear();
    fraMensaje_->EmpezarHistoria();
}

void FrmMain::Cargar_Click() {
    if (PreguntarGrabar(false))
        CargarMensaje();
}

void FrmMain::cerrar_Click() {
    if (!MensajeAbierto() || !PreguntarGrabar(false))
        return;
    mensaje_.NomArchivo.clear();
    MostrarFrame(false);
    fraMensaje_->EmpezarHistoria();
}

// A message closed without saving stays closed: Grabar does not bring it back into a file.
void FrmMain::save_Click() {
    if (!MensajeAbierto() || !mensaje_.Cambios)
        return;
    mensaje_.GrabarComo = false;
    Grabar_Mensaje();
}

void FrmMain::Grabar_Click() {
    if (!MensajeAbierto())
        return;
    mensaje_.GrabarComo = true;
    Grabar_Mensaje();
}

void FrmMain::salir_Click() {
    if (!PreguntarGrabar(false))
        return;
    saliendo_ = true;
    close();
    QCoreApplication::quit();
}

void FrmMain::closeEvent(QCloseEvent* e) {
    if (!saliendo_ && !PreguntarGrabar(false)) {
        e->ignore();
        return;
    }
    if (recuperacionEscrita_ && !Parada::Senal())
        BorrarRecuperado(); // a clean exit after all: the session went on
    e->accept();
}

// The session is ending under the window (a logout, a shutdown, a stopping signal): a changed
// message goes beside the settings, to be offered at the next start; the operator's own file
// is left as it is.
void FrmMain::GuardarRecuperacion() {
    if (!MensajeAbierto() || !mensaje_.Cambios)
        return;
    fraMensaje_->TomoActual();
    if (!mensaje_.tieneTexto())
        return;
    const QString ruta = mensaje_.NomArchivo.empty() ? QString() : deTexto(mensaje_.NomArchivo2);
    recuperacionEscrita_ = !GuardarRecuperado({EscribirMensaje(mensaje_), ruta});
}

void FrmMain::OfrecerRecuperacion() {
    const std::optional<Recuperado> r = LeerRecuperado();
    if (!r)
        return;
    const LecturaMensaje l = LeerMensaje(r->mensaje, VersionArchivo::V2);
    const bool si = !l.error && !l.paginas.empty() &&
                    plataforma_.Pregunta(this, QStringLiteral("Recuperar"),
                                         QStringLiteral("Recuperar el mensaje sin grabar?"),
                                         QMessageBox::Question);
    if ((si && !PreguntarGrabar(false)) || Parada::Senal())
        return; // still there to be offered next time (a signal ended the question)
    BorrarRecuperado();
    if (!si)
        return;
    const QFileInfo info(r->ruta);
    fraMensaje_->Ini_Frame();
    MostrarPaginas(l.paginas);
    mensaje_.NomArchivo = r->ruta.isEmpty() ? std::string() : info.fileName().toStdString();
    mensaje_.NomArchivo2 = r->ruta.toStdString();
    mensaje_.Cambios = true;
    mensaje_.GrabarComo = r->ruta.isEmpty();
    statusBar1_->PonerPanel(2, r->ruta.isEmpty() ? QString::fromLatin1(texto::SinNombre)
                                                 : info.fileName());
    fraMensaje_->EmpezarHistoria();
    ActualizarTitulo();
    TypeMsg(tipo::Pgm, QStringLiteral("Mensaje recuperado: grabelo para conservarlo"));
}

bool FrmMain::Grabar_Mensaje() {
    fraMensaje_->TomoActual();
    const bool conTexto = mensaje_.tieneTexto();
    // A message read from a version 1 file is saved as version 2, beside it under the same
    // name: a .mnm is never written, since it could not be read back.
    const bool version1 = !mensaje_.NomArchivo.empty() && EsNombreVersion1(mensaje_.NomArchivo2);
    if (mensaje_.NomArchivo.empty() || ((mensaje_.GrabarComo || version1) && conTexto)) {
        DialogoArchivo d;
        d.modo = DialogoArchivo::Guardar;
        d.filtro = FiltroGrabar;
        d.confirmarSobrescribir = true;
        d.confirmarCrear = true;
        d.sufijo = QStringLiteral("mn2");
        if (version1)
            d.nombreInicial =
                QFileInfo(deTexto(mensaje_.NomArchivo)).completeBaseName() + QStringLiteral(".mn2");
        const auto elegido = ElegirArchivo(d);
        if (!elegido || EsNombreVersion1(elegido->ruta.toStdString())) {
            TypeErr(QString::fromLatin1(texto::NoGrabado));
            return false;
        }
        mensaje_.NomArchivo = elegido->nombre.toStdString();
        mensaje_.NomArchivo2 = elegido->ruta.toStdString();
    }
    if (!conTexto)
        return true; // nothing to keep, nothing lost
    if (mensaje_.NomArchivo.empty()) {
        mensaje_.Cambios = false;
        TypeErr(QString::fromLatin1(texto::SinNombreGrabado));
        return false;
    }
    // Whenever the message has a name, NomArchivo2 is its full path: the file chosen just
    // now, or the one it was loaded from or last saved to.
    if (EscribirArchivo(deTexto(mensaje_.NomArchivo2), EscribirMensaje(mensaje_))) {
        TypeErr(QString::fromLatin1(texto::NoGrabado));
        return false;
    }
    mensaje_.Cambios = false;
    carpetaBuena_ = QFileInfo(deTexto(mensaje_.NomArchivo2)).absolutePath();
    TypeMsg(tipo::Pgm, QString::fromLatin1(texto::GrabadoOk));
    statusBar1_->PonerPanel(2, deTexto(mensaje_.NomArchivo));
    return true;
}

void FrmMain::CargarMensaje() {
    DialogoArchivo d;
    d.filtro = FiltroMensajes;
    d.confirmarSobrescribir = false;
    const auto elegido = ElegirArchivo(d);
    if (!elegido)
        return;
    const std::pair nombres{mensaje_.NomArchivo, mensaje_.NomArchivo2};
    mensaje_.NomArchivo = elegido->nombre.toStdString();
    mensaje_.NomArchivo2 = elegido->ruta.toStdString();
    if (mensaje_.NomArchivo.empty())
        return;
    const LecturaArchivo archivo = LeerArchivo(elegido->ruta);
    if (!archivo.error.isEmpty()) {
        FallaCarga();
        return;
    }
    if (EsTrama(archivo.datos)) {
        if (!AbrirTrama(elegido->ruta, archivo.datos)) // nothing opened: the message stays
            std::tie(mensaje_.NomArchivo, mensaje_.NomArchivo2) = nombres;
        return;
    }
    fraMensaje_->Ini_Frame();
    fraMensaje_->EmpezarHistoria();
    TypeMsg(tipo::Pgm, QString::fromLatin1(texto::Cargando));
    const LecturaMensaje l = LeerMensaje(archivo.datos, VersionDeRuta(mensaje_.NomArchivo2));
    if (l.error) {
        FallaCarga();
        return;
    }
    if (l.paginas.empty())
        return;
    MostrarPaginas(l.paginas);
    fraMensaje_->EmpezarHistoria();
    mensaje_.Cambios = false;
    mensaje_.GrabarComo = false;
    statusBar1_->PonerPanel(2, deTexto(mensaje_.NomArchivo));
    carpetaBuena_ = QFileInfo(elegido->ruta).absolutePath();
    TypeMsg(tipo::Pgm, QString::fromLatin1(texto::CargadoOk));
}

// Pages read from a file, shown from the first in an editor opened for them.
void FrmMain::MostrarPaginas(const std::vector<Pagina>& paginas) {
    MostrarFrame(true);
    mensaje_.cargarPaginas(paginas);
    fraMensaje_->txtGoto->clear();
    fraMensaje_->RefMensaje();
}

// Nothing of the failed file is shown: the operator is left with an empty, unnamed message.
void FrmMain::FallaCarga() {
    TypeErr(QString::fromLatin1(texto::ErrorArchivo));
    MensajeVacioSinNombre();
}

void FrmMain::Importar_Click() {
    if (!MensajeAbierto()) {
        TypeMsg(tipo::Err, QString::fromLatin1(texto::NoHayMensaje));
        return;
    }
    DialogoArchivo d;
    d.filtro = FiltroTexto;
    const auto elegido = ElegirArchivo(d);
    const LecturaArchivo archivo = elegido ? LeerArchivo(elegido->ruta) : LecturaArchivo{};
    if (elegido && archivo.error.isEmpty() && EsTrama(archivo.datos)) {
        if (PreguntarGrabar(false))
            AbrirTrama(elegido->ruta, archivo.datos);
        return;
    }
    // The whole file is split before the message is touched, so a failure changes nothing.
    const TextoDecodificado decodificado = DecodificarTexto(archivo.datos);
    const Importacion imp =
        elegido && archivo.error.isEmpty() ? ImportarTexto(decodificado.texto) : Importacion{};
    if (imp.paginas.empty()) {
        TypeErr(QString::fromLatin1(texto::NoSePudoLeer));
        return;
    }
    // The pages it replaces come back with one Deshacer.
    const int paginaAntes = mensaje_.PagAct;
    fraMensaje_->Ini_Frame();
    TypeMsg(tipo::Pgm, QString::fromLatin1(texto::Importando));
    std::vector<Pagina> paginas;
    for (const std::string& t : imp.paginas)
        paginas.push_back(Pagina{t});
    mensaje_.cargarPaginas(paginas);
    fraMensaje_->RefMensaje();
    fraMensaje_->Registrar(QStringLiteral("Importar Archivo de Texto"), paginaAntes);
    mensaje_.Cambios = true;
    mensaje_.GrabarComo = false;
    TypeMsg(tipo::Pgm, QString::fromStdString(
                           TextoImportado(decodificado.reemplazados, imp.lineasSinImportar)));
}

// The bytes a sign was sent become a new message: named like their file, with ".mn2", and
// marked changed, so that nothing read is lost unsaved and the save asks where. Whatever was
// not understood is listed in a box.
bool FrmMain::AbrirTrama(const QString& ruta, const std::string& datos) {
    const LecturaTrama l = LeerTrama(datos);
    QStringList dudas;
    for (const Incidencia& i : l.incidencias)
        if (dudas.size() < DudasEnLaCaja)
            dudas << QStringLiteral("byte %1: %2").arg(i.byte).arg(deTexto(i.motivo));
    if (l.incidencias.size() > DudasEnLaCaja)
        dudas << QStringLiteral("y %1 mas").arg(l.incidencias.size() - DudasEnLaCaja);
    if (l.mensaje) {
        const QFileInfo info(ruta);
        const QString nombre = info.completeBaseName() + QStringLiteral(".mn2");
        fraMensaje_->Ini_Frame();
        MostrarPaginas(*l.mensaje);
        fraMensaje_->EmpezarHistoria();
        mensaje_.NomArchivo = nombre.toStdString();
        mensaje_.NomArchivo2 = info.dir().filePath(nombre).toStdString();
        mensaje_.Cambios = true;
        mensaje_.GrabarComo = true;
        statusBar1_->PonerPanel(2, nombre);
        // A stream that did not end whole is said so, as leer says it.
        TypeMsg(tipo::Pgm, QStringLiteral("Mensaje leido de un envio al cartel") +
                               (l.estadoMensaje == FlujoLeido::Completo
                                    ? QString()
                                    : QStringLiteral(" (%1)").arg(
                                          QLatin1String(NombreEstado(l.estadoMensaje)))));
    } else { // read, but with nothing to open: say what it holds
        QString reloj;
        for (const FlujoLeido& f : l.flujos)
            if (f.hora)
                reloj = QString::fromStdString(f.reloj);
        TypeErr(
            reloj.isEmpty()
                ? QStringLiteral("El envio no trae ningun mensaje")
                : QStringLiteral("El envio no trae ningun mensaje: solo la hora (%1)").arg(reloj));
    }
    if (!dudas.isEmpty())
        plataforma_.Aviso(this, QStringLiteral("Envio al cartel"),
                          QStringLiteral("No se entendio todo el envio:\n") +
                              dudas.join(QLatin1Char('\n')),
                          QMessageBox::Warning);
    return bool(l.mensaje);
}

} // namespace brelo
