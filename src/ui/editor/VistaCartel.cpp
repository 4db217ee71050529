#include "ui/editor/VistaCartel.h"

#include "core/model/catalogos.h"
#include "core/model/reglas.h"
#include "core/panel/glifos.h"
#include "core/protocol/filtro.h"
#include "core/protocol/trama.h"
#include "ui/platform/plataforma.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace brelo {

namespace {

constexpr int AnchoLetra = 6;
constexpr int MsCuadro = 40; // 25 frames a second
constexpr qint64 MsTransicion = 900;
constexpr qint64 MsColumna = 30; // scrolling speed
constexpr qint64 MsSprite = 20;
constexpr qint64 MsReset = 1500;
constexpr qint64 MsQuieta = 1500; // how long Ver Mensaje shows a page that does not move

using Columna = std::bitset<VistaCartel::Filas>;
// Dot column x (0-5) of a sign code. The four marks are patterns across the whole cell, so
// a row of them joins up; the black block fills its five columns.
Columna columna(std::uint8_t c, int x) {
    Columna r;
    for (int y = 0; y < VistaCartel::Filas; ++y) {
        bool on = false;
        switch (c) {
        case '{':
            on = y == 0 || y == 6;
            break; // Guarda1
        case '|':
            on = y == 0 || y == 6 || ((x + y) % 2 == 0 && (y < 2 || y > 4));
            break; // Guarda2
        case '}':
            on = y == 3;
            break; // Raya
        case '~':
            on = (x + y) % 2 == 0;
            break; // Gris
        case 0x7F:
            on = x < 5;
            break;
        default:
            on = x < 5 && (GlifoCartel(c)[std::size_t(y)] >> (4 - x) & 1);
        }
        r[std::size_t(y)] = on;
    }
    return r;
}

VistaCartel::Puntos tira(const std::string& columnas) {
    VistaCartel::Puntos t(columnas.size() * AnchoLetra);
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = columna(std::uint8_t(columnas[i / AnchoLetra]), int(i % AnchoLetra));
    return t;
}

VistaCartel::Puntos tiraDeTexto(const QString& texto) {
    std::string codigos;
    for (QChar c : texto)
        codigos += char(CodigoCartel(std::uint8_t(c.toLatin1())));
    return tira(codigos);
}

void poner(VistaCartel::Puntos& panel, const VistaCartel::Puntos& t, qint64 desde) {
    for (std::size_t x = 0; x < t.size(); ++x)
        if (desde + qint64(x) >= 0 && desde + qint64(x) < VistaCartel::Columnas)
            panel[std::size_t(desde) + x] = t[x];
}

void centrar(VistaCartel::Puntos& panel, const VistaCartel::Puntos& t) {
    poner(panel, t, (VistaCartel::Columnas - qint64(t.size())) / 2);
}

// Small pictures of the three animation pages, 8 dots wide, one text row a dot row.
VistaCartel::Puntos sprite(std::uint8_t efe, qint64 ms) {
    static const char* const Autito[] = {"........", "..####..", ".#.##.#.", "########",
                                         "########", ".##..##.", ".##..##."};
    static const char* const Avion[] = {"...#....", "...##...", "#..###..", "########",
                                        "#..###..", "...##...", "...#...."};
    static const char* const Pacman[2][7] = {
        {"..###...", ".#####..", "###.....", "##......", "###.....", ".#####..", "..###..."},
        {"..###...", ".#####..", "#######.", "#######.", "#######.", ".#####..", "..###..."}};
    const char* const* filas = efe == efecto::Autito  ? Autito
                               : efe == efecto::Avion ? Avion
                                                      : Pacman[(ms / 150) % 2];
    VistaCartel::Puntos s(8);
    for (int y = 0; y < VistaCartel::Filas; ++y)
        for (int x = 0; x < 8; ++x)
            s[std::size_t(x)][std::size_t(y)] = filas[y][x] == '#';
    return s;
}

double hash(int x, int y) {
    return double((std::uint32_t(x * 7 + y * 131) * 2654435761u) >> 24) / 256;
}

// Where a lit dot of the finished page is at q (0 to 1) of the entry effect; nothing while
// it has not come in. Each is a rough likeness of the effect's name.
std::optional<std::pair<int, int>> entrada(std::uint8_t efe, int x, int y, double q) {
    const int filasFaltan = int(std::ceil((1 - q) * VistaCartel::Filas));
    switch (efe) {
    case 3: { // LLuvia: columns fall in, each a little after another
        const double retraso = double((x * 37) % 16) / 32;
        const double local = std::clamp((q - retraso) * 2, 0.0, 1.0);
        return std::pair{x, y - int(std::ceil((1 - local) * VistaCartel::Filas))};
    }
    case 4: { // Enlazado: rows slide in from both sides
        const int desplazamiento = int(std::lround((1 - q) * VistaCartel::Columnas));
        return std::pair{y % 2 ? x + desplazamiento : x - desplazamiento, y};
    }
    case 5:
        return std::pair{x, y + filasFaltan}; // Vert Arr
    case 6:
        return std::pair{x, y - filasFaltan}; // Vert Aba
    case 7:                                   // Pers Arr: blinds opening from the bottom
        return y >= filasFaltan ? std::optional{std::pair{x, y}} : std::nullopt;
    case 8:
        return y < VistaCartel::Filas - filasFaltan ? std::optional{std::pair{x, y}} : std::nullopt;
    case 9: { // Shot: the characters fly in from the right one after another
        const double local = std::clamp(q * AnchoCampo - x / AnchoLetra, 0.0, 1.0);
        if (local <= 0)
            return std::nullopt;
        return std::pair{x + int(std::lround((1 - local) * (VistaCartel::Columnas - x))), y};
    }
    case 10: // Mirilla: opens from the centre
        return std::abs(x - 47.5) <= q * 48 ? std::optional{std::pair{x, y}} : std::nullopt;
    case 11: // Explosion: dots scattered in
        return hash(x, y) < q ? std::optional{std::pair{x, y}} : std::nullopt;
    default:
        return std::pair{x, y};
    }
}

bool encendidoAl(std::uint8_t efe, qint64 ms) {
    if (efe == efecto::Parpadeo)
        return ms % 1000 < 600;
    if (efe == efecto::Doble) {
        const qint64 t = ms % 1600;
        return t < 250 || (t >= 400 && t < 650) || t >= 800;
    }
    return true;
}

} // namespace

