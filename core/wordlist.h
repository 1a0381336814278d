// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#pragma once

#include "core/gamestate.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace core {

inline constexpr std::string_view kWordListName = "worte.txt";

// Why a word list could not be loaded; message is German UTF-8 text for the player.
struct LoadError {
    std::string message;
    int line = 0; // 0 when the error concerns the file as a whole
};

// Fills words and wordCount from the file, every word unplayed. On error the state keeps
// what it had before. Reads at most what 1000 lines of 50 characters can need.
std::optional<LoadError> loadWords(GameState& state, const std::filesystem::path& file);

// The same for an open stream; file only names it and its folder in messages.
std::optional<LoadError> loadWords(GameState& state, std::istream& in,
                                   const std::filesystem::path& file);

// Why a system call on a list failed, in German, for the error codes of any platform.
std::string failureReason(const std::error_code& error);

// Sets usedCount to the number of rows 1..wordCount whose flag is exactly "1".
void countUsed(GameState& state);

} // namespace core
