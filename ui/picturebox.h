// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/startup.h"

#include <QColor>
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
    startup::LazyPicture m_picture;
    QColor m_background;
};

} // namespace ui