VistaCartel::VistaCartel(Plataforma& plataforma, QWidget* padre)
    : QWidget(padre), plataforma_(plataforma), cuadros_(this) {
    setObjectName(QStringLiteral("VistaCartel"));
    setMinimumSize(Columnas * 4 + 8, Filas * 4 + 8);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(sizeHint().height());
    cuadros_.setInterval(MsCuadro);
    connect(&cuadros_, &QTimer::timeout, this, [this] {
        if (Reproduciendo() && reloj_.elapsed() >= finPagina_)
            avanzar();
        const qint64 d = Duracion();
        const bool transicion = EsTransicion(pagina_.efe);
        if (!Reproduciendo() && (d == 0 || (transicion && reloj_.elapsed() > d)))
            cuadros_.stop();
        update();
    });
}

void VistaCartel::Mostrar(const Pagina& p) {
    const bool otraMotion = Reproduciendo() || !encendido_ || p.efe != pagina_.efe;
    cola_.clear();
    pagina_ = p;
    vista_ = VerPagina(p);
    encendido_ = SeEnvia(p); // a page left out of the stream shows nothing, whatever its effect
    if (otraMotion)
        reloj_.restart();
    if (isVisible() && Duracion() > 0)
        cuadros_.start();
    update();
}

void VistaCartel::Reproducir(std::vector<Pagina> paginas) {
    cola_ = std::move(paginas);
    enCola_ = 0;
    if (cola_.empty()) {
        Q_EMIT FinReproduccion();
        return;
    }
    empezar(cola_.front());
}

void VistaCartel::empezar(const Pagina& p) {
    pagina_ = p;
    vista_ = VerPagina(p);
    encendido_ = true;
    reloj_.restart();
    finPagina_ = std::max(Duracion(), MsQuieta) + CodigoPausa(p) * qint64(1000);
    cuadros_.start();
    update();
    Q_EMIT EnPagina(enCola_, p);
}

void VistaCartel::avanzar() {
    cola_.erase(cola_.begin());
    ++enCola_;
    if (cola_.empty()) {
        Q_EMIT FinReproduccion();
        return;
    }
    empezar(cola_.front());
}

void VistaCartel::Apagar() {
    cola_.clear();
    encendido_ = false;
    cuadros_.stop();
    update();
}

qint64 VistaCartel::Duracion() const {
    if (!encendido_)
        return 0;
    const std::uint8_t efe = pagina_.efe;
    if (efe == efecto::Hora || efe == efecto::Fecha)
        return 1000;
    if (efe == efecto::Reset)
        return MsReset;
    if (efe >= efecto::Autito && efe <= efecto::Pacman)
        return (Columnas + 8) * MsSprite;
    const qint64 ancho = qint64(vista_.columnas.size()) * AnchoLetra;
    if (ancho > Columnas)
        return (ancho + Columnas) * MsColumna;
    if (EsTransicion(efe))
        return MsTransicion;
    return efe == efecto::Parpadeo ? 1000 : efe == efecto::Doble ? 1600 : 0;
}

