#include "link/puerto.h"

#include "link/ajustes.h"
#include "link/motivos.h"
#include "link/puertotcp.h"
#include "model/valor.h"

#include <cstring>

namespace brelo {

QString DispositivoDe(const QString& puerto) {
    if (puerto.startsWith(QLatin1Char('/')) || EsTcp(puerto))
        return puerto;
    const double n = RedondeoPar(ValorNumerico(puerto.toStdString()));
    if (n < 1 || n > 32767)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(int(n));
#else
    return QStringLiteral("/dev/ttyS%1").arg(int(n) - 1);
#endif
}

QString IniciarPuerto(Puerto& puerto, const Ajustes& a) {
    if (puerto.PortOpen())
        puerto.Cerrar();
    const QString dispositivo = DispositivoDe(a.Puerto);
    if (dispositivo.isEmpty())
        return QStringLiteral("numero de puerto no valido: %1").arg(Mostrable(a.Puerto));
    bool esNumero = false;
    const qint32 baudios = a.Baud.toInt(&esNumero);
    if (!EsTcp(dispositivo) && (!esNumero || baudios <= 0 || a.Baud.startsWith(QLatin1Char('+'))))
        return QStringLiteral("velocidad no valida: %1").arg(Mostrable(a.Baud));
    QString error;
    if (!puerto.Abrir(dispositivo, baudios, error))
        return dispositivo + QStringLiteral(": ") + error;
    return {};
}

QString TextoLinea(const Ajustes& a) {
    if (EsTcp(a.Puerto))
        return a.Puerto.mid(int(std::strlen(PrefijoTcp)));
    return QStringLiteral("COM") + a.Puerto + QStringLiteral(": ") + a.Baud;
}

} // namespace brelo
