#include "guess.h"
#include "helpers.h"
#include "round.h"

#include <random>

namespace {

int playedFlags(const core::GameState& state) {
    int played = 0;
    for (int row = 1; row <= state.wordCount; ++row) {
        played += state.flag(row) == "1";
    }
    return played;
}

void checkInvariants(const core::GameState& state, int rounds) {
    ASSERT_LE(0, state.usedCount);
    ASSERT_LE(state.usedCount, state.wordCount);
    ASSERT_LE(state.wordCount, core::kMaxWords);
    ASSERT_EQ(state.usedCount, rounds);
    ASSERT_EQ(playedFlags(state), rounds);
    ASSERT_LE(0, state.wordLength);
    ASSERT_LE(state.wordLength, core::kMaxLetters);
    ASSERT_EQ(state.maskedWord.size(), static_cast<std::size_t>(state.wordLength));
    int uncovered = 0;
    for (int p = 1; p <= state.wordLength; ++p) {
        const char shown = state.maskedWord[p - 1];
        ASSERT_TRUE(shown == '-' || shown == state.currentWord[p - 1]);
        if (state.uncovered[p]) {
            ++uncovered;
            ASSERT_EQ(shown, state.currentWord[p - 1]);
        }
    }
    if (state.stage != core::kStageLost) {
        ASSERT_EQ(state.revealedCount, uncovered);
    }
    ASSERT_TRUE((state.stage >= 0 && state.stage <= core::kStageLost) ||
                state.stage == core::kStageWon)
        << state.stage;
    ASSERT_EQ(state.stage == core::kStageWon,
              state.wordLength > 0 && uncovered == state.wordLength);
}

} // namespace

// Thousands of rounds over a list of awkward words, random keys biased towards hits,
// with the loss display's closing step applied as the window does.
TEST(GamePropertiesTest, RandomPlayKeepsTheInvariants) {
    const std::string list = "Haus\nM" UE "hle\n" AE_UP "pfel\nStra" SZ "e\nE-Mail\n\n"
                             "a b\nAAAA\n\xFF\x01\x7F\n" +
                             std::string(50, 'z') + "\n";
    std::mt19937 rng(20261208);
    for (int game = 0; game < 400; ++game) {
        core::GameState state = loaded(list);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        const core::RandomSource random = [&] {
            const float r = unit(rng);
            return r < 1.0f ? r : 0.0f;
        };
        int rounds = 0;
        while (core::startRound(state, random) == core::RoundOutcome::Started) {
            ++rounds;
            ASSERT_NO_FATAL_FAILURE(checkInvariants(state, rounds));
            for (int step = 0; step < 40; ++step) {
                const bool wasOpen = state.roundOpen();
                int key = std::uniform_int_distribution<int>(1, 255)(rng);
                if (state.wordLength > 0 && rng() % 2) {
                    key = static_cast<unsigned char>(state.currentWord[rng() % state.wordLength]);
                    key = rng() % 2 && core::casePartner(key) ? core::casePartner(key) : key;
                }
                const core::GameState before = state;
                const core::KeyResult result = core::evaluateKey(state, key);
                ASSERT_EQ(result.outcome == core::KeyOutcome::Evaluated, wasOpen);
                if (!wasOpen) {
                    ASSERT_EQ(state.maskedWord, before.maskedWord);
                    ASSERT_EQ(state.stage, before.stage);
                }
                if (result.stageAdvanced && state.stage == core::kStageLost) {
                    core::closeLostRound(state);
                    ASSERT_FALSE(state.roundOpen());
                }
                ASSERT_NO_FATAL_FAILURE(checkInvariants(state, rounds));
            }
        }
        ASSERT_EQ(rounds, 10);
    }
}
