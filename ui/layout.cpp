#include "ui/layout.h"

#include <QFontDatabase>
#include <QHash>
#include <optional>

namespace ui::layout {

namespace {

struct Substitute {
    std::string_view face;
    std::string_view family;
    std::optional<QFont::Weight> weight;
};

// Windows keeps MS Sans Serif as a bitmap face and ships its outline twin beside it.
// Arial Black is a single heavy face, so its stand-in must be asked for by weight too.
// DirectWrite, Qt's font source on Windows since 6.8, lists it only as Arial's Black weight;
// that row comes after Lato, since fontconfig answers for Arial with Liberation Sans, which has
// no such weight.
constexpr Substitute kSubstitutes[] = {
    {"Arial", "Liberation Sans", std::nullopt},
    {"MS Sans Serif", "Microsoft Sans Serif", std::nullopt},
    {"MS Sans Serif", "Liberation Sans", std::nullopt},
    {"Arial Black", "Lato", QFont::Black},
    {"Arial Black", "Arial", QFont::Black},
};

// QFontDatabase::hasFamily runs fontconfig's substitution rules, a sizeable part of the
// start-up, and the window asks about the same few faces again and again. An installed family
// is found in the plain list without them, and each answer is kept.
Installed installedFace(std::string_view face) {
    static QHash<QString, Installed> known;
    const QString family = QString::fromUtf8(face.data(), qsizetype(face.size()));
    auto found = known.constFind(family);
    if (found == known.constEnd()) {
        Installed kind = Installed::No;
        if (QFontDatabase::families().contains(family, Qt::CaseInsensitive) ||
            QFontDatabase::hasFamily(family)) {
            kind = QFontDatabase::isSmoothlyScalable(family) ? Installed::Outline
                                                             : Installed::BitmapOnly;
        }
        found = known.insert(family, kind);
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

Face chooseFace(const Font& font, const std::function<Installed(std::string_view)>& installed) {
    if (installed(font.face) == Installed::Outline) {
        return {font.face, font.weight};
    }
    for (const Substitute& substitute : kSubstitutes) {
        if (substitute.face == font.face && installed(substitute.family) == Installed::Outline) {
            return {substitute.family, substitute.weight.value_or(QFont::Weight(font.weight))};
        }
    }
    return {font.face, font.weight};
}

QFont font(const Font& font) {
    const Face face = chooseFace(font, installedFace);
    QFont result(QString::fromUtf8(face.family.data(), qsizetype(face.family.size())));
    result.setPointSizeF(font.points);
    result.setWeight(QFont::Weight(face.weight));
    return result;
}

} // namespace ui::layout
