#pragma once

// The list of all pages beside the page editor: a row a page with its number, entry effect
// and the start of its text, greyed when the page is not sent. A row clicked shows its page;
// a row dragged to another place moves its page there. The list only shows: every change goes
// through the editing frame, and the list is rebuilt from the message after it.

#include <QListWidget>

#include <vector>

namespace brelo {

struct Pagina;

class ListaPaginas final : public QListWidget {
    Q_OBJECT

public:
    explicit ListaPaginas(QWidget* padre = nullptr);

    // The rows for these pages, the shown one (1-based) selected.
    void Mostrar(const std::vector<Pagina>& paginas, int actual);

    // Where a row dropped lands (0-based): on or above a row, before it; below, after it;
    // outside the rows, last.
    enum class Caida { Encima, Arriba, Abajo, Fuera };
    static int Destino(int desde, int fila, Caida donde, int filas);

Q_SIGNALS:
    void Elegida(int pagina);
    void Movida(int desde, int hasta); // 1-based; hasta is the page's new number

protected:
    void dropEvent(QDropEvent* e) override;

private:
    bool mostrando_ = false;
};

} // namespace brelo
