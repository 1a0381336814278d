#pragma once

namespace ui {

// The game's window, named so that assistive technology learns it is a window: Qt keeps the
// interface it first made for an object, so the window takes the name before it makes anything.
inline constexpr char kWindowName[] = "Form1";

// Teaches Qt's accessibility what it cannot know from the widget classes: the question mark
// can be pressed like a button, and the drawn pieces and pictures are graphics. Call before
// the window is created; calling it again does nothing.
void installAccessibility();

} // namespace ui
