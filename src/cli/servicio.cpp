// The agenda run as a service: what is in force goes to the sign at start and at each entry's
// time, the clock at its entries' times. The wall clock is looked at least once a minute, so a
// clock set on or back, daylight saving and a resume are noticed within one; the file is read
// again when it changes.

#include "cli/agenda.h"
#include "cli/envio.h"
#include "core/textos.h"
#include "link/agendaarchivo.h"
#include "link/cerrojo.h"
#include "link/files/cargamensaje.h"
#include "link/parada.h"
#include "link/reloj.h"

#include <QFileInfo>
#include <QTimeZone>

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <ostream>

namespace brelo {

namespace {

constexpr qint64 NsPorMs = 1'000'000;
constexpr qint64 MsPorMinuto = 60'000;
// After a failed send, the minutes to the next try; the last one again and again.
constexpr int Reintentos[] = {1, 2, 5, 10};
// A clock entry found due later than this (a resume, a clock set on) is not sent: the next
// one sets the clock.
constexpr int HoraTardiaMinutos = 5;

// "2026-12-08 08:00:00 ", at the start of each line.
QString sello(const QDateTime& ahora) {
    return ahora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss "));
}

MinutoCivil civilDe(const QDateTime& t) {
    return Civil(t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                 t.time().minute());
}

// The moment a minute of local time comes, in the zone of ahora.
QDateTime momentoDe(MinutoCivil m, const QDateTime& ahora) {
    const long long dia = m >= 0 ? m / MinutosDia : -((-m + MinutosDia - 1) / MinutosDia);
    const int minuto = int(m - dia * MinutosDia);
    return QDateTime(QDate(1970, 1, 1).addDays(dia), QTime(minuto / 60, minuto % 60),
                     ahora.timeZone());
}

class Servicio {
public:
    Servicio(const QString& ruta, const OpcionesLinea& linea, Entorno& entorno,
             std::ostream& salida)
        : ruta_(ruta), linea_(linea), entorno_(entorno), salida_(salida) {}

    int Correr(const std::function<bool()>& parar);

private:
    struct Vigente {
        EntradaAgenda entrada;
        MinutoCivil cuando = 0;
        bool operator==(const Vigente&) const = default;
    };

    void decir(const QString& texto) {
        salida_ << qUtf8Printable(sello(entorno_.ahora()) + texto) << std::endl;
    }
    bool tomarPuertos(const AgendaLeida& a, QString& ocupado);
    void soltarPuertos();
    void releer();
    bool enviar(const EntradaAgenda& e);
    void mirar();
    void anunciarSiguiente(MinutoCivil ahora);
    qint64 msHastaDespertar();

