// Loads a list, then plays whatever rounds and keys the input spells, as the window would
// (the loss display closes a round at its eighth miss), checking the state after every step.
#include "core/guess.h"
#include "core/round.h"
#include "core/wordlist.h"
#include "invariants.h"

#include <cmath>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <iostream>
#include <sstream>

namespace {

void check(const core::GameState& state, int rounds) {
    const std::string violation = invariantViolation(state, rounds);
    if (!violation.empty()) {
        std::cerr << "broken: " << violation << '\n';
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    core::GameState state;
    std::istringstream list(input.ConsumeRandomLengthString(4096));
    if (core::loadWords(state, list, core::LoadErrors("worte.txt"))) {
        return 0;
    }
    core::countUsed(state);
    int rounds = 0;
    int sweep = 0;
    // Once the input runs dry, rows are swept in order, so every draw loop ends.
    const core::RandomSource random = [&]() -> float {
        if (input.remaining_bytes() > 0) {
            return std::min(input.ConsumeProbability<float>(), std::nextafter(1.0f, 0.0f));
        }
        sweep = sweep % state.wordCount + 1;
        return sweep == state.wordCount ? std::nextafter(1.0f, 0.0f)
                                        : static_cast<float>(sweep) / state.wordCount;
    };
    while (input.remaining_bytes() > 0) {
        const int key = input.ConsumeIntegralInRange<int>(0, 300);
        if (key > 255) {
            if (core::startRound(state, random) == core::RoundOutcome::Started) {
                ++rounds;
            }
        } else if (key == 0) {
            core::countUsed(state); // "Neues Spiel" leaves the round as it is
        } else {
            if (core::evaluateKey(state, key) == core::KeyOutcome::Lost) {
                core::closeLostRound(state);
            }
        }
        check(state, rounds);
    }
    return 0;
}
