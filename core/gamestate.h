#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

// Every counter, length, stage and character code of the game.
using Integer = std::int16_t;

inline constexpr int kMaxWords = 1000; // rows 1..kMaxWords of the word table
inline constexpr int kMaxLetters = 50; // positions 1..kMaxLetters of a word

// The most bytes a list that breaks no rule can hold: a byte-order mark, then kMaxWords lines
// of kMaxLetters characters of four bytes each with the longest line end (CR LF in UTF-16).
// Any longer input breaks a rule within these bytes.
inline constexpr std::size_t kMaxListBytes = 3 + kMaxWords * (4 * kMaxLetters + 4) + 1;

// The texts of the played flag.
inline constexpr char kPlayed[] = "1";
inline constexpr char kUnplayed[] = "0";

inline constexpr Integer kStageLost = 8;
inline constexpr Integer kStageCompleted = 99;
inline constexpr Integer kStageWon = 100;

// The one record of everything the game knows. Words and masks hold Windows-1252 bytes.
struct GameState {
    Integer wordCount = 0;
    // Column 0: the word as read; column 1: the played flag "0" or "1". Row 0 stays empty.
    std::array<std::array<std::string, 2>, kMaxWords + 1> words{};
    Integer usedCount = 0;
    std::string currentWord;
    std::string maskedWord;
    Integer wordLength = 0;
    // Column 0: the code at position p; column 1: its case partner or 0. Row 0 unused.
    std::array<std::array<Integer, 2>, kMaxLetters + 1> letterCodes{};
    Integer stage = 0;
    Integer revealedCount = 0;
    // Whether position p has been guessed; tracked apart from the mask so "-" can be guessed.
    std::array<bool, kMaxLetters + 1> uncovered{};

    // Bounds-checked access; 0 <= row <= kMaxWords, 0 <= column <= 1.
    std::string& word(int row) { return words.at(row).at(0); }
    const std::string& word(int row) const { return words.at(row).at(0); }
    std::string& flag(int row) { return words.at(row).at(1); }
    const std::string& flag(int row) const { return words.at(row).at(1); }
    // 0 <= position <= kMaxLetters, 0 <= column <= 1.
    Integer& letterCode(int position, int column) { return letterCodes.at(position).at(column); }
    Integer letterCode(int position, int column) const {
        return letterCodes.at(position).at(column);
    }

    // Keys are evaluated exactly while this holds.
    bool roundOpen() const { return revealedCount != wordLength; }
};

} // namespace core
