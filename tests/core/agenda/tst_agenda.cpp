// The agenda file, and which of its entries is in force at a moment of local time and which
// comes next: over days, ranges round the weekend, a week looked back on, clocks moved.

#include "core/agenda/agenda.h"
#include "support/tabla.h"

using namespace brelo;

namespace {

// Each entry as "days time what [ports]", days as the bits' names; each error as "Ln: why".
QString resumen(const Agenda& a) {
    QStringList r;
    for (const EntradaAgenda& e : a.entradas) {
        QStringList dias;
        for (int d = 0; d < 7; ++d)
            if (e.dias & (1 << d))
                dias << QString::fromStdString(NombreDia(d));
        QStringList l{dias.join(','), QString::fromStdString(TextoHora(e.minuto)),
                      QString::fromStdString(e.que) + (e.hora ? "!" : "")};
        for (const std::string& p : e.puertos)
            l << QString::fromStdString(p);
        r << l.join(' ');
    }
    for (const ErrorAgenda& e : a.errores)
        r << QStringLiteral("L%1: %2").arg(e.linea).arg(QString::fromStdString(e.motivo));
    return r.join(" | ");
}

// The example operators start from: weekdays, a weekend with ports, every night, the clock.
const char* const Ejemplo =
    "# dias       hora    que              puertos\n"
    "lun-vie      08:00   manana.mn2\n"
    "lun-vie      13:00   almuerzo.mn2\n"
    "sab,dom      09:30   finde.mn2        tcp://192.0.2.10:4001 /dev/ttyUSB0\n"
    "todos        21:00   cerrado.mn2\n"
    "todos        04:00   hora\n";

// 2026-12-07 was a Monday.
MinutoCivil el(int dia, const char* hora) {
    const QTime t = QTime::fromString(hora, "HH:mm");
    return Civil(2026, 12, dia, t.hour(), t.minute());
}

// An occurrence as "what day HH:MM" (the day of the month), or "-".
QString ver(const Agenda& a, const std::optional<Ocurrencia>& o) {
    if (!o)
        return "-";
    const MinutoCivil base = Civil(2026, 12, 1, 0, 0);
    return QStringLiteral("%1 %2 %3")
        .arg(QString::fromStdString(a.entradas[o->entrada].que))
        .arg(1 + (o->cuando - base) / MinutosDia)
        .arg(QString::fromStdString(TextoHora(int(o->cuando % MinutosDia))));
}

// clang-format off
struct Lectura { const char* nombre; QByteArray texto; QString queda; };
const Lectura Lecturas[] = {
    {"ejemplo", Ejemplo, "lun,mar,mie,jue,vie 08:00 manana.mn2 | lun,mar,mie,jue,vie 13:00 almuerzo.mn2 | sab,dom 09:30 finde.mn2 tcp://192.0.2.10:4001 /dev/ttyUSB0 | lun,mar,mie,jue,vie,sab,dom 21:00 cerrado.mn2 | lun,mar,mie,jue,vie,sab,dom 04:00 hora!"},
    {"vuelta al fin de semana", "vie-lun 7:05 a.MN2", "lun,vie,sab,dom 07:05 a.MN2"},
    {"un solo dia en rango", "mie-mie 00:00 a.mnm", "mie 00:00 a.mnm"},
    {"acentos y mayusculas", "MIÉ,Sáb,sÁB,Todos 23:59 HORA", "L1: se esperaban los dias (lun mar mie jue vie sab dom, separados por comas, lun-vie, o todos) y hay \"MIÉ,Sáb,sÁB,Todos\""},
    {"acentos", "MIÉ,Sáb 23:59 HORA", "mie,sab 23:59 HORA!"},
    {"blanco antes de una coma", "lun, mar ,mie 08:00 a.mn2", "L1: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \",mie\""},
    {"blanco tras la coma", "lun, mar,  mie 08:00 a.mn2", "lun,mar,mie 08:00 a.mn2"},
    {"comillas y comentario", "dom 10:00 \"mis mensajes/misa #1.mn2\" COM3 # domingo\r\n", "dom 10:00 mis mensajes/misa #1.mn2 COM3"},
    {"BOM, CRLF y blancos", "\xEF\xBB\xBF\r\n\t\r\n  lun\t08:00\ta.mn2  \r\n", "lun 08:00 a.mn2"},
    {"errores con su linea", "lunes 08:00 a.mn2\n\nlun 8\nlun 24:00 a.mn2\nlun 08:60 a.mn2\n# bien\nlun 08:00\nlun 08:00 a.txt\nlun\nlun 08:00 \"a.mn2\nlun- 08:00 a.mn2\nlun,,mar 08:00 a.mn2\nlun 123:00 a.mn2\nmar 07:00 b.mn2",
     "mar 07:00 b.mn2 | L1: se esperaban los dias (lun mar mie jue vie sab dom, separados por comas, lun-vie, o todos) y hay \"lunes\" | L3: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"8\" | L4: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"24:00\" | L5: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"08:60\" | L7: falta que enviar tras la hora: un mensaje .mn2 o .mnm, o hora | L8: se esperaba un mensaje .mn2 o .mnm, o hora, y hay \"a.txt\" | L9: falta la hora (HH:MM) tras los dias | L10: falta la comilla que cierra un nombre | L11: se esperaban los dias (lun mar mie jue vie sab dom, separados por comas, lun-vie, o todos) y hay \"lun-\" | L12: se esperaban los dias (lun mar mie jue vie sab dom, separados por comas, lun-vie, o todos) y hay \"lun,,mar\" | L13: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"123:00\""},
    {"solo la extension", "lun 08:00 .mn2", "L1: se esperaba un mensaje .mn2 o .mnm, o hora, y hay \".mn2\""},
    {"hora con letras", "lun 0a:00 a.mn2", "L1: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"0a:00\""},
    {"minutos de mas", "lun 08:005 a.mn2\nlun 08:5 a.mn2", "L1: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"08:005\" | L2: se esperaba la hora HH:MM, de 00:00 a 23:59, y hay \"08:5\""},
};
// What is in force and what comes next at a moment, in the example's week or an agenda's own.
struct Momento { const char* nombre; MinutoCivil ahora; QString vigor, siguiente; QByteArray agenda = Ejemplo; };
const Momento Momentos[] = {
    {"lunes antes de abrir", el(7, "07:59"), "cerrado.mn2 6 21:00", "manana.mn2 7 08:00"},
    {"lunes al abrir", el(7, "08:00"), "manana.mn2 7 08:00", "almuerzo.mn2 7 13:00"},
    {"madrugada, la hora", el(8, "03:59"), "cerrado.mn2 7 21:00", "hora 8 04:00"},
    {"tras la hora", el(8, "04:00"), "cerrado.mn2 7 21:00", "manana.mn2 8 08:00"},
    {"viernes noche", el(11, "23:00"), "cerrado.mn2 11 21:00", "hora 12 04:00"},
    {"sabado", el(12, "09:30"), "finde.mn2 12 09:30", "cerrado.mn2 12 21:00"},
    {"domingo antes", el(13, "09:29"), "cerrado.mn2 12 21:00", "finde.mn2 13 09:30"},
    {"una semana atras", el(8, "08:59"), "a.mn2 1 09:00", "a.mn2 8 09:00", "mar 09:00 a.mn2"},
    {"en su minuto", el(8, "09:00"), "a.mn2 8 09:00", "a.mn2 15 09:00", "mar 09:00 a.mn2"},
    {"a la misma hora, la ultima linea", el(7, "08:00"), "b.mn2 7 08:00", "a.mn2 14 08:00", "lun 08:00 a.mn2\nlun 08:00 b.mn2\nlun 08:00 hora"},
    {"solo la hora", el(7, "12:00"), "-", "hora 8 04:00", "todos 04:00 hora"},
    {"vacia", el(7, "12:00"), "-", "-", "# nada\n"},
    {"medianoche del domingo", el(13, "23:59"), "a.mn2 13 23:59", "b.mn2 14 00:00", "dom 23:59 a.mn2\nlun 00:00 b.mn2"},
};
// The clock entries of the example due between two looks at the clock: a minute, a jump
// forward (daylight saving, a resume), days, and a clock set back.
struct Debida { const char* nombre; MinutoCivil desde, hasta; QString debida; };
const Debida Debidas[] = {
    {"un minuto antes", el(8, "03:58"), el(8, "03:59"), "-"},
    {"su minuto", el(8, "03:59"), el(8, "04:00"), "hora 8 04:00"},
    {"ya pasada", el(8, "04:00"), el(8, "04:01"), "-"},
    {"salto de una hora", el(8, "03:30"), el(8, "04:30"), "hora 8 04:00"},
    {"dos dias, la ultima", el(8, "03:00"), el(10, "05:00"), "hora 10 04:00"},
    {"reloj atrasado", el(8, "05:00"), el(8, "03:00"), "-"},
    {"mismo minuto", el(8, "04:00"), el(8, "04:00"), "-"},
};
// An entry written back as the dialog writes it: a line that reads as the same entry.
struct Escrita { const char* nombre; QByteArray linea, escrita; };
const Escrita Escritas[] = {
    {"todos", "lun-dom 08:00 a.mn2", "todos 08:00 a.mn2"},
    {"laborables", "lun,mar,mie,jue,vie 8:05 a.mn2 COM3", "lun-vie 08:05 a.mn2 COM3"},
    {"dos y uno", "sab,dom,mie 00:00 hora", "mie,sab,dom 00:00 hora"},
    {"almohadilla", "mar 10:00 \"#1.mn2\" \"#2\"", "mar 10:00 \"#1.mn2\" \"#2\""},
    {"vuelta", "vie-lun 23:59 a.mn2", "lun,vie-dom 23:59 a.mn2"},
    {"con blancos", "mar 10:00 \"mis mensajes/#1.mn2\" \"/dev/serial/by-id/usb x\"", "mar 10:00 \"mis mensajes/#1.mn2\" \"/dev/serial/by-id/usb x\""},
};
// clang-format on

} // namespace

