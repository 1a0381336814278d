// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QWidget;

// What the first frame must not pay for. The game opens within 10 % of a bare Qt window of the
// same size (scripts/bench, startup_bench, guards it) because of five measures, all kept here:
//  1. the 500 x 561 window icon is decoded and sent right after the first frame;
//  2. the word box, hidden until the first round, is given its heavy face when first shown;
//  3. the heading's font is the application's default, so every control is created with a
//     face the window needs anyway;
//  4. the pictures, all hidden at start, are decoded when first drawn (so the JPEG plugin is
//     not even loaded before the first frame), and only in the size the screen needs;
//  5. each font family is looked up once, in the plain family list rather than through
//     fontconfig's substitution rules.
namespace ui::startup {

// 1. Sets the game's icon on window once its first frame is drawn.
void iconAfterFirstFrame(QWidget* window);

// The game's icon, decoded on the call; for the start-up error box, which needs it at once.
QIcon gameIcon();

// 2. Gives widget its font when it is first shown.
void fontOnFirstShow(QWidget* widget, QFont font);

// 3. Call once the application exists, before any control is created.
void useHeadingFontAsDefault();

// 4. A picture read from its resource when first asked for, in one of two sizes.
class LazyPicture {
public:
    LazyPicture(QString file, QString doubleFile);

    // The double-size picture where a pixel ratio above 1 needs it, else the picture itself;
    // read on the first call and again only when the ratio crosses 1.
    const QPixmap& forRatio(qreal ratio);

private:
    QString m_file;
    QString m_doubleFile;
    QPixmap m_picture;
    enum class Size { None, Single, Double } m_loaded = Size::None;
};

// 5. Whether a font family is installed, answered once per family.
bool hasFamily(const QString& family);

} // namespace ui::startup
