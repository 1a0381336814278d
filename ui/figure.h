#pragma once

#include "core/gamestate.h"
#include "ui/layout.h"

#include <QString>
#include <Qt>
#include <array>
#include <variant>

// The pieces of the gallows scene, one row each: when each shows, how it is drawn, where, what
// a screen reader calls it, and its place in the stacking. A new or moved piece is its row and,
// for a picture, its files and its line in assets/pictures.txt.
namespace ui::figure {

enum class Kind { Rect, Line, Picture, Label };

// When a piece shows in a round.
enum class Shows {
    FromMiss,          // from its miss on, to the end of the round
    FromMissUntilLost, // from its miss on, until the lost picture takes its place
    Lost,              // in the lost picture
    Won,               // in the won picture, which shows nothing else
};

struct Piece {
    const char* name; // the object name
    Kind kind;
    Shows shows;
    int miss = 0; // for FromMiss and FromMissUntilLost; 1 <= miss < core::kStageLost
    std::variant<layout::Box, layout::Line> shape; // a Line for Kind::Line, else a Box
    const char* picture = nullptr;                 // resources, for Kind::Picture
    const char* doublePicture = nullptr;           // for screens scaled above 100 %
    const char* text = nullptr;                    // for Kind::Label
    Qt::Alignment alignment = {};
    const char* accessibleName = nullptr; // a label is read by its own text
    const char* description = nullptr;
    int stacking = 0; // 0 is the backmost; the picture boxes lie in front of all drawn pieces
};

// The looks that several pieces share.
namespace detail {
inline constexpr layout::Box rect(layout::Twips place) {
    return {place, layout::kNoFont, layout::kSystemColor, layout::kReddishBrown};
}
inline constexpr layout::Box pictureBox(layout::Twips place) {
    return {place, layout::kNoFont, layout::kSystemColor, layout::kWhite};
}
inline constexpr layout::Line line(layout::TwipsLine ends) {
    return {ends, 10, layout::kVeryDarkRed};
}
inline constexpr layout::Box label(layout::Twips place, layout::BgrColor color) {
    return {place, layout::kArial24Bold, color, layout::kWhite};
}
} // namespace detail

// Coordinates are relative to the frame item9a. The pieces of a miss, of the lost and of the
// won picture show in the table's order.
inline constexpr auto kPieces = std::to_array<Piece>({
    {.name = "teil1",
     .kind = Kind::Rect,
     .shows = Shows::FromMiss,
     .miss = 1,
     .shape = detail::rect({195, 4305, 1725, 285}),
     .accessibleName = "Unterste Stufe",
     .stacking = 0},
    {.name = "teil2",
     .kind = Kind::Rect,
     .shows = Shows::FromMiss,
     .miss = 2,
     .shape = detail::rect({1845, 4020, 1995, 570}),
     .accessibleName = "Mittlere Stufe",
     .stacking = 1},
    {.name = "teil3",
     .kind = Kind::Rect,
     .shows = Shows::FromMiss,
     .miss = 3,
     .shape = detail::rect({3495, 3600, 3465, 990}),
     .accessibleName = "Podest",
     .stacking = 2},
    {.name = "teil4",
     .kind = Kind::Picture,
     .shows = Shows::FromMissUntilLost,
     .miss = 4,
     .shape = detail::pictureBox({3630, 1860, 1650, 1755}),
     .picture = ":/teil4.jpg",
     .doublePicture = ":/teil4@2x.jpg",
     .accessibleName = "Verurteilter und Henker",
     .description = "Der junge Mann im roten Hemd steht schwitzend vor Angst neben dem Henker "
                    "mit der lila Kapuze.",
     .stacking = 8},
    {.name = "teil5",
     .kind = Kind::Line,
     .shows = Shows::FromMiss,
     .miss = 5,
     .shape = detail::line({6300, 3585, 6285, 315}),
     .accessibleName = "Pfosten",
     .stacking = 3},
    {.name = "teil6",
     .kind = Kind::Line,
     .shows = Shows::FromMiss,
     .miss = 6,
     .shape = detail::line({6420, 300, 3450, 315}),
     .accessibleName = "Querbalken",
     .stacking = 4},
    {.name = "teil7",
     .kind = Kind::Line,
     .shows = Shows::FromMiss,
     .miss = 7,
     .shape = detail::line({4830, 375, 6285, 1365}),
     .accessibleName = "Strebe",
     .stacking = 5},
    {.name = "teil8",
     .kind = Kind::Picture,
     .shows = Shows::Lost,
     .shape = detail::pictureBox({3555, 375, 915, 1950}),
     .picture = ":/teil8.jpg",
     .doublePicture = ":/teil8@2x.jpg",
     .accessibleName = "Gehängter",
     .description = "Der junge Mann hängt am Seil, das vom Querbalken herabführt.",
     .stacking = 9},
    {.name = "teil9",
     .kind = Kind::Picture,
     .shows = Shows::Lost,
     .shape = detail::pictureBox({2355, 2100, 930, 1935}),
     .picture = ":/teil9.jpg",
     .doublePicture = ":/teil9@2x.jpg",
     .accessibleName = "Henker",
     .description = "Der Henker in lila Kapuze und grauer Kutte steht allein auf der Stufe.",
     .stacking = 10},
    {.name = "teil10",
     .kind = Kind::Label,
     .shows = Shows::Lost,
     .shape = detail::label({285, 510, 2685, 1110}, layout::kRed),
     .text = "Leider verloren...!",
     .alignment = Qt::AlignLeft,
     .stacking = 6},
    {.name = "teil11",
     .kind = Kind::Label,
     .shows = Shows::Won,
     .shape = detail::label({1965, 285, 3285, 1305}, layout::kDarkGreen),
     .text = "Gewonnen !!!",
     .alignment = Qt::AlignHCenter,
     .stacking = 7},
    {.name = "teil12",
     .kind = Kind::Picture,
     .shows = Shows::Won,
     .shape = detail::pictureBox({2430, 1860, 2805, 2700}),
     .picture = ":/teil12.jpg",
     .doublePicture = ":/teil12@2x.jpg",
     .accessibleName = "Freigesprochener und Henker",
     .description = "Der junge Mann hält mit beiden Händen ein Schild „FREI!“ über den Kopf, der "
                    "Henker steht neben ihm.",
     .stacking = 11},
});

// teil1, teil2, ...; 1 <= number <= kPieces.size().
constexpr const Piece& piece(int number) {
    return kPieces.at(static_cast<std::size_t>(number - 1));
}

// The piece of that object name, or nullptr.
const Piece* pieceNamed(const QString& name);

namespace detail {
constexpr bool showsFromMiss(const Piece& piece) {
    return piece.shows == Shows::FromMiss || piece.shows == Shows::FromMissUntilLost;
}

// A row that contradicts itself fails the build rather than the window.
consteval bool rowsAgree() {
    std::array<bool, kPieces.size()> placed{};
    std::array<bool, core::kStageLost> missShown{};
    bool lost = false;
    bool won = false;
    for (const Piece& piece : kPieces) {
        const bool missAgrees = showsFromMiss(piece)
                                    ? piece.miss >= 1 && piece.miss < core::kStageLost
                                    : piece.miss == 0;
        const bool isLine = std::holds_alternative<layout::Line>(piece.shape);
        if (!missAgrees || isLine != (piece.kind == Kind::Line) ||
            (piece.picture != nullptr) != (piece.kind == Kind::Picture) ||
            (piece.doublePicture != nullptr) != (piece.kind == Kind::Picture) ||
            (piece.text != nullptr) != (piece.kind == Kind::Label) ||
            (piece.accessibleName == nullptr) != (piece.kind == Kind::Label) ||
            piece.stacking < 0 || piece.stacking >= int(placed.size()) ||
            placed[std::size_t(piece.stacking)]) {
            return false;
        }
        placed[std::size_t(piece.stacking)] = true;
        missShown[std::size_t(piece.miss)] = true;
        lost = lost || piece.shows == Shows::Lost;
        won = won || piece.shows == Shows::Won;
    }
    // Every miss shows something, and each end of a round has its picture.
    for (std::size_t miss = 1; miss < missShown.size(); ++miss) {
        if (!missShown[miss]) {
            return false;
        }
    }
    return lost && won;
}
static_assert(rowsAgree());
} // namespace detail

} // namespace ui::figure
