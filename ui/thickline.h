#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace ui {

// A line of the scene, given by its end points in the parent's coordinates. The widget covers
// only the line's bounding box and paints nothing else, so what lies behind stays visible.
class ThickLine : public QWidget {
public:
    ThickLine(QLine ends, int width, QColor color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLine m_ends; // in own coordinates
    int m_width;
    QColor m_color;
};

} // namespace ui
