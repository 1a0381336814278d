// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "core/wordlist.h"

#include "core/cp1252.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib> // _doserrno on Windows
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

namespace core {

namespace {

// No encoding the game reads needs more than four bytes for a character it can play, so a
// longer line is too long whatever the encoding turns out to be.
constexpr std::size_t kMaxLineBytes = 4 * kMaxLetters;
// The most bytes a list that breaks no rule can hold: a byte-order mark, then 1000 lines of
// the longest kind with the longest line end (CR LF in UTF-16). Any longer input breaks a rule
// within these bytes, so nothing after them can change what is reported.
constexpr std::size_t kMaxFileBytes = 3 + kMaxWords * (kMaxLineBytes + 4) + 1;
constexpr std::size_t kChunk = 16 * 1024;

enum class Encoding { Cp1252, Utf8, Utf16LE, Utf16BE };

struct Bom {
    std::string_view bytes;
    Encoding encoding;
    std::size_t unitBytes;
};

constexpr Bom kBoms[] = {
    {"\xEF\xBB\xBF", Encoding::Utf8, 1},
    {"\xFF\xFE", Encoding::Utf16LE, 2},
    {"\xFE\xFF", Encoding::Utf16BE, 2},
};

// One character decoded at some offset. length is at least 1 even when the bytes are
// malformed, so a loop that steps by it always ends.
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool valid = true;
};

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

// Lines hold whole code units, so i + 2 <= text.size().
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

// Only for lists that need converting; Windows-1252 lists are taken byte for byte.
Decoded decode(std::string_view text, std::size_t i, Encoding encoding) {
    return encoding == Encoding::Utf8 ? decodeUtf8(text, i) : decodeUtf16(text, i, encoding);
}

// Four hex digits at least, as many as needed beyond: U+00E4, U+1F600.
std::string hex(char32_t codePoint) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    int shift = 12;
    while (shift < 20 && (codePoint >> (shift + 4)) != 0) {
        shift += 4;
    }
    std::string digits;
    for (; shift >= 0; shift -= 4) {
        digits += kDigits[(codePoint >> shift) & 0xF];
    }
    return "U+" + digits;
}

void clearError() {
    errno = 0;
#ifdef _WIN32
    _doserrno = 0;
#endif
}

// What the C library says went wrong; streams report failures only through errno. On Windows
// errno folds several of the system's own codes into one, so that a file another program has
// locked reads as "permission denied": the system's code is taken where there is one.
std::error_code lastError() {
#ifdef _WIN32
    if (_doserrno != 0) {
        return {static_cast<int>(_doserrno), std::system_category()};
    }
#endif
    return {errno, std::generic_category()};
}

// path::string() would be the ANSI code page on Windows, which garbles or throws on names
// outside it; messages are UTF-8.
std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A character that prints nothing or reorders the text around it would make the message lie
// about the line; it is named by its code point alone.
bool printsAsItself(char32_t codePoint) {
    constexpr std::pair<char32_t, char32_t> kHidden[] = {
        {0x0080, 0x009F}, {0x061C, 0x061C}, {0x200B, 0x200F}, {0x2028, 0x202E},   {0x2060, 0x206F},
        {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB}, {0xE0000, 0xE0FFF},
    };
    for (const auto& [first, last] : kHidden) {
        if (codePoint >= first && codePoint <= last) {
            return false;
        }
    }
    return true;
}

