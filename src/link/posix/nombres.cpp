#include "core/model/valor.h"
#include "link/motivos.h"
#include "link/puerto.h"
#include "link/puertotcp.h"

namespace brelo {

QString DispositivoDe(const QString& puerto, QString* error) {
    if (puerto.startsWith(QLatin1Char('/')) || EsTcp(puerto))
        return puerto;
    const double n = RedondeoPar(ValorNumerico(puerto.toStdString()));
    if (n >= 1 && n <= 32767)
        return QStringLiteral("/dev/ttyS%1").arg(int(n) - 1);
    if (error)
        *error = QStringLiteral("numero de puerto no valido: %1").arg(Mostrable(puerto));
    return {};
}

QString NombrePuerto(const QString& puerto) {
    return puerto.startsWith(QLatin1Char('/')) ? puerto : QStringLiteral("COM") + puerto;
}

QString AyudaPuerto() {
    return QStringLiteral(
        "Numero de puerto (1 es /dev/ttyS0), ruta del dispositivo (/dev/ttyUSB0), o\n"
        "tcp://EQUIPO:PUERTO para un adaptador serie-Ethernet en modo TCP directo");
}

} // namespace brelo
