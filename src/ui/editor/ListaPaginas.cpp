#include "ui/editor/ListaPaginas.h"

#include "core/model/catalogos.h"
#include "core/model/mensaje.h"
#include "core/protocol/trama.h"
#include "link/conversion.h"

#include <QDropEvent>

namespace brelo {

namespace {

constexpr qsizetype LargoMostrado = 24; // of a page's text in its row

QString fila(int numero, const Pagina& p) {
    const std::string_view efecto =
        EfectosEntrada.at(std::min<std::size_t>(p.efe, EfectosEntrada.size() - 1));
    QString texto = aQString(p.texto).simplified();
    if (texto.size() > LargoMostrado)
        texto = texto.left(LargoMostrado - 3) + QStringLiteral("...");
    return QStringLiteral("%1  %2  %3")
        .arg(numero, 2)
        .arg(QString::fromUtf8(efecto.data(), qsizetype(efecto.size())).trimmed(), texto);
}

} // namespace

ListaPaginas::ListaPaginas(QWidget* padre) : QListWidget(padre) {
    setObjectName(QStringLiteral("lstPaginas"));
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // a long row ends in "..."
    connect(this, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (!mostrando_ && fila >= 0)
            Q_EMIT Elegida(fila + 1);
    });
}

void ListaPaginas::Mostrar(const std::vector<Pagina>& paginas, int actual) {
    mostrando_ = true;
    while (count() > int(paginas.size()))
        delete takeItem(count() - 1);
    for (int i = 0; i < int(paginas.size()); ++i) {
        if (i == count())
            addItem(QString());
        QListWidgetItem* item = this->item(i);
        item->setText(fila(i + 1, paginas[std::size_t(i)]));
        item->setForeground(SeEnvia(paginas[std::size_t(i)]) ? palette().text()
                                                             : palette().placeholderText());
    }
    setCurrentRow(actual - 1);
    mostrando_ = false;
}

int ListaPaginas::Destino(int desde, int fila, Caida donde, int filas) {
    if (fila < 0 || donde == Caida::Fuera)
        return filas - 1;
    const int antes = fila + (donde == Caida::Abajo ? 1 : 0); // the row it goes before
    return antes > desde ? antes - 1 : antes; // the rows after it move up once it has left
}

// The view moves nothing itself: the frame moves the page, and the rows follow the message.
void ListaPaginas::dropEvent(QDropEvent* e) {
    const int desde = currentRow();
    const DropIndicatorPosition p = dropIndicatorPosition();
    const Caida donde = p == OnItem      ? Caida::Encima
                        : p == AboveItem ? Caida::Arriba
                        : p == BelowItem ? Caida::Abajo
                                         : Caida::Fuera;
    const int hasta = Destino(desde, indexAt(e->position().toPoint()).row(), donde, count());
    e->setDropAction(Qt::IgnoreAction);
    e->accept();
    if (desde >= 0 && hasta != desde)
        Q_EMIT Movida(desde + 1, hasta + 1);
}

} // namespace brelo
