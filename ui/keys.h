#pragma once

#include <QKeyEvent>

namespace ui {

// Return or the keypad's Enter with no modifier: what presses a focused control. Shift+Enter
// and the like stay keys of their own.
inline bool isPlainEnter(const QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    return enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace ui
