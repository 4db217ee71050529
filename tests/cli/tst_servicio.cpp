// The agenda service in this process, on a clock that jumps to each wake-up, sending to a real
// pseudo-terminal: days of an agenda in milliseconds, with daylight saving in an explicit
// zone, a port that fails and comes back, the file changed, and the clock set back.

#include "cli/agenda.h"
#include "cli/envio.h"
#include "core/protocol/fechahora.h"
#include "link/cerrojo.h"
#include "link/files/cargamensaje.h"
#include "link/reloj.h"
#include "link/resolutor.h"
#include "support/carpeta.h"
#include "support/pty.h"
#include "support/tabla.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QThread>
#include <QTimeZone>

#include <atomic>
#include <sstream>

using namespace brelo;

namespace {

// Each sleep of the agenda ends at once, its deadline reached; the transfers' pauses too.
class RelojSaltos final : public Reloj {
public:
    std::function<void()> alDespertar; // after each of the agenda's own sleeps
    qint64 Ahora() override { return ahora_; }
    void DormirHasta(qint64 hasta, const std::function<bool()>&) override {
        ahora_ = std::max<qint64>(ahora_, hasta);
        if (alDespertar && QThread::currentThread() == QCoreApplication::instance()->thread())
            alDespertar();
    }

private:
    std::atomic<qint64> ahora_ = 0;
};

// An agenda ("%1" the sign's port, "%2" a port that appears at the event "puerto"), the
// local time it starts at, the events at times of the wall clock ("HH:MM what:argument", a
// new text of the agenda or the clock moved by minutes), how long it runs in minutes of the
// transfer's clock, and each line it prints, as "MM-DD HH:MM text".
struct Escena {
    const char* nombre;
    QString agenda, inicio;
    QStringList eventos;
    int minutos;
    QString lineas;
};

// clang-format off
const Escena Escenas[] = {
    // Madrid: on Sunday 2026-03-29 the clocks go from 02:00 to 03:00.
    {"fin de semana con cambio de hora",
     "lun-vie 08:00 manana.mn2 %1\ntodos 21:00 cerrado.mn2 %1\nsab,dom 10:00 finde.mn2 %1\ntodos 04:00 hora %1\n",
     "2026-03-27 10:00", {}, 42 * 60,
     "03-27 10:00 Agenda AGENDA: 4 entradas\n"
     "03-27 10:00 Enviado manana.mn2 a PTY: 20 bytes en 0.0 s\n"
     "03-27 10:00 Proxima: vie 21:00 cerrado.mn2\n"
     "03-27 21:00 Enviado cerrado.mn2 a PTY: 16 bytes en 0.0 s\n"
     "03-27 21:00 Proxima: sab 04:00 hora\n"
     "03-28 04:00 Enviado la hora a PTY en 0.0 s\n"
     "03-28 04:00 Proxima: sab 10:00 finde.mn2\n"
     "03-28 10:00 Enviado finde.mn2 a PTY: 26 bytes en 0.0 s\n"
     "03-28 10:00 Proxima: sab 21:00 cerrado.mn2\n"
     "03-28 21:00 Enviado cerrado.mn2 a PTY: 16 bytes en 0.0 s\n"
     "03-28 21:00 Proxima: dom 04:00 hora\n"
     "03-29 04:00 Enviado la hora a PTY en 0.0 s\n"
     "03-29 04:00 Proxima: dom 10:00 finde.mn2\n"
     "03-29 05:00 Fin de la agenda\n"},
    // In autumn the hour from 02:00 comes twice, and so does the clock entry in it: the sign's
    // clock is set to the time it is each time; the message in force stays.
    {"otono",
     "todos 02:30 hora %1\ntodos 00:00 manana.mn2 %1\n",
     "2026-10-25 01:00", {}, 3 * 60,
     "10-25 01:00 Agenda AGENDA: 2 entradas\n"
     "10-25 01:00 Enviado manana.mn2 a PTY: 20 bytes en 0.0 s\n"
     "10-25 01:00 Proxima: dom 02:30 hora\n"
     "10-25 02:30 Enviado la hora a PTY en 0.0 s\n"
     "10-25 02:30 Proxima: lun 00:00 manana.mn2\n"
     "10-25 02:00 Proxima: dom 02:30 hora\n"
     "10-25 02:30 Enviado la hora a PTY en 0.0 s\n"
     "10-25 02:30 Proxima: lun 00:00 manana.mn2\n"
     "10-25 03:00 Fin de la agenda\n"},
    // Each sign its own week: the one on the port that is not there is tried again, until the
    // changed agenda no longer names it and lets it go.
    {"puerto dejado",
     "todos 00:00 manana.mn2 %1\ntodos 12:00 cerrado.mn2 %2\n",
     "2026-12-08 10:00", {"10:01 cerrojo:si", "10:02 agenda:todos 00:00 manana.mn2 %1", "10:04 cerrojo:no"}, 5,
     "12-08 10:00 Agenda AGENDA: 2 entradas\n"
     "12-08 10:00 Enviado manana.mn2 a PTY: 20 bytes en 0.0 s\n"
     "12-08 10:00 Fallo cerrado.mn2 a FALTA: Error #03, No se pudo iniciar el Puerto Serie: FALTA: no existe\n"
     "12-08 10:00 Otro intento a las 10:01\n"
     "12-08 10:00 Proxima: mar 12:00 cerrado.mn2\n"
     "12-08 10:01 Fallo cerrado.mn2 a FALTA: Error #03, No se pudo iniciar el Puerto Serie: FALTA: no existe\n"
     "12-08 10:01 Otro intento a las 10:03\n"
     "12-08 10:02 Agenda leida de nuevo: 1 entradas\n"
     "12-08 10:02 Proxima: mie 00:00 manana.mn2\n"
     "12-08 10:05 Fin de la agenda\n"},
    // Two signs, each with its week: both get what is in force for them at start, and at the
    // same minute each its own message.
    {"dos carteles",
     "todos 05:00 manana.mn2 %1\ntodos 06:00 cerrado.mn2 %3\ntodos 10:30 finde.mn2 %1\ntodos 10:30 manana.mn2 %3\n",
     "2026-12-08 10:00", {}, 35,
     "12-08 10:00 Agenda AGENDA: 4 entradas\n"
     "12-08 10:00 Enviado manana.mn2 a PTY: 20 bytes en 0.0 s\n"
     "12-08 10:00 Enviado cerrado.mn2 a PTY2: 16 bytes en 0.0 s\n"
     "12-08 10:00 Proxima: mar 10:30 finde.mn2\n"
     "12-08 10:30 Enviado finde.mn2 a PTY: 26 bytes en 0.0 s\n"
     "12-08 10:30 Enviado manana.mn2 a PTY2: 20 bytes en 0.0 s\n"
     "12-08 10:30 Proxima: mie 05:00 manana.mn2\n"
     "12-08 10:35 Fin de la agenda\n"},
    // A change that keeps the file's size is read all the same.
    {"mismo largo",
     "todos 00:00 finde.mn2 %1\n",
     "2026-12-08 10:00", {"10:05 agenda:todos 00:01 finde.mn2 %1\\n"}, 7,
     "12-08 10:00 Agenda AGENDA: 1 entradas\n"
     "12-08 10:00 Enviado finde.mn2 a PTY: 26 bytes en 0.0 s\n"
     "12-08 10:00 Proxima: mie 00:00 finde.mn2\n"
     "12-08 10:05 Agenda leida de nuevo: 1 entradas\n"
     "12-08 10:05 Enviado finde.mn2 a PTY: 26 bytes en 0.0 s\n"
     "12-08 10:05 Proxima: mie 00:01 finde.mn2\n"
     "12-08 10:07 Fin de la agenda\n"},
    {"puerto que vuelve, agenda cambiada, reloj atrasado",
     "todos 00:00 manana.mn2 %2\n",
     "2026-12-08 10:00", {"10:20 puerto", "10:30 agenda:todos 00:00 manana.mn2 %2\\ntodos 11:00 finde.mn2 %2", "10:40 agenda:lunes 9 x.mn2", "11:30 reloj:-120"}, 120,
     "12-08 10:00 Agenda AGENDA: 1 entradas\n"
     "12-08 10:00 Fallo manana.mn2 a FALTA: Error #03, No se pudo iniciar el Puerto Serie: FALTA: no existe\n"
     "12-08 10:00 Otro intento a las 10:01\n"
     "12-08 10:00 Proxima: mie 00:00 manana.mn2\n"
     "12-08 10:01 Fallo manana.mn2 a FALTA: Error #03, No se pudo iniciar el Puerto Serie: FALTA: no existe\n"
     "12-08 10:01 Otro intento a las 10:03\n"
     "12-08 10:03 Fallo manana.mn2 a FALTA: Error #03, No se pudo iniciar el Puerto Serie: FALTA: no existe\n"
     "12-08 10:03 Otro intento a las 10:08\n"
     "12-08 10:08 Fallo manana.mn2 a FALTA: Error #03, No se pudo iniciar el Puerto Serie: FALTA: no existe\n"
     "12-08 10:08 Otro intento a las 10:18\n"
     "12-08 10:18 Fallo manana.mn2 a FALTA: Error #03, No se pudo iniciar el Puerto Serie: FALTA: no existe\n"
     "12-08 10:18 Otro intento a las 10:28\n"
     "12-08 10:28 Enviado manana.mn2 a FALTA: 20 bytes en 0.0 s\n"
     "12-08 10:30 Agenda leida de nuevo: 2 entradas\n"
     "12-08 10:30 Proxima: mar 11:00 finde.mn2\n"
     "12-08 10:40 La agenda cambiada tiene errores; sigue la anterior:\n"
     "    AGENDA:1: se esperaban los dias (lun mar mie jue vie sab dom, separados por comas, lun-vie, o todos) y hay \"lunes\"\n"
     "12-08 11:00 Enviado finde.mn2 a FALTA: 26 bytes en 0.0 s\n"
     "12-08 11:00 Proxima: mie 00:00 manana.mn2\n"
     "12-08 09:30 Enviado manana.mn2 a FALTA: 20 bytes en 0.0 s\n"
     "12-08 09:30 Proxima: mar 11:00 finde.mn2\n"
     "12-08 10:00 Fin de la agenda\n"},
};
// clang-format on

} // namespace

