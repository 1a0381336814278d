#include "core/systemerror.h"

#include <cerrno>
#include <cstdlib> // _doserrno
#include <string_view>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace core {

void clearSystemError() {
    errno = 0;
    _doserrno = 0;
}

// errno folds several of the system's own codes into one, so that a file another program has
// locked reads as "permission denied": the system's code is taken where there is one.
std::error_code lastSystemError() {
    if (_doserrno != 0) {
        return {static_cast<int>(_doserrno), std::system_category()};
    }
    return {errno, std::generic_category()};
}

std::string platformReason(const std::error_code& error) {
    // ERROR_SHARING_VIOLATION and ERROR_LOCK_VIOLATION: Windows editors lock the file they show.
    if (error.category() == std::system_category() &&
        (error.value() == 32 || error.value() == 33)) {
        return "ein anderes Programm hat sie gesperrt, vielleicht ein Editor, in dem sie offen ist";
    }
    return {};
}

// error_code::message() gives the system's text in the ANSI code page, which the window would
// garble; its UTF-16 form converts to the UTF-8 of our messages. Without the text's full stop
// and line end, since the message adds its own.
std::string systemText(const std::error_code& error) {
    if (error.category() != std::system_category()) {
        return error.message();
    }
    const int code = error.value();
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring_view text(buffer, length);
    while (!text.empty() && std::wstring_view(L". \r\n").find(text.back()) != text.npos) {
        text.remove_suffix(1);
    }
    std::string bytes;
    if (!text.empty()) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, nullptr);
        bytes.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            size, nullptr, nullptr);
    }
    LocalFree(buffer);
    return bytes.empty() ? "Systemfehler " + std::to_string(code) : bytes;
}

} // namespace core
