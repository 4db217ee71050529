#include "ui/editor/FraMensaje.h"

#include "ui/editor/CajaMensaje.h"
#include "ui/editor/LineaElidida.h"
#include "ui/editor/ListaPaginas.h"
#include "ui/editor/VistaCartel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace brelo {

namespace {

// Courier New where installed; fontconfig gives its metric twin Liberation Mono otherwise.
QFont fuenteFija(int puntos, bool negrita) {
    QFont f;
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(puntos);
    f.setBold(negrita);
    return f;
}

QLineEdit* campoSoloLectura(int ancho) {
    auto* c = new QLineEdit;
    c->setReadOnly(true);
    c->setFocusPolicy(Qt::NoFocus);
    c->setAlignment(Qt::AlignCenter);
    c->setFixedWidth(ancho);
    return c;
}

QToolButton* botonImagen(const QString& nombre, const QString& pista, const QString& icono) {
    auto* b = new QToolButton;
    b->setObjectName(nombre);
    b->setToolTip(pista);
    b->setIcon(QIcon(icono));
    b->setIconSize(QSize(20, 20));
    b->setAutoRaise(false);
    return b;
}

} // namespace

// ---- building the frame ----

void FraMensaje::construir() {
    auto* columnas = new QGridLayout(this);
    columnas->setContentsMargins(0, 0, 0, 0);
    columnas->addWidget(grupoMensaje(), 0, 0, 1, 2);
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(grupoEntrada());
    izquierda->addWidget(grupoSalida());
    izquierda->addWidget(grupoEspeciales());
    izquierda->addStretch();
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(grupoUbicacion());
    derecha->addWidget(grupoEdicion());
    derecha->addWidget(grupoMemoria());
    derecha->addStretch();
    columnas->addLayout(izquierda, 1, 0);
    columnas->addLayout(derecha, 1, 1);
    columnas->addWidget(grupoVista(), 2, 0, 1, 3);
    columnas->addWidget(grupoPaginas(), 0, 2, 2, 1);
    columnas->setColumnStretch(0, 1);
}

QWidget* FraMensaje::grupoMensaje() {
    auto* g = new QGroupBox(QStringLiteral("Mensaje"));
    txtMensaje = new CajaMensaje;
    txtMensaje->setObjectName(QStringLiteral("txtMensaje"));
    txtMensaje->setFont(fuenteFija(15, true));
    auto* l = new QVBoxLayout(g);
    l->addWidget(txtMensaje);
    return g;
}

QWidget* FraMensaje::grupoEntrada() {
    auto* g = new QGroupBox(QStringLiteral("Efecto de Entrada"));
    cboEfe = new QComboBox;
    cboEfe->setObjectName(QStringLiteral("cboEfe"));
    cboEfe->setFont(fuenteFija(9, false));
    cboPausa = new QComboBox;
    cboPausa->setObjectName(QStringLiteral("cboPausa"));
    optLeft = new QRadioButton(QStringLiteral("Alinear Izquierda"));
    optLeft->setObjectName(QStringLiteral("optLeft"));
    optCenter = new QRadioButton(QStringLiteral("Centrado"));
    optCenter->setObjectName(QStringLiteral("optCenter"));
    auto* l = new QGridLayout(g);
    l->addWidget(new QLabel(QStringLiteral("Efecto ")), 0, 0);
    l->addWidget(cboEfe, 0, 1, 1, 2);
    l->addWidget(new QLabel(QStringLiteral("Pausa Despues")), 1, 0);
    l->addWidget(cboPausa, 1, 1);
    l->addWidget(new QLabel(QStringLiteral("Alineacion")), 2, 0);
    l->addWidget(optLeft, 2, 1);
    l->addWidget(optCenter, 2, 2);
    l->setColumnStretch(2, 1);
    return g;
}

QWidget* FraMensaje::grupoSalida() {
    auto* g = new QGroupBox(QStringLiteral("Efecto de Salida"));
    cboEfeOut = new QComboBox;
    cboEfeOut->setObjectName(QStringLiteral("cboEfeOut"));
    cboEfeOut->setFont(fuenteFija(9, false));
    auto* l = new QGridLayout(g);
    l->addWidget(new QLabel(QStringLiteral("Efecto ")), 0, 0);
    l->addWidget(cboEfeOut, 0, 1);
    l->setColumnStretch(2, 1);
    return g;
}

