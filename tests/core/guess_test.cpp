#include "core/guess.h"
#include "core/round.h"
#include "helpers.h"

#include <string_view>

using core::KeyOutcome;

namespace {

core::GameState playing(const std::string& word) {
    core::GameState state = loaded(word + "\n");
    core::startRound(state, sequence({0.9f}));
    return state;
}

// Types every byte of keys and returns the outcome of the last one.
KeyOutcome type(core::GameState& state, std::string_view keys) {
    KeyOutcome last = KeyOutcome::Ignored;
    for (const char c : keys) {
        last = core::evaluateKey(state, static_cast<unsigned char>(c));
    }
    return last;
}

} // namespace

TEST(EvaluateKeyTest, HitUncoversEveryMatchInTheWordsOwnCase) {
    core::GameState state = playing("Anna");
    EXPECT_EQ(core::evaluateKey(state, 'a'), KeyOutcome::Hit);
    EXPECT_EQ(state.maskedWord, "A--a");
    EXPECT_EQ(state.revealedCount, 2);
    EXPECT_EQ(state.stage, 0);
}

TEST(EvaluateKeyTest, UmlautMatchesBothCases) {
    core::GameState state = playing("M" UE "hle");
    core::evaluateKey(state, 220); // Ü
    EXPECT_EQ(state.maskedWord, "-" UE "---");
    core::GameState lower = playing("M" UE "hle");
    core::evaluateKey(lower, 252);
    EXPECT_EQ(lower.maskedWord, "-" UE "---");
}

TEST(EvaluateKeyTest, SharpSMatchesOnlyItself) {
    core::GameState state = playing("Stra" SZ "e");
    type(state, "s");
    EXPECT_EQ(state.maskedWord, "S-----"); // s finds S, not the ß
    type(state, SZ);
    EXPECT_EQ(state.maskedWord, "S---" SZ "-");
    EXPECT_EQ(state.stage, 0);
}

TEST(EvaluateKeyTest, MissesAdvanceTheStageWhateverTheKey) {
    core::GameState state = playing("Haus");
    for (const int key : {int{'x'}, int{' '}, int{'1'}, 8, 13, int{'x'}}) {
        const core::Integer before = state.stage;
        EXPECT_EQ(core::evaluateKey(state, key), KeyOutcome::Miss) << key;
        EXPECT_EQ(state.stage, before + 1) << key;
    }
    EXPECT_EQ(state.maskedWord, "----");
}

TEST(EvaluateKeyTest, RepeatedHitCostsNothing) {
    core::GameState state = playing("Haus");
    type(state, "aaaa");
    EXPECT_EQ(state.stage, 0);
    EXPECT_EQ(state.maskedWord, "-a--");
}

TEST(EvaluateKeyTest, CompletingTheWordWins) {
    core::GameState state = playing("Haus");
    type(state, "xhau");
    EXPECT_EQ(core::evaluateKey(state, 'S'), KeyOutcome::Won);
    EXPECT_EQ(state.stage, core::kStageWon);
    EXPECT_EQ(state.maskedWord, "Haus");
    EXPECT_FALSE(state.roundOpen());
    EXPECT_EQ(core::evaluateKey(state, 'q'), KeyOutcome::Ignored);
    EXPECT_EQ(state.stage, core::kStageWon);
}

TEST(EvaluateKeyTest, EighthMissThenLossClosesTheRound) {
    core::GameState state = playing("Haus");
    EXPECT_EQ(type(state, "qwertzi"), KeyOutcome::Miss);
    EXPECT_EQ(core::evaluateKey(state, 'o'), KeyOutcome::Lost);
    EXPECT_EQ(state.stage, core::kStageLost);
    EXPECT_TRUE(state.roundOpen()); // the loss display closes it
    EXPECT_EQ(core::closeLostRound(state), "Haus");
    EXPECT_EQ(state.revealedCount, state.wordLength);
    EXPECT_EQ(core::evaluateKey(state, 'h'), KeyOutcome::Ignored);
    EXPECT_EQ(state.maskedWord, "----");
    EXPECT_EQ(state.stage, core::kStageLost);
}

TEST(EvaluateKeyTest, IgnoredBeforeTheFirstRound) {
    core::GameState state = loaded("Haus\n");
    EXPECT_EQ(core::evaluateKey(state, 'h'), KeyOutcome::Ignored);
    EXPECT_EQ(state.stage, 0);
    EXPECT_EQ(state.maskedWord, "");
}

TEST(EvaluateKeyTest, HyphenWordCanBeWon) {
    core::GameState state = playing("E-Mail");
    type(state, "emailx");
    EXPECT_EQ(state.maskedWord, "E-Mail"); // the hyphen shows, but was not guessed yet
    EXPECT_EQ(state.revealedCount, 5);
    EXPECT_EQ(state.stage, 1);
    EXPECT_EQ(type(state, "-"), KeyOutcome::Won);
    EXPECT_EQ(state.stage, core::kStageWon);
}

TEST(EvaluateKeyTest, KeysActOnAnOpenRoundWhateverTheScreen) {
    core::GameState state = playing("Haus");
    core::countUsed(state); // what "Neues Spiel" does to the state
    type(state, "hx");
    EXPECT_EQ(state.maskedWord, "H---");
    EXPECT_EQ(state.stage, 1);
}

// 0 is the "no partner" entry of ß, digits and punctuation; it and codes past 255 are no keys.
TEST(EvaluateKeyTest, CodesOutsideOneTo255AreNoKeys) {
    core::GameState state = playing("Stra" SZ "e 1-a");
    for (const int key : {0, 256 + 'a', 256 + 223}) {
        EXPECT_EQ(core::evaluateKey(state, key), KeyOutcome::Ignored) << key;
    }
    EXPECT_EQ(state.maskedWord, "----------");
    EXPECT_EQ(state.stage, 0);
    EXPECT_EQ(state.revealedCount, 0);
}
