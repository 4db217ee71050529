#pragma once

// A line of text that never takes more than one line of the window, however long its text:
// what does not fit ends in "...", and the whole text is its tooltip.

#include <QLabel>

namespace brelo {

class LineaElidida final : public QLabel {
public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool Cortada() const;    // its text does not fit
    QString Visible() const; // what of it is drawn: its start

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;
};

} // namespace brelo
