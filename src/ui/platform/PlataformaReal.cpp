#include "ui/platform/PlataformaReal.h"

#include "core/files/archivomensaje.h"
#include "core/model/valor.h"
#include "core/textos.h"
#include "link/files/escritura.h"
#include "ui/platform/visor.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace brelo {

namespace {
// The program's texts break their lines with a lone carriage return; a label needs a line feed.
QString paraMostrar(QString texto) {
    return texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
} // namespace

int MilisegundosDe(double segundos) {
    return static_cast<int>(RedondeoPar(segundos * 1000));
}

bool PlataformaReal::Pregunta(QWidget* padre, const QString& titulo, const QString& texto,
                              QMessageBox::Icon icono) {
    QMessageBox caja(icono, titulo, paraMostrar(texto), QMessageBox::Yes | QMessageBox::No, padre);
    caja.setDefaultButton(QMessageBox::Yes);
    return caja.exec() == QMessageBox::Yes;
}

void PlataformaReal::Aviso(QWidget* padre, const QString& titulo, const QString& texto,
                           QMessageBox::Icon icono, const QString& detalle) {
    QMessageBox caja(icono, titulo, paraMostrar(texto), QMessageBox::Ok, padre);
    caja.setDetailedText(detalle);
    caja.exec();
}

namespace {
// "Label(*.ext)|*.ext|..." becomes the name filters a file dialog shows.
QStringList filtrosQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList r;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        const bool conPatron = partes[i].contains(QLatin1Char('('));
        r << (conPatron ? partes[i] : partes[i] + QStringLiteral(" (") + partes[i + 1] + u')');
    }
    return r;
}
} // namespace

namespace {
// The file dialog of the window: it closes only on a name the program accepts.
class DialogoArchivoReal final : public QFileDialog {
public:
    DialogoArchivoReal(QWidget* padre, const DialogoArchivo& d, Plataforma& plataforma)
        : QFileDialog(padre), d_(d), plataforma_(plataforma) {}

    void accept() override {
        // A folder typed or chosen (".." too) is opened, and no name at all does nothing:
        // Qt would take either for a file named with the suffix, as it looks for the folder
        // from the program's working folder.
        auto* campo = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString escrito = campo ? campo->text() : QString();
        if (campo && escrito.isEmpty())
            return;
        if (const QFileInfo carpeta(directory().absoluteFilePath(escrito));
            campo && carpeta.isDir()) {
            setDirectory(carpeta.absoluteFilePath());
            campo->clear();
            return;
        }
        const QString ruta = selectedFiles().value(0);
        // Qt adds the suffix only to a name without a dot: "cartel.v2" gets it here, before Qt
        // asks about overwriting the file that name really is. The name field is set itself:
        // selectFile() leaves it alone while it has the focus, as it has after Enter.
        if (!d_.sufijo.isEmpty() && !ruta.isEmpty() && NombreMn2(ruta) != ruta) {
            if (auto* nombre = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                nombre->setText(NombreMn2(ruta));
            selectFile(NombreMn2(ruta));
        }
        if (NombreAceptable(plataforma_, this, d_, selectedFiles().value(0)))
            QFileDialog::accept();
    }

private:
    const DialogoArchivo& d_;
    Plataforma& plataforma_;
};
} // namespace

bool NombreAceptable(Plataforma& p, QWidget* dialogo, const DialogoArchivo& d,
                     const QString& ruta) {
    if (d.modo != DialogoArchivo::Guardar)
        return true;
    const QString titulo = dialogo ? dialogo->windowTitle() : QString();
    if (EsNombreVersion1(ruta.toStdString())) {
        p.Aviso(dialogo, titulo, QString::fromLatin1(texto::SoloLectura), QMessageBox::Warning);
        return false;
    }
    return !d.confirmarCrear || QFileInfo::exists(ruta) ||
           p.Pregunta(dialogo, titulo,
                      QStringLiteral("El archivo %1 no existe.\nDesea crearlo?")
                          .arg(QFileInfo(ruta).fileName()),
                      QMessageBox::Question);
}

std::optional<ArchivoElegido> PlataformaReal::ElegirArchivo(QWidget* padre,
                                                            const DialogoArchivo& d) {
    DialogoArchivoReal dialogo(padre, d, *this);
    const bool guardar = d.modo == DialogoArchivo::Guardar;
    dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::AnyFile); // a typed name need not exist yet
    // Qt's own dialog: a platform one would close before accept() could refuse a name.
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList filtros = filtrosQt(d.filtro);
    dialogo.setNameFilters(filtros);
    dialogo.selectNameFilter(filtros.value(d.indiceFiltro - 1));
    if (!d.confirmarSobrescribir)
        dialogo.setOption(QFileDialog::DontConfirmOverwrite);
    if (!d.carpeta.isEmpty())
        dialogo.setDirectory(d.carpeta);
    dialogo.setDefaultSuffix(d.sufijo);
    dialogo.selectFile(d.nombreInicial);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return std::nullopt;
    const QString ruta = dialogo.selectedFiles().constFirst();
    return ArchivoElegido{ruta, QFileInfo(ruta).fileName()};
}

void PlataformaReal::Tiempo(double segundos) {
    QEventLoop espera;
    QTimer::singleShot(std::max(0, MilisegundosDe(segundos)), Qt::PreciseTimer, &espera,
                       &QEventLoop::quit);
    espera.exec(QEventLoop::ExcludeUserInputEvents);
}

void PlataformaReal::Beep() {
    QApplication::beep();
}

QDateTime PlataformaReal::Ahora() {
    return QDateTime::currentDateTime();
}

bool PlataformaReal::AbrirDocumento(const QString& ruta, std::function<void()> alFallar) {
    return AbrirConVisor(Visor, ruta, std::move(alFallar));
}

} // namespace brelo
