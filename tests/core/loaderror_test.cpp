#include "core/loaderror.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

// Conditions, not raw values: the codes of the platform's own kind find the same German text
// as the portable ones.
TEST(FailureReasonTest, SameTextForEveryKindOfCode) {
    const std::string denied = "keine Leseberechtigung";
    const struct {
        std::error_code code;
        std::string says;
    } rows[] = {
        {std::make_error_code(std::errc::permission_denied), denied},
        {std::make_error_code(std::errc::operation_not_permitted), denied},
        {std::make_error_code(std::errc::is_a_directory), "es ist ein Ordner"},
        {std::make_error_code(std::errc::io_error), "Ein-/Ausgabefehler"},
#ifdef _WIN32
        {std::error_code(5, std::system_category()), denied}, // ERROR_ACCESS_DENIED
#else
        {std::error_code(EACCES, std::system_category()), denied},
        {std::error_code(EIO, std::system_category()), "Ein-/Ausgabefehler"},
#endif
        {std::error_code(), "unbekannter Fehler"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(core::failureReason(row.code).rfind(row.says, 0), 0u)
            << row.code << ": " << core::failureReason(row.code);
    }
}

#ifdef _WIN32
// A code the reader has no text of its own for gives the system's. A German Windows writes it
// with umlauts, which must reach the player as UTF-8 rather than in the ANSI code page; under
// Wine these tests run in German for that.
TEST(FailureReasonTest, UnmappedWindowsCodeIsTheSystemsTextInUtf8) {
    const std::string reason =
        core::failureReason(std::error_code(ERROR_FILE_CORRUPT, std::system_category()));
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reason.data(),
                                           int(reason.size()), nullptr, 0);
    ASSERT_GT(length, 0) << "not UTF-8: " << reason;
    std::wstring text(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, reason.data(), int(reason.size()), text.data(), length);
    wchar_t system[512];
    const DWORD systemLength =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       ERROR_FILE_CORRUPT, 0, system, DWORD(std::size(system)), nullptr);
    EXPECT_TRUE(std::wstring_view(system, systemLength).starts_with(text)) << reason;
}
#endif
