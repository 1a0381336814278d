#pragma once

#include "core/gamestate.h"
#include "core/random.h"

namespace core {

enum class RoundOutcome { Exhausted, Started };

// Sets usedCount to the number of rows 1..wordCount whose flag is exactly "1".
void countUsed(GameState& state);

// Draws an unplayed word, flags it played, masks it and builds its letter table.
// Requires every word to be at most kMaxLetters long, which loadWords guarantees.
RoundOutcome startRound(GameState& state, const RandomSource& random);

// The row a draw of r picks among wordCount rows: wordCount * r in single precision,
// rounded half to even. 0 means "draw again".
int drawRow(int wordCount, float r);

// The other-case character of a Windows-1252 code, or 0 (ß and accented letters have none).
Integer casePartner(int code);

} // namespace core
