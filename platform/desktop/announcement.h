#pragma once

class QString;
class QWidget;

namespace desktop {

// Has a screen reader say text, wherever the focus is; an empty text says nothing. Qt 6.8
// announces it itself; before, an unseen notification in window is shown anew with text as its
// name: a screen reader speaks changes at the focus only, and Qt sends a changed name or
// description without its text.
void announce(QWidget* window, const QString& text);

} // namespace desktop