QWidget* FraMensaje::grupoUbicacion() {
    auto* g = new QGroupBox(QStringLiteral("Ubicacion Linea"));
    txtPag = campoSoloLectura(40);
    txtPag->setObjectName(QStringLiteral("txtPag"));
    txtDe = campoSoloLectura(40);
    txtDe->setObjectName(QStringLiteral("txtDe"));
    auto* l = new QHBoxLayout(g);
    l->addWidget(txtPag);
    l->addWidget(new QLabel(QStringLiteral("de")));
    l->addWidget(txtDe);
    l->addStretch();
    return g;
}

QWidget* FraMensaje::grupoEdicion() {
    auto* g = new QGroupBox(QStringLiteral("Edicion"));
    cmdPagFirst = botonImagen(QStringLiteral("cmdPagFirst"), QStringLiteral("Primera Pagina"),
                              QStringLiteral(":/iconos/primera.svg"));
    cmdPagUp = botonImagen(QStringLiteral("cmdPagUp"), QStringLiteral("Pagina Anterior"),
                           QStringLiteral(":/iconos/anterior.svg"));
    cmdPagDwn = botonImagen(QStringLiteral("cmdPagDwn"), QStringLiteral("Proxima Pagina"),
                            QStringLiteral(":/iconos/proxima.svg"));
    cmdPagLast = botonImagen(QStringLiteral("cmdPagLast"), QStringLiteral("Ultima Pagina"),
                             QStringLiteral(":/iconos/ultima.svg"));
    cmdGtoPag = botonImagen(QStringLiteral("cmdGtoPag"), QStringLiteral("Ir a Pagina"),
                            QStringLiteral(":/iconos/ir.svg"));
    cmdInsertar = botonImagen(QStringLiteral("cmdInsertar"), QStringLiteral("Insertar Pagina"),
                              QStringLiteral(":/iconos/insertar.svg"));
    cmdBorro = botonImagen(QStringLiteral("cmdBorro"), QStringLiteral("Borrar Pagina Actual"),
                           QStringLiteral(":/iconos/borrar.svg"));
    txtGoto = new QLineEdit;
    txtGoto->setObjectName(QStringLiteral("txtGoto"));
    txtGoto->setFixedWidth(48);
    auto* l = new QGridLayout(g);
    int columna = 0;
    for (QToolButton* b : {cmdPagFirst, cmdPagUp, cmdPagDwn, cmdPagLast})
        l->addWidget(b, 0, columna++);
    l->addWidget(cmdInsertar, 0, 5);
    l->addWidget(cmdBorro, 0, 6);
    l->addWidget(new QLabel(QStringLiteral("Nro Pagina")), 1, 0, 1, 3);
    l->addWidget(txtGoto, 1, 3, 1, 2);
    l->addWidget(cmdGtoPag, 1, 5);
    l->setColumnMinimumWidth(4, 8);
    l->setColumnStretch(7, 1);
    return g;
}

QWidget* FraMensaje::grupoMemoria() {
    auto* g = new QGroupBox(QStringLiteral("Memoria Restante"));
    txtBytes = campoSoloLectura(64);
    txtBytes->setObjectName(QStringLiteral("txtBytes"));
    txtBytes->setText(QStringLiteral("8192"));
    auto* l = new QHBoxLayout(g);
    l->addWidget(txtBytes);
    l->addWidget(new QLabel(QStringLiteral("Bytes")));
    l->addStretch();
    return g;
}

QWidget* FraMensaje::grupoEspeciales() {
    auto* g = new QGroupBox(QStringLiteral("Caracteres Especiales"));
    cboEsp = new QComboBox;
    cboEsp->setObjectName(QStringLiteral("cboEsp"));
    cmdIngEsp =
        botonImagen(QStringLiteral("cmdIngEsp"), QStringLiteral("Insertar Caracter en Texto"),
                    QStringLiteral(":/iconos/caracter.svg"));
    auto* l = new QHBoxLayout(g);
    l->addWidget(cboEsp);
    l->addWidget(cmdIngEsp);
    l->addStretch();
    return g;
}

QWidget* FraMensaje::grupoVista() {
    auto* g = new QGroupBox(QStringLiteral("Vista del Cartel"));
    vista = new VistaCartel(plataforma_);
    // One line: many findings never squash the controls above.
    lblVista = new LineaElidida;
    lblVista->setObjectName(QStringLiteral("lblVista"));
    cmdVerMensaje = new QPushButton(QStringLiteral("Ver Mensaje"));
    cmdVerMensaje->setObjectName(QStringLiteral("cmdVerMensaje"));
    auto* l = new QGridLayout(g);
    l->addWidget(vista, 0, 0, 1, 2);
    l->addWidget(lblVista, 1, 0);
    l->addWidget(cmdVerMensaje, 1, 1, Qt::AlignTop);
    l->setColumnStretch(0, 1);
    return g;
}

