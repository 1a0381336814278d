#include "ui/filledrect.h"

#include <QPainter>

namespace ui {

FilledRect::FilledRect(QColor color, QWidget* parent) : QWidget(parent), m_color(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FilledRect::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), m_color);
}

} // namespace ui
