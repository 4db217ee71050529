#include "link/puertotcp.h"

#include "link/errores.h"
#include "link/motivos.h"
#include "link/reloj.h"
#include "link/resolutor.h"

#include <QRegularExpression>

#include <algorithm>
#include <cerrno>

namespace brelo {

namespace {

constexpr qint64 NsConexion = 3000000000; // to find the adapter and reach it
constexpr int TramoMs = 100;              // how often a connection under way asks whether to go on
constexpr qint64 NsPorMs = 1000000;
constexpr int NoAcepta = -1; // the adapter answers, but takes no byte

QString motivoRed(int codigo) {
    switch (codigo) {
    case ECONNREFUSED:
        return QStringLiteral("el adaptador rechazo la conexion");
    case ETIMEDOUT:
        return QStringLiteral("el adaptador no responde");
    case EHOSTUNREACH:
    case ENETUNREACH:
        return QStringLiteral("no se llega al adaptador por la red");
    case ECONNRESET:
    case EPIPE:
        return QStringLiteral("el adaptador corto la conexion");
    case ECANCELED:
        return {};
    case NoAcepta:
        return QStringLiteral("el adaptador no acepta datos");
    case ENOTCONN:
        return QStringLiteral("no hay conexion con el adaptador");
    default:
        return Motivo(codigo, TextoError(codigo));
    }
}

// A scope after "%" (RFC 6874 writes it "%25"): an interface's name or number.
std::optional<unsigned> alcance(QString texto, QString* error) {
    if (texto.startsWith(QLatin1String("25")) && texto.size() > 2)
        texto = texto.mid(2);
    bool numero = false;
    const unsigned n = texto.toUInt(&numero);
    const unsigned indice = !numero ? IndiceInterfaz(texto) : HayInterfaz(n) ? n : 0;
    if (indice == 0 && error)
        *error = QStringLiteral("interfaz de red desconocida: %1").arg(Mostrable(texto));
    return indice ? std::optional(indice) : std::nullopt;
}

// An IPv6 address of one link (fe80::/10) reaches nothing without its interface.
bool EnlaceLocal(const QString& host) {
    static const QRegularExpression enlace(QStringLiteral("^fe[89ab][0-9a-f]:[0-9a-f:.]*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return enlace.match(host).hasMatch();
}

QString SinInterfaz(const QString& host) {
    return QStringLiteral("a la direccion %1 le falta la interfaz de red: se escribe "
                          "[%1%eth0], con la interfaz por la que se llega al adaptador")
        .arg(host);
}

} // namespace

std::optional<DestinoTcp> DestinoDe(const QString& texto, QString* error) {
    static const QRegularExpression forma(
        QStringLiteral("^tcp://(?:\\[([0-9A-Fa-f:.]+)(?:%([A-Za-z0-9_.-]+))?\\]|([A-Za-z0-9.-]+))"
                       ":([0-9]{1,5})$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = forma.match(texto);
    const int puerto = m.captured(4).toInt();
    if (!m.hasMatch() || puerto < 1 || puerto > 65535) {
        if (error)
            *error = QStringLiteral("direccion no valida (se espera tcp://EQUIPO:PUERTO)");
        return std::nullopt;
    }
    QString host = m.captured(1).isEmpty() ? m.captured(3) : m.captured(1);
    if (!m.hasCaptured(2) && EnlaceLocal(host)) {
        if (error)
            *error = SinInterfaz(host);
        return std::nullopt;
    }
    if (m.hasCaptured(2)) {
        const auto indice = alcance(m.captured(2), error);
        if (!indice)
            return std::nullopt;
        host += QLatin1Char('%') + QString::number(*indice);
    }
    return DestinoTcp{host.toStdString(), m.captured(4).toStdString()};
}

bool EsTcp(const QString& texto) {
    return texto.startsWith(QLatin1String(PrefijoTcp), Qt::CaseInsensitive);
}

PuertoTcp::PuertoTcp(Resolutor& resolutor, Reloj& reloj) : resolutor_(resolutor), reloj_(reloj) {}

PuertoTcp::~PuertoTcp() {
    Cerrar();
}

bool PuertoTcp::PortOpen() const {
    std::lock_guard bloqueo(mutex_);
    return destino_ && !malo_;
}

bool PuertoTcp::Lista() const {
    std::lock_guard bloqueo(mutex_);
    return destino_ && !malo_ && !fallo_;
}

void PuertoTcp::AlComprobar(std::function<void(const QString&)> f) {
    std::lock_guard bloqueo(mutex_);
    alComprobar_ = std::move(f);
}

QString PuertoTcp::Motivo() const {
    std::lock_guard bloqueo(mutex_);
    return motivo_;
}

void PuertoTcp::Cerrar() {
    {
        std::lock_guard bloqueo(mutex_);
        cerrando_ = true;
    }
    cambio_.notify_all();
    if (comprobacion_.joinable())
        comprobacion_.join();
    Soltar();
    std::lock_guard bloqueo(mutex_);
    destino_.reset();
    cerrando_ = comprobando_ = malo_ = fallo_ = false;
    motivo_.clear();
}

bool PuertoTcp::Abrir(const QString& dispositivo, qint32, QString& error) {
    Cerrar();
    const auto d = DestinoDe(dispositivo, &error);
    if (!d)
        return false;
    std::lock_guard bloqueo(mutex_);
    destino_ = d;
    comprobando_ = true;
    comprobacion_ = std::thread([this] { comprobar(); });
    return true;
}

// The adapter answers when a connection can be made: it is closed again at once, since the
// adapter takes one client at a time.
void PuertoTcp::comprobar() {
    Conexion prueba;
    const bool hecha = conectar(prueba, [this] {
        std::lock_guard bloqueo(mutex_);
        return !cerrando_;
    });
    prueba.Cerrar();
    std::lock_guard bloqueo(mutex_);
    comprobando_ = false;
    malo_ = !hecha;
    if (alComprobar_ && !cerrando_)
        alComprobar_(malo_ ? motivo_ : QString());
    cambio_.notify_all();
}

bool PuertoTcp::Preparar(const std::function<bool()>& seguir) {
    std::unique_lock bloqueo(mutex_);
    while (comprobando_)
        if (!cambio_.wait_for(bloqueo, std::chrono::milliseconds(TramoMs),
                              [this] { return !comprobando_; }) &&
            !seguir())
            return false;
    if (!destino_ || malo_)
        return false;
    fallo_ = false; // a new transfer, a new connection
    motivo_.clear();
    return true;
}

// A connection within 3 s of asking for the adapter's name, or false with the reason in
// motivo_. The name may take longer than that: it is then left to the resolver.
bool PuertoTcp::conectar(Conexion& c, const std::function<bool()>& seguir) {
    const DestinoTcp d = [this] {
        std::lock_guard bloqueo(mutex_);
        return *destino_;
    }();
    const qint64 hasta = reloj_.Ahora() + NsConexion;
    const std::shared_future<ResultadoNombre> nombre = resolutor_.Resolver(d.host, d.puerto);
    const auto resuelto = [&nombre] {
        return nombre.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    };
    if (!resuelto())
        reloj_.DormirHasta(hasta, [&] { return resuelto() || !seguir(); });
    QString error;
    int codigo = ETIMEDOUT;
    if (!resuelto())
        error = seguir() ? QStringLiteral("no se encontro el equipo a tiempo") : QString();
    else if (!(error = nombre.get().error).isEmpty())
        codigo = 0;
    for (const DireccionTcp& a :
         resuelto() ? nombre.get().direcciones : std::vector<DireccionTcp>{}) {
        codigo = c.Iniciar(a);
        if (codigo == EINPROGRESS)
            codigo = esperarConexion(c, hasta, seguir);
        if (codigo == 0) {
            c.Ajustar();
            return true;
        }
        if (const QString h = TextoDireccion(a); codigo == EINVAL && EnlaceLocal(h))
            error = SinInterfaz(h); // a name that gave an address of one link
        c.Cerrar();
        if (codigo == ECANCELED || reloj_.Ahora() >= hasta)
            break;
    }
    std::lock_guard bloqueo(mutex_);
    motivo_ = error.isEmpty() ? motivoRed(codigo) : error;
    return false;
}

// Waits for a connection under way, a tenth of a second at a time, until hasta on the port's
// clock or until seguir() says no: 0 once it is made, else why not.
int PuertoTcp::esperarConexion(Conexion& c, qint64 hasta, const std::function<bool()>& seguir) {
    for (qint64 falta; (falta = (hasta - reloj_.Ahora()) / 1000000) > 0;) {
        if (const int r = c.Esperar(int(std::min<qint64>(falta, TramoMs))); r != EINPROGRESS)
            return r;
        if (!seguir())
            return ECANCELED;
    }
    return ETIMEDOUT;
}

bool PuertoTcp::fallar(int error) {
    std::lock_guard bloqueo(mutex_);
    motivo_ = motivoRed(error);
    fallo_ = true;
    return false;
}

bool PuertoTcp::Conectar(const std::function<bool()>& seguir) {
    escritos_ = confirmados_ = 0;
    acuse_ = reloj_.Ahora();
    callado_ = -1;
    if (conectar(conexion_, seguir))
        return true;
    std::lock_guard bloqueo(mutex_);
    fallo_ = true;
    return false;
}

// The adapter's signs of life, on the transfer's clock: 0 while it answers and takes bytes,
// else why it is given up.
int PuertoTcp::vigilar() {
    qint64 pendientes = 0;
    if (const int error = conexion_.Cortada())
        return error;
    if (const int error = conexion_.Pendientes(pendientes))
        return error;
    const qint64 ahora = reloj_.Ahora();
    if (pendientes == 0 || escritos_ - pendientes > confirmados_) {
        confirmados_ = escritos_ - pendientes;
        acuse_ = ahora;
    }
    if (const qint64 ms = pendientes > 0 ? conexion_.SinRespuesta() : -1; ms >= 0) {
        if (callado_ < 0) // silent since its last answer, not since the system noticed
            callado_ = ahora - ms * NsPorMs;
    } else {
        callado_ = -1;
    }
    if (callado_ >= 0 && ahora - callado_ >= MsSinRespuesta * NsPorMs)
        return ETIMEDOUT;
    return ahora - acuse_ >= MsSinAceptar * NsPorMs ? NoAcepta : 0;
}

bool PuertoTcp::Output(const QByteArray& bytes, const std::function<bool()>& seguir) {
    if (!conexion_.Abierta() && !Conectar(seguir))
        return false;
    if (const int error = vigilar())
        return fallar(error);
    int visto = 0; // what the watch found while the write was held up
    const int error =
        conexion_.Escribir(bytes, [&] { return (visto = vigilar()) == 0 && seguir(); });
    if (error)
        return fallar(visto ? visto : error);
    escritos_ += bytes.size();
    return true;
}

bool PuertoTcp::Confirmar(const std::function<bool(qint64)>& seguir) {
    for (;;) {
        qint64 pendientes = 0;
        if (const int error = conexion_.Pendientes(pendientes))
            return fallar(error);
        if (pendientes == 0)
            return true;
        if (const int error = vigilar())
            return fallar(error);
        if (!seguir(pendientes)) { // given up: the transfer says why
            std::lock_guard bloqueo(mutex_);
            motivo_.clear();
            fallo_ = true;
            return false;
        }
        if (const int error = conexion_.EsperarCorte(TramoMs))
            return fallar(error);
    }
}

void PuertoTcp::Soltar() {
    conexion_.Cerrar();
}

bool LineaCartel::Abrir(const QString& dispositivo, qint32 baudios, QString& error) {
    actual_->Cerrar();
    actual_ = EsTcp(dispositivo) ? static_cast<Puerto*>(&tcp_) : &serie_;
    return actual_->Abrir(dispositivo, baudios, error);
}

} // namespace brelo
