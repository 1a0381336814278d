#pragma once

#include "core/loaderror.h"

#include <optional>

class QApplication;
class QKeyEvent;
class QString;
class QWidget;

namespace ui {

class Form1;

// What the desktops and the browser do differently. CMake compiles the files of the platform
// it builds for: platform_desktop.cpp with platform_unix.cpp or platform_win.cpp, or
// platform_wasm.cpp for the browser.
namespace platform {

// Settles the toolkit's style before any control is made; a style asked for on the command
// line (styleAsked) is kept.
void settleStyle(QApplication& app, bool styleAsked);

// Puts up form's start screen and reads the word list from where the platform keeps it: the
// working folder on a desktop, the page's server in a browser.
std::optional<core::LoadError> loadWordList(Form1& form);

// Tells the player why the game cannot start; the program then ends with exit code 1.
void reportStartError(const QString& message);

// Joins the loaded form to what surrounds it, before it is shown.
void attach(Form1& form);

// Whether the platform keeps a key for itself, so that it is no guess.
bool keepsKey(const QKeyEvent* event);

// Gives window the game's icon where the platform shows one.
void setWindowIcon(QWidget* window);

// Has a screen reader say text, wherever the focus is; an empty text says nothing.
void announce(QWidget* window, const QString& text);

} // namespace platform

} // namespace ui
