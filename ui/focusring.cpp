#include "ui/focusring.h"

#include <QPainter>
#include <QWidget>

namespace ui {

namespace {

constexpr qreal kWidth = 2.0;  // device-independent pixels, so twice as many at 200 %
constexpr int kDarker = 150;   // at least 3:1 against the yellow and the button face
constexpr qreal kRadius = 2.0; // the corners of the style's own frames

} // namespace

void paintFocusRing(QWidget* widget) {
    if (!widget->hasFocus()) {
        return;
    }
    QPainter painter(widget);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight).darker(kDarker), kWidth));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = kWidth / 2;
    painter.drawRoundedRect(QRectF(widget->rect()).adjusted(inset, inset, -inset, -inset), kRadius,
                            kRadius);
}

} // namespace ui
