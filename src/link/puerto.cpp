#include "link/puerto.h"

#include "link/ajustes.h"
#include "link/motivos.h"
#include "link/puertotcp.h"

#include <QRegularExpression>

#include <cstring>

namespace brelo {

int NumeroCom(const QString& puerto) {
    static const QRegularExpression forma(QStringLiteral(R"(^(?:(?:\\\\\.\\)?COM)?([0-9]{1,3})$)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const int n = forma.match(puerto).captured(1).toInt();
    return n <= 255 ? n : 0;
}

QString IniciarPuerto(Puerto& puerto, const Ajustes& a) {
    if (puerto.PortOpen())
        puerto.Cerrar();
    QString error;
    const QString dispositivo = DispositivoDe(a.Puerto.trimmed(), &error); // "com5 " is COM5
    if (dispositivo.isEmpty())
        return error;
    bool esNumero = false;
    const qint32 baudios = a.Baud.toInt(&esNumero);
    if (!EsTcp(dispositivo) && (!esNumero || baudios <= 0 || a.Baud.startsWith(QLatin1Char('+'))))
        return QStringLiteral("velocidad no valida: %1").arg(Mostrable(a.Baud));
    if (!puerto.Abrir(dispositivo, baudios, error))
        return dispositivo + QStringLiteral(": ") + error;
    return {};
}

QString TextoLinea(const Ajustes& a) {
    if (EsTcp(a.Puerto))
        return a.Puerto.mid(int(std::strlen(PrefijoTcp)));
    return NombrePuerto(a.Puerto) + QStringLiteral(": ") + a.Baud;
}

} // namespace brelo
