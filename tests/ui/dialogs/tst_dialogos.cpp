// The three dialogs that send a message or the clock to the sign, or write the stream to
// "Salida.txt": their progress, their pauses, their ways to cancel and their failures.

#include "support/banco.h"
#include "ui/dialogs/frmDate.h"
#include "ui/dialogs/frmSend.h"
#include "ui/dialogs/frmSendTxt.h"

#include <QLabel>
#include <QPushButton>

#include <csignal>

using namespace brelo;
using B = QByteArray;

namespace {
// Starts a dialog's transfer and runs it to byte hasta, or to its end, noting the status text
// at each pause and at the end.
QStringList correr(Banco& b, DialogoCartel& d, int hasta = INT_MAX) {
    d.show();
    d.cmdOK->click();
    const auto acabado = [&d] { return !d.isVisible(); };
    QStringList textos;
    for (bool parado = b.p.reloj.parado(acabado);; parado = b.p.reloj.seguir(acabado)) {
        textos << d.StatusBar1->text();
        if (!parado || int(textos.size()) == hasta)
            return textos;
    }
}

// clang-format off
// archivo null: the example, closed; empty: a new message. falla: the Output that fails.
// cancela after byte en: 1 with Cancelar, 2 with Escape, 3 closing the window. textos: the last
// status texts.
struct Envio { const char* nombre; QByteArray archivo; int falla, cancela, en; QStringList textos; QByteArray escrito; };

const Envio Envios[] = {
    {"enviado", ArchivoEjemplo, -1, 0, 0, {"Enviando ...96% [33]", "Enviando ...100% [33]", "Mensaje enviado OK!"}, TramaEjemplo},
    {"sin mensaje", B(), -1, 0, 0, {"Error #21, No Hay mensaje cargado"}, ""},
    {"sin texto", "", -1, 0, 0, {"Error #21, No Hay mensaje cargado"}, ""},
    {"escritura 10", ArchivoEjemplo, 9, 0, 0, {"Enviando ...27% [33]", "Error #22, No se envio el Mensaje"}, TramaEjemplo.left(9)},
    {"puerto cerrado", ArchivoEjemplo, 0, 0, 0, {"Error #22, No se envio el Mensaje"}, ""},
    {"alineacion desconocida", "0,0,0,\"libre\",0\r\n3,0,1,\"corta\",0\r\n", -1, 0, 0, {"Error #22, No se envio el Mensaje"}, ""},
    {"Cancelar antes de enviar", ArchivoEjemplo, -1, 1, 0, {""}, ""},
    {"Cancelar en la cabecera", ArchivoEjemplo, -1, 1, 3, {"Enviando ...9% [33]", "Mensaje Cancelado..."}, TramaEjemplo.left(3) + "\x01\x01"},
    {"Escape en el cuerpo", ArchivoEjemplo, -1, 2, 20, {"Mensaje Cancelado..."}, TramaEjemplo.left(20) + "\x01\x01"},
    {"cierre de la ventana", ArchivoEjemplo, -1, 3, 20, {"Mensaje Cancelado..."}, TramaEjemplo.left(20) + "\x01\x01"},
};
// clang-format on
} // namespace

Q_DECLARE_METATYPE(Envio)

class TstDialogos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { AjustesDePrueba(); }

    // The whole message paced by the default delays; nothing to send, a failing line, a page
    // the filter cannot fit, with no terminator after the bytes already written; and the ways
    // to cancel, each seen after the current byte and its pause, with the terminator.
    void enviar_data() { Filas(Envios); }
    void enviar() {
        QFETCH(Envio, caso);
        Banco b;
        b.abrir("m.mn2", caso.archivo.isEmpty() ? ArchivoEjemplo : caso.archivo);
        if (caso.archivo.isNull())
            b.v.cerrar_Click(); // closed, its pages still in the model
        else if (caso.archivo.isEmpty())
            b.v.Nuevo_Click();
        b.p.puerto.fallaEnEscritura = caso.falla;
        b.p.esperas.clear();
        frmSend d(b.v);
        d.show();
        QStringList textos{d.StatusBar1->text()};
        if (!caso.cancela || caso.en)
            textos = correr(b, d, caso.cancela ? caso.en : INT_MAX);
        // clang-format off
        const std::function<void()> cancelar[] = {[] {}, [&] { d.Command2->click(); }, [&] { QTest::keyClick(&d, Qt::Key_Escape); }, [&] { d.close(); }};
        // clang-format on
        if (caso.en)
            d.cmdOK->click(); // a second press starts nothing
        cancelar[caso.cancela]();
        if (d.isVisible()) {
            while (b.p.reloj.seguir([&d] { return !d.isVisible(); })) {
            }
            textos << d.StatusBar1->text();
        }
        QCOMPARE(textos.mid(textos.size() - caso.textos.size()), caso.textos);
        QCOMPARE(b.p.puerto.escrito(), caso.escrito);
        const int enviados = caso.cancela ? caso.en : int(caso.escrito.size());
        QCOMPARE(b.p.reloj.pausas, (QList<double>(5, 200) + QList<double>(28, 5)).mid(0, enviados));
        QCOMPARE(b.p.esperas, QList<double>(caso.cancela && !caso.en ? 0 : 1, 1));
        QVERIFY(!d.isVisible());
    }

    // Two bytes the line holds up: the dialog says so each time, and shows the progress again
    // once each has gone. Through an adapter the dialog waits, and says so, until the adapter has
    // acknowledged every byte. (The port is looked at 4 s apart.) A write given up by Cancelar
    // shows no progress again: the warning stays until the end.
    void lineaDetenida() {
        for (const bool cancelar : {false, true}) {
            Banco b;
            b.abrir("m.mn2", ArchivoEjemplo);
            b.p.puerto.retener = cancelar ? QList<int>{2, 3} : QList<int>{2, 6};
            b.p.puerto.vueltas = cancelar ? -1 : 2;
            b.p.puerto.sinConfirmar = {30, 30, 20, 20, 10, 10, 10};
            b.p.puerto.alPreguntar = [&b] {
                b.p.reloj.DormirHasta(b.p.reloj.Ahora() + 4000000000, [] { return false; });
            };
            frmSend d(b.v);
            const auto t = d.findChild<Transferencia*>();
            const auto detenidas = Contar(t, &Transferencia::Detenida);
            QStringList textos = correr(b, d, cancelar ? 10 : INT_MAX);
            if (cancelar) {
                QCOMPARE(textos.last(), "Aviso: la linea no acepta datos; se sigue esperando");
                const auto avances = Contar(t, &Transferencia::Progreso);
                d.Command2->click();
                while (b.p.reloj.seguir([&d] { return !d.isVisible(); }))
                    textos << d.StatusBar1->text();
                textos << d.StatusBar1->text();
                QCOMPARE(textos.mid(10).filter("Enviando"), QStringList());
                QCOMPARE(*avances, 0);
                QCOMPARE(textos.last(), "Error #22, No se envio el Mensaje");
                continue;
            }
            QCOMPARE(textos.mid(9, 2).join('|'), "Aviso: la linea no acepta datos; se sigue "
                                                 "esperando|Enviando ...21% [33]");
            QCOMPARE(textos[37], "Enviado; esperando que el adaptador confirme los datos...");
            QCOMPARE(textos.last(), "Mensaje enviado OK!");
            QCOMPARE(*detenidas, 2);
        }
    }

