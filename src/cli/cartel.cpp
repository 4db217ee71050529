#include "cli/cartel.h"

#include "cli/envio.h"
#include "core/model/catalogos.h"
#include "core/model/cp1252.h"
#include "core/textos.h"
#include "link/files/escritura.h"
#include "link/parada.h"
#include "link/puerto.h"
#include "link/puertotcp.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <utility>
#include <vector>

namespace brelo {

namespace {

std::string nombreDe(std::string_view catalogo) {
    return std::string(catalogo.substr(0, catalogo.find_last_not_of(' ') + 1));
}

// Bytes in from one sender, as a sign takes them: a stream is read once its terminator is in.
class Recepcion {
public:
    explicit Recepcion(const OpcionesCartel& o) : o_(o) { reloj_.start(); }

    // The gaps are measured between the reads of one stream's bytes: a read that brings none
    // (a sender closing without a word) is no arrival.
    void Recibir(const QByteArray& bytes) {
        if (bytes.isEmpty())
            return;
        llegadas_.emplace_back(reloj_.nsecsElapsed(), recibido_.size());
        recibido_ += bytes;
        if (!recibido_.endsWith("\x01\x01"))
            return;
        const LecturaTrama l = LeerTrama(recibido_.toStdString());
        // 01 01 may also be in a clock command's fields: its fixed length tells.
        if (!l.flujos.empty() && l.flujos.back().estado != FlujoLeido::SinTerminar)
            acabar(l);
    }
    bool Vacia() const { return recibido_.isEmpty(); }
    // The sender went away: what came is shown as it is.
    void Cortar() {
        if (!recibido_.isEmpty())
            acabar(LeerTrama(recibido_.toStdString()));
    }

private:
    // The gaps that follow one of the first five bytes, then the others, each beside the
    // pause it should be: --dy1 and --dy2 each checked on their own.
    void acabar(const LecturaTrama& l) {
        ImprimirLectura(l, std::cout);
        const auto pausas =
            PausasDeLlegadas(llegadas_, l.flujos.empty() ? 0 : qsizetype(l.flujos.back().desde));
        const char* tras[] = {"los 5 primeros bytes", "los demas bytes"};
        for (int g = 0; g < 2; ++g) {
            const std::vector<double>& p = pausas[std::size_t(g)];
            if (!p.empty())
                std::printf("Pausas tras %s: minima %.2f ms, mediana %.2f ms (configurada: %g "
                            "ms)\n",
                            tras[g], p.front(), p[p.size() / 2], g ? o_.dy2 : o_.dy1);
        }
        if (!o_.carpeta.isEmpty()) {
            const QString ruta =
                QDir(o_.carpeta)
                    .filePath(
                        QStringLiteral("envio-%1.bin").arg(++guardados_, 3, 10, QLatin1Char('0')));
            if (const auto error = EscribirArchivo(ruta, recibido_.toStdString()))
                Fallar(texto::NoGrabado, ruta + QStringLiteral(": ") + *error);
        }
        std::fflush(stdout);
        std::cout.flush();
        recibido_.clear();
        llegadas_.clear();
    }

