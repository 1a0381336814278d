// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/wordbox.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace ui {

namespace {

constexpr double kStep = 0.25; // points
constexpr double kSmallest = 1.0;
// The room a line edit keeps on either side of its text, inside its contents rectangle.
constexpr int kHorizontalMargin = 2;

} // namespace

WordBox::WordBox(QWidget* parent) : QLineEdit(parent), m_font(font()) {
    connect(this, &QLineEdit::textChanged, this, &WordBox::fit);
}

void WordBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_fitting) {
        m_font = font();
        fit();
    }
}

void WordBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fit();
}

// The test the line edit itself makes before it centres a text instead of scrolling it.
bool WordBox::fits(const QFont& font) const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    const QFontMetrics metrics(font);
    const int width = std::max(0, -metrics.minLeftBearing()) +
                      qRound(QFontMetricsF(font).horizontalAdvance(text())) + 1 +
                      std::max(0, -metrics.minRightBearing());
    return width <= contents.width() - 2 * kHorizontalMargin;
}

void WordBox::fit() {
    QFont shown = m_font;
    if (!fits(shown) && m_font.pointSizeF() > 0) {
        // Widths grow almost in proportion to the size: start near the answer, then step down.
        const double full = m_font.pointSizeF();
        const double needed = QFontMetricsF(m_font).horizontalAdvance(text());
        const double room = width();
        double size = std::floor(full * std::min(1.0, room / needed) / kStep) * kStep;
        shown.setPointSizeF(std::max(size, kSmallest));
        while (size > kSmallest && !fits(shown)) {
            size -= kStep;
            shown.setPointSizeF(std::max(size, kSmallest));
        }
    }
    if (shown != font()) {
        m_fitting = true;
        setFont(shown);
        m_fitting = false;
    }
}

} // namespace ui
