#include "ui/figure.h"

#include <iterator>
#include <string_view>

namespace ui::figure {

namespace {

// assets/pictures.txt, from which the build compiles the pictures in.
constexpr std::string_view kListed[] = {
#include "pictures.inc"
};

// ":/" name suffix
constexpr bool isPath(std::string_view path, std::string_view name, std::string_view suffix) {
    return path.size() == 2 + name.size() + suffix.size() && path.starts_with(":/") &&
           path.substr(2, name.size()) == name && path.ends_with(suffix);
}

constexpr int rowsNaming(std::string_view name) {
    int rows = 0;
    for (const Piece& piece : kPieces) {
        if (piece.kind == Kind::Picture && isPath(piece.picture, name, ".jpg") &&
            isPath(piece.doublePicture, name, "@2x.jpg")) {
            ++rows;
        }
    }
    return rows;
}

// A picture row whose files are not compiled in would show an empty box.
consteval bool picturesListed() {
    int rows = 0;
    for (const Piece& piece : kPieces) {
        rows += piece.kind == Kind::Picture ? 1 : 0;
    }
    for (const std::string_view name : kListed) {
        if (rowsNaming(name) != 1) {
            return false;
        }
    }
    return rows == int(std::size(kListed));
}
static_assert(picturesListed(), "the picture rows of ui/figure.h and assets/pictures.txt differ");

} // namespace

const Piece* pieceNamed(const QString& name) {
    for (const Piece& piece : kPieces) {
        if (name == QLatin1String(piece.name)) {
            return &piece;
        }
    }
    return nullptr;
}

} // namespace ui::figure
