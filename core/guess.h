#pragma once

#include "core/gamestate.h"

namespace core {

// What a key did to the round.
enum class KeyOutcome {
    Ignored, // no round open, or no key code at all
    Hit,     // uncovered letters, some still covered
    Miss,    // matched nothing; the stage moved on by one
    Lost,    // the eighth miss; stage 8, and the loss display closes the round
    Won,     // uncovered the last letter; stage 100
};

// Plays one key, a Windows-1252 code from 1 to 255, against the open round; any other code
// is no key press and is ignored.
KeyOutcome evaluateKey(GameState& state, int key);

// Ends a lost round so every further key is ignored; returns the word to show.
const std::string& closeLostRound(GameState& state);

} // namespace core
