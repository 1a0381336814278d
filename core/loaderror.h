#pragma once

#include "core/unicode.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace core {

// Why a word list could not be loaded; message is German UTF-8 text for the player.
struct LoadError {
    std::string message;
    int line = 0; // 0 when the error concerns the file as a whole
};

// Every error about one list, each naming the file and its folder: the player has to find the
// file to mend it. Lines count from 1.
class LoadErrors {
public:
    explicit LoadErrors(const std::filesystem::path& file);
    // A list that is no file of this machine: folder is shown as given (a web address).
    LoadErrors(std::string name, std::string folder);

    LoadError notFound() const;
    LoadError unreachable(const std::error_code& error) const;
    LoadError folder() const;
    LoadError cannotOpen(const std::error_code& error) const;
    LoadError cannotRead(const std::error_code& error) const;
    // Fetched from elsewhere and not received; reason is German text.
    LoadError notReceived(const std::string& reason) const;
    // Larger than any list that breaks no rule, judged before reading it.
    LoadError tooLarge(std::uintmax_t bytes) const;

    LoadError tooManyLines(int line) const;
    LoadError tooLong(int line) const;
    LoadError nulByte(int line) const;
    // Broken UTF-8 or UTF-16 in a list whose byte-order mark names it.
    LoadError malformed(int line, Encoding encoding) const;
    LoadError notInCp1252(int line, char32_t codePoint) const;
    // A list without a byte-order mark that is UTF-8 at utf8Line but breaks it at line.
    LoadError mixedEncodings(int line, int utf8Line) const;

private:
    LoadError file(const std::string& what) const;
    LoadError line(int line, const std::string& what) const;

    std::string m_name;
    std::string m_folder;
};

// Why a system call on a list failed, in German, for the error codes of any platform.
std::string failureReason(const std::error_code& error);

} // namespace core
