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
    const long long dia = DiaCivil(m);
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
    // Each sign follows its own week.
    struct Cartel {
        std::unique_ptr<CerrojoAgenda> cerrojo;
        std::optional<Vigente> enCartel; // the message last sent to it or being tried
        int fallidos = 0;                // tries of enCartel that failed in a row
        qint64 reintentoNs = 0;          // on the transfer's clock
    };

    void decir(const QString& texto) {
        salida_ << qUtf8Printable(sello(entorno_.ahora()) + texto) << std::endl;
    }
    bool tomarPuertos(const AgendaLeida& a, QString& ocupado);
    void releer();
    QStringList enviar(const EntradaAgenda& e, const QStringList& puertos);
    void mirar();
    void anunciarSiguiente();
    qint64 msHastaDespertar();

    QString ruta_;
    const OpcionesLinea& linea_;
    Entorno& entorno_;
    std::ostream& salida_;
    AgendaLeida leida_;
    // By the name the agenda first gives the sign: a device's real name may change under it
    // (an adapter plugged in again).
    std::map<QString, Cartel> carteles_;
    std::optional<MinutoCivil> vista_; // the minute of the last look
    std::optional<Ocurrencia> siguiente_;
};

// The locks of every sign of the agenda; one the agenda no longer names is let go, for others.
// Nothing changes when a new one is taken by another agenda.
bool Servicio::tomarPuertos(const AgendaLeida& a, QString& ocupado) {
    std::map<QString, Cartel> carteles;
    const QStringList nombres = Carteles(a.agenda, linea_.puertos);
    for (const QString& p : nombres) {
        if (carteles_.count(p))
            continue;
        Cartel nuevo;
        nuevo.cerrojo = std::make_unique<CerrojoAgenda>(p);
        if (!nuevo.cerrojo->Tomar(ruta_)) {
            ocupado = p;
            return false;
        }
        carteles[p] = std::move(nuevo);
    }
    for (auto& [p, cartel] : carteles_)
        if (nombres.contains(p))
            carteles[p] = std::move(cartel);
    carteles_ = std::move(carteles);
    return true;
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
        salida_.flush();
        leida_.cambiada = nueva.cambiada; // said once, until the next change
        leida_.tamano = nueva.tamano;
        return;
    }
    leida_ = std::move(nueva);
    siguiente_.reset();
    decir(QStringLiteral("Agenda leida de nuevo: %1 entradas").arg(leida_.agenda.entradas.size()));
}

// One transfer to the signs given; the ones that failed.
QStringList Servicio::enviar(const EntradaAgenda& e, const QStringList& puertos) {
    OpcionesLinea o = linea_;
    o.puertos = puertos;
    const QString que = e.hora ? QStringLiteral("la hora") : QString::fromStdString(e.que);
    Entorno::Callado callado;
    entorno_.callado = &callado;
    const qint64 inicio = entorno_.pausas.Ahora();
    qint64 bytes = 0;
    if (e.hora) {
        EnviarHora(o, entorno_);
    } else if (Falla falla; const auto t = TramaDeArchivo(RutaMensaje(leida_, e), falla)) {
        bytes = qint64(t->size());
        EnviarMensaje(QByteArray::fromStdString(*t), o, entorno_);
    } else {
        callado.fallos << QLatin1String(falla.texto) + QStringLiteral(": ") + falla.motivo;
        callado.puertos = puertos;
    }
    entorno_.callado = nullptr;
    if (Parada::Senal()) { // cancelled by the stop: nothing to try again
        decir(QStringLiteral("%1 %2 a %3")
                  .arg(QLatin1String(texto::Cancelado), que, puertos.join(QStringLiteral(", "))));
        return {};
    }
    QStringList bien;
    for (const QString& p : puertos)
        if (!callado.puertos.contains(p))
            bien << p;
    if (!bien.isEmpty())
        decir(QStringLiteral("Enviado %1 a %2%3 en %4 s")
                  .arg(que, bien.join(QStringLiteral(", ")),
                       bytes ? QStringLiteral(": %1 bytes").arg(bytes) : QString())
                  .arg(double(entorno_.pausas.Ahora() - inicio) / 1e9, 0, 'f', 1));
    if (!callado.puertos.isEmpty())
        decir(QStringLiteral("Fallo %1 a %2: %3")
                  .arg(que, callado.puertos.join(QStringLiteral(", ")),
                       callado.fallos.join(QStringLiteral("; "))));
    return callado.puertos;
}

