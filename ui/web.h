#pragma once

#include "core/loaderror.h"

#include <optional>

class QString;

namespace ui {

class Form1;

// The page around the program in a browser, which has no message box, no way to end a program
// and no screen reader of its own.
namespace web {

// Puts up the start screen and reads the list the page fetched from the server beside it.
std::optional<core::LoadError> loadServedList(Form1& form);

// Lets the page hand the player's own word list and the keys of an on-screen keyboard to
// form, and tells it when form closes.
void attach(Form1& form);

// Shows message on the page, where the desktop shows its box.
void showError(const QString& message);

// Passes text to the page's live region; empty text says nothing.
void announce(const QString& text);

} // namespace web

} // namespace ui
