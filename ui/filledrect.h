#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// An opaque plain rectangle of the scene; clicks go through to the frame behind it.
class FilledRect : public QWidget {
public:
    FilledRect(QColor color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

} // namespace ui
