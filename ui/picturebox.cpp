#include "picturebox.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(const QPixmap& picture, QColor background, QWidget* parent)
    : QWidget(parent), m_picture(picture), m_background(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace ui
