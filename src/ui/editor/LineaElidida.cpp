#include "ui/editor/LineaElidida.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace brelo {

QSize LineaElidida::sizeHint() const {
    return {fontMetrics().averageCharWidth() * 40, minimumSizeHint().height()};
}

QSize LineaElidida::minimumSizeHint() const {
    const QMargins m = contentsMargins();
    return {0, fontMetrics().height() + m.top() + m.bottom()};
}

bool LineaElidida::Cortada() const {
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

QString LineaElidida::Visible() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void LineaElidida::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, Visible());
}

bool LineaElidida::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip)
        return QLabel::event(e);
    if (Cortada())
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text(), this);
    else
        QToolTip::hideText();
    return true;
}

} // namespace brelo
