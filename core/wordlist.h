#pragma once

#include "core/gamestate.h"
#include "core/loaderror.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <string_view>

namespace core {

inline constexpr std::string_view kWordListName = "worte.txt";

// Fills words and wordCount from in, every word unplayed; errors name the list as errors do.
// On error the state keeps what it had before. Reads at most kMaxListBytes, whatever the
// source: any longer list breaks a rule within them.
std::optional<LoadError> loadWords(GameState& state, std::istream& in, const LoadErrors& errors);

// Opens a list that is a file of this machine for loadWords, or says why it cannot.
std::optional<LoadError> openWordList(const std::filesystem::path& file, std::ifstream& in);

} // namespace core
