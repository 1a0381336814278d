#pragma once

#include <QIcon>

namespace ui {

// The game's icon, decoded on every call: the window takes it after its first frame, the
// start-up error box at once.
QIcon gameIcon();

} // namespace ui
