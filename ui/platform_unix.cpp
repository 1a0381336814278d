// Linux and the other desktops without a file of their own; the rest is in platform_desktop.cpp.
#include "ui/platform.h"

namespace ui::platform {

// The desktop's own style matches the game's window.
void settleStyle(QApplication&, bool) {}

} // namespace ui::platform
