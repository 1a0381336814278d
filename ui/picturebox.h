#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace ui {

// Shows its picture one image pixel to one pixel at the top-left corner, the background
// around it, and cuts off whatever reaches past the box. Disabled, it looks the same.
// On a screen scaled above 100 % it draws the double-size rendition in the same place.
class PictureBox : public QWidget {
public:
    // Both pictures are resource paths; only the one the screen needs is read, when the box
    // is first painted.
    PictureBox(QString file, QString doubleFile, QColor background, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& pictureFor(qreal ratio);

    QString m_file;
    QString m_doubleFile;
    QPixmap m_picture;
    enum class Size { None, Single, Double } m_loaded = Size::None;
    QColor m_background;
};

} // namespace ui
