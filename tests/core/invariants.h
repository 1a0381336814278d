#pragma once

#include "core/gamestate.h"

#include <string>

// What is wrong with the state after `rounds` started rounds, or "" when nothing is.
// Plain C++, so the fuzzers share it with the unit tests.
inline std::string invariantViolation(const core::GameState& state, int rounds) {
    if (state.usedCount < 0 || state.usedCount > state.wordCount ||
        state.wordCount > core::kMaxWords) {
        return "counts out of range";
    }
    int played = 0;
    for (int row = 1; row <= state.wordCount; ++row) {
        played += state.flag(row) == core::kPlayed;
    }
    if (played != rounds || state.usedCount != rounds) {
        return "played flags do not match the rounds started";
    }
    if (!state.flag(0).empty() || !state.word(0).empty()) {
        return "row 0 was touched";
    }
    if (state.wordLength < 0 || state.wordLength > core::kMaxLetters ||
        state.maskedWord.size() != static_cast<std::size_t>(state.wordLength) ||
        state.currentWord.size() != static_cast<std::size_t>(state.wordLength)) {
        return "word lengths disagree";
    }
    int uncovered = 0;
    for (int p = 1; p <= state.wordLength; ++p) {
        const char shown = state.maskedWord[p - 1];
        if (shown != '-' && shown != state.currentWord[p - 1]) {
            return "mask shows a letter the word does not have there";
        }
        if (state.uncovered[p]) {
            ++uncovered;
            if (shown != state.currentWord[p - 1]) {
                return "an uncovered position is masked";
            }
        }
    }
    if (state.stage != core::kStageLost && state.revealedCount != uncovered) {
        return "revealedCount is not the number of uncovered positions";
    }
    const bool wonStage = state.stage == core::kStageWon;
    if (!wonStage && (state.stage < 0 || state.stage > core::kStageLost)) {
        return "stage out of range";
    }
    if (wonStage != (state.wordLength > 0 && uncovered == state.wordLength)) {
        return "won exactly when every position is uncovered";
    }
    return {};
}
