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

// Types every byte of keys and returns the result of the last one.
core::KeyResult type(core::GameState& state, std::string_view keys) {
    core::KeyResult last;
    for (const char c : keys) {
        last = core::evaluateKey(state, static_cast<unsigned char>(c));
    }
    return last;
}

} // namespace

TEST(EvaluateKeyTest, HitUncoversEveryMatchInTheWordsOwnCase) {
    core::GameState state = playing("Anna");
    const core::KeyResult result = core::evaluateKey(state, 'a');
    EXPECT_EQ(result.outcome, KeyOutcome::Evaluated);
    EXPECT_FALSE(result.stageAdvanced);
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
        const core::KeyResult result = core::evaluateKey(state, key);
        EXPECT_TRUE(result.stageAdvanced) << key;
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
    const core::KeyResult result = core::evaluateKey(state, 'S');
    EXPECT_TRUE(result.stageAdvanced);
    EXPECT_EQ(state.stage, core::kStageWon);
    EXPECT_EQ(state.maskedWord, "Haus");
    EXPECT_FALSE(state.roundOpen());
    EXPECT_EQ(core::evaluateKey(state, 'q').outcome, KeyOutcome::Ignored);
    EXPECT_EQ(state.stage, core::kStageWon);
}

TEST(EvaluateKeyTest, EighthMissThenLossClosesTheRound) {
    core::GameState state = playing("Haus");
    type(state, "qwertzio");
    EXPECT_EQ(state.stage, core::kStageLost);
    EXPECT_TRUE(state.roundOpen()); // the loss display closes it
    EXPECT_EQ(core::closeLostRound(state), "Haus");
    EXPECT_EQ(state.revealedCount, state.wordLength);
    EXPECT_EQ(core::evaluateKey(state, 'h').outcome, KeyOutcome::Ignored);
    EXPECT_EQ(state.maskedWord, "----");
    EXPECT_EQ(state.stage, core::kStageLost);
}

TEST(EvaluateKeyTest, IgnoredBeforeTheFirstRound) {
    core::GameState state = loaded("Haus\n");
    EXPECT_EQ(core::evaluateKey(state, 'h').outcome, KeyOutcome::Ignored);
    EXPECT_EQ(state.stage, 0);
    EXPECT_EQ(state.maskedWord, "");
}

TEST(EvaluateKeyTest, HyphenWordCanBeWon) {
    core::GameState state = playing("E-Mail");
    type(state, "emailx");
    EXPECT_EQ(state.maskedWord, "E-Mail"); // the hyphen shows, but was not guessed yet
    EXPECT_EQ(state.revealedCount, 5);
    EXPECT_EQ(state.stage, 1);
    EXPECT_TRUE(type(state, "-").stageAdvanced);
    EXPECT_EQ(state.stage, core::kStageWon);
}

TEST(EvaluateKeyTest, KeysActOnAnOpenRoundWhateverTheScreen) {
    core::GameState state = playing("Haus");
    core::countUsed(state); // what "Neues Spiel" does to the state
    type(state, "hx");
    EXPECT_EQ(state.maskedWord, "H---");
    EXPECT_EQ(state.stage, 1);
}
