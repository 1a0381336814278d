#pragma once

#include <QColor>
#include <QFont>
#include <QLine>
#include <QRect>
#include <cstdint>
#include <functional>
#include <string_view>

// Every rectangle, colour and font of the window. Geometry is in twips (15 to the pixel at
// 96 dpi) and colours are &H00BBGGRR& values, so each row reads like the game's design sheet.
namespace ui::layout {

inline constexpr int kTwipsPerPixel = 15;

struct Twips {
    int left, top, width, height;
};

struct TwipsLine {
    int x1, y1, x2, y2;
};

struct Font {
    std::string_view face; // empty: the toolkit's own
    double points;
    int weight; // 400 regular, 700 bold
};

using BgrColor = std::uint32_t;
inline constexpr BgrColor kSystemColor = 0xFFFFFFFF; // left to the platform's theme

struct Box {
    Twips rect;
    Font font;
    BgrColor fore;
    BgrColor back;
};

struct Line {
    TwipsLine ends;
    int widthPixels;
    BgrColor color;
};

inline constexpr BgrColor kLightYellow = 0x0080FFFF;
inline constexpr BgrColor kRed = 0x000000FF;
inline constexpr BgrColor kDarkBlue = 0x00400000;
inline constexpr BgrColor kWhite = 0x00FFFFFF;
inline constexpr BgrColor kReddishBrown = 0x000040C0;
inline constexpr BgrColor kVeryDarkRed = 0x00000040;
inline constexpr BgrColor kDarkGreen = 0x00004000;

inline constexpr Font kNoFont{{}, 0, 400};
inline constexpr Font kArial12{"Arial", 12, 400};
inline constexpr Font kArial24Bold{"Arial", 24, 700};
inline constexpr Font kArialBlack18Bold{"Arial Black", 18, 700};
inline constexpr Font kSansSerif8Bold{"MS Sans Serif", 8.25, 700};
inline constexpr Font kSansSerif18Bold{"MS Sans Serif", 18, 700};

inline constexpr Twips kClientArea{0, 0, 7245, 6735};
inline constexpr BgrColor kWindowBack = kLightYellow;

// On the window.
inline constexpr Box kLabel1{{135, 30, 6960, 435}, kArial12, kRed, kLightYellow};
inline constexpr Box kLabel2{{60, 345, 7140, 645}, kSansSerif8Bold, kRed, kLightYellow};
inline constexpr Box kFragewort{{120, 1005, 6990, 555}, kArialBlack18Bold, kSystemColor, kDarkBlue};
inline constexpr Box kTextin{{3450, 1005, 390, 480}, kSansSerif18Bold, kRed, kLightYellow};
inline constexpr Box kSpielneu{{60, 1530, 3525, 450}, kSansSerif8Bold, kSystemColor, kSystemColor};
inline constexpr Box kEnde{{3720, 1530, 3405, 450}, kSansSerif8Bold, kSystemColor, kSystemColor};
inline constexpr Box kItem9a{{30, 1980, 7140, 4695}, kNoFont, kSystemColor, kWhite};

// The pieces inside item9a are in ui/figure.h, each with everything else that makes it.

enum class Installed { No, BitmapOnly, Outline };

struct Face {
    std::string_view family;
    int weight;
};

// The named face where it is installed as an outline, else the first stand-in that is, else
// the named face after all. A face only in fixed bitmap sizes would print blocky or at the
// wrong size wherever its sizes miss the asked one, as at 18 pt or at 200 %.
Face chooseFace(const Font& font, const std::function<Installed(std::string_view)>& installed);

QRect pixels(Twips twips);
QLine pixels(TwipsLine twips);
QColor color(BgrColor bgr);
// The face at its size and weight, or a metric-compatible substitute where chooseFace says.
QFont font(const Font& font);

} // namespace ui::layout
