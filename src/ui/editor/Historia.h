#pragma once

// The undo history of the open message. A step keeps the pages before and after it, all five
// values of each, and the page shown on either side: undoing or redoing it puts every page
// back whole and shows the one where the step was made. Steps are recorded once the
// operator's change is made, so recording one changes nothing; only undo and redo do, and
// only in the window: no file is ever touched.
//
//   operator's change --> editor --Registrar--> Historia (QUndoStack) --undo/redo--> editor
//                          ^                                                         |
//                          +----------------------- Restaurar ------------------------+

#include "core/model/mensaje.h"

#include <QDateTime>
#include <QUndoStack>

#include <functional>
#include <vector>

namespace brelo {

struct Instantanea {
    std::vector<Pagina> paginas; // pages 1 to TotPag
    int pagina = 1;              // the page shown
};

class Historia final : public QUndoStack {
    Q_OBJECT

public:
    using Restaurador = std::function<void(const Instantanea&)>;

    Historia(Restaurador restaurar, QObject* padre = nullptr);

    // A new history, from these pages: nothing to undo or redo.
    void Empezar(std::vector<Pagina> paginas);

    // A step from the pages last seen to these, when they differ. Typing in one page joins
    // the step before it while the operator goes on with the same word without a pause.
    void Registrar(const QString& nombre, std::vector<Pagina> paginas, int paginaAntes,
                   int paginaDespues, bool tecleo = false, const QDateTime& hora = {});

    // Puts the message as this step found it, or left it; for the steps themselves.
    void Poner(const Instantanea& estado);

    // A pause in typing at least this long starts a step of its own.
    static constexpr qint64 PausaDeTecleo = 2000; // ms

private:
    Restaurador restaurar_;
    std::vector<Pagina> vistas_; // the pages as the last step left them
};

} // namespace brelo
