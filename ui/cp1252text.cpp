#include "ui/cp1252text.h"

#include "core/cp1252.h"

namespace ui {

QString fromCp1252(const std::string& bytes) {
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (const char byte : bytes) {
        const char32_t codePoint = core::cp1252ToUnicode(static_cast<std::uint8_t>(byte));
        text.append(QString::fromUcs4(&codePoint, 1));
    }
    return text;
}

int toKeyCode(char32_t codePoint) {
    return core::unicodeToCp1252(codePoint).value_or(std::uint8_t{'?'});
}

} // namespace ui
