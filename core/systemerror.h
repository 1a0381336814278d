#pragma once

#include <string>
#include <system_error>

// What a failed system call says differs by platform; CMake compiles systemerror_win.cpp for
// Windows and systemerror_unix.cpp everywhere else.
namespace core {

// The C library reports a stream's failure only through errno: clear it before the call and
// read it after.
void clearSystemError();
std::error_code lastSystemError();

// A reason only the platform can give, which goes before the portable ones; empty for none.
std::string platformReason(const std::error_code& error);

// The system's own text for error, in UTF-8 and without a closing full stop.
std::string systemText(const std::error_code& error);

} // namespace core
