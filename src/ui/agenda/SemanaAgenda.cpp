#include "ui/agenda/SemanaAgenda.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace brelo {

namespace {

constexpr int AltoFranja = 22;
constexpr int Separacion = 4;
constexpr int AnchoDia = 36;
constexpr int AltoHoras = 16; // the hours written under the strips

// Light enough for dark text on any theme.
const QColor Colores[] = {{0xF9, 0xE0, 0x7F}, {0x8E, 0xCA, 0xE6}, {0xB5, 0xE4, 0x8C},
                          {0xF7, 0xA1, 0x8B}, {0xD1, 0xB3, 0xF0}, {0xF4, 0xB4, 0x00},
                          {0x9F, 0xE2, 0xD1}, {0xF2, 0xB6, 0xD6}};

QString texto(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

SemanaAgenda::SemanaAgenda(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("semana"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

// Each message its colour, in the order the agenda first names them.
void SemanaAgenda::Mostrar(const Agenda& a, const Aplica& aplica) {
    agenda_ = a;
    aplica_ = aplica;
    semana_ = Semana(a, aplica);
    colores_.clear();
    for (const EntradaAgenda& e : a.entradas)
        if (!e.hora && !colores_.count(e.que))
            colores_.emplace(e.que, Colores[colores_.size() % std::size(Colores)]);
    update();
}

int SemanaAgenda::fin(int dia, std::size_t i) const {
    const auto& tramos = semana_[std::size_t(dia)];
    return i + 1 < tramos.size() ? tramos[i + 1].minuto : MinutosDia;
}

QString SemanaAgenda::describir(int dia, std::size_t i) const {
    const Tramo& t = semana_[std::size_t(dia)][i];
    return QStringLiteral("%1 %2-%3 %4")
        .arg(texto(NombreDia(dia)), texto(TextoHora(t.minuto)), texto(TextoHora(fin(dia, i))),
             t.entrada < 0 ? QStringLiteral("-")
                           : texto(agenda_.entradas[std::size_t(t.entrada)].que));
}

QStringList SemanaAgenda::Tramos() const {
    QStringList l;
    for (int d = 0; d < 7; ++d) {
        for (std::size_t i = 0; i < semana_[std::size_t(d)].size(); ++i)
            l << describir(d, i);
        for (const EntradaAgenda& e : agenda_.entradas)
            if (e.hora && (e.dias >> d & 1) && (!aplica_ || aplica_(e)))
                l << QStringLiteral("%1 %2 hora")
                         .arg(texto(NombreDia(d)), texto(TextoHora(e.minuto)));
    }
    return l;
}

QSize SemanaAgenda::sizeHint() const {
    return {AnchoDia + 7 * 96, 7 * (AltoFranja + Separacion) + AltoHoras};
}

QSize SemanaAgenda::minimumSizeHint() const {
    return {AnchoDia + 240, sizeHint().height()};
}

QRect SemanaAgenda::franja(int dia) const {
    return {AnchoDia, dia * (AltoFranja + Separacion), width() - AnchoDia - 1, AltoFranja};
}

void SemanaAgenda::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const auto x = [this](int minuto) {
        const QRect r = franja(0);
        return r.left() + int(qint64(r.width()) * minuto / MinutosDia);
    };
    for (int d = 0; d < 7; ++d) {
        const QRect r = franja(d);
        p.setPen(pal.color(QPalette::WindowText));
        p.drawText(QRect(0, r.top(), AnchoDia - 4, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   texto(NombreDia(d)));
        p.fillRect(r, pal.color(QPalette::Base));
        const auto& tramos = semana_[std::size_t(d)];
        for (std::size_t i = 0; i < tramos.size(); ++i) {
            if (tramos[i].entrada < 0)
                continue;
            const QRect t(QPoint(x(tramos[i].minuto), r.top()),
                          QPoint(x(fin(d, i)) - 1, r.bottom()));
            const std::string& que = agenda_.entradas[std::size_t(tramos[i].entrada)].que;
            p.fillRect(t, colores_.at(que));
            p.setPen(Qt::black); // on the light colours, whatever the theme
            p.drawText(t.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                       fontMetrics().elidedText(texto(que), Qt::ElideRight, t.width() - 5));
        }
        p.setPen(pal.color(QPalette::Mid));
        p.drawRect(r);
        // The clock: a mark from the top of the strip.
        p.setPen(QPen(pal.color(QPalette::Highlight), 2));
        for (const EntradaAgenda& e : agenda_.entradas)
            if (e.hora && (e.dias >> d & 1) && (!aplica_ || aplica_(e)))
                p.drawLine(x(e.minuto), r.top(), x(e.minuto), r.top() + AltoFranja / 2);
    }
    p.setPen(pal.color(QPalette::WindowText));
    const int abajo = franja(6).bottom() + 2;
    for (int h = 0; h <= 24; h += 6) {
        const int en = x(h * 60);
        const Qt::Alignment a = h == 0    ? Qt::AlignLeft
                                : h == 24 ? Qt::AlignRight
                                          : Qt::AlignHCenter;
        const int ancho = 40;
        const int izq = h == 0 ? en : h == 24 ? en - ancho : en - ancho / 2;
        p.drawText(QRect(izq, abajo, ancho, AltoHoras), a | Qt::AlignVCenter,
                   QStringLiteral("%1:00").arg(h, 2, 10, QLatin1Char('0')));
    }
}

// The stretch under the mouse, in words.
QString SemanaAgenda::tramoEn(QPoint p) const {
    for (int d = 0; d < 7; ++d) {
        const QRect r = franja(d);
        if (!r.contains(p))
            continue;
        const int minuto = int(qint64(p.x() - r.left()) * MinutosDia / std::max(1, r.width()));
        const auto& tramos = semana_[std::size_t(d)];
        for (std::size_t i = 0; i < tramos.size(); ++i)
            if (minuto >= tramos[i].minuto && minuto < fin(d, i))
                return describir(d, i);
    }
    return {};
}

bool SemanaAgenda::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const auto* ayuda = static_cast<QHelpEvent*>(e);
        const QString t = tramoEn(ayuda->pos());
        if (t.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(ayuda->globalPos(), t, this);
        return true;
    }
    return QWidget::event(e);
}

} // namespace brelo