#ifndef Q_OS_WIN // a console's stop on Windows: tst_windows
    // A logout (SIGTERM) during a transfer cancels it, the sign getting the terminator, and
    // then ends the program.
    void cierreDeSesion() {
        Banco b;
        b.v.show();
        b.abrir("m.mn2", ArchivoEjemplo);
        frmSend d(b.v);
        correr(b, d, 3);
        ::kill(::getpid(), SIGTERM);
        QTRY_VERIFY(d.Cancelado);
        QVERIFY(!b.p.reloj.seguir([&d] { return !d.isVisible(); })); // seen after this pause
        QCOMPARE(b.p.puerto.escrito(), Hex("572D4E 0101"));
        QTRY_VERIFY(!b.v.isVisible());
    }
#endif

    // Beside the message file, and again there after an Abrir that failed elsewhere; a failure
    // leaves the previous file whole. The dialog says where it went.
    void salida() {
        Banco b;
        b.abrir("m.mn2", B("0,0,0,\"DIGA \xFFSI\xFF\",0\r\n") + ArchivoEjemplo);
        const QString ok =
            "Archivo 'SALIDA.TXT' grabado OK! " + QDir::toNativeSeparators(b.ruta("Salida.txt"));
        frmSendTxt primero(b.v);
        QCOMPARE(correr(b, primero).last(), ok);
        QCOMPARE(b.leer("Salida.txt"),
                 "\"" + Hex("572D4E5439DF 90") + "DIGA \"SI\"" + TramaEjemplo.mid(6) + "\"\r\n");
        b.elegir("no/hay/m.mn2");
        b.v.Cargar_Click(); // an empty message, named nothing
        b.f.txtMensaje->setText("x");
        frmSendTxt segundo(b.v);
        QCOMPARE(correr(b, segundo).last(), ok);
        const B esperado = "\"" + Hex("572D4E5439DF 90 78 0101") + "\"\r\n";
        QCOMPARE(b.leer("Salida.txt"), esperado);
#ifndef Q_OS_WIN // no file size limit to set there
        b.f.txtMensaje->setText(QString(500, 'x'));
        frmSendTxt d(b.v);
        ConLimiteDeArchivo(100, [&] { d.cmdOK->click(); });
        QCOMPARE(d.StatusBar1->text(), QString("Error #22, No se envio el Mensaje"));
        QCOMPARE(b.leer("Salida.txt"), esperado);
#endif
    }

    void hora() {
        Banco b;
        b.v.ajustes().DY1 = "3000000000"; // held to the longest pause, with a warning
        b.v.ajustes().DY2 = "02";
        frmDate d(b.v);
        QCOMPARE(d.Label4->text(), QString("Hora 09:05:07  Fecha 04/01/26"));
        const QStringList textos = correr(b, d);
        QCOMPARE(b.p.puerto.escrito(), Hex("572D4E5439 B0 090507040126 0101"));
        QCOMPARE(QStringList({textos[0], textos[6], textos.last()}),
                 QStringList({"Enviando Datos al CARTEL ...7%", "Enviando Datos al CARTEL ...50%",
                              "Mensaje enviado OK!"}));
        QCOMPARE(b.p.reloj.pausas, QList<double>(5, 60000) + QList<double>(9, 2));
        QCOMPARE(b.mostrados.value(0),
                 QString("ERR: Pausa de mas de 60000 ms en Opciones: se usa 60000 ms"));
    }
};

QTEST_MAIN(TstDialogos)
#include "tst_dialogos.moc"
