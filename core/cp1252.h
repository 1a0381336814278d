#pragma once

#include <cstdint>
#include <optional>

namespace core {

// The Unicode code point of a Windows-1252 byte. The five unassigned bytes map to the
// control characters of the same value, as Windows does.
char32_t cp1252ToUnicode(std::uint8_t byte);

// The Windows-1252 byte of a code point, or nothing when the set has no such character.
std::optional<std::uint8_t> unicodeToCp1252(char32_t codePoint);

} // namespace core
