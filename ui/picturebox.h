#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace ui {

// Shows its picture one image pixel to one pixel at the top-left corner, the background
// around it, and cuts off whatever reaches past the box. Disabled, it looks the same.
class PictureBox : public QWidget {
public:
    PictureBox(const QPixmap& picture, QColor background, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QColor m_background;
};

} // namespace ui
