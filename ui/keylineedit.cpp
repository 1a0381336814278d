#include "ui/keylineedit.h"

#include "ui/cp1252text.h"
#include "ui/focusring.h"
#include "ui/keys.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

namespace {

// Alt, Meta and Super chords are shortcuts: they type nothing, so they are no guess and the
// box does not take their character. AltGr (€, @, {) is no such chord; where it arrives as
// Ctrl+Alt it brings a printable character.
bool isShortcutChord(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & Qt::MetaModifier) {
        return true;
    }
    if (!(modifiers & Qt::AltModifier)) {
        return false;
    }
    const QString text = event->text();
    const bool altGr = (modifiers & Qt::ControlModifier) && !text.isEmpty() && text.at(0).isPrint();
    return !altGr;
}

} // namespace

bool KeyLineEdit::mouseCouldClick() const {
    const QWidget* top = window();
    if (!isVisible() || !isEnabled() || top == this) {
        return false;
    }
    return top->childAt(mapTo(top, rect().center())) == this;
}

void KeyLineEdit::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    QLineEdit::mousePressEvent(event);
}

void KeyLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLineEdit::mouseReleaseEvent(event);
    if (click) {
        emit clicked();
    }
}

void KeyLineEdit::keyPressEvent(QKeyEvent* event) {
    if (isShortcutChord(event)) {
        event->ignore();
        return;
    }
    // Without a mouse, this is the only way to start a round.
    if (isPlainEnter(event) && mouseCouldClick()) {
        emit clicked();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        emit keyPressed(8);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit keyPressed(13);
        break;
    case Qt::Key_Escape:
        emit keyPressed(27);
        break;
    case Qt::Key_Delete: // some platforms give it the text DEL, yet it types nothing
        break;
    default:
        reportText(event->text());
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void KeyLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    paintFocusRing(this);
}

// Dead keys and compose sequences arrive here rather than as key presses.
void KeyLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    reportText(event->commitString());
    QLineEdit::inputMethodEvent(event);
}

void KeyLineEdit::reportText(const QString& text) {
    for (const char32_t codePoint : text.toUcs4()) {
        // Ctrl+Space, Ctrl+2 and Ctrl+@ give U+0000, which is no key.
        if (codePoint != 0) {
            emit keyPressed(toKeyCode(codePoint));
        }
    }
}

} // namespace ui
