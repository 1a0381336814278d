#include "core/guess.h"
#include "core/round.h"
#include "helpers.h"
#include "invariants.h"

#include <random>

namespace {

void checkInvariants(const core::GameState& state, int rounds) {
    const std::string violation = invariantViolation(state, rounds);
    ASSERT_EQ(violation, "");
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
                // 0 and 256 are no key codes and must be ignored like keys after the round.
                int key = std::uniform_int_distribution<int>(0, 256)(rng);
                if (state.wordLength > 0 && rng() % 2) {
                    key = static_cast<unsigned char>(state.currentWord[rng() % state.wordLength]);
                    key = rng() % 2 && core::casePartner(key) ? core::casePartner(key) : key;
                }
                // Only what is checked: a copy of the whole state per key took most of the run
                // under the sanitizers.
                const std::string maskedBefore = state.maskedWord;
                const core::Integer stageBefore = state.stage;
                bool matches = false;
                for (int p = 1; p <= state.wordLength; ++p) {
                    const int code = static_cast<unsigned char>(state.currentWord[p - 1]);
                    matches = matches || key == code || key == core::casePartner(code);
                }
                const core::KeyOutcome outcome = core::evaluateKey(state, key);
                ASSERT_EQ(outcome != core::KeyOutcome::Ignored, wasOpen && key >= 1 && key <= 255);
                switch (outcome) {
                case core::KeyOutcome::Ignored:
                    ASSERT_EQ(state.maskedWord, maskedBefore);
                    ASSERT_EQ(state.stage, stageBefore);
                    break;
                case core::KeyOutcome::Hit:
                    ASSERT_TRUE(matches);
                    ASSERT_EQ(state.stage, stageBefore);
                    break;
                case core::KeyOutcome::Miss:
                    ASSERT_FALSE(matches);
                    ASSERT_EQ(state.stage, stageBefore + 1);
                    ASSERT_LT(state.stage, core::kStageLost);
                    ASSERT_EQ(state.maskedWord, maskedBefore);
                    break;
                case core::KeyOutcome::Lost:
                    ASSERT_FALSE(matches);
                    ASSERT_EQ(state.stage, core::kStageLost);
                    core::closeLostRound(state);
                    ASSERT_FALSE(state.roundOpen());
                    break;
                case core::KeyOutcome::Won:
                    ASSERT_TRUE(matches);
                    ASSERT_EQ(state.stage, core::kStageWon);
                    break;
                }
                ASSERT_NO_FATAL_FAILURE(checkInvariants(state, rounds));
            }
        }
        ASSERT_EQ(rounds, 10);
    }
}