Q_DECLARE_METATYPE(Escena)

class TstServicio : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void escenas_data() { Filas(Escenas); }
    void escenas() {
        QFETCH(Escena, caso);
        const QTimeZone madrid("Europe/Madrid");
        QVERIFY(madrid.isValid());
        Carpeta c;
        ParPty par, otro; // the sign, and a second one for "%3"
        c.escribir("manana.mn2", "0,0,0,\"BUENOS DIAS\",0\r\n");
        c.escribir("finde.mn2", "1,0,2,\"SABADO\",0\r\n");
        c.escribir("cerrado.mn2", "0,0,0,\"CERRADO\",0\r\n");
        const QString falta = c.ruta("falta");
        // Each version of the file a second newer than the last, however fast it comes.
        QDateTime version(QDate(2026, 1, 1), QTime(0, 0));
        const auto agenda = [&](QString texto) {
            c.escribir("agenda.txt", texto.replace("\\n", "\n")
                                         .replace("%1", par.programa())
                                         .replace("%2", falta)
                                         .replace("%3", otro.programa())
                                         .toUtf8());
            QFile f(c.ruta("agenda.txt"));
            version = version.addSecs(1);
            QVERIFY(f.open(QIODevice::ReadWrite) &&
                    f.setFileTime(version, QFileDevice::FileModificationTime));
        };
        agenda(caso.agenda);
        RelojSaltos reloj;
        qint64 desfaseMs = 0;
        const QDateTime inicio(QDate::fromString(caso.inicio.left(10), "yyyy-MM-dd"),
                               QTime::fromString(caso.inicio.mid(11), "HH:mm"), madrid);
        const auto pared = [&] { return inicio.addMSecs(reloj.Ahora() / 1000000 + desfaseMs); };
        QStringList eventos = caso.eventos;
        reloj.alDespertar = [&] {
            while (!eventos.isEmpty() &&
                   pared().time() >= QTime::fromString(eventos.first().left(5), "HH:mm")) {
                const QString que = eventos.takeFirst().mid(6);
                if (que == "puerto")
                    QVERIFY(QFile::link(par.programa(), falta));
                else if (que.startsWith("cerrojo:")) // whether this agenda holds the port
                    QCOMPARE(AgendaEnPuerto(falta).proceso != 0, que.endsWith("si"));
                else if (que.startsWith("agenda:"))
                    agenda(que.mid(7));
                else
                    desfaseMs += que.section(':', 1).toLongLong() * 60000;
            }
        };
        ResolutorSistema resolutor;
        Entorno entorno{reloj, resolutor, pared};
        OpcionesLinea linea;
        linea.baud = "9600";
        linea.dy1 = linea.dy2 = "0";
        std::ostringstream salida;
        const qint64 fin = qint64(caso.minutos) * 60'000'000'000;
        QCOMPARE(CorrerAgenda(c.ruta("agenda.txt"), linea, entorno, salida,
                              [&] { return reloj.Ahora() >= fin; }),
                 0);
        QString dicho = QString::fromStdString(salida.str());
        dicho.replace(c.ruta("agenda.txt"), "AGENDA").replace(otro.programa(), "PTY2");
        dicho.replace(par.programa(), "PTY");
        dicho.replace(falta, "FALTA");
        dicho.replace(QRegularExpression("^\\d{4}-(\\d\\d-\\d\\d \\d\\d:\\d\\d):00 ",
                                         QRegularExpression::MultilineOption),
                      "\\1 ");
        if (dicho != caso.lineas) // whole, where QCOMPARE would cut it
            qWarning().noquote() << dicho;
        QCOMPARE(dicho, caso.lineas);
        // What reached the sign: each stream of a line that says it was sent, in order.
        QByteArray esperado, esperadoOtro;
        for (const QString& l : dicho.split('\n')) {
            QByteArray& a = l.contains(" a PTY2") ? esperadoOtro : esperado;
            const QString que = l.section(' ', 3, 3);
            if (!l.contains(" Enviado "))
                continue;
            if (l.contains(" la hora ")) {
                const QDateTime t =
                    QDateTime::fromString(caso.inicio.left(5) + l.left(11), "yyyy-MM-dd HH:mm");
                a += TramaFecha(CamposDeReloj(t.time().hour(), t.time().minute(), 0, t.date().day(),
                                              t.date().month(), t.date().year()));
            } else {
                Falla falla;
                a += *TramaDeArchivo(c.ruta(que), falla);
            }
        }
        QCOMPARE(par.Leer(esperado.size()), esperado);
        QCOMPARE(otro.Leer(esperadoOtro.size()), esperadoOtro);
    }
};

QTEST_GUILESS_MAIN(TstServicio)
#include "tst_servicio.moc"
