#pragma once

#include "core/loaderror.h"

#include <filesystem>
#include <optional>

class QApplication;

namespace ui {
class Form1;
}

// The game on a desk, Windows or Linux: a window of the desktop's, a list in the working folder,
// the system's screen reader and a message box for what goes wrong.
namespace desktop {

// Settles the toolkit's style before any control is made; a style asked for on the command
// line (styleAsked) is kept.
void settleStyle(QApplication& app, bool styleAsked);

// Hands form the word list in file.
std::optional<core::LoadError> loadWordList(ui::Form1& form, const std::filesystem::path& file);

// Joins form to the desk: its announcements to the screen reader, a run-time error to a message
// box and exit status 1, its icon after the first frame.
void attach(ui::Form1& form);

} // namespace desktop
