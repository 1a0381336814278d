// The browser: the page around the program (ui/web.h) stands in for what a desktop has.
#include "ui/platform.h"
#include "ui/web.h"

#include <QKeyEvent>
#include <QWidget>

namespace ui::platform {

void settleStyle(QApplication&, bool) {}

std::optional<core::LoadError> loadWordList(Form1& form) {
    return web::loadServedList(form);
}

// A browser has no modal loop to wait in a box; the page shows it.
void reportStartError(const QString& message) {
    web::showError(message);
}

void attach(Form1& form) {
    web::attach(form);
}

// A browser hands over Ctrl chords with their plain letter as text: Ctrl+L would guess L.
// Those that reach the page at all are the browser's (address bar, tabs, reload).
bool keepsKey(const QKeyEvent* event) {
    return (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
}

// The page shows its own icon, and the window has no title bar there.
void setWindowIcon(QWidget*) {}

// The browser's bridge has no announcements: the page's live region speaks them.
void announce(QWidget*, const QString& text) {
    web::announce(text);
}

} // namespace ui::platform
