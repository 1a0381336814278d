#include "ui/picturebox.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(QString file, QColor background, QWidget* parent)
    : QWidget(parent), m_file(std::move(file)), m_background(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent*) {
    // Every picture is hidden when the window opens: decoding them then, and loading the JPEG
    // plugin for it, would only delay the first frame.
    if (!m_file.isEmpty()) {
        m_picture.load(m_file);
        m_file.clear();
    }
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace ui
