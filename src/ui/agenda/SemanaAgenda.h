#pragma once

// The week as the sign will show it: a strip for each day, from midnight to midnight, each
// message in a colour of its own and named where it fits, and a mark where the clock is set.

#include "core/agenda/agenda.h"

#include <QColor>
#include <QWidget>

#include <map>

namespace brelo {

class SemanaAgenda : public QWidget {
    Q_OBJECT

public:
    explicit SemanaAgenda(QWidget* padre = nullptr);

    // The week of the entries aplica takes: one sign's.
    void Mostrar(const Agenda& a, const Aplica& aplica = {});

    // What is drawn, as "lun 00:00-08:00 cerrado.mn2" and "lun 04:00 hora", day by day.
    QStringList Tramos() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;

private:
    QRect franja(int dia) const;
    QString tramoEn(QPoint p) const;
    int fin(int dia, std::size_t i) const; // the minute the stretch ends
    QString describir(int dia, std::size_t i) const;

    Agenda agenda_;
    Aplica aplica_;
    std::array<std::vector<Tramo>, 7> semana_;
    std::map<std::string, QColor> colores_;
};

} // namespace brelo
