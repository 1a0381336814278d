// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "core/loaderror.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>

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
