#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

enum class Encoding { Cp1252, Utf8, Utf16LE, Utf16BE };

// One character decoded at some offset. length is at least 1 even when the bytes are
// malformed, so a loop that steps by it always ends.
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool valid = true;
};

// i < text.size(). Overlong forms, surrogates and code points past U+10FFFF are invalid.
Decoded decodeUtf8(std::string_view text, std::size_t i);

// The code unit at i of UTF-16 in the given byte order; i + 2 <= text.size().
char32_t utf16Unit(std::string_view text, std::size_t i, Encoding encoding);

// i + 2 <= text.size(); a surrogate pair needs its second unit within text.
Decoded decodeUtf16(std::string_view text, std::size_t i, Encoding encoding);

// UTF-8 or UTF-16; Windows-1252 is never decoded, its bytes are the game's own.
Decoded decode(std::string_view text, std::size_t i, Encoding encoding);

std::string encodeUtf8(char32_t codePoint);

} // namespace core
