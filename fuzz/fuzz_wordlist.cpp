// Any bytes as a word list: the load either fails with a message that names a line, or
// yields a table the game can play.
#include "core/wordlist.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::cerr << "broken: " << what << '\n';
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // On the heap: clang 14 crashes trying to constant-evaluate the big local.
    const auto owned = std::make_unique<core::GameState>();
    core::GameState& state = *owned;
    state.word(1) = "vorher";
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const auto failure = core::loadWords(state, in, core::LoadErrors("worte.txt"));
    if (failure) {
        check(!failure->message.empty(), "empty message");
        check(failure->line >= 0 && failure->line <= core::kMaxWords + 1, "line out of range");
        check(state.wordCount == 0 && state.word(1) == "vorher", "state changed on failure");
        return 0;
    }
    check(state.wordCount >= 0 && state.wordCount <= core::kMaxWords, "word count");
    for (int row = 1; row <= state.wordCount; ++row) {
        const std::string& word = state.word(row);
        check(word.size() <= static_cast<std::size_t>(core::kMaxLetters), "word too long");
        check(word.find('\0') == std::string::npos, "NUL in a word");
        check(word.find_first_of("\r\n") == std::string::npos, "line end in a word");
        check(state.flag(row) == core::kUnplayed, "flag");
    }
    return 0;
}