std::string utf8(char32_t codePoint) {
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

// „Ł“ (U+0141): the player sees which character to look for and can search for its number.
std::string shown(char32_t codePoint) {
    if (!printsAsItself(codePoint)) {
        return hex(codePoint);
    }
    return "„" + utf8(codePoint) + "“ (" + hex(codePoint) + ")";
}

// Every message names the file and its folder: the player has to find the file to mend it.
class Messages {
public:
    explicit Messages(const std::filesystem::path& file) : m_name(utf8(file.filename())) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
        m_folder = utf8((ec ? file : absolute).lexically_normal().parent_path());
    }

    LoadError notFound() const {
        return {"Die Wortliste \"" + m_name + "\" wurde im Ordner \"" + m_folder +
                    "\" nicht gefunden.",
                0};
    }
    LoadError file(const std::string& what) const {
        return {"Die Wortliste \"" + m_name + "\" im Ordner \"" + m_folder + "\" " + what, 0};
    }
    LoadError line(int line, const std::string& what) const {
        LoadError error = file("ist fehlerhaft: Zeile " + std::to_string(line) + " " + what);
        error.line = line;
        return error;
    }
    LoadError tooManyLines(int line) const {
        return this->line(line, "geht über die Grenze von " + std::to_string(kMaxWords) +
                                    " Zeilen hinaus.");
    }
    LoadError malformed(int line, Encoding encoding) const {
        const std::string name = encoding == Encoding::Utf8 ? "UTF-8" : "UTF-16";
        return this->line(line, "ist kein gültiges " + name + ", obwohl die Datei mit einer " +
                                    name + "-Kennung (BOM) beginnt.");
    }
    LoadError tooLong(int line) const {
        return this->line(line,
                          "hat ein Wort mit mehr als " + std::to_string(kMaxLetters) + " Zeichen.");
    }

private:
    std::string m_name;
    std::string m_folder;
};

// The lines of a file as raw bytes in its own encoding, without line ends or byte-order mark.
struct RawLines {
    std::optional<Encoding> marked; // by a byte-order mark
    std::vector<std::string> lines;
};

// As much of the list as can matter: all of it, or kMaxFileBytes of a longer one.
bool readBounded(std::istream& in, std::string& bytes) {
    while (in && bytes.size() < kMaxFileBytes) {
        const std::size_t start = bytes.size();
        bytes.resize(start + std::min(kChunk, kMaxFileBytes - start));
        in.read(bytes.data() + start, static_cast<std::streamsize>(bytes.size() - start));
        bytes.resize(start + static_cast<std::size_t>(in.gcount()));
    }
    return !in.bad();
}

// First stage: bytes to lines. Line ends are CR LF, LF or CR; the line and byte limits and
// the NUL check apply in the order the bytes come, so the first rule broken is the one named.
std::optional<LoadError> splitLines(std::string_view bytes, RawLines& raw,
                                    const Messages& messages) {
    std::size_t unitBytes = 1;
    for (const Bom& bom : kBoms) {
        if (bytes.starts_with(bom.bytes)) {
            raw.marked = bom.encoding;
            unitBytes = bom.unitBytes;
            bytes.remove_prefix(bom.bytes.size());
            break;
        }
    }
    std::string line;
    bool pendingCr = false;
    std::size_t i = 0;
    for (; i + unitBytes <= bytes.size(); i += unitBytes) {
        const std::string_view unit = bytes.substr(i, unitBytes);
        const char32_t value =
            unitBytes == 2 ? utf16Unit(unit, 0, *raw.marked) : static_cast<unsigned char>(unit[0]);
        if (pendingCr) {
            pendingCr = false;
            if (value == '\n') {
                continue; // CR LF is one line end
            }
        }
        const int number = static_cast<int>(raw.lines.size()) + 1;
        // A line past the limit fails as soon as it begins, before anything else is judged of it.
        if (line.empty() && number > kMaxWords) {
            return messages.tooManyLines(number);
        }
        if (value == '\r' || value == '\n') {
            pendingCr = value == '\r';
            raw.lines.push_back(std::move(line));
            line.clear();
            continue;
        }
        if (value == 0) {
            return messages.line(number, "enthält ein Nullbyte. Eine Wortliste ist reiner Text: "
                                         "speichere sie als UTF-8 oder ANSI (Windows-1252).");
        }
        line += unit;
        if (line.size() > kMaxLineBytes) {
            return messages.tooLong(number);
        }
    }
    if (i < bytes.size()) { // half a UTF-16 code unit at the end
        return messages.malformed(static_cast<int>(raw.lines.size()) + 1, *raw.marked);
    }
    if (!line.empty()) {
        raw.lines.push_back(std::move(line));
    }
    return std::nullopt;
}

// Second stage, the one decision about the encoding: a byte-order mark names it; without
// one, a list that is valid UTF-8 and uses it for at least one character is UTF-8; any other
// list is Windows-1252, taken byte for byte.
Encoding decideEncoding(const RawLines& raw) {
    if (raw.marked) {
        return *raw.marked;
    }
    bool multiByte = false;
    for (const std::string& line : raw.lines) {
        for (std::size_t i = 0; i < line.size();) {
            const Decoded decoded = decodeUtf8(line, i);
            if (!decoded.valid) {
                return Encoding::Cp1252;
            }
            multiByte = multiByte || decoded.length > 1;
            i += decoded.length;
        }
    }
    return multiByte ? Encoding::Utf8 : Encoding::Cp1252;
}

