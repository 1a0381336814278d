#include "core/round.h"
#include "helpers.h"

#include <cmath>
#include <map>

using core::RoundOutcome;

TEST(DrawRowTest, RoundsHalfToEven) {
    EXPECT_EQ(core::drawRow(1, 0.4999f), 0);
    EXPECT_EQ(core::drawRow(1, 0.5f), 0);
    EXPECT_EQ(core::drawRow(1, 0.6f), 1);
    EXPECT_EQ(core::drawRow(4, 0.375f), 2); // 1.5
    EXPECT_EQ(core::drawRow(4, 0.625f), 2); // 2.5
    EXPECT_EQ(core::drawRow(1000, 0.0f), 0);
    EXPECT_EQ(core::drawRow(1000, std::nextafter(1.0f, 0.0f)), 1000);
}

TEST(StartRoundTest, OneWordRedrawsUntilRowOne) {
    core::GameState state = loaded("Haus\r\n");
    EXPECT_EQ(core::startRound(state, sequence({0.1f, 0.5f, 0.6f})), RoundOutcome::Started);
    EXPECT_EQ(state.currentWord, "Haus");
    EXPECT_EQ(state.maskedWord, "----");
    EXPECT_EQ(state.wordLength, 4);
    EXPECT_EQ(state.flag(1), "1");
    EXPECT_EQ(state.usedCount, 1);
}

TEST(StartRoundTest, PlayedRowsAreDrawnAgain) {
    core::GameState state = loaded("a\nb\nc\n");
    core::startRound(state, sequence({0.99f})); // row 3
    EXPECT_EQ(state.currentWord, "c");
    // 0.99 hits row 3 again, 0.0 gives 0; both are drawn again.
    core::startRound(state, sequence({0.99f, 0.0f, 0.3f}));
    EXPECT_EQ(state.currentWord, "a");
}

TEST(StartRoundTest, ExhaustedAfterEveryWordLeavesStateAlone) {
    core::GameState state = loaded("a\nb\nc\n");
    for (const float r : {0.3f, 0.6f, 0.9f}) {
        ASSERT_EQ(core::startRound(state, sequence({r})), RoundOutcome::Started);
    }
    state.stage = 5;
    const core::GameState before = state;
    EXPECT_EQ(core::startRound(state, sequence({})), RoundOutcome::Exhausted);
    EXPECT_EQ(state.currentWord, before.currentWord);
    EXPECT_EQ(state.stage, 5);
    EXPECT_EQ(state.usedCount, 3);
}

TEST(StartRoundTest, EmptyListIsExhausted) {
    core::GameState state;
    EXPECT_EQ(core::startRound(state, sequence({})), RoundOutcome::Exhausted);
}

TEST(StartRoundTest, BuildsCodesAndPartners) {
    core::GameState state = loaded(AE_UP "pfel\n");
    core::startRound(state, sequence({0.9f}));
    const int codes[] = {196, 112, 102, 101, 108};
    const int partners[] = {228, 80, 70, 69, 76};
    for (int p = 1; p <= 5; ++p) {
        EXPECT_EQ(state.letterCode(p, 0), codes[p - 1]) << p;
        EXPECT_EQ(state.letterCode(p, 1), partners[p - 1]) << p;
    }
}

TEST(StartRoundTest, ResetsTheRoundButNotLaterRows) {
    core::GameState state = loaded("Stra" SZ "e\nab\n");
    core::startRound(state, sequence({0.4f})); // row 1
    EXPECT_EQ(state.letterCode(5, 0), 223);
    EXPECT_EQ(state.letterCode(5, 1), 0);
    state.stage = 7;
    state.revealedCount = 3;
    core::startRound(state, sequence({0.9f})); // row 2
    EXPECT_EQ(state.stage, 0);
    EXPECT_EQ(state.revealedCount, 0);
    EXPECT_EQ(state.letterCode(1, 1), 'A');
    EXPECT_EQ(state.letterCode(3, 0), 'r'); // left over from Straße, never read
}

TEST(StartRoundTest, EmptyWordIsOpenInNameOnly) {
    core::GameState state = loaded("\n");
    EXPECT_EQ(core::startRound(state, sequence({0.9f})), RoundOutcome::Started);
    EXPECT_EQ(state.wordLength, 0);
    EXPECT_EQ(state.maskedWord, "");
    EXPECT_FALSE(state.roundOpen());
}

TEST(CasePartnerTest, Table) {
    for (int c = 'a'; c <= 'z'; ++c) {
        EXPECT_EQ(core::casePartner(c), c - 32);
        EXPECT_EQ(core::casePartner(c - 32), c);
    }
    EXPECT_EQ(core::casePartner(246), 214);
    EXPECT_EQ(core::casePartner(214), 246);
    EXPECT_EQ(core::casePartner(228), 196);
    EXPECT_EQ(core::casePartner(196), 228);
    EXPECT_EQ(core::casePartner(252), 220);
    EXPECT_EQ(core::casePartner(220), 252);
    int withPartner = 0;
    for (int c = 0; c < 256; ++c) {
        withPartner += core::casePartner(c) != 0;
    }
    EXPECT_EQ(withPartner, 2 * 26 + 6); // ß, é, digits and the rest have none
}

TEST(ClockRandomTest, StaysBelowOneAndChangesWithinOneTick) {
    core::ClockRandom random;
    std::map<float, int> seen;
    for (int i = 0; i < 2000; ++i) {
        const float r = random();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ++seen[r];
    }
    // 2000 calls fall into few clock ticks; the numbers must not repeat with them.
    EXPECT_GT(seen.size(), 1900u);
    EXPECT_LT(core::unitFloat(0xFFFFFFFFu), 1.0f);
}

TEST(ClockRandomTest, LastWordIsDrawnHalfAsOften) {
    core::ClockRandom random;
    std::map<int, int> rows;
    constexpr int kDraws = 40000;
    for (int i = 0; i < kDraws; ++i) {
        ++rows[core::drawRow(4, random())];
    }
    // Expected shares: row 0 and row 4 1/8 each, rows 1 to 3 1/4 each.
    EXPECT_NEAR(rows[4] / double(kDraws), 0.125, 0.015);
    EXPECT_NEAR(rows[0] / double(kDraws), 0.125, 0.015);
    EXPECT_NEAR(rows[2] / double(kDraws), 0.25, 0.015);
}

TEST(CountUsedTest, CountsExactlyTheFlagsSetToOne) {
    core::GameState state = loaded("a\nb\nc\nd\n");
    // Characters, not string literals: GCC 12 misreads a literal's copy here as overlapping.
    state.flag(2) = '1';
    state.flag(4) = '1';
    state.flag(3) = '0';
    state.flag(3) += '1';
    state.flag(0) = '1'; // row 0 never counts
    core::countUsed(state);
    EXPECT_EQ(state.usedCount, 2);
}

TEST(CountUsedTest, ThreeRoundsGiveThree) {
    core::GameState state = loaded("a\nb\nc\nd\ne\n");
    for (const float r : {0.9f, 0.2f, 0.5f}) {
        core::startRound(state, sequence({r, 0.1f, 0.3f, 0.7f, 0.9f}));
    }
    state.usedCount = 0; // startRound counts too; countUsed must find the three in the flags
    core::countUsed(state);
    EXPECT_EQ(state.usedCount, 3);
}
