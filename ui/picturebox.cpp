#include "ui/picturebox.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(QString file, QString doubleFile, QColor background, QWidget* parent)
    : QWidget(parent), m_file(std::move(file)), m_doubleFile(std::move(doubleFile)),
      m_background(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// Every box is hidden at start, so reading the picture here keeps the JPEG decoder, and even
// its plugin, out of the first frame; and a screen needs only one of the two sizes.
const QPixmap& PictureBox::pictureFor(qreal ratio) {
    const Size wanted = ratio > 1.0 ? Size::Double : Size::Single;
    if (m_loaded != wanted) { // the first paint, or the window moved to another screen
        m_picture.load(wanted == Size::Double ? m_doubleFile : m_file);
        m_picture.setDevicePixelRatio(wanted == Size::Double ? 2.0 : 1.0);
        m_loaded = wanted;
    }
    return m_picture;
}

void PictureBox::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QPixmap& picture = pictureFor(ratio);
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, picture.devicePixelRatio() != ratio);
    painter.drawPixmap(QPointF(0, 0), picture);
}

} // namespace ui