// And the one conversion to the Windows-1252 bytes the game plays in, where the character
// limit is counted.
std::optional<LoadError> convert(std::vector<std::string>& lines, Encoding encoding,
                                 const Messages& messages) {
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const int number = static_cast<int>(row) + 1;
        const std::string& line = lines[row];
        if (encoding == Encoding::Cp1252) {
            if (line.size() > static_cast<std::size_t>(kMaxLetters)) {
                return messages.tooLong(number);
            }
            continue;
        }
        std::string converted;
        for (std::size_t i = 0; i < line.size();) {
            const Decoded decoded = decode(line, i, encoding);
            if (!decoded.valid) {
                return messages.malformed(number, encoding);
            }
            const auto byte = unicodeToCp1252(decoded.codePoint);
            if (!byte) {
                return messages.line(number, "enthält das Zeichen " + shown(decoded.codePoint) +
                                                 ", das es in Windows-1252 nicht gibt.");
            }
            converted += static_cast<char>(*byte);
            i += decoded.length;
        }
        if (converted.size() > static_cast<std::size_t>(kMaxLetters)) {
            return messages.tooLong(number);
        }
        lines[row] = std::move(converted);
    }
    return std::nullopt;
}

} // namespace

std::optional<LoadError> loadWords(GameState& state, std::istream& in,
                                   const std::filesystem::path& file) {
    const Messages messages(file);
    std::string bytes;
    clearError();
    if (!readBounded(in, bytes)) {
        return messages.file("konnte nicht gelesen werden: " + failureReason(lastError()) + ".");
    }
    RawLines raw;
    raw.lines.reserve(64);
    if (auto failure = splitLines(bytes, raw, messages)) {
        return failure;
    }
    if (auto failure = convert(raw.lines, decideEncoding(raw), messages)) {
        return failure;
    }
    state.wordCount = 0;
    for (std::string& line : raw.lines) {
        ++state.wordCount;
        state.word(state.wordCount) = std::move(line);
        state.flag(state.wordCount).assign(1, kUnplayed[0]); // as in startRound: -Wrestrict
    }
    return std::nullopt;
}

std::optional<LoadError> loadWords(GameState& state, const std::filesystem::path& file) {
    const Messages messages(file);
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return messages.notFound();
    }
    if (ec) {
        // Typically a folder on the way that may not be searched: the file may well exist.
        const std::string why = ec == std::errc::permission_denied
                                    ? "keine Berechtigung für einen Ordner auf dem Weg dorthin"
                                    : failureReason(ec);
        return messages.file("ist nicht erreichbar: " + why + ".");
    }
    if (std::filesystem::is_directory(status)) {
        return messages.file("ist ein Ordner, keine Textdatei.");
    }
    clearError();
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return messages.file("konnte nicht geöffnet werden: " + failureReason(lastError()) + ".");
    }
    return loadWords(state, in, file);
}

std::string failureReason(const std::error_code& error) {
    if (!error) {
        return "unbekannter Fehler";
    }
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        return "keine Leseberechtigung";
    }
    if (error == std::errc::is_a_directory) {
        return "es ist ein Ordner";
    }
#ifdef _WIN32
    // ERROR_SHARING_VIOLATION and ERROR_LOCK_VIOLATION: Windows editors lock the file they show.
    if (error.category() == std::system_category() &&
        (error.value() == 32 || error.value() == 33)) {
        return "ein anderes Programm hat sie gesperrt, vielleicht ein Editor, in dem sie offen ist";
    }
#endif
    if (error == std::errc::io_error) {
        return "Ein-/Ausgabefehler beim Lesen des Datenträgers";
    }
    return error.message();
}

void countUsed(GameState& state) {
    state.usedCount = 0;
    for (int row = 1; row <= state.wordCount; ++row) {
        if (state.flag(row) == kPlayed) {
            ++state.usedCount;
        }
    }
}

} // namespace core
