#pragma once

// The pictures and the icon are compiled into the program; nothing but the word list is read
// from disk.
namespace ui::res {

// The figure's pictures are named in ui/figure.h and listed in assets/pictures.txt, the icon
// here and in ui/CMakeLists.txt.
inline constexpr const char* kIcon = ":/icon.png";

} // namespace ui::res
