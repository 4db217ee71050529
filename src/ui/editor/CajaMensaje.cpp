#include "ui/editor/CajaMensaje.h"

#include "core/model/catalogos.h"
#include "core/model/cp1252.h"
#include "core/panel/teclas.h"
#include "link/files/codificacion.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QUndoStack>

#include <algorithm>
#include <iterator>
#include <limits>

namespace brelo {

CajaMensaje::CajaMensaje(QWidget* padre) : QLineEdit(padre) {
    setAcceptDrops(false);
    // The 1023 limit is the filter's, for what the operator adds; a page read from a file is
    // shown and saved whole, however long (the line edit would cut it at 32767).
    setMaxLength(std::numeric_limits<int>::max());
    Legible();
    // Any edit or caret move makes the lost selection stale.
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { inicioSeleccion_ = -1; });
    connect(this, &QLineEdit::textChanged, this, [this] { inicioSeleccion_ = -1; });
}

// The fixed text of a special page is there to be read, not typed: the disabled box keeps the
// theme's text colour, since a disabled grey is unreadable on many dark themes.
void CajaMensaje::Legible() {
    QPalette p = palette();
    const QColor texto = p.color(QPalette::Active, QPalette::Text);
    if (p.color(QPalette::Disabled, QPalette::Text) == texto)
        return;
    p.setColor(QPalette::Disabled, QPalette::Text, texto);
    setPalette(p);
}

void CajaMensaje::changeEvent(QEvent* e) {
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::PaletteChange)
        Legible();
}

int CajaMensaje::PosicionInsercion() const {
    if (hasSelectedText())
        return selectionStart();
    return inicioSeleccion_ >= 0 ? inicioSeleccion_ : cursorPosition();
}

// Leaving the box drops its selection; the insertion point it marked is kept.
void CajaMensaje::focusOutEvent(QFocusEvent* e) {
    const int inicio = hasSelectedText() ? selectionStart() : -1;
    QLineEdit::focusOutEvent(e);
    inicioSeleccion_ = inicio;
}

void CajaMensaje::KeyPress(std::uint8_t& KeyAscii) {
    if (!TeclaAceptada(KeyAscii))
        KeyAscii = 0;
}

QString CajaMensaje::Aceptados(const QString& texto, Filtrado* filtrado) const {
    Filtrado f;
    const qsizetype libres = qsizetype(LargoMaximoTexto) - text().size() + selectedText().size();
    QString aceptado;
    // A letter and its accent pasted as two characters (macOS, some web pages) are one letter
    // of the page, not a letter and a "#".
    for (char32_t c : texto.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (aceptado.size() >= libres)
            break;
        if (c == YDieresis) {
            c = U'y';
            ++f.reemplazados;
            ++f.yDieresis;
        }
        std::optional<std::uint8_t> codigo = UnicodeACp1252(c);
        if (!codigo && QChar::isPrint(c)) { // a pasted letter the page cannot hold
            codigo = std::uint8_t(Parecido(c));
            ++f.reemplazados;
        }
        std::uint8_t KeyAscii = codigo.value_or(0);
        KeyPress(KeyAscii);
        if (KeyAscii != 0 && KeyAscii != 8)
            aceptado += QChar(Cp1252AUnicode(KeyAscii));
        else if (codigo && EsCaracterEspecial(*codigo) && !f.especiales.contains(QChar(c)))
            f.especiales += QChar(c);
    }
    if (filtrado)
        *filtrado = f;
    return aceptado;
}

void CajaMensaje::avisar(const Filtrado& f) {
    if (f.reemplazados || !f.especiales.isEmpty())
        Q_EMIT Filtrada(f);
}

void CajaMensaje::Teclear(const QString& texto) {
    Filtrado f;
    if (const QString aceptado = Aceptados(texto, &f); !aceptado.isEmpty())
        insert(aceptado);
    avisar(f);
}

