#pragma once

// The page box txtMensaje: one line of at most 1023 characters. Typed (with any modifier),
// composed and pasted text all pass the same key filter and limit (dropping text is off), so
// nothing reaches a page that the sign would take as a command or that Windows-1252 cannot hold.
// A "ÿ" goes in as the "y" the sign shows for it: its byte means a quotation mark in
// message files. The box keeps no undo history of its own: undo is the message's.

#include <QLineEdit>

#include <cstdint>

class QUndoStack;

namespace brelo {

class CajaMensaje : public QLineEdit {
    Q_OBJECT

public:
    explicit CajaMensaje(QWidget* padre = nullptr);

    // Sets KeyAscii to 0 for a character the page box refuses.
    static void KeyPress(std::uint8_t& KeyAscii);

    // Puts text in at the caret as the operator would, character by character.
    void Teclear(const QString& texto);

    // What of a text went in otherwise than as given.
    struct Filtrado {
        int reemplazados = 0; // written as others: ÿ as y, ő as o, one with no likeness as #
        int yDieresis = 0;    // of them, ÿ
        QString especiales;   // refused, each once: they go in from Caracteres Especiales
    };
    // What of texto the filter and the room left in the box let in.
    QString Aceptados(const QString& texto, Filtrado* filtrado = nullptr) const;

    // The history its context menu's Deshacer and Rehacer work on.
    void UsarHistoria(QUndoStack* historia) { historia_ = historia; }

    // Where a special character goes: the caret, or the start of the selection, also of the one
    // the box lost when the operator went to the list of special characters.
    int PosicionInsercion() const;

Q_SIGNALS:
    // Characters went in as others, or were refused.
    void Filtrada(const brelo::CajaMensaje::Filtrado& filtrado);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void Pegar();
    void avisar(const Filtrado& f);
    void Legible();

    int inicioSeleccion_ = -1; // of the selection the focus took away; -1 when none
    QUndoStack* historia_ = nullptr;
};

} // namespace brelo
