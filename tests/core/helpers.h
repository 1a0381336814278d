#pragma once

#include "core/gamestate.h"
#include "core/random.h"
#include "core/round.h"
#include "core/wordlist.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

// Windows-1252 bytes of the umlauts, for word literals.
#define AE "\xE4"
#define OE "\xF6"
#define UE "\xFC"
#define AE_UP "\xC4"
#define OE_UP "\xD6"
#define UE_UP "\xDC"
#define SZ "\xDF"

// Hands out the given values of r in order; running dry is a test failure.
inline core::RandomSource sequence(std::initializer_list<float> values) {
    auto queue = std::make_shared<std::deque<float>>(values);
    return [queue]() {
        if (queue->empty()) {
            ADD_FAILURE() << "random sequence ran dry";
            return 0.99f;
        }
        const float r = queue->front();
        queue->pop_front();
        return r;
    };
}

// A list that is a file of this machine, as the desktop loads it.
inline std::optional<core::LoadError> loadFile(core::GameState& state,
                                               const std::filesystem::path& file) {
    std::ifstream in;
    if (auto failure = core::openWordList(file, in)) {
        return failure;
    }
    return core::loadWords(state, in, core::LoadErrors(file));
}

// Loads a list from its raw bytes; fails the test on a load error.
inline core::GameState loaded(const std::string& bytes) {
    core::GameState state;
    std::istringstream in(bytes);
    const auto failure = core::loadWords(state, in, core::LoadErrors("worte.txt"));
    EXPECT_FALSE(failure) << failure->message;
    core::countUsed(state);
    return state;
}
