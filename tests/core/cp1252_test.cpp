#include "core/cp1252.h"

#include <gtest/gtest.h>

using core::cp1252ToUnicode;
using core::unicodeToCp1252;

TEST(Cp1252Test, RoundTripsEveryByte) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t codePoint = cp1252ToUnicode(static_cast<std::uint8_t>(byte));
        ASSERT_EQ(unicodeToCp1252(codePoint), byte) << byte;
    }
}

TEST(Cp1252Test, MapsTheSpecialRow) {
    EXPECT_EQ(cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(cp1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(unicodeToCp1252(U'\u201E'), 0x84);
    EXPECT_EQ(unicodeToCp1252(U'ä'), 228);
    EXPECT_EQ(unicodeToCp1252(U'ß'), 223);
}

TEST(Cp1252Test, RejectsCharactersOutsideTheSet) {
    EXPECT_FALSE(unicodeToCp1252(U'\u0141')); // Ł
    EXPECT_FALSE(unicodeToCp1252(U'\u0080')); // C1 control that 0x80 does not hold
    EXPECT_FALSE(unicodeToCp1252(U'\U0001F600'));
}
