#include "editor/FraMensaje.h"
#include "link/ajustes.h"
#include "link/espera.h"
#include "link/puertoserie.h"
#include "protocol/frmDate.h"
#include "protocol/frmSend.h"
#include "shell/FrmMain.h"
#include "support/ajustesprueba.h"
#include "support/plataformaguion.h"
#include "support/socat.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace brelo;

// The window's own dialogs sending through a real pseudo-terminal named in the settings.
class TstEnvioReal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }
    void mensajeYHora();
};

void TstEnvioReal::mensajeYHora() {
    ParSocat par;
    QVERIFY(par.listo());
    Ajustes a;
    a.Puerto = par.programa();
    a.DY1 = "10";
    a.DY2 = "01";
    GuardarAjustes(a);
    PuertoSerie puerto;
    EsperaReal espera;
    PlataformaGuion p;
    p.puertoReal = &puerto;
    p.esperaReal = &espera;
    FrmMain v(p);
    QVERIFY(puerto.PortOpen());

    v.Nuevo_Click();
    v.mensaje().cargarPaginas({{"HOLA", 3, 5, 2, 1}, {" Hora 00:00:00 ", 12, 0, 0, 0}});
    v.fraMensaje()->RefMensaje();
    frmSend envio(v);
    QSignalSpy cerrado(&envio, &QDialog::finished);
    envio.cmdOK_Click();
    QVERIFY(cerrado.wait(10000));
    QCOMPARE(envio.StatusBar1->text(), QString("Mensaje enviado OK!"));
    const QByteArray trama =
        QByteArray::fromHex("572D4E5439DF91202020202020484F4C41202020202020C5D6C1A0A0A0A0A00101");
    QCOMPARE(par.Leer(trama.size()), trama);

    p.ahora = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    frmDate hora(v);
    QSignalSpy cerrada(&hora, &QDialog::finished);
    hora.cmdOK_Click();
    QVERIFY(cerrada.wait(10000));
    QCOMPARE(par.Leer(trama.size() + 14).mid(trama.size()),
             QByteArray::fromHex("572D4E5439B02359593112260101"));
}

QTEST_MAIN(TstEnvioReal)
#include "tst_envioReal.moc"
