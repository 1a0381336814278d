#pragma once

#include "core/gamestate.h"

namespace core {

enum class KeyOutcome { Ignored, Evaluated };

struct KeyResult {
    KeyOutcome outcome = KeyOutcome::Ignored;
    bool stageAdvanced = false;
};

// Plays one key (a Windows-1252 code) against the open round.
KeyResult evaluateKey(GameState& state, int key);

// Ends a lost round so every further key is ignored; returns the word to show.
const std::string& closeLostRound(GameState& state);

} // namespace core
