#pragma once

#include <QFont>
#include <QLineEdit>

namespace ui {

// A text box that shows its whole text: where the text is wider than the box at its base font,
// it shrinks the point size, face and weight kept, only as far as needed. It is there to be
// read, not touched: it takes no focus, clicks or menu, and writes in the grey of a disabled
// box, yet a screen reader finds it available, as read-only text.
class WordBox : public QLineEdit {
public:
    explicit WordBox(QWidget* parent);

    // The font the box shows its text in where it fits, and shrinks from where it does not.
    void setBaseFont(const QFont& font);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fit();
    int room() const;
    int needed(const QFont& font) const;

    QFont m_base; // set only by setBaseFont; what the box shows is this or a smaller size of it
};

} // namespace ui
