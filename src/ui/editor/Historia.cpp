#include "ui/editor/Historia.h"

#include <QUndoCommand>

#include <algorithm>

namespace brelo {

namespace {

// What typing did to a page's text: the characters it put in or took out.
struct Tecleo {
    bool borra = false;
    char primero = 0, ultimo = 0; // of what was put in
    QDateTime hora;               // of the last keystroke in the step
};

Tecleo Diferencia(const std::string& antes, const std::string& despues, const QDateTime& hora) {
    const std::size_t corto = std::min(antes.size(), despues.size());
    std::size_t inicio = 0;
    while (inicio < corto && antes[inicio] == despues[inicio])
        ++inicio;
    std::size_t fin = 0; // common characters at the end, after the common start
    while (fin < corto - inicio &&
           antes[antes.size() - 1 - fin] == despues[despues.size() - 1 - fin])
        ++fin;
    Tecleo t{despues.size() < antes.size(), 0, 0, hora};
    if (const std::size_t puestos = despues.size() - fin; puestos > inicio) {
        t.primero = despues[inicio];
        t.ultimo = despues[puestos - 1];
    }
    return t;
}

class Paso final : public QUndoCommand {
public:
    Paso(Historia& historia, const QString& nombre, Instantanea antes, Instantanea despues,
         std::optional<Tecleo> tecleo)
        : QUndoCommand(nombre), historia_(historia), antes_(std::move(antes)),
          despues_(std::move(despues)), tecleo_(std::move(tecleo)) {}

    void undo() override { historia_.Poner(antes_); }
    // The first redo is the push itself: the change is already made.
    void redo() override {
        if (std::exchange(hecho_, true))
            historia_.Poner(despues_);
    }
    int id() const override { return tecleo_ ? 1 : -1; }

    // Typing joins typing in the same page, of the same kind, without a pause, until a word
    // has ended with a blank and the next one starts.
    bool mergeWith(const QUndoCommand* otro) override {
        const auto* o = static_cast<const Paso*>(otro);
        const Tecleo &a = *tecleo_, &b = *o->tecleo_;
        const bool unido = o->antes_.pagina == despues_.pagina && a.borra == b.borra &&
                           a.hora.msecsTo(b.hora) < Historia::PausaDeTecleo &&
                           (b.borra || a.ultimo != ' ' || b.primero == ' ');
        if (unido) {
            despues_ = o->despues_;
            tecleo_ = b;
        }
        return unido;
    }

private:
    Historia& historia_;
    Instantanea antes_, despues_;
    std::optional<Tecleo> tecleo_;
    bool hecho_ = false;
};

} // namespace

Historia::Historia(Restaurador restaurar, QObject* padre)
    : QUndoStack(padre), restaurar_(std::move(restaurar)) {}

void Historia::Empezar(std::vector<Pagina> paginas) {
    clear();
    vistas_ = std::move(paginas);
}

void Historia::Registrar(const QString& nombre, std::vector<Pagina> paginas, int paginaAntes,
                         int paginaDespues, bool tecleo, const QDateTime& hora) {
    if (paginas == vistas_)
        return;
    std::optional<Tecleo> t;
    if (tecleo && std::size_t(paginaDespues) <= std::min(paginas.size(), vistas_.size()))
        t = Diferencia(vistas_[std::size_t(paginaDespues - 1)].texto,
                       paginas[std::size_t(paginaDespues - 1)].texto, hora);
    Instantanea antes{std::exchange(vistas_, paginas), paginaAntes};
    push(new Paso(*this, nombre, std::move(antes), {std::move(paginas), paginaDespues}, t));
}

void Historia::Poner(const Instantanea& estado) {
    vistas_ = estado.paginas;
    restaurar_(estado);
}

} // namespace brelo
