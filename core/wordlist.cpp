#include "core/wordlist.h"

#include "core/cp1252.h"

#include <fstream>
#include <system_error>
#include <vector>

namespace core {

namespace {

// A line longer than this many bytes is too long in any encoding (UTF-8 needs at most
// three bytes for a Windows-1252 character), so reading can stop at once.
constexpr std::size_t kMaxLineBytes = 3 * kMaxLetters;
constexpr std::size_t kChunk = 16 * 1024;

struct Utf8Scan {
    bool valid = true;
    bool multiByte = false;
    std::size_t characters = 0;
};

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when it is malformed.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& codePoint) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, min = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, min = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < min || codePoint > 0x10FFFF || surrogate) {
        return 0;
    }
    return length;
}

Utf8Scan scanUtf8(std::string_view text) {
    Utf8Scan scan;
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = decodeUtf8(text, i, codePoint);
        if (length == 0) {
            scan.valid = false;
            return scan;
        }
        scan.multiByte = scan.multiByte || length > 1;
        ++scan.characters;
        i += length;
    }
    return scan;
}

std::string hex(char32_t codePoint) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    for (int shift = codePoint > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) {
        digits += kDigits[(codePoint >> shift) & 0xF];
    }
    return "U+" + digits;
}

class Reader {
public:
    Reader(std::istream& in, std::string_view fileName) : m_in(in), m_fileName(fileName) {}

    std::optional<LoadError> read(std::vector<std::string>& lines);

private:
    LoadError error(int line, const std::string& what) const {
        return {"Die Wortliste \"" + m_fileName + "\" ist fehlerhaft: Zeile " +
                    std::to_string(line) + " " + what,
                line};
    }
    LoadError tooLong(int line) const {
        return error(line,
                     "hat ein Wort mit mehr als " + std::to_string(kMaxLetters) + " Zeichen.");
    }
    std::optional<LoadError> beginLine(const std::vector<std::string>& lines) const;
    std::optional<LoadError> endLine(std::vector<std::string>& lines);
    std::optional<LoadError> convertFromUtf8(std::vector<std::string>& lines) const;

    std::istream& m_in;
    std::string m_fileName;
    std::string m_line;
    bool m_bomChecked = false;
    bool m_bom = false;
};

// A line past the limit fails as soon as it begins, before anything else is judged of it.
std::optional<LoadError> Reader::beginLine(const std::vector<std::string>& lines) const {
    const int number = static_cast<int>(lines.size()) + 1;
    if (number > kMaxWords) {
        return error(number,
                     "geht über die Grenze von " + std::to_string(kMaxWords) + " Zeilen hinaus.");
    }
    return std::nullopt;
}

std::optional<LoadError> Reader::endLine(std::vector<std::string>& lines) {
    if (m_line.empty()) {
        if (auto failure = beginLine(lines)) {
            return failure;
        }
    }
    const int number = static_cast<int>(lines.size()) + 1;
    // Until the encoding is known, a line is too long only if it is in either reading.
    const Utf8Scan scan = scanUtf8(m_line);
    if (m_bom && !scan.valid) {
        return error(number, "ist kein gültiges UTF-8, obwohl die Datei mit einer "
                             "UTF-8-Kennung (BOM) beginnt.");
    }
    const std::size_t fewest = scan.valid ? scan.characters : m_line.size();
    if (fewest > static_cast<std::size_t>(kMaxLetters)) {
        return tooLong(number);
    }
    lines.push_back(std::move(m_line));
    m_line.clear();
    return std::nullopt;
}

std::optional<LoadError> Reader::read(std::vector<std::string>& lines) {
    std::vector<char> buffer(kChunk);
    bool pendingCr = false;
    while (m_in) {
        m_in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        std::string_view chunk(buffer.data(), static_cast<std::size_t>(m_in.gcount()));
        if (!m_bomChecked && (chunk.size() >= 3 || !m_in)) {
            m_bomChecked = true;
            m_bom = chunk.substr(0, 3) == "\xEF\xBB\xBF";
            if (m_bom) {
                chunk.remove_prefix(3);
            }
        }
        for (const char c : chunk) {
            if (pendingCr) {
                pendingCr = false;
                if (c == '\n') {
                    continue; // CR LF is one line end
                }
            }
            if (c == '\r' || c == '\n') {
                pendingCr = c == '\r';
                if (auto failure = endLine(lines)) {
                    return failure;
                }
                continue;
            }
            if (m_line.empty()) {
                if (auto failure = beginLine(lines)) {
                    return failure;
                }
            }
            const int number = static_cast<int>(lines.size()) + 1;
            if (c == '\0') {
                return error(number, "enthält ein Nullbyte; die Wortliste muss reiner Text "
                                     "sein (UTF-16 wird nicht unterstützt).");
            }
            m_line += c;
            if (m_line.size() > kMaxLineBytes) {
                return tooLong(number);
            }
        }
    }
    if (m_in.bad()) {
        return LoadError{"Die Wortliste \"" + m_fileName + "\" konnte nicht gelesen werden.", 0};
    }
    if (!m_line.empty()) {
        if (auto failure = endLine(lines)) {
            return failure;
        }
    }
    return convertFromUtf8(lines);
}

// Lists that were saved as UTF-8 become Windows-1252, which the game plays in.
std::optional<LoadError> Reader::convertFromUtf8(std::vector<std::string>& lines) const {
    bool valid = true;
    bool multiByte = false;
    for (const std::string& line : lines) {
        const Utf8Scan scan = scanUtf8(line);
        valid = valid && scan.valid;
        multiByte = multiByte || scan.multiByte;
    }
    const bool utf8 = m_bom || (valid && multiByte);
    if (!utf8) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].size() > static_cast<std::size_t>(kMaxLetters)) {
                return tooLong(static_cast<int>(i) + 1);
            }
        }
        return std::nullopt;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string converted;
        const std::string& line = lines[i];
        for (std::size_t k = 0; k < line.size();) {
            char32_t codePoint = 0;
            k += decodeUtf8(line, k, codePoint);
            const auto byte = unicodeToCp1252(codePoint);
            if (!byte) {
                return error(static_cast<int>(i) + 1, "enthält das Zeichen " + hex(codePoint) +
                                                          ", das es in Windows-1252 nicht gibt.");
            }
            converted += static_cast<char>(*byte);
        }
        lines[i] = std::move(converted);
    }
    return std::nullopt;
}

} // namespace

std::optional<LoadError> loadWords(GameState& state, std::istream& in, std::string_view fileName) {
    std::vector<std::string> lines;
    lines.reserve(64);
    Reader reader(in, fileName);
    if (auto failure = reader.read(lines)) {
        return failure;
    }
    state.wordCount = 0;
    for (std::string& line : lines) {
        ++state.wordCount;
        state.word(state.wordCount) = std::move(line);
        state.flag(state.wordCount) = kUnplayed;
    }
    return std::nullopt;
}

std::optional<LoadError> loadWords(GameState& state, const std::filesystem::path& file) {
    const std::string name = file.string();
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status)) {
        const std::filesystem::path folder = std::filesystem::absolute(file, ec).parent_path();
        return LoadError{"Die Wortliste \"" + file.filename().string() + "\" wurde im Ordner \"" +
                             folder.string() + "\" nicht gefunden.",
                         0};
    }
    if (std::filesystem::is_directory(status)) {
        return LoadError{"Die Wortliste \"" + name + "\" ist ein Ordner, keine Textdatei.", 0};
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return LoadError{"Die Wortliste \"" + name + "\" konnte nicht geöffnet werden.", 0};
    }
    return loadWords(state, in, name);
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
