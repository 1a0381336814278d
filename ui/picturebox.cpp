#include "ui/picturebox.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(QString file, QString doubleFile, QColor background, QWidget* parent)
    : QWidget(parent), m_file(std::move(file)), m_doubleFile(std::move(doubleFile)),
      m_background(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent*) {
    // Every picture is hidden when the window opens: decoding them then, and loading the JPEG
    // plugin for it, would only delay the first frame.
    const Rendition wanted = devicePixelRatioF() > 1.0 ? Rendition::Double : Rendition::Single;
    if (m_loaded != wanted) { // the first paint, or the window moved to another screen
        m_picture.load(wanted == Rendition::Double ? m_doubleFile : m_file);
        m_picture.setDevicePixelRatio(wanted == Rendition::Double ? 2.0 : 1.0);
        m_loaded = wanted;
    }
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, wanted == Rendition::Double);
    painter.drawPixmap(QPointF(0, 0), m_picture);
}

} // namespace ui
