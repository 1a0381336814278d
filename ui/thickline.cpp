#include "ui/thickline.h"

#include <QPainter>

namespace ui {

ThickLine::ThickLine(QLine ends, int width, QColor color, QWidget* parent)
    : QWidget(parent), m_width(width), m_color(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Round caps reach half the width past each end point.
    const int reach = width / 2 + 1;
    const QRect box =
        QRect(ends.p1(), ends.p2()).normalized().adjusted(-reach, -reach, reach, reach);
    setGeometry(box);
    m_ends = ends.translated(-box.topLeft());
}

void ThickLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QLineF(m_ends).translated(0.5, 0.5));
}

} // namespace ui
