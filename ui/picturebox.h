#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace ui {

// Shows its picture one image pixel to one pixel at the top-left corner, the background
// around it, and cuts off whatever reaches past the box. Disabled, it looks the same.
class PictureBox : public QWidget {
public:
    // The picture is read from file, a resource path, when the box is first painted.
    PictureBox(QString file, QColor background, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_file; // emptied once read
    QPixmap m_picture;
    QColor m_background;
};

} // namespace ui
