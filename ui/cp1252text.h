#pragma once

#include <QString>
#include <string>

namespace ui {

// The game keeps words as Windows-1252 bytes; the screen shows Unicode.
QString fromCp1252(const std::string& bytes);

// The Windows-1252 code of a typed character; 63 ("?") for one the set lacks.
int toKeyCode(char32_t codePoint);

} // namespace ui