    QString ruta_;
    const OpcionesLinea& linea_;
    Entorno& entorno_;
    std::ostream& salida_;
    AgendaLeida leida_;
    std::map<QString, std::unique_ptr<CerrojoAgenda>> cerrojos_;
    std::optional<Vigente> enCartel_;  // the message last sent or being tried
    int fallidos_ = 0;                 // tries of enCartel_ that failed in a row
    qint64 reintentoNs_ = 0;           // on the transfer's clock
    std::optional<MinutoCivil> vista_; // the minute of the last look
    std::optional<Ocurrencia> siguiente_;
};

bool Servicio::tomarPuertos(const AgendaLeida& a, QString& ocupado) {
    for (const EntradaAgenda& e : a.agenda.entradas)
        for (const QString& p : PuertosDe(e, linea_.puertos)) {
            if (cerrojos_.count(p))
                continue;
            auto c = std::make_unique<CerrojoAgenda>(p);
            if (!c->Tomar()) {
                ocupado = p;
                return false;
            }
            cerrojos_[p] = std::move(c);
        }
    return true;
}

// A port the agenda no longer sends to is left to others.
void Servicio::soltarPuertos() {
    QStringList usados;
    for (const EntradaAgenda& e : leida_.agenda.entradas)
        usados << PuertosDe(e, linea_.puertos);
    std::erase_if(cerrojos_, [&usados](const auto& c) { return !usados.contains(c.first); });
}

// A file that changed is read again; with errors, or a port taken by another agenda, the
// agenda as it was goes on.
void Servicio::releer() {
    const QFileInfo info(ruta_);
    if (info.lastModified() == leida_.cambiada && info.size() == leida_.tamano)
        return;
    AgendaLeida nueva = LeerArchivoAgenda(ruta_);
    QString ocupado;
    if (nueva.errores.isEmpty() && !tomarPuertos(nueva, ocupado))
        nueva.errores << QStringLiteral("el puerto %1 lo usa otra agenda").arg(ocupado);
    if (!nueva.errores.isEmpty()) {
        decir(QStringLiteral("La agenda cambiada tiene errores; sigue la anterior:"));
        for (const QString& e : nueva.errores)
            salida_ << "    " << qUtf8Printable(e) << '\n';
        leida_.cambiada = nueva.cambiada; // said once, until the next change
        leida_.tamano = nueva.tamano;
        return;
    }
    leida_ = std::move(nueva);
    soltarPuertos();
    siguiente_.reset();
    decir(QStringLiteral("Agenda leida de nuevo: %1 entradas").arg(leida_.agenda.entradas.size()));
}

bool Servicio::enviar(const EntradaAgenda& e) {
    OpcionesLinea o = linea_;
    o.puertos = PuertosDe(e, linea_.puertos);
    const QString que = QString::fromStdString(e.que);
    QStringList fallos;
    entorno_.fallos = &fallos;
    const qint64 inicio = entorno_.pausas.Ahora();
    qint64 bytes = 0;
    int estado = 0;
    if (e.hora) {
        estado = EnviarHora(o, entorno_);
    } else if (Falla falla; const auto t = TramaDeArchivo(RutaMensaje(leida_, e), falla)) {
        bytes = qint64(t->size());
        estado = EnviarMensaje(QByteArray::fromStdString(*t), o, entorno_);
    } else {
        fallos << QLatin1String(falla.texto) + QStringLiteral(": ") + falla.motivo;
        estado = 1;
    }
    entorno_.fallos = nullptr;
    const double segundos = double(entorno_.pausas.Ahora() - inicio) / 1e9;
    if (estado == 0) {
        decir(QStringLiteral("Enviado %1 a %2%3 en %4 s")
                  .arg(e.hora ? QStringLiteral("la hora") : que,
                       o.puertos.join(QStringLiteral(", ")),
                       bytes ? QStringLiteral(": %1 bytes").arg(bytes) : QString())
                  .arg(segundos, 0, 'f', 1));
        return true;
    }
    if (Parada::Senal()) { // cancelled by the stop: nothing to try again
        decir(QStringLiteral("%1 %2 a %3")
                  .arg(QLatin1String(texto::Cancelado), e.hora ? QStringLiteral("la hora") : que,
                       o.puertos.join(QStringLiteral(", "))));
        return false;
    }
    decir(QStringLiteral("Fallo %1 a %2: %3")
              .arg(e.hora ? QStringLiteral("la hora") : que, o.puertos.join(QStringLiteral(", ")),
                   fallos.join(QStringLiteral("; "))));
    return false;
}

void Servicio::anunciarSiguiente(MinutoCivil ahora) {
    const auto s = Siguiente(leida_.agenda, ahora);
    if (s == siguiente_)
        return;
    siguiente_ = s;
    if (s)
        decir(QStringLiteral("Proxima: %1 %2 %3")
                  .arg(QString::fromStdString(NombreDia(DiaSemana(s->cuando))),
                       QString::fromStdString(TextoHora(int(s->cuando % MinutosDia))),
                       QString::fromStdString(leida_.agenda.entradas[s->entrada].que)));
}

// One look at the clock: a clock entry due, the message in force if it is not on the sign yet,
// or a failed one tried again.
void Servicio::mirar() {
    releer();
    const MinutoCivil ahora = civilDe(entorno_.ahora());
    if (vista_)
        if (const auto h = HoraDebida(leida_.agenda, *vista_, ahora);
            h && ahora - h->cuando <= HoraTardiaMinutos)
            enviar(leida_.agenda.entradas[h->entrada]);
    vista_ = ahora;
    std::optional<Vigente> vigente;
    if (const auto o = EnVigor(leida_.agenda, ahora))
        vigente = Vigente{leida_.agenda.entradas[o->entrada], o->cuando};
    const bool nuevo = vigente && vigente != enCartel_;
    const bool reintento =
        vigente && !nuevo && fallidos_ && entorno_.pausas.Ahora() >= reintentoNs_;
    if (nuevo)
        fallidos_ = 0;
    enCartel_ = vigente;
    if ((nuevo || reintento) && !Parada::Senal()) {
        if (enviar(vigente->entrada)) {
            fallidos_ = 0;
        } else if (!Parada::Senal()) {
            const int minutos = Reintentos[std::min<std::size_t>(std::size_t(fallidos_++),
                                                                 std::size(Reintentos) - 1)];
            reintentoNs_ = entorno_.pausas.Ahora() + minutos * MsPorMinuto * NsPorMs;
            decir(
                QStringLiteral("Otro intento a las %1")
                    .arg(entorno_.ahora().addSecs(minutos * 60).toString(QStringLiteral("HH:mm"))));
        }
    }
    anunciarSiguiente(ahora);
}

// Until the next entry, a try again, or a minute, whichever comes first.
qint64 Servicio::msHastaDespertar() {
    qint64 ms = MsPorMinuto;
    const QDateTime ahora = entorno_.ahora();
    if (siguiente_)
        if (const qint64 falta = ahora.msecsTo(momentoDe(siguiente_->cuando, ahora)); falta > 0)
            ms = std::min(ms, falta);
    if (fallidos_)
        ms = std::min(ms, std::max<qint64>(0, (reintentoNs_ - entorno_.pausas.Ahora()) / NsPorMs));
    return std::max<qint64>(ms, 1);
}

int Servicio::Correr(const std::function<bool()>& parar) {
    leida_ = LeerArchivoAgenda(ruta_);
    if (!leida_.errores.isEmpty()) {
        for (const QString& e : leida_.errores)
            std::cerr << qUtf8Printable(e) << '\n';
        return AgendaMalEscrita;
    }
    QString ocupado;
    if (!tomarPuertos(leida_, ocupado)) {
        std::cerr << qUtf8Printable(
                         QStringLiteral("%1: el puerto %2 lo usa otra agenda (proceso %3)")
                             .arg(ruta_, ocupado)
                             .arg(AgendaEnPuerto(ocupado)))
                  << '\n';
        return 1;
    }
    decir(QStringLiteral("Agenda %1: %2 entradas").arg(ruta_).arg(leida_.agenda.entradas.size()));
    const Parada parada;
    while (!parar() && !Parada::Senal()) {
        mirar();
        Reloj& reloj = entorno_.pausas;
        reloj.DormirHasta(reloj.Ahora() + msHastaDespertar() * NsPorMs,
                          [&parar] { return parar() || Parada::Senal(); });
    }
    decir(QStringLiteral("Fin de la agenda"));
    return 0;
}

} // namespace

int CorrerAgenda(const QString& ruta, const OpcionesLinea& linea, Entorno& entorno,
                 std::ostream& salida, const std::function<bool()>& parar) {
    Servicio s(ruta, linea, entorno, salida);
    return s.Correr(parar);
}

} // namespace brelo
