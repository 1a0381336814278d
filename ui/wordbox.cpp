#include "ui/wordbox.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace ui {

namespace {

constexpr double kStep = 0.25; // points
constexpr double kSmallest = 1.0;
// The room a line edit keeps on either side of its text, inside its contents rectangle.
constexpr int kHorizontalMargin = 2;

// Fully hinted advances snap to whole pixels (on Windows by default), so a shrunk word can miss
// the box by a pixel a letter; unhinted widths keep in proportion to the size.
QFont evenlyWide(QFont font) {
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

} // namespace

WordBox::WordBox(QWidget* parent) : QLineEdit(parent), m_base(evenlyWide(font())) {
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    QPalette shades = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        shades.setColor(group, QPalette::Text, shades.color(QPalette::Disabled, QPalette::Text));
    }
    setPalette(shades);
    connect(this, &QLineEdit::textChanged, this, &WordBox::fit);
}

// Taken here, so that they neither select nor reach the question mark beneath.
void WordBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
void WordBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
void WordBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
void WordBox::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void WordBox::setBaseFont(const QFont& font) {
    m_base = evenlyWide(font);
    fit();
}

void WordBox::showEvent(QShowEvent* event) {
    QLineEdit::showEvent(event);
    fit();
}

void WordBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fit();
}

// The width the line edit lets its text take before it scrolls it instead of centring it.
int WordBox::room() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    return contents.width() - 2 * kHorizontalMargin;
}

// The width the line edit reckons its text needs in font.
int WordBox::needed(const QFont& font) const {
    const QFontMetrics metrics(font);
    return std::max(0, -metrics.minLeftBearing()) +
           qRound(QFontMetricsF(font).horizontalAdvance(text())) + 1 +
           std::max(0, -metrics.minRightBearing());
}

// Only while shown: a line edit lays out its text, and so loads its face, as soon as it is
// given a font, and the box is hidden until the first round, so its heavy face stays out of the
// first frame.
void WordBox::fit() {
    if (!isVisible()) {
        return;
    }
    QFont shown = m_base;
    const int available = room();
    const int fullWidth = needed(m_base);
    if (fullWidth > available && m_base.pointSizeF() > 0) {
        // Widths grow almost in proportion to the size: start a step above the proportional
        // answer, then step down to the largest size that fits.
        const double full = m_base.pointSizeF();
        double size =
            std::min(full, (std::floor(full * available / fullWidth / kStep) + 1) * kStep);
        shown.setPointSizeF(std::max(size, kSmallest));
        while (size > kSmallest && needed(shown) > available) {
            size -= kStep;
            shown.setPointSizeF(std::max(size, kSmallest));
        }
    }
    if (shown != font()) {
        setFont(shown);
    }
}

} // namespace ui
