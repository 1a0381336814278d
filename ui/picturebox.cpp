// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/picturebox.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(QString file, QString doubleFile, QColor background, QWidget* parent)
    : QWidget(parent), m_picture(std::move(file), std::move(doubleFile)), m_background(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QPixmap& picture = m_picture.forRatio(ratio);
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, picture.devicePixelRatio() != ratio);
    painter.drawPixmap(QPointF(0, 0), picture);
}

} // namespace ui
