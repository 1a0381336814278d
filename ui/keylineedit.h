#pragma once

#include <QLineEdit>

namespace ui {

// A text box that reports clicks and the Windows-1252 code of every character typed into it,
// before it handles the key as usual. Enter counts as a click wherever a mouse could click.
class KeyLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // Visible, enabled and the topmost control at its centre in its window.
    bool mouseCouldClick() const;

signals:
    // A left-button press and release, both on the box.
    void clicked();
    // Backspace, Enter (where it is no click) and Escape arrive as 8, 13 and 27; a character
    // outside Windows-1252 as 63 ("?"); keys that type no character, and Alt, Meta or Super chords,
    // arrive not at all.
    void keyPressed(int code);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void reportText(const QString& text);

    bool m_pressed = false;
};

} // namespace ui
