#include "link/motivos.h"
#include "link/puerto.h"
#include "link/puertotcp.h"

namespace brelo {

// Only COM ports are ever opened: a name that is not one ("\\.\PhysicalDrive0", "COM3:", a
// Linux path left in the settings) is refused before it reaches the system.
QString DispositivoDe(const QString& puerto, QString* error) {
    if (EsTcp(puerto))
        return puerto;
    if (const int n = NumeroCom(puerto))
        return QStringLiteral("COM%1").arg(n);
    if (error)
        *error = QStringLiteral("puerto no valido: %1 (se espera COM1 a COM255, o solo el numero)")
                     .arg(Mostrable(puerto));
    return {};
}

QString NombrePuerto(const QString& puerto) {
    const int n = NumeroCom(puerto);
    return n ? QStringLiteral("COM%1").arg(n) : QStringLiteral("COM") + puerto;
}

QString AyudaPuerto() {
    return QStringLiteral("Puerto COM (COM3, o solo 3), o tcp://EQUIPO:PUERTO para un\n"
                          "adaptador serie-Ethernet en modo TCP directo");
}

} // namespace brelo
