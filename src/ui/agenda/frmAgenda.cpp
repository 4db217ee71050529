#include "ui/agenda/frmAgenda.h"

#include "link/ajustes.h"
#include "link/cerrojo.h"
#include "link/files/escritura.h"
#include "ui/agenda/SemanaAgenda.h"
#include "ui/platform/plataforma.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace brelo {

namespace {

const QString FiltroMensajes =
    QStringLiteral("Archivos de Mensajes v2(*.mn2)|*.mn2|Archivos de Mensajes v1(*.mnm)|*.mnm");
const char* const Cabecera = "# dias  hora  que  puertos (escrita por Brelo)";
#ifdef Q_OS_WIN
const char* const FinDeLinea = "\r\n";
#else
const char* const FinDeLinea = "\n";
#endif
constexpr int MaxHallazgosEnLaCaja = 10;
// What a row keeps of the file, on its Dias cell.
constexpr int Comentarios = Qt::UserRole;      // the comment lines just before it
constexpr int Original = Qt::UserRole + 1;     // its line as read
constexpr int CamposLeidos = Qt::UserRole + 2; // its cells as read

QString deTexto(const std::string& s) {
    return QString::fromStdString(s);
}

// A field as the file holds it, as the core writes an entry; one the operator quoted stays so.
QString campo(const QString& s) {
    const QString t = s.trimmed();
    return t.startsWith(QLatin1Char('"')) ? t
                                          : QString::fromStdString(CampoAgenda(t.toStdString()));
}

// The findings name rows, which is what the operator sees.
QString enFilas(QString texto) {
    return texto.startsWith(QLatin1String("Linea ")) ? QStringLiteral("Fila ") + texto.mid(6)
                                                     : texto;
}

QPushButton* boton(const char* nombre, const char* titulo) {
    auto* b = new QPushButton(QString::fromUtf8(titulo));
    b->setObjectName(QLatin1String(nombre));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmAgenda::frmAgenda(Plataforma& plataforma, QWidget* padre)
    : QDialog(padre), plataforma_(plataforma) {
    setObjectName(QStringLiteral("frmAgenda"));
    setWindowTitle(QStringLiteral("Agenda[*]"));
    crearControles();
    conectar();
    Cargar(LeerRutaAgenda());
}

void frmAgenda::crearControles() {
    lblArchivo = new QLabel;
    lblArchivo->setObjectName(QStringLiteral("lblArchivo"));
    lblArchivo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdArchivo = boton("cmdArchivo", "Otro &Archivo ...");
    grdEntradas = new QTableWidget(0, 4);
    grdEntradas->setObjectName(QStringLiteral("grdEntradas"));
    grdEntradas->setHorizontalHeaderLabels({QStringLiteral("Dias"), QStringLiteral("Hora"),
                                            QStringLiteral("Mensaje"), QStringLiteral("Puertos")});
    grdEntradas->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdEntradas->setSelectionMode(QAbstractItemView::SingleSelection);
    // As in a spreadsheet: typing on a cell replaces it, F2 or a double click edits it.
    grdEntradas->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    grdEntradas->horizontalHeader()->setSectionResizeMode(Mensaje, QHeaderView::Stretch);
    grdEntradas->setColumnWidth(Dias, 110);
    grdEntradas->setColumnWidth(Hora, 60);
    grdEntradas->setColumnWidth(Puertos, 170);
    grdEntradas->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    cmdAgregar = boton("cmdAgregar", "A&gregar");
    cmdQuitar = boton("cmdQuitar", "&Quitar");
    cmdSubir = boton("cmdSubir", "&Subir");
    cmdBajar = boton("cmdBajar", "&Bajar");
    cmdMensaje = boton("cmdMensaje", "&Mensaje ...");
    cmdMensaje->setToolTip(QStringLiteral("Elegir el mensaje de la fila"));
    cmdHora = boton("cmdHora", "&Hora del Cartel");
    cmdHora->setToolTip(QStringLiteral("La fila pone en hora el reloj del cartel"));
    cboCartel = new QComboBox;
    cboCartel->setObjectName(QStringLiteral("cboCartel"));
    semana = new SemanaAgenda;
    txtRevision = new QPlainTextEdit;
    txtRevision->setObjectName(QStringLiteral("txtRevision"));
    txtRevision->setReadOnly(true);
    txtRevision->setMaximumHeight(fontMetrics().height() * 6);
    lblServicio = new QLabel;
    lblServicio->setObjectName(QStringLiteral("lblServicio"));
    lblServicio->setWordWrap(true);
    lblServicio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdRevisar = boton("cmdRevisar", "&Revisar");
    cmdGrabar = boton("cmdGrabar", "G&rabar");
    cmdCerrar = boton("cmdCerrar", "&Cerrar");

    auto* archivo = new QHBoxLayout;
    archivo->addWidget(new QLabel(QStringLiteral("Archivo:")));
    archivo->addWidget(lblArchivo, 1);
    archivo->addWidget(cmdArchivo);
    auto* acciones = new QVBoxLayout;
    for (QPushButton* b : {cmdAgregar, cmdQuitar, cmdSubir, cmdBajar})
        acciones->addWidget(b);
    acciones->addSpacing(12);
    acciones->addWidget(cmdMensaje);
    acciones->addWidget(cmdHora);
    acciones->addStretch();
    auto* tabla = new QHBoxLayout;
    tabla->addWidget(grdEntradas, 1);
    tabla->addLayout(acciones);
    auto* abajo = new QHBoxLayout;
    abajo->addStretch();
    for (QPushButton* b : {cmdRevisar, cmdGrabar, cmdCerrar})
        abajo->addWidget(b);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(archivo);
    todo->addLayout(tabla, 1);
    auto* titulo = new QHBoxLayout;
    titulo->addWidget(new QLabel(QStringLiteral("La semana en el cartel")));
    titulo->addWidget(cboCartel);
    titulo->addStretch();
    todo->addLayout(titulo);
    todo->addWidget(semana);
    todo->addWidget(txtRevision);
    todo->addWidget(lblServicio);
    todo->addLayout(abajo);
    resize(760, 600);
}

void frmAgenda::conectar() {
    connect(grdEntradas, &QTableWidget::itemChanged, this, [this] {
        if (!llenando_) {
            cambiado_ = true;
            actualizar();
        }
    });
    connect(cmdAgregar, &QPushButton::clicked, this, [this] {
        const int fila = grdEntradas->currentRow() + 1;
        grdEntradas->insertRow(fila);
        ponerFila(fila, {QStringLiteral("lun-vie"), QStringLiteral("08:00"), QString(), QString()});
        grdEntradas->setCurrentCell(fila, Mensaje);
        cambiado_ = true;
        actualizar();
    });
    connect(cmdQuitar, &QPushButton::clicked, this, [this] {
        const int fila = grdEntradas->currentRow();
        if (fila < 0)
            return;
        // The operator's comments stay, before the row that follows.
        const QStringList notas = grdEntradas->item(fila, Dias)->data(Comentarios).toStringList();
        if (fila + 1 < grdEntradas->rowCount()) {
            QTableWidgetItem* siguiente = grdEntradas->item(fila + 1, Dias);
            const bool antes = std::exchange(llenando_, true);
            siguiente->setData(Comentarios, notas + siguiente->data(Comentarios).toStringList());
            llenando_ = antes;
        } else {
            finales_ = notas + finales_;
        }
        grdEntradas->removeRow(fila);
        cambiado_ = true;
        actualizar();
    });
    connect(cmdSubir, &QPushButton::clicked, this, [this] { mover(-1); });
    connect(cmdBajar, &QPushButton::clicked, this, [this] { mover(1); });
    connect(cmdMensaje, &QPushButton::clicked, this, &frmAgenda::elegirMensaje);
    connect(cmdHora, &QPushButton::clicked, this, [this] {
        if (const int fila = grdEntradas->currentRow(); fila >= 0)
            grdEntradas->item(fila, Mensaje)->setText(QStringLiteral("hora"));
    });
    connect(cmdArchivo, &QPushButton::clicked, this, &frmAgenda::elegirArchivo);
    connect(cmdRevisar, &QPushButton::clicked, this, &frmAgenda::Revisar);
    connect(cmdGrabar, &QPushButton::clicked, this, &frmAgenda::Grabar);
    connect(cmdCerrar, &QPushButton::clicked, this, &frmAgenda::reject);
    connect(cboCartel, &QComboBox::currentIndexChanged, this, &frmAgenda::actualizar);
}

void frmAgenda::ponerFila(int fila, const QStringList& campos) {
    const bool antes = std::exchange(llenando_, true);
    for (int c = 0; c < 4; ++c)
        grdEntradas->setItem(fila, c, new QTableWidgetItem(campos.value(c)));
    llenando_ = antes;
}

// Each entry a row; a line that is not one keeps its words in the row, for the operator to
// mend, and is said why. Comments go with the row after them.
void frmAgenda::Cargar(const QString& ruta) {
    ruta_ = ruta;
    lblArchivo->setText(QDir::toNativeSeparators(ruta));
    grdEntradas->setRowCount(0);
    finales_.clear();
    txtRevision->clear();
    const LecturaArchivo archivo = LeerArchivo(ruta);
    const QFileInfo info(ruta);
    leido_ = info.exists() ? info.lastModified() : QDateTime();
    tamanoLeido_ = info.exists() ? info.size() : -1;
    if (!archivo.error.isEmpty() && info.exists())
        txtRevision->setPlainText(QStringLiteral("No se pudo leer la agenda: ") + archivo.error);
    else if (!archivo.error.isEmpty())
        txtRevision->setPlainText(QStringLiteral("La agenda todavia no existe: se crea al grabar"));
    const std::string utf8 = AgendaEnUtf8(archivo.datos);
    const Agenda a = LeerAgenda(utf8);
    QStringList lineas = QString::fromStdString(utf8).split(QLatin1Char('\n'));
    if (!lineas.isEmpty() && lineas.last().isEmpty())
        lineas.removeLast(); // the end of the last line
    std::size_t siguiente = 0;
    for (int n = 1; n <= lineas.size(); ++n) {
        QString texto = lineas[n - 1];
        if (texto.endsWith(QLatin1Char('\r')))
            texto.chop(1);
        if (n == 1 && texto.startsWith(QChar(0xFEFF)))
            texto.remove(0, 1);
        QStringList celdas;
        if (siguiente < a.entradas.size() && a.entradas[siguiente].linea == n) {
            const EntradaAgenda& e = a.entradas[siguiente++];
            QStringList puertos;
            for (const std::string& p : e.puertos)
                puertos << campo(deTexto(p));
            celdas = {deTexto(TextoDias(e.dias)), deTexto(TextoHora(e.minuto)), deTexto(e.que),
                      puertos.join(QLatin1Char(' '))};
        } else if (std::any_of(a.errores.begin(), a.errores.end(),
                               [n](const ErrorAgenda& e) { return e.linea == n; })) {
            celdas = texto.trimmed().split(QRegularExpression(QStringLiteral("\\s+")));
            celdas = {celdas.value(0), celdas.value(1), celdas.value(2),
                      celdas.mid(3).join(QLatin1Char(' '))};
        } else {
            finales_ << texto; // a comment or a blank line, for the next row
            continue;
        }
        const int fila = grdEntradas->rowCount();
        grdEntradas->insertRow(fila);
        ponerFila(fila, celdas);
        QTableWidgetItem* dias = grdEntradas->item(fila, Dias);
        dias->setData(Comentarios, std::exchange(finales_, {}));
        dias->setData(Original, texto);
        dias->setData(CamposLeidos, campos(fila));
    }
    cambiado_ = false;
    if (!a.errores.empty())
        Revisar();
    actualizar();
}

QStringList frmAgenda::campos(int fila) const {
    QStringList c;
    for (int col = 0; col < 4; ++col) {
        const QTableWidgetItem* i = grdEntradas->item(fila, col);
        c << (i ? i->text().trimmed() : QString());
    }
    return c;
}

QString frmAgenda::linea(int fila) const {
    QStringList l;
    const QStringList c = campos(fila);
    for (int col = 0; col < 4; ++col)
        if (!c[col].isEmpty())
            l << (col == Mensaje ? campo(c[col]) : c[col]);
    return l.join(QLatin1Char(' '));
}

QString frmAgenda::Texto() const {
    QStringList lineas;
    for (int f = 0; f < grdEntradas->rowCount(); ++f)
        lineas << linea(f);
    return lineas.join(QLatin1Char('\n'));
}

QString frmAgenda::TextoArchivo() const {
    QStringList lineas;
    if (!leido_.isValid() && grdEntradas->rowCount() && finales_.isEmpty())
        lineas << QLatin1String(Cabecera); // a new agenda says what its columns are
    for (int f = 0; f < grdEntradas->rowCount(); ++f) {
        const QTableWidgetItem* dias = grdEntradas->item(f, Dias);
        lineas << dias->data(Comentarios).toStringList();
        const bool igual = dias->data(CamposLeidos).toStringList() == campos(f);
        lineas << (igual ? dias->data(Original).toString() : linea(f));
    }
    lineas << finales_;
    return lineas.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

AgendaLeida frmAgenda::leida() const {
    AgendaLeida a;
    a.agenda = LeerAgenda(Texto().toStdString());
    a.carpeta = QFileInfo(ruta_).absolutePath();
    for (const ErrorAgenda& e : a.agenda.errores)
        a.errores << QStringLiteral("Fila %1: %2").arg(e.linea).arg(deTexto(e.motivo));
    return a;
}

QStringList frmAgenda::puertosPorOmision() const {
    return {LeerAjustes().Puerto};
}

bool frmAgenda::Revisar() {
    const AgendaLeida a = leida();
    QStringList dicho = a.errores;
    if (dicho.isEmpty())
        for (const QString& h : RevisarEntradas(a, puertosPorOmision()))
            dicho << enFilas(h);
    txtRevision->setPlainText(dicho.isEmpty() ? QStringLiteral("Revisada: todo bien")
                                              : dicho.join(QLatin1Char('\n')));
    conErrores_ = !a.errores.isEmpty();
    return a.errores.isEmpty();
}

bool frmAgenda::Grabar() {
    if (!Revisar()) {
        plataforma_.Aviso(
            this, QStringLiteral("Agenda"),
            QStringLiteral("La agenda no se grabo: hay filas que no son entradas.\n") +
                txtRevision->toPlainText(),
            QMessageBox::Warning);
        return false;
    }
    const QString revision = txtRevision->toPlainText();
    if (revision != QLatin1String("Revisada: todo bien")) {
        const QStringList h = revision.split(QLatin1Char('\n'));
        const QString lista =
            h.mid(0, MaxHallazgosEnLaCaja).join(QLatin1Char('\n')) +
            (h.size() > MaxHallazgosEnLaCaja
                 ? QStringLiteral("\ny %1 mas").arg(h.size() - MaxHallazgosEnLaCaja)
                 : QString());
        if (!plataforma_.Pregunta(this, QStringLiteral("Agenda"),
                                  QStringLiteral("La agenda tiene observaciones:\n") + lista +
                                      QStringLiteral("\nDesea Grabarla igual?"),
                                  QMessageBox::Warning))
            return false;
    }
    const QFileInfo ahora(ruta_);
    const bool otro = ahora.exists()
                          ? ahora.lastModified() != leido_ || ahora.size() != tamanoLeido_
                          : leido_.isValid();
    if (otro && !plataforma_.Pregunta(this, QStringLiteral("Agenda"),
                                      QStringLiteral("La agenda cambio en el disco desde que se "
                                                     "abrio.\nDesea Grabarla igual? Se pierde lo "
                                                     "que cambio alli."),
                                      QMessageBox::Warning))
        return false;
    QDir().mkpath(QFileInfo(ruta_).absolutePath());
    const QString error =
        EscribirArchivo(ruta_, TextoArchivo()
                                   .replace(QLatin1Char('\n'), QLatin1String(FinDeLinea))
                                   .toUtf8()
                                   .toStdString())
            .value_or(QString());
    if (!error.isEmpty()) {
        plataforma_.Aviso(this, QStringLiteral("Agenda"),
                          QStringLiteral("La agenda no se grabo: ") + error, QMessageBox::Warning);
        return false;
    }
    GuardarRutaAgenda(ruta_);
    leido_ = QFileInfo(ruta_).lastModified();
    tamanoLeido_ = QFileInfo(ruta_).size();
    cambiado_ = false;
    actualizar();
    txtRevision->appendPlainText(QStringLiteral("Agenda grabada"));
    return true;
}

void frmAgenda::mover(int paso) {
    const int fila = grdEntradas->currentRow(), otra = fila + paso;
    if (fila < 0 || otra < 0 || otra >= grdEntradas->rowCount())
        return;
    const bool antes = std::exchange(llenando_, true);
    for (int c = 0; c < 4; ++c) {
        QTableWidgetItem* a = grdEntradas->takeItem(fila, c);
        grdEntradas->setItem(fila, c, grdEntradas->takeItem(otra, c));
        grdEntradas->setItem(otra, c, a);
    }
    llenando_ = antes;
    grdEntradas->setCurrentCell(otra, grdEntradas->currentColumn());
    cambiado_ = true;
    actualizar();
}

// A message beside the agenda is named from its folder, so the two can move together.
void frmAgenda::elegirMensaje() {
    const int fila = grdEntradas->currentRow();
    if (fila < 0)
        return;
    const QDir carpeta = QFileInfo(ruta_).absoluteDir();
    DialogoArchivo d;
    d.filtro = FiltroMensajes;
    d.carpeta = carpeta.absolutePath();
    const auto elegido = plataforma_.ElegirArchivo(this, d);
    if (!elegido)
        return;
    const QString relativa = carpeta.relativeFilePath(elegido->ruta);
    grdEntradas->item(fila, Mensaje)
        ->setText(relativa.startsWith(QLatin1String("..")) ? QDir::toNativeSeparators(elegido->ruta)
                                                           : relativa);
}

// Asked only with changes; false when the operator said Yes and the agenda was not written,
// so that nothing is lost behind the operator's back.
bool frmAgenda::PreguntarGrabar() {
    return !cambiado_ ||
           !plataforma_.Pregunta(this, QStringLiteral("Agenda"),
                                 QStringLiteral("Hay cambios en la agenda\rDesea Grabarlos?"),
                                 QMessageBox::Information) ||
           Grabar();
}

void frmAgenda::elegirArchivo() {
    if (!PreguntarGrabar())
        return;
    DialogoArchivo d;
    d.filtro = QStringLiteral("Agendas(*.txt)|*.txt|Todos los Archivos(*.*)|*.*");
    d.carpeta = QFileInfo(AgendaPorOmision()).absolutePath(); // where the service's agenda is
    if (const auto elegido = plataforma_.ElegirArchivo(this, d)) {
        Cargar(elegido->ruta);
        GuardarRutaAgenda(elegido->ruta);
    }
}

// After every change: the title, the signs and the week of the one chosen, lines that are not
// entries as soon as they are, and the service.
void frmAgenda::actualizar() {
    setWindowModified(cambiado_);
    const AgendaLeida a = leida();
    const QStringList carteles = Carteles(a.agenda, puertosPorOmision());
    QStringList vistos;
    for (int i = 0; i < cboCartel->count(); ++i)
        vistos << cboCartel->itemText(i);
    if (vistos != carteles) {
        const QString elegido = cboCartel->currentText();
        const QSignalBlocker quieto(cboCartel);
        cboCartel->clear();
        cboCartel->addItems(carteles);
        cboCartel->setCurrentIndex(std::max<int>(0, int(carteles.indexOf(elegido))));
    }
    cboCartel->setVisible(carteles.size() > 1);
    semana->Mostrar(a.agenda, carteles.size() > 1
                                  ? DelCartel(cboCartel->currentText(), puertosPorOmision())
                                  : Aplica());
    if (!a.errores.isEmpty()) {
        txtRevision->setPlainText(a.errores.join(QLatin1Char('\n')));
        conErrores_ = true;
    } else if (conErrores_) {
        txtRevision->setPlainText(
            QStringLiteral("Sin errores de escritura: Revisar revisa los mensajes y los puertos"));
        conErrores_ = false;
    }
    lblServicio->setText(EstadoServicio(a.agenda));
}

QString frmAgenda::EstadoServicio(const Agenda& agenda) const {
    const QStringList puertos = Carteles(agenda, puertosPorOmision()) + puertosPorOmision();
    const QString esta = QFileInfo(ruta_).absoluteFilePath();
    for (const QString& p : puertos) {
        const AgendaViva viva = AgendaEnPuerto(p);
        if (!viva.proceso)
            continue;
        const QString quien =
            viva.proceso > 0 ? QStringLiteral("proceso %1, ").arg(viva.proceso) : QString();
        if (viva.agenda.isEmpty() || viva.agenda == esta)
            return QStringLiteral("La agenda esta en marcha (%1puerto %2): toma los cambios en un "
                                  "minuto, una vez grabados.")
                .arg(quien, p);
        return QStringLiteral("Otra agenda esta en marcha en el puerto %1 (%2%3): esta no se "
                              "envia mientras aquella lo use.")
            .arg(p, quien, QDir::toNativeSeparators(viva.agenda));
    }
    const QString otra = esta == QFileInfo(AgendaPorOmision()).absoluteFilePath()
                             ? QString()
                             : QStringLiteral(" El servicio envia la agenda %1, no esta.")
                                   .arg(QDir::toNativeSeparators(AgendaPorOmision()));
#ifdef Q_OS_WIN
    return QStringLiteral("La agenda no esta en marcha. Para que empiece al entrar en Windows, "
                          "instale Brelo con la casilla \"Iniciar la agenda al entrar en "
                          "Windows\" (o vea LEAME.txt).") +
           otra;
#else
    return QStringLiteral("La agenda no esta en marcha. Para que envie sola, tambien tras "
                          "reiniciar: systemctl --user enable --now brelo-agenda") +
           otra;
#endif
}

void frmAgenda::reject() {
    if (!PreguntarGrabar())
        return;
    QDialog::reject();
}

} // namespace brelo