    const OpcionesCartel& o_;
    QByteArray recibido_;
    std::vector<std::pair<qint64, qsizetype>> llegadas_; // each read's time, the bytes before it
    QElapsedTimer reloj_;
    int guardados_ = 0;
};

// A serial device in raw mode: QSerialPort sets it so (no echo, no line editing, no signals,
// no XON/XOFF, no CR translation), and it is opened for reading only.
bool escucharLinea(const QString& dispositivo, QSerialPort& linea, Recepcion& r) {
    linea.setPortName(dispositivo);
    if (!linea.open(QIODevice::ReadOnly)) {
        Fallar(texto::Error03, dispositivo + QStringLiteral(": ") + linea.errorString());
        return false;
    }
    QObject::connect(&linea, &QSerialPort::readyRead, &linea, [&] { r.Recibir(linea.readAll()); });
    std::printf("Escuchando en %s\n", qUtf8Printable(dispositivo)); // the line is set up by now
    std::fflush(stdout);
    return true;
}

// One sender at a time, as an adapter takes them; another is let go at once.
bool escucharRed(const QString& direccion, QTcpServer& servidor, QTcpSocket*& activo,
                 Recepcion& r) {
    const QUrl url(direccion);
    QHostAddress en(url.host());
    if (en.isNull() && !url.host().isEmpty()) // a name, as tcp://EQUIPO:PUERTO allows
        en = QHostInfo::fromName(url.host()).addresses().value(0);
    if (!url.isValid() || en.isNull() || url.port() < 0 ||
        !servidor.listen(en, quint16(url.port()))) {
        Fallar(texto::Error03, direccion + QStringLiteral(": ") +
                                   (servidor.isListening() || en.isNull() || url.port() < 0
                                        ? QStringLiteral("se espera tcp://DIRECCION:PUERTO")
                                        : servidor.errorString()));
        return false;
    }
    const QHostAddress a = servidor.serverAddress();
    const QString host = a.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + a.toString() + QLatin1Char(']')
                             : a.toString();
    std::printf("Escuchando en tcp://%s:%u\n", qUtf8Printable(host), servidor.serverPort());
    std::fflush(stdout);
    QObject::connect(&servidor, &QTcpServer::newConnection, &servidor, [&] {
        while (QTcpSocket* s = servidor.nextPendingConnection()) {
            // A sender that has sent nothing yet (a check, one whose close is still on its
            // way) gives way to the new one; one in the middle of a stream keeps the line.
            QTcpSocket* quitado = r.Vacia() ? std::exchange(activo, nullptr) : s;
            if (quitado) {
                quitado->disconnect();
                quitado->abort();
                quitado->deleteLater();
            }
            if (quitado == s)
                continue;
            activo = s;
            QObject::connect(s, &QTcpSocket::readyRead, s, [s, &r] { r.Recibir(s->readAll()); });
            QObject::connect(s, &QTcpSocket::disconnected, s, [s, &r, &activo] {
                r.Recibir(s->readAll());
                r.Cortar();
                activo = nullptr;
                s->deleteLater();
            });
        }
    });
    return true;
}

} // namespace

std::array<std::vector<double>, 2>
PausasDeLlegadas(const std::vector<std::pair<qint64, qsizetype>>& llegadas, qsizetype desde) {
    std::array<std::vector<double>, 2> pausas;
    for (std::size_t i = 1; i < llegadas.size(); ++i)
        if (llegadas[i - 1].second >= desde) // both reads of the stream's own bytes
            pausas[llegadas[i].second - desde > 5 ? 1 : 0].push_back(
                double(llegadas[i].first - llegadas[i - 1].first) / 1e6);
    for (auto& p : pausas)
        std::sort(p.begin(), p.end());
    return pausas;
}

void ImprimirLectura(const LecturaTrama& l, std::ostream& salida) {
    for (const FlujoLeido& f : l.flujos) {
        if (f.hora) {
            salida << "Hora (byte " << f.desde << "): " << f.reloj << '\n';
            continue;
        }
        salida << "Mensaje (byte " << f.desde << "): " << NombreEstado(f.estado) << ", "
               << f.paginas.size() << (f.paginas.size() == 1 ? " pagina\n" : " paginas\n");
        for (std::size_t i = 0; i < f.paginas.size(); ++i) {
            const Pagina& g = f.paginas[i];
            salida << "Pagina " << i + 1 << ": " << nombreDe(EfectosEntrada[g.efe]) << ", pausa "
                   << int(g.pausa) << ", salida " << nombreDe(EfectosSalida[g.efeOut]) << ": \""
                   << Cp1252AUtf8(g.texto) << "\"\n";
        }
    }
    for (const Incidencia& i : l.incidencias)
        salida << "No se entendio el byte " << i.byte << ": " << i.motivo << '\n';
    if (l.flujos.empty())
        salida << "No hay ningun envio\n";
}

int EscucharCartel(const OpcionesCartel& o) {
    const Parada parada;
    Recepcion recepcion(o);
    QSerialPort linea;
    QTcpServer servidor;
    QTcpSocket* activo = nullptr;
    QString error;
    if (EsTcp(o.escuchar)) {
        if (!escucharRed(o.escuchar, servidor, activo, recepcion))
            return 2;
    } else {
        const QString dispositivo = DispositivoDe(o.escuchar, &error);
        if (dispositivo.isEmpty()) {
            Fallar(texto::Error03, error);
            return 2;
        }
        if (!escucharLinea(dispositivo, linea, recepcion))
            return 2;
    }
    QTimer parar;
    QObject::connect(&parar, &QTimer::timeout, &parar, [] {
        if (Parada::Senal())
            QCoreApplication::quit();
    });
    parar.start(100);
    QCoreApplication::exec();
    if (activo) // what is still coming is shown as it is
        recepcion.Recibir(activo->readAll());
    recepcion.Cortar();
    return 0;
}

} // namespace brelo
