#include "core/unicode.h"

namespace core {

Decoded decodeUtf8(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t length = 0;
    char32_t min = 0;
    char32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, min = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, min = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, codePoint = lead & 0x07;
    } else {
        return {lead, 1, false};
    }
    if (i + length > text.size()) {
        return {lead, 1, false};
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return {lead, 1, false};
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    const bool valid = codePoint >= min && codePoint <= 0x10FFFF && !surrogate;
    return {codePoint, valid ? length : 1, valid};
}

char32_t utf16Unit(std::string_view text, std::size_t i, Encoding encoding) {
    const auto lo = static_cast<unsigned char>(text[encoding == Encoding::Utf16LE ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(text[encoding == Encoding::Utf16LE ? i + 1 : i]);
    return static_cast<char32_t>(hi << 8 | lo);
}

Decoded decodeUtf16(std::string_view text, std::size_t i, Encoding encoding) {
    const char32_t unit = utf16Unit(text, i, encoding);
    if (unit < 0xD800 || unit > 0xDFFF) {
        return {unit, 2, true};
    }
    if (unit >= 0xDC00 || i + 4 > text.size()) {
        return {unit, 2, false};
    }
    const char32_t low = utf16Unit(text, i + 2, encoding);
    if (low < 0xDC00 || low > 0xDFFF) {
        return {unit, 2, false};
    }
    return {0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), 4, true};
}

Decoded decode(std::string_view text, std::size_t i, Encoding encoding) {
    return encoding == Encoding::Utf8 ? decodeUtf8(text, i) : decodeUtf16(text, i, encoding);
}

std::string encodeUtf8(char32_t codePoint) {
    std::string bytes;
    const auto continuation = [&](int shift) {
        bytes += static_cast<char>(0x80 | ((codePoint >> shift) & 0x3F));
    };
    if (codePoint < 0x80) {
        bytes += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        bytes += static_cast<char>(0xC0 | (codePoint >> 6));
        continuation(0);
    } else if (codePoint < 0x10000) {
        bytes += static_cast<char>(0xE0 | (codePoint >> 12));
        continuation(6);
        continuation(0);
    } else {
        bytes += static_cast<char>(0xF0 | (codePoint >> 18));
        continuation(12);
        continuation(6);
        continuation(0);
    }
    return bytes;
}

} // namespace core
