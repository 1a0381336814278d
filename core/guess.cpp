#include "core/guess.h"

namespace core {

KeyResult evaluateKey(GameState& state, int key) {
    if (!state.roundOpen()) {
        return {};
    }
    state.revealedCount = 0;
    bool hit = false;
    const int length = state.wordLength;
    for (int p = 1; p <= length; ++p) {
        if (key == state.letterCode(p, 1) || key == state.letterCode(p, 0)) {
            state.maskedWord.at(p - 1) = static_cast<char>(state.letterCode(p, 0));
            state.uncovered.at(p) = true;
            hit = true;
        }
        if (state.uncovered.at(p)) {
            ++state.revealedCount;
        }
    }
    if (state.revealedCount == state.wordLength) {
        state.stage = kStageCompleted;
    }
    if (state.stage == kStageCompleted && hit) {
        hit = false;
    }
    KeyResult result{KeyOutcome::Evaluated, false};
    if (!hit) {
        ++state.stage;
        result.stageAdvanced = true;
    }
    return result;
}

const std::string& closeLostRound(GameState& state) {
    state.revealedCount = state.wordLength;
    return state.currentWord;
}

} // namespace core