VistaCartel::Puntos VistaCartel::Cuadro(qint64 ms) const {
    Puntos panel(Columnas);
    if (!encendido_)
        return panel;
    const std::uint8_t efe = pagina_.efe;
    const QDateTime ahora = plataforma_.Ahora();
    switch (efe) {
    case efecto::Hora:
        centrar(panel, tiraDeTexto(ahora.toString(QStringLiteral("hh:mm:ss"))));
        break;
    case efecto::Fecha:
        centrar(panel, tiraDeTexto(ahora.toString(QStringLiteral("dd/MM/yy"))));
        break;
    case efecto::Velocidad:
        centrar(panel,
                tiraDeTexto(QStringLiteral("Vel. %1").arg(std::clamp<int>(pagina_.pausa, 1, 9))));
        break;
    case efecto::Reset:
        if (ms % MsReset < 200)
            std::fill(panel.begin(), panel.end(), Columna().set());
        break;
    case efecto::Autito:
    case efecto::Avion:
    case efecto::Pacman:
        poner(panel, sprite(efe, ms), Columnas - (ms / MsSprite) % (Columnas + 8));
        break;
    default: {
        const qint64 ancho = qint64(vista_.columnas.size()) * AnchoLetra;
        if (ancho > Columnas) {
            // Only the characters in sight: a page may be a thousand of them.
            const qint64 desde = Columnas - (ms / MsColumna) % (ancho + Columnas);
            const qint64 primera = std::max<qint64>(0, -desde / AnchoLetra);
            const std::string vistas = vista_.columnas.substr(std::size_t(primera), AnchoCampo + 1);
            poner(panel, tira(vistas), desde + primera * AnchoLetra);
        } else {
            const Puntos t = tira(vista_.columnas);
            Puntos fin(Columnas);
            poner(fin, t, 0);
            const double q = std::min(1.0, double(ms) / MsTransicion);
            for (int x = 0; x < Columnas; ++x)
                for (int y = 0; y < Filas; ++y)
                    if (fin[std::size_t(x)][std::size_t(y)])
                        if (const auto p = entrada(efe, x, y, q);
                            p && p->first >= 0 && p->first < Columnas && p->second >= 0 &&
                            p->second < Filas)
                            panel[std::size_t(p->first)][std::size_t(p->second)] = true;
        }
        if (!encendidoAl(efe, ms))
            panel.assign(Columnas, Columna());
    }
    }
    return panel;
}

// ---- drawing ----

// The dots grow with the width, a whole pixel at a time, up to what still reads as a sign.
int VistaCartel::Paso(int ancho) {
    return std::clamp((ancho - 8) / Columnas, 4, PasoMaximo);
}

int VistaCartel::heightForWidth(int ancho) const {
    return Filas * Paso(ancho) + 8;
}

QSize VistaCartel::sizeHint() const {
    const int ancho = Columnas * 7 + 8;
    return {ancho, heightForWidth(ancho)};
}

QRect VistaCartel::rectPunto(int x, int y) const {
    const int paso = std::max(3, std::min((width() - 8) / Columnas, (height() - 8) / Filas));
    const int izq = (width() - paso * Columnas) / 2;
    const int arriba = (height() - paso * Filas) / 2;
    return {izq + x * paso, arriba + y * paso, paso, paso};
}

void VistaCartel::prepararLeds() {
    const QRect celda = rectPunto(0, 0);
    auto led = [&](QColor color) {
        QPixmap p(celda.size() * devicePixelRatioF());
        p.setDevicePixelRatio(devicePixelRatioF());
        p.fill(Qt::black);
        QPainter q(&p);
        q.setRenderHint(QPainter::Antialiasing);
        q.setPen(Qt::NoPen);
        q.setBrush(color);
        const qreal margen = celda.width() * 0.12;
        q.drawEllipse(
            QRectF(QPointF(0, 0), QSizeF(celda.size())).adjusted(margen, margen, -margen, -margen));
        return p;
    };
    led_ = led(QColor(255, 110, 20));
    const QPixmap apagado = led(QColor(70, 28, 12));
    apagados_ = QPixmap(size() * devicePixelRatioF());
    apagados_.setDevicePixelRatio(devicePixelRatioF());
    apagados_.fill(Qt::black);
    QPainter q(&apagados_);
    for (int x = 0; x < Columnas; ++x)
        for (int y = 0; y < Filas; ++y)
            q.drawPixmap(rectPunto(x, y).topLeft(), apagado);
}

void VistaCartel::paintEvent(QPaintEvent*) {
    if (apagados_.size() != size() * devicePixelRatioF())
        prepararLeds();
    QPainter p(this);
    p.drawPixmap(0, 0, apagados_);
    const Puntos cuadro = Cuadro(reloj_.isValid() ? reloj_.elapsed() : 0);
    for (int x = 0; x < Columnas; ++x)
        for (int y = 0; y < Filas; ++y)
            if (cuadro[std::size_t(x)][std::size_t(y)])
                p.drawPixmap(rectPunto(x, y).topLeft(), led_);
}

void VistaCartel::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (Reproduciendo() || Duracion() > 0)
        cuadros_.start();
}

void VistaCartel::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    cuadros_.stop();
}

// The layout hands the width; the height follows it, which a fixed-height row of the
// window's layout then makes room for.
void VistaCartel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    apagados_ = QPixmap();
    if (const int alto = heightForWidth(width()); alto != height())
        setFixedHeight(alto);
}

} // namespace brelo
