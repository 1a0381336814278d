// What every desktop does alike, Windows and Linux; their style is in platform_win.cpp and
// platform_unix.cpp.
#include "ui/accessibility.h"
#include "ui/fatal.h"
#include "ui/form1.h"
#include "ui/gameicon.h"
#include "ui/platform.h"

#include <QWidget>

namespace ui::platform {

std::optional<core::LoadError> loadWordList(Form1& form) {
    return form.Form_Load();
}

void reportStartError(const QString& message) {
    reportFatal(message);
}

void attach(Form1&) {}

bool keepsKey(const QKeyEvent*) {
    return false;
}

void setWindowIcon(QWidget* window) {
    window->setWindowIcon(gameIcon());
}

void announce(QWidget* window, const QString& text) {
    ui::announce(window, text);
}

} // namespace ui::platform
