// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#pragma once

// The pictures and the icon are compiled into the program; nothing but the word list is read
// from disk.
namespace ui::res {

inline constexpr const char* kTeil4 = ":/teil4.jpg";
inline constexpr const char* kTeil8 = ":/teil8.jpg";
inline constexpr const char* kTeil9 = ":/teil9.jpg";
inline constexpr const char* kTeil12 = ":/teil12.jpg";
// The same drawings at twice the size, for screens scaled above 100 %.
inline constexpr const char* kTeil4Double = ":/teil4@2x.jpg";
inline constexpr const char* kTeil8Double = ":/teil8@2x.jpg";
inline constexpr const char* kTeil9Double = ":/teil9@2x.jpg";
inline constexpr const char* kTeil12Double = ":/teil12@2x.jpg";
inline constexpr const char* kIcon = ":/icon.png";

inline constexpr const char* kAll[] = {kTeil4,       kTeil8,        kTeil9,
                                       kTeil12,      kTeil4Double,  kTeil8Double,
                                       kTeil9Double, kTeil12Double, kIcon};

} // namespace ui::res
