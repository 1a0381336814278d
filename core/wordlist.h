#pragma once

#include "core/gamestate.h"
#include "core/loaderror.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <string_view>

namespace core {

inline constexpr std::string_view kWordListName = "worte.txt";

// Fills words and wordCount from the file, every word unplayed. On error the state keeps
// what it had before. Reads at most what 1000 lines of 50 characters can need.
std::optional<LoadError> loadWords(GameState& state, const std::filesystem::path& file);

// The same for an open stream; file only names it and its folder in messages.
std::optional<LoadError> loadWords(GameState& state, std::istream& in,
                                   const std::filesystem::path& file);

// The same for a list that is no file here (a page's address); errors name it.
std::optional<LoadError> loadWords(GameState& state, std::istream& in, const LoadErrors& errors);

} // namespace core
