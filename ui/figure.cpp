// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/figure.h"

namespace ui::figure {

const Piece* pieceNamed(const QString& name) {
    for (const Piece& piece : kPieces) {
        if (name == QLatin1String(piece.name)) {
            return &piece;
        }
    }
    return nullptr;
}

} // namespace ui::figure
