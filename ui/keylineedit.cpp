#include "ui/keylineedit.h"

#include "ui/cp1252text.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

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

// Dead keys and compose sequences arrive here rather than as key presses.
void KeyLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    reportText(event->commitString());
    QLineEdit::inputMethodEvent(event);
}

void KeyLineEdit::reportText(const QString& text) {
    for (const char32_t codePoint : text.toUcs4()) {
        emit keyPressed(toKeyCode(codePoint));
    }
}

} // namespace ui
