#include "core/loaderror.h"

#include "core/gamestate.h"
#include "core/systemerror.h"

#include <utility>

namespace core {

namespace {

// path::string() would be the ANSI code page on Windows, which garbles or throws on names
// outside it; messages are UTF-8.
std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
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

// „Ł“ (U+0141): the player sees which character to look for and can search for its number.
std::string shown(char32_t codePoint) {
    if (!printsAsItself(codePoint)) {
        return hex(codePoint);
    }
    return "„" + encodeUtf8(codePoint) + "“ (" + hex(codePoint) + ")";
}

} // namespace

LoadErrors::LoadErrors(const std::filesystem::path& file) : m_name(utf8(file.filename())) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    m_folder = utf8((ec ? file : absolute).lexically_normal().parent_path());
}

LoadErrors::LoadErrors(std::string name, std::string folder)
    : m_name(std::move(name)), m_folder(std::move(folder)) {}

LoadError LoadErrors::notFound() const {
    return {"Die Wortliste \"" + m_name + "\" wurde im Ordner \"" + m_folder + "\" nicht gefunden.",
            0};
}

LoadError LoadErrors::unreachable(const std::error_code& error) const {
    // Typically a folder on the way that may not be searched: the file may well exist.
    const std::string why = error == std::errc::permission_denied
                                ? "keine Berechtigung für einen Ordner auf dem Weg dorthin"
                                : failureReason(error);
    return file("ist nicht erreichbar: " + why + ".");
}

LoadError LoadErrors::folder() const {
    return file("ist ein Ordner, keine Textdatei.");
}

LoadError LoadErrors::cannotOpen(const std::error_code& error) const {
    return file("konnte nicht geöffnet werden: " + failureReason(error) + ".");
}

LoadError LoadErrors::cannotRead(const std::error_code& error) const {
    return file("konnte nicht gelesen werden: " + failureReason(error) + ".");
}

LoadError LoadErrors::notReceived(const std::string& reason) const {
    return file("konnte nicht geladen werden: " + reason + ".");
}

LoadError LoadErrors::tooLarge(std::uintmax_t bytes) const {
    return file("ist mit " + std::to_string(bytes) + " Bytes zu groß: Eine Wortliste von " +
                std::to_string(kMaxWords) + " Zeilen mit je " + std::to_string(kMaxLetters) +
                " Zeichen hat höchstens " + std::to_string(kMaxListBytes) + " Bytes.");
}

LoadError LoadErrors::tooManyLines(int line) const {
    return this->line(line,
                      "geht über die Grenze von " + std::to_string(kMaxWords) + " Zeilen hinaus.");
}

LoadError LoadErrors::tooLong(int line) const {
    return this->line(line,
                      "hat ein Wort mit mehr als " + std::to_string(kMaxLetters) + " Zeichen.");
}

LoadError LoadErrors::nulByte(int line) const {
    return this->line(line, "enthält ein Nullbyte. Eine Wortliste ist reiner Text: "
                            "speichere sie als UTF-8 oder ANSI (Windows-1252).");
}

LoadError LoadErrors::malformed(int line, Encoding encoding) const {
    const std::string name = encoding == Encoding::Utf8 ? "UTF-8" : "UTF-16";
    return this->line(line, "ist kein gültiges " + name + ", obwohl die Datei mit einer " + name +
                                "-Kennung (BOM) beginnt.");
}

LoadError LoadErrors::notInCp1252(int line, char32_t codePoint) const {
    return this->line(line, "enthält das Zeichen " + shown(codePoint) +
                                ", das es in Windows-1252 nicht gibt.");
}

LoadError LoadErrors::mixedEncodings(int line, int utf8Line) const {
    return this->line(line,
                      "ist kein gültiges UTF-8, obwohl die Datei auch UTF-8 enthält (Zeile " +
                          std::to_string(utf8Line) +
                          "). Speichere sie ganz als UTF-8 oder ganz als ANSI (Windows-1252).");
}

LoadError LoadErrors::file(const std::string& what) const {
    return {"Die Wortliste \"" + m_name + "\" im Ordner \"" + m_folder + "\" " + what, 0};
}

LoadError LoadErrors::line(int line, const std::string& what) const {
    LoadError error = file("ist fehlerhaft: Zeile " + std::to_string(line) + " " + what);
    error.line = line;
    return error;
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
    if (std::string reason = platformReason(error); !reason.empty()) {
        return reason;
    }
    if (error == std::errc::io_error) {
        return "Ein-/Ausgabefehler beim Lesen des Datenträgers";
    }
    return systemText(error);
}

} // namespace core
