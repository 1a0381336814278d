#include "ui/pushbutton.h"

#include "ui/focusring.h"
#include "ui/keys.h"

namespace ui {

PushButton::PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void PushButton::keyPressEvent(QKeyEvent* event) {
    if (isPlainEnter(event)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void PushButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    paintFocusRing(this);
}

} // namespace ui
