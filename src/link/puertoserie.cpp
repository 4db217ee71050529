#include "link/puertoserie.h"

#include "link/errores.h"
#include "link/motivos.h"

#include <cerrno>

namespace brelo {

QString MotivoLinea(int error) {
    switch (error) {
    case EIO:
    case EPIPE:
    case ENXIO:
    case ENODEV:
        return QStringLiteral("el dispositivo se desconecto");
    case EBADF:
        return QStringLiteral("el puerto no esta abierto");
    default:
        return Motivo(error, TextoError(error));
    }
}

bool PuertoSerie::PortOpen() const {
    return linea_.Abierta();
}

void PuertoSerie::Cerrar() {
    linea_.Cerrar();
}

bool PuertoSerie::Abrir(const QString& dispositivo, qint32 baudios, QString& error) {
    fallo_ = false;
    error = linea_.Abrir(dispositivo);
    if (error.isEmpty())
        error = linea_.Configurar(baudios);
    if (!error.isEmpty())
        linea_.Cerrar();
    return error.isEmpty();
}

bool PuertoSerie::Lista() const {
    return linea_.Abierta() && !fallo_ && !linea_.Colgada();
}

bool PuertoSerie::Output(const QByteArray& bytes, const std::function<bool()>& seguir) {
    const int error = linea_.Abierta() ? linea_.Escribir(bytes, seguir) : EBADF;
    if (error) {
        motivo_ = error == ECANCELED ? QString() : MotivoLinea(error);
        fallo_ = true;
    }
    return !error;
}

} // namespace brelo