Q_DECLARE_METATYPE(Lectura)
Q_DECLARE_METATYPE(Momento)
Q_DECLARE_METATYPE(Debida)
Q_DECLARE_METATYPE(Escrita)

class TstAgenda : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lectura_data() { Filas(Lecturas); }
    void lectura() {
        QFETCH(Lectura, caso);
        QCOMPARE(resumen(LeerAgenda(caso.texto.toStdString())), caso.queda);
    }

    void momentos_data() { Filas(Momentos); }
    void momentos() {
        QFETCH(Momento, caso);
        const Agenda a = LeerAgenda(caso.agenda.toStdString());
        QCOMPARE(ver(a, EnVigor(a, caso.ahora)), caso.vigor);
        QCOMPARE(ver(a, Siguiente(a, caso.ahora)), caso.siguiente);
    }

    void horaDebida_data() { Filas(Debidas); }
    void horaDebida() {
        QFETCH(Debida, caso);
        const Agenda a = LeerAgenda(Ejemplo);
        const std::vector<Ocurrencia> h = HorasDebidas(a, caso.desde, caso.hasta);
        QVERIFY(h.size() <= 1);
        QCOMPARE(ver(a, h.empty() ? std::nullopt : std::optional(h.front())), caso.debida);
    }

    // Each sign its own week: an entry counts for the signs it names.
    void porCartel() {
        const Agenda a = LeerAgenda("todos 05:00 a.mn2 A\ntodos 06:00 b.mn2 B\n"
                                    "lun 07:00 c.mn2 A B\ntodos 04:00 hora A\ntodos 04:00 hora B");
        const auto de = [](const char* p) {
            return [p](const EntradaAgenda& e) {
                return std::find(e.puertos.begin(), e.puertos.end(), p) != e.puertos.end();
            };
        };
        QCOMPARE(ver(a, EnVigor(a, el(7, "06:30"), de("A"))), "a.mn2 7 05:00");
        QCOMPARE(ver(a, EnVigor(a, el(7, "06:30"))), "b.mn2 7 06:00");
        QCOMPARE(ver(a, Siguiente(a, el(7, "06:30"), de("B"))), "c.mn2 7 07:00");
        QCOMPARE(ver(a, Siguiente(a, el(7, "07:30"), de("B"))), "hora 8 04:00");
        QCOMPARE(Semana(a, de("A"))[0], (std::vector<Tramo>{{0, 0}, {7 * 60, 2}}));
        QCOMPARE(Semana(a, de("B"))[1], (std::vector<Tramo>{{0, 2}, {6 * 60, 1}}));
        QCOMPARE(HorasDebidas(a, el(8, "03:59"), el(8, "04:00")).size(), std::size_t(2));
    }

    // A weekday and the weekend of the example; the same message on from the night before is
    // one strip; clock entries draw none.
    void semana() {
        const Agenda a = LeerAgenda(Ejemplo);
        const auto semana = Semana(a);
        QStringList dias;
        for (int d : {0, 5})
            for (const Tramo& t : semana[std::size_t(d)])
                dias << QString::fromStdString(NombreDia(d) + " " + TextoHora(t.minuto) + " " +
                                               a.entradas[std::size_t(t.entrada)].que);
        QCOMPARE(dias.join(", "), "lun 00:00 cerrado.mn2, lun 08:00 manana.mn2, lun 13:00 "
                                  "almuerzo.mn2, lun 21:00 cerrado.mn2, sab 00:00 cerrado.mn2, "
                                  "sab 09:30 finde.mn2, sab 21:00 cerrado.mn2");
        const auto dos = Semana(LeerAgenda("mie 10:00 a.mn2\nlun 04:00 hora\nvie 10:00 b.mn2"));
        QCOMPARE(dos[2], (std::vector<Tramo>{{0, 2}, {600, 0}}));
        QCOMPARE(dos[3], (std::vector<Tramo>{{0, 0}}));
        QCOMPARE(Semana(LeerAgenda("lun 04:00 hora"))[0], (std::vector<Tramo>{{0, -1}}));
    }

    void escribir_data() { Filas(Escritas); }
    void escribir() {
        QFETCH(Escrita, caso);
        const Agenda a = LeerAgenda(caso.linea.toStdString());
        QCOMPARE(a.entradas.size(), std::size_t(1));
        QCOMPARE(QByteArray::fromStdString(LineaAgenda(a.entradas[0])), caso.escrita);
        QCOMPARE(LeerAgenda(caso.escrita.toStdString()).entradas, a.entradas);
    }

    void calendario() {
        QCOMPARE(DiaSemana(Civil(1970, 1, 1, 0, 0)), 3);
        QCOMPARE(DiaSemana(Civil(2026, 12, 7, 23, 59)), 0);
        QCOMPARE(DiaSemana(Civil(1969, 12, 29, 0, 0)), 0); // before the count began
        QCOMPARE(DiaSemana(Civil(2028, 2, 29, 12, 0)), 1);
        QCOMPARE(Civil(2026, 12, 8, 0, 0) - Civil(2026, 12, 7, 23, 59), 1);
    }
};

QTEST_APPLESS_MAIN(TstAgenda)
#include "tst_agenda.moc"
