// Retakes the screenshots of the README and the operator's guide: the real windows, drawn by
// the platform the program runs on (Xvfb in docs/capturas.sh), saved as PNG files.
//   capturas CARPETA

#include "link/agendaarchivo.h"
#include "link/ajustes.h"
#include "link/files/escritura.h"
#include "link/puerto.h"
#include "ui/agenda/frmAgenda.h"
#include "ui/dialogs/frmAcerca.h"
#include "ui/dialogs/frmDate.h"
#include "ui/dialogs/frmOpciones.h"
#include "ui/dialogs/frmSend.h"
#include "ui/dialogs/frmSendTxt.h"
#include "ui/editor/FraMensaje.h"
#include "ui/platform/PlataformaReal.h"
#include "ui/window/BarraEstado.h"
#include "ui/window/FrmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

using namespace brelo;

namespace {

void guardar(QWidget& w, const QDir& carpeta, const QString& nombre) {
    w.show();
    w.activateWindow();
    QApplication::processEvents();
    QTimer espera;
    espera.start(300);
    while (espera.remainingTime() > 0)
        QApplication::processEvents();
    w.grab().save(carpeta.filePath(nombre + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QDir carpeta(app.arguments().value(1, QStringLiteral(".")));
    PlataformaReal plataforma;
    FrmMain v(plataforma);
    v.resize(980, 600);
    // The port opened is a pseudo-terminal of docs/capturas.sh; the pictures show the one an
    // operator would have.
    v.ajustes().Puerto = QStringLiteral("/dev/ttyUSB0");
    v.StatusBar1()->PonerPanel(1, TextoLinea(v.ajustes()));
    v.Nuevo_Click();
    v.mensaje().cargarPaginas({{"OFERTA DEL DIA", 0, 0, 2, 1},
                               {" Hora 00:00:00 ", 12, 0, 0, 0},
                               {"PAN CALIENTE", 3, 4, 0, 2},
                               {"\xA1Oferta en \xC1rboles de Navidad!", 1, 0, 0, 0}});
    v.mensaje().NomArchivo = "ofertas.mn2";
    v.StatusBar1()->PonerPanel(2, QStringLiteral("ofertas.mn2"));
    v.fraMensaje()->RefMensaje();
    guardar(v, carpeta, QStringLiteral("principal"));
    v.fraMensaje()->cmdPagDwn_Click();
    guardar(v, carpeta, QStringLiteral("especial"));
    // The same on a dark theme, as a desktop's dark colour scheme gives it to Qt.
    const QPalette claro = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(53, 53, 53)));
    guardar(v, carpeta, QStringLiteral("especial-oscuro"));
    v.fraMensaje()->cmdPagUp_Click();
    guardar(v, carpeta, QStringLiteral("principal-oscuro"));
    QApplication::setPalette(claro);
    v.fraMensaje()->cmdPagDwn_Click();
    v.fraMensaje()->cmdPagDwn_Click();
    guardar(v, carpeta, QStringLiteral("efecto"));
    v.fraMensaje()->cmdPagDwn_Click();
    guardar(v, carpeta, QStringLiteral("vista"));
    QApplication::setPalette(QPalette(QColor(53, 53, 53)));
    guardar(v, carpeta, QStringLiteral("vista-oscuro"));
    QApplication::setPalette(claro);

    frmSend envio(v);
    envio.StatusBar1->setText(QStringLiteral("Enviando ...42% [64]"));
    guardar(envio, carpeta, QStringLiteral("envio"));
    frmSendTxt salida(v);
    guardar(salida, carpeta, QStringLiteral("salida"));
    frmDate fecha(v);
    guardar(fecha, carpeta, QStringLiteral("fecha"));
    frmOpciones opciones(v.ajustes(), &v);
    guardar(opciones, carpeta, QStringLiteral("opciones"));
    frmAcerca acerca(v.VerApp, &v);
    guardar(acerca, carpeta, QStringLiteral("acerca"));

    // The agenda of a shop, its messages beside it in the settings folder of docs/capturas.sh.
    const QDir ajustes = QFileInfo(AgendaPorOmision()).dir();
    ajustes.mkpath(QStringLiteral("."));
    for (const char* m : {"manana", "almuerzo", "finde", "cerrado"})
        EscribirArchivo(ajustes.filePath(QLatin1String(m) + QStringLiteral(".mn2")),
                        "0,0,0,\"" + std::string(m) + "\",0\r\n");
    EscribirArchivo(AgendaPorOmision(), "lun-vie 08:00 manana.mn2\nlun-vie 13:00 almuerzo.mn2\n"
                                        "sab,dom 09:30 finde.mn2 tcp://192.0.2.10:4001\n"
                                        "todos 21:00 cerrado.mn2\ntodos 04:00 hora\n");
    GuardarRutaAgenda(AgendaPorOmision());
    frmAgenda agenda(plataforma, &v);
    agenda.lblArchivo->setText(QStringLiteral("/home/operador/.config/Brelo2/agenda.txt"));
    agenda.Revisar();
    agenda.grdEntradas->selectRow(1);
    guardar(agenda, carpeta, QStringLiteral("agenda"));
    QApplication::setPalette(QPalette(QColor(53, 53, 53)));
    guardar(agenda, carpeta, QStringLiteral("agenda-oscuro"));
    QApplication::setPalette(claro);
    return 0;
}
