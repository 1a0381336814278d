#include "core/guess.h"

namespace core {

KeyOutcome evaluateKey(GameState& state, int key) {
    // 0 is every partner-less position's "no partner" entry: taken as a key, it would
    // uncover ß, digits and punctuation for free.
    if (!state.roundOpen() || key < 1 || key > 255) {
        return KeyOutcome::Ignored;
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
    if (hit) {
        return KeyOutcome::Hit;
    }
    ++state.stage;
    switch (state.stage) {
    case kStageWon:
        return KeyOutcome::Won;
    case kStageLost:
        return KeyOutcome::Lost;
    default:
        return KeyOutcome::Miss;
    }
}

const std::string& closeLostRound(GameState& state) {
    state.revealedCount = state.wordLength;
    return state.currentWord;
}

} // namespace core
