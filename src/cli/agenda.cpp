// An agenda file checked as the sign will be driven by it.

#include "cli/agenda.h"

#include "cli/envio.h"
#include "link/agendaarchivo.h"

#include <iostream>

namespace brelo {

namespace {

// A sign's week; with one sign, the agenda's.
void imprimirSemana(const Agenda& a, const Aplica& aplica, std::ostream& salida) {
    const auto semana = Semana(a, aplica);
    for (int d = 0; d < 7; ++d) {
        const auto& tramos = semana[std::size_t(d)];
        for (std::size_t i = 0; i < tramos.size(); ++i) {
            const int fin = i + 1 < tramos.size() ? tramos[i + 1].minuto : MinutosDia;
            salida << (i ? "   " : NombreDia(d)) << ' ' << TextoHora(tramos[i].minuto) << '-'
                   << TextoHora(fin) << ' '
                   << (tramos[i].entrada < 0 ? std::string("(ningun mensaje de la agenda)")
                                             : a.entradas[std::size_t(tramos[i].entrada)].que)
                   << '\n';
        }
        for (const EntradaAgenda& e : a.entradas)
            if (e.hora && (e.dias >> d & 1) && (!aplica || aplica(e)))
                salida << "    " << TextoHora(e.minuto) << "       pone en hora el reloj\n";
    }
}

} // namespace

int RevisarAgenda(const QString& ruta, std::ostream& salida) {
    const AgendaLeida a = LeerArchivoAgenda(ruta);
    if (!a.errores.isEmpty()) {
        for (const QString& e : a.errores)
            std::cerr << qUtf8Printable(e) << '\n';
        return AgendaMalEscrita;
    }
    OpcionesLinea linea;
    QStringList sinOpciones;
    LeerOpcionesLinea(sinOpciones, linea); // the stored port, for entries that name none
    const QStringList hallazgos = RevisarEntradas(a, linea.puertos);
    for (const QString& h : hallazgos)
        salida << qUtf8Printable(h) << '\n';
    const QStringList carteles = Carteles(a.agenda, linea.puertos);
    if (carteles.size() <= 1) {
        salida << "Semana:\n";
        imprimirSemana(a.agenda, {}, salida);
    }
    for (const QString& c : carteles.size() > 1 ? carteles : QStringList()) {
        salida << "Semana en " << qUtf8Printable(c) << ":\n";
        imprimirSemana(a.agenda, DelCartel(c, linea.puertos), salida);
    }
    return hallazgos.isEmpty() ? 0 : AgendaConHallazgos;
}

} // namespace brelo
