#pragma once

class QString;
class QWidget;

namespace ui {

// The game's window, named so that assistive technology learns it is a window: Qt keeps the
// interface it first made for an object, so the window takes the name before it makes anything.
inline constexpr char kWindowName[] = "Form1";

// Teaches Qt's accessibility what it cannot know from the widget classes: the question mark
// can be pressed like a button, and the drawn pieces and pictures are graphics. Call before
// the window is created; calling it again does nothing.
void installAccessibility();

// The desktops' announcement (ui/platform.h): has a screen reader say text, wherever the focus
// is; an empty text says nothing. Qt 6.8 announces it itself; before, an unseen notification in window is shown anew with text as its
// name: a screen reader speaks changes at the focus only, and Qt sends a changed name or
// description without its text.
void announce(QWidget* window, const QString& text);

} // namespace ui
