// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/layout.h"

#include "ui/startup.h"

#include <optional>

namespace ui::layout {

namespace {

struct Substitute {
    std::string_view face;
    const char* family;
    std::optional<QFont::Weight> weight;
};

// Arial Black is a single heavy face, so its stand-in must be asked for by weight too.
constexpr Substitute kSubstitutes[] = {
    {"Arial", "Liberation Sans", std::nullopt},
    {"MS Sans Serif", "Liberation Sans", std::nullopt},
    {"Arial Black", "Lato", QFont::Black},
};

} // namespace

QRect pixels(Twips twips) {
    return {twips.left / kTwipsPerPixel, twips.top / kTwipsPerPixel, twips.width / kTwipsPerPixel,
            twips.height / kTwipsPerPixel};
}

QLine pixels(TwipsLine twips) {
    return {twips.x1 / kTwipsPerPixel, twips.y1 / kTwipsPerPixel, twips.x2 / kTwipsPerPixel,
            twips.y2 / kTwipsPerPixel};
}

QColor color(BgrColor bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QFont font(const Font& font) {
    QString family = QString::fromUtf8(font.face.data(), qsizetype(font.face.size()));
    auto weight = QFont::Weight(font.weight);
    if (!startup::hasFamily(family)) {
        for (const Substitute& substitute : kSubstitutes) {
            if (substitute.face == font.face &&
                startup::hasFamily(QString::fromLatin1(substitute.family))) {
                family = QString::fromLatin1(substitute.family);
                weight = substitute.weight.value_or(weight);
                break;
            }
        }
    }
    QFont result(family);
    result.setPointSizeF(font.points);
    result.setWeight(weight);
    return result;
}

} // namespace ui::layout
