#include "link/ajustes.h"

#include "link/agendaarchivo.h"

#include <QSettings>

namespace brelo {

namespace {

QSettings almacen() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brelo2"),
                     QStringLiteral("Brelo2"));
}

bool aBooleano(const QString& texto) {
    if (texto.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool numero = false;
    const double v = texto.trimmed().toDouble(&numero);
    return numero && v != 0;
}

} // namespace

Ajustes LeerAjustes() {
    const Ajustes omision;
    const QSettings s = almacen();
    Ajustes a;
    a.Puerto = s.value(QStringLiteral("COM/Port"), omision.Puerto).toString();
    a.Baud = s.value(QStringLiteral("COM/Baud"), omision.Baud).toString();
    a.RTS = aBooleano(s.value(QStringLiteral("COM/RTS"), QStringLiteral("False")).toString());
    a.DY1 = s.value(QStringLiteral("PGM/DY1"), omision.DY1).toString();
    a.DY2 = s.value(QStringLiteral("PGM/DY2"), omision.DY2).toString();
    return a;
}

void GuardarAjustes(const Ajustes& a) {
    QSettings s = almacen();
    s.setValue(QStringLiteral("COM/Port"), a.Puerto);
    s.setValue(QStringLiteral("COM/Baud"), a.Baud);
    s.setValue(QStringLiteral("COM/RTS"), a.RTS ? QStringLiteral("True") : QStringLiteral("False"));
    s.setValue(QStringLiteral("PGM/DY1"), a.DY1);
    s.setValue(QStringLiteral("PGM/DY2"), a.DY2);
    s.sync();
}

bool LeerListaVisible() {
    return aBooleano(
        almacen().value(QStringLiteral("Ventana/ListaPaginas"), QStringLiteral("True")).toString());
}

void GuardarListaVisible(bool visible) {
    QSettings s = almacen();
    s.setValue(QStringLiteral("Ventana/ListaPaginas"),
               visible ? QStringLiteral("True") : QStringLiteral("False"));
    s.sync();
}

QString LeerRutaAgenda() {
    const QString ruta = almacen().value(QStringLiteral("Agenda/Archivo")).toString();
    return ruta.isEmpty() ? AgendaPorOmision() : ruta;
}

void GuardarRutaAgenda(const QString& ruta) {
    QSettings s = almacen();
    s.setValue(QStringLiteral("Agenda/Archivo"), ruta);
    s.sync();
}

} // namespace brelo
