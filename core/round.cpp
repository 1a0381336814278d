#include "core/round.h"

#include <cmath>

namespace core {

int drawRow(int wordCount, float r) {
    const float product = static_cast<float>(wordCount) * r;
    // lrint follows the default rounding mode: to nearest, halves to even.
    return static_cast<int>(std::lrint(product));
}

Integer casePartner(int code) {
    if (code >= 'a' && code <= 'z') {
        return static_cast<Integer>(code - 32);
    }
    if (code >= 'A' && code <= 'Z') {
        return static_cast<Integer>(code + 32);
    }
    switch (code) {
    case 246:
        return 214; // ö
    case 214:
        return 246; // Ö
    case 228:
        return 196; // ä
    case 196:
        return 228; // Ä
    case 252:
        return 220; // ü
    case 220:
        return 252; // Ü
    default:
        return 0;
    }
}

void countUsed(GameState& state) {
    state.usedCount = 0;
    for (int row = 1; row <= state.wordCount; ++row) {
        if (state.flag(row) == kPlayed) {
            ++state.usedCount;
        }
    }
}

RoundOutcome startRound(GameState& state, const RandomSource& random) {
    if (state.usedCount == state.wordCount) {
        return RoundOutcome::Exhausted;
    }
    int row = 0;
    do {
        row = drawRow(state.wordCount, random());
    } while (row == 0 || state.flag(row) == kPlayed);

    state.flag(row).assign(1, kPlayed[0]); // not = kPlayed: g++ 12 warns falsely (-Wrestrict)
    ++state.usedCount;
    state.currentWord = state.word(row);
    state.wordLength = static_cast<Integer>(state.currentWord.size());
    state.maskedWord.assign(state.currentWord.size(), '-');
    for (int p = 1; p <= state.wordLength; ++p) {
        const int code = static_cast<unsigned char>(state.currentWord[p - 1]);
        state.letterCode(p, 0) = static_cast<Integer>(code);
        state.letterCode(p, 1) = casePartner(code);
    }
    state.uncovered.fill(false);
    state.stage = 0;
    state.revealedCount = 0;
    return RoundOutcome::Started;
}

} // namespace core
