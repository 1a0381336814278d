// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/layout.h"

#include <QFontDatabase>
#include <QHash>
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

// QFontDatabase::hasFamily runs fontconfig's substitution rules, a sizeable part of the
// start-up, and the window asks about the same few faces again and again. An installed family
// is found in the plain list without them, and each answer is kept.
bool hasFamily(const QString& family) {
    static QHash<QString, bool> known;
    auto found = known.constFind(family);
    if (found == known.constEnd()) {
        const bool installed = QFontDatabase::families().contains(family, Qt::CaseInsensitive);
        found = known.insert(family, installed || QFontDatabase::hasFamily(family));
    }
    return *found;
}

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
    if (!hasFamily(family)) {
        for (const Substitute& substitute : kSubstitutes) {
            if (substitute.face == font.face && hasFamily(QString::fromLatin1(substitute.family))) {
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
