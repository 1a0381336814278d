#pragma once

#include <QPushButton>

namespace ui {

// A button that is never the default, yet presses on Enter as well as on Space while it has
// the focus, and shows that focus plainly.
class PushButton : public QPushButton {
public:
    PushButton(const QString& text, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