void Servicio::anunciarSiguiente() {
    const auto s = Siguiente(leida_.agenda, civilDe(entorno_.ahora()));
    if (s == siguiente_)
        return;
    siguiente_ = s;
    if (s)
        decir(QStringLiteral("Proxima: %1 %2 %3")
                  .arg(QString::fromStdString(NombreDia(DiaSemana(s->cuando))),
                       QString::fromStdString(TextoHora(int(s->cuando % MinutosDia))),
                       QString::fromStdString(leida_.agenda.entradas[s->entrada].que)));
}

// One look at the clock: the clock entries due, and for each sign the message in force if it
// is not on it yet, or a failed one tried again. Signs due the same message go in one
// transfer, side by side.
void Servicio::mirar() {
    releer();
    const MinutoCivil ahora = civilDe(entorno_.ahora());
    if (vista_)
        for (const Ocurrencia& h : HorasDebidas(leida_.agenda, *vista_, ahora))
            if (ahora - h.cuando <= HoraTardiaMinutos && !Parada::Senal()) {
                const EntradaAgenda& e = leida_.agenda.entradas[h.entrada];
                enviar(e, PuertosDe(e, linea_.puertos));
            }
    vista_ = ahora;
    std::map<std::pair<std::size_t, MinutoCivil>, QStringList> envios;
    for (auto& [nombre, cartel] : carteles_) {
        const auto o = EnVigor(leida_.agenda, ahora, DelCartel(nombre, linea_.puertos));
        std::optional<Vigente> vigente;
        if (o)
            vigente = Vigente{leida_.agenda.entradas[o->entrada], o->cuando};
        const bool nuevo = vigente && vigente != cartel.enCartel;
        const bool reintento =
            vigente && !nuevo && cartel.fallidos && entorno_.pausas.Ahora() >= cartel.reintentoNs;
        if (nuevo)
            cartel.fallidos = 0;
        cartel.enCartel = vigente;
        if (nuevo || reintento)
            envios[{o->entrada, o->cuando}] << nombre;
    }
    for (const auto& [vez, puertos] : envios) {
        if (Parada::Senal())
            break;
        const QStringList fallidos = enviar(leida_.agenda.entradas[vez.first], puertos);
        int minutos = 0;
        for (const QString& p : puertos) {
            Cartel& cartel = carteles_[p];
            if (!fallidos.contains(p)) {
                cartel.fallidos = 0;
                continue;
            }
            minutos = Reintentos[std::min<std::size_t>(std::size_t(cartel.fallidos++),
                                                       std::size(Reintentos) - 1)];
            cartel.reintentoNs = entorno_.pausas.Ahora() + minutos * MsPorMinuto * NsPorMs;
        }
        if (minutos)
            decir(
                QStringLiteral("Otro intento a las %1")
                    .arg(entorno_.ahora().addSecs(minutos * 60).toString(QStringLiteral("HH:mm"))));
    }
    anunciarSiguiente();
}

// Until the next entry, a try again, or a minute, whichever comes first; an entry whose time
// came during a long send is looked at in a second.
qint64 Servicio::msHastaDespertar() {
    qint64 ms = MsPorMinuto;
    const QDateTime ahora = entorno_.ahora();
    if (siguiente_) {
        const qint64 falta = ahora.msecsTo(momentoDe(siguiente_->cuando, ahora));
        ms = std::min(ms, falta > 0 ? falta : 1000);
    }
    for (const auto& [clave, cartel] : carteles_)
        if (cartel.fallidos)
            ms = std::min(
                ms, std::max<qint64>(0, (cartel.reintentoNs - entorno_.pausas.Ahora()) / NsPorMs));
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
        const qint64 proceso = AgendaEnPuerto(ocupado).proceso;
        std::cerr << qUtf8Printable(
                         QStringLiteral("%1: el puerto %2 lo usa otra agenda").arg(ruta_, ocupado) +
                         (proceso > 0 ? QStringLiteral(" (proceso %1)").arg(proceso) : QString()))
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