QWidget* FraMensaje::grupoPaginas() {
    auto* g = new QGroupBox(QStringLiteral("Paginas"));
    grpPaginas = g;
    lstPaginas = new ListaPaginas;
    lstPaginas->setMinimumWidth(200);
    const auto boton = [](const char* nombre, const char* texto, const char* pista) {
        auto* b = new QToolButton;
        b->setObjectName(QLatin1String(nombre));
        b->setText(QLatin1String(texto));
        b->setToolTip(QLatin1String(pista));
        return b;
    };
    cmdSubir = boton("cmdSubir", "Subir", "Subir la pagina (Alt+Arriba)");
    cmdBajar = boton("cmdBajar", "Bajar", "Bajar la pagina (Alt+Abajo)");
    cmdDuplicar = boton("cmdDuplicar", "Duplicar", "Duplicar la pagina (Ctrl+D)");
    auto* botones = new QHBoxLayout;
    for (QToolButton* b : {cmdSubir, cmdBajar, cmdDuplicar})
        botones->addWidget(b);
    auto* l = new QVBoxLayout(g);
    l->addWidget(lstPaginas);
    l->addLayout(botones);
    return g;
}

void FraMensaje::conectar() {
    connect(cmdVerMensaje, &QPushButton::clicked, this, &FraMensaje::cmdVerMensaje_Click);
    connect(lstPaginas, &ListaPaginas::Elegida, this, &FraMensaje::lstPaginas_Elegida);
    connect(lstPaginas, &ListaPaginas::Movida, this, &FraMensaje::MoverPagina);
    connect(cmdSubir, &QToolButton::clicked, this, &FraMensaje::cmdSubir_Click);
    connect(cmdBajar, &QToolButton::clicked, this, &FraMensaje::cmdBajar_Click);
    connect(cmdDuplicar, &QToolButton::clicked, this, &FraMensaje::cmdDuplicar_Click);
    connect(vista, &VistaCartel::FinReproduccion, this, &FraMensaje::actualizarVista);
    connect(vista, &VistaCartel::EnPagina, this, &FraMensaje::vistaEnPagina);
    connect(cboEfe, &QComboBox::activated, this, &FraMensaje::cboEfe_Activated);
    connect(cboEfeOut, &QComboBox::activated, this, &FraMensaje::cboEfeOut_Activated);
    connect(cboPausa, &QComboBox::activated, this, &FraMensaje::cboPausa_Activated);
    connect(txtMensaje, &QLineEdit::textChanged, this, &FraMensaje::txtMensaje_Change);
    connect(txtMensaje, &QLineEdit::textChanged, this, &FraMensaje::txtMensaje_Edited);
    connect(txtMensaje, &CajaMensaje::Filtrada, this, &FraMensaje::txtMensaje_Filtrada);
    connect(optLeft, &QRadioButton::clicked, this, &FraMensaje::optLeft_Click);
    connect(optCenter, &QRadioButton::clicked, this, &FraMensaje::optCenter_Click);
    connect(cmdPagFirst, &QToolButton::clicked, this, &FraMensaje::cmdPagFirst_Click);
    connect(cmdPagUp, &QToolButton::clicked, this, &FraMensaje::cmdPagUp_Click);
    connect(cmdPagDwn, &QToolButton::clicked, this, &FraMensaje::cmdPagDwn_Click);
    connect(cmdPagLast, &QToolButton::clicked, this, &FraMensaje::cmdPagLast_Click);
    connect(cmdGtoPag, &QToolButton::clicked, this, &FraMensaje::cmdGtoPag_Click);
    connect(txtGoto, &QLineEdit::returnPressed, this, &FraMensaje::cmdGtoPag_Click);
    connect(cmdInsertar, &QToolButton::clicked, this, &FraMensaje::cmdInsertar_Click);
    connect(cmdBorro, &QToolButton::clicked, this, &FraMensaje::cmdBorro_Click);
    connect(cmdIngEsp, &QToolButton::clicked, this, &FraMensaje::cmdIngEsp_Click);
}

} // namespace brelo