void CajaMensaje::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste)) {
        Pegar();
        return;
    }
    if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) {
        e->ignore(); // the window's Deshacer and Rehacer, never the box's own history
        return;
    }
    const QKeySequence::StandardKey edicion[] = {QKeySequence::Copy, QKeySequence::Cut,
                                                 QKeySequence::SelectAll};
    const bool esEdicion = std::any_of(std::begin(edicion), std::end(edicion),
                                       [e](QKeySequence::StandardKey k) { return e->matches(k); });
    // A printable character goes through the filter and the limit whatever the modifiers: Alt,
    // and AltGr, which arrives as Ctrl+Alt on Windows, would otherwise put refused ones in.
    const QString texto = e->text();
    const bool imprimible = !texto.isEmpty() && std::all_of(texto.begin(), texto.end(),
                                                            [](QChar c) { return c.isPrint(); });
    if (imprimible && !esEdicion) {
        Teclear(texto);
        return;
    }
    // Enter, Escape, Tab and other control characters are refused; editing and caret keys
    // (backspace, delete, arrows, Ctrl shortcuts) work as usual.
    const bool controlRechazado = !texto.isEmpty() && texto.at(0).unicode() < 32 &&
                                  e->key() != Qt::Key_Backspace &&
                                  !(e->modifiers() & Qt::ControlModifier);
    if (controlRechazado)
        return;
    QLineEdit::keyPressEvent(e);
}

// Dead keys and input methods deliver composed text here, not as key presses.
void CajaMensaje::inputMethodEvent(QInputMethodEvent* e) {
    Filtrado f;
    const QString aceptado = Aceptados(e->commitString(), &f);
    avisar(f);
    if (aceptado == e->commitString()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    QInputMethodEvent filtrado(e->preeditString(), e->attributes());
    filtrado.setCommitString(aceptado, e->replacementStart(), e->replacementLength());
    QLineEdit::inputMethodEvent(&filtrado);
}

void CajaMensaje::Pegar() {
    if (!isReadOnly())
        Teclear(QApplication::clipboard()->text());
}

// A menu of its own, in Spanish: Deshacer and Rehacer are the message's, and Pegar goes
// through the filter. (Qt's standard menu names none of its items, so they cannot be told
// apart to be changed.)
void CajaMensaje::contextMenuEvent(QContextMenuEvent* e) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool seleccion = hasSelectedText(), escribible = !isReadOnly();
    const auto item = [menu](const char* nombre, const char* titulo, bool activo) {
        QAction* a = menu->addAction(QString::fromUtf8(titulo));
        a->setObjectName(QLatin1String(nombre));
        a->setEnabled(activo);
        return a;
    };
    if (historia_) {
        connect(item("Deshacer", "&Deshacer", historia_->canUndo()), &QAction::triggered, historia_,
                &QUndoStack::undo);
        connect(item("Rehacer", "&Rehacer", historia_->canRedo()), &QAction::triggered, historia_,
                &QUndoStack::redo);
        menu->addSeparator();
    }
    connect(item("Cortar", "Cor&tar", seleccion && escribible), &QAction::triggered, this,
            &QLineEdit::cut);
    connect(item("Copiar", "&Copiar", seleccion), &QAction::triggered, this, &QLineEdit::copy);
    connect(item("Pegar", "&Pegar", escribible && !QApplication::clipboard()->text().isEmpty()),
            &QAction::triggered, this, &CajaMensaje::Pegar);
    connect(item("Eliminar", "&Eliminar", seleccion && escribible), &QAction::triggered, this,
            &QLineEdit::del);
    menu->addSeparator();
    connect(item("SeleccionarTodo", "Seleccionar &todo", !text().isEmpty()), &QAction::triggered,
            this, &QLineEdit::selectAll);
    menu->popup(e->globalPos());
}

void CajaMensaje::mouseReleaseEvent(QMouseEvent* e) {
    // The X11 middle-button paste would bypass the filter.
    if (e->button() == Qt::MiddleButton) {
        if (!isReadOnly())
            Teclear(QApplication::clipboard()->text(QClipboard::Selection));
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

} // namespace brelo
