#include "core/wordlist.h"

#include "core/cp1252.h"
#include "core/systemerror.h"
#include "core/unicode.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace core {

namespace {

// No encoding the game reads needs more than four bytes for a character it can play, so a
// longer line is too long whatever the encoding turns out to be.
constexpr std::size_t kMaxLineBytes = 4 * kMaxLetters;
// Nothing after these bytes can change what is reported.
constexpr std::size_t kMaxFileBytes = kMaxListBytes;
constexpr std::size_t kChunk = 16 * 1024;

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
                                    const LoadErrors& errors) {
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
            return errors.tooManyLines(number);
        }
        if (value == '\r' || value == '\n') {
            pendingCr = value == '\r';
            raw.lines.push_back(std::move(line));
            line.clear();
            continue;
        }
        if (value == 0) {
            return errors.nulByte(number);
        }
        line += unit;
        if (line.size() > kMaxLineBytes) {
            return errors.tooLong(number);
        }
    }
    if (i < bytes.size()) { // half a UTF-16 code unit at the end
        return errors.malformed(static_cast<int>(raw.lines.size()) + 1, *raw.marked);
    }
    if (!line.empty()) {
        raw.lines.push_back(std::move(line));
    }
    return std::nullopt;
}

// Second stage, the one decision about the encoding: a byte-order mark names it; without
// one, a list that is valid UTF-8 and uses it for at least one character is UTF-8, and a list
// with no sign of UTF-8 is Windows-1252, taken byte for byte. A list with both is refused,
// since either reading garbles part of it. Only a sequence that encodes a character Windows-1252
// has counts as a sign: Windows-1252 text makes others by chance ("ß" and a non-breaking
// space), hardly these ("Ã¼").
std::optional<LoadError> decideEncoding(const RawLines& raw, Encoding& encoding,
                                        const LoadErrors& errors) {
    if (raw.marked) {
        encoding = *raw.marked;
        return std::nullopt;
    }
    bool multiByte = false;
    int firstUtf8 = 0;
    int firstBroken = 0;
    for (std::size_t row = 0; row < raw.lines.size() && (firstUtf8 == 0 || firstBroken == 0);
         ++row) {
        const std::string& line = raw.lines[row];
        for (std::size_t i = 0; i < line.size();) {
            const Decoded decoded = decodeUtf8(line, i);
            const int number = static_cast<int>(row) + 1;
            if (!decoded.valid && firstBroken == 0) {
                firstBroken = number;
            } else if (decoded.valid && decoded.length > 1) {
                multiByte = true;
                if (firstUtf8 == 0 && unicodeToCp1252(decoded.codePoint)) {
                    firstUtf8 = number;
                }
            }
            i += decoded.length;
        }
    }
    if (firstBroken != 0 && firstUtf8 != 0) {
        return errors.mixedEncodings(firstBroken, firstUtf8);
    }
    encoding = firstBroken == 0 && multiByte ? Encoding::Utf8 : Encoding::Cp1252;
    return std::nullopt;
}

// And the one conversion to the Windows-1252 bytes the game plays in, where the character
// limit is counted.
std::optional<LoadError> convert(std::vector<std::string>& lines, Encoding encoding,
                                 const LoadErrors& errors) {
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const int number = static_cast<int>(row) + 1;
        const std::string& line = lines[row];
        if (encoding == Encoding::Cp1252) {
            if (line.size() > static_cast<std::size_t>(kMaxLetters)) {
                return errors.tooLong(number);
            }
            continue;
        }
        std::string converted;
        for (std::size_t i = 0; i < line.size();) {
            const Decoded decoded = decode(line, i, encoding);
            if (!decoded.valid) {
                return errors.malformed(number, encoding);
            }
            const auto byte = unicodeToCp1252(decoded.codePoint);
            if (!byte) {
                return errors.notInCp1252(number, decoded.codePoint);
            }
            converted += static_cast<char>(*byte);
            i += decoded.length;
        }
        if (converted.size() > static_cast<std::size_t>(kMaxLetters)) {
            return errors.tooLong(number);
        }
        lines[row] = std::move(converted);
    }
    return std::nullopt;
}

} // namespace

std::optional<LoadError> loadWords(GameState& state, std::istream& in, const LoadErrors& errors) {
    std::string bytes;
    clearSystemError();
    if (!readBounded(in, bytes)) {
        return errors.cannotRead(lastSystemError());
    }
    RawLines raw;
    raw.lines.reserve(64);
    if (auto failure = splitLines(bytes, raw, errors)) {
        return failure;
    }
    Encoding encoding = Encoding::Cp1252;
    if (auto failure = decideEncoding(raw, encoding, errors)) {
        return failure;
    }
    if (auto failure = convert(raw.lines, encoding, errors)) {
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

std::optional<LoadError> openWordList(const std::filesystem::path& file, std::ifstream& in) {
    const LoadErrors errors(file);
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return errors.notFound();
    }
    if (ec) {
        return errors.unreachable(ec);
    }
    if (std::filesystem::is_directory(status)) {
        return errors.folder();
    }
    clearSystemError();
    in.open(file, std::ios::binary);
    if (!in) {
        return errors.cannotOpen(lastSystemError());
    }
    return std::nullopt;
}

} // namespace core
