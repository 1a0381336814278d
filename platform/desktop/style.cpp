// Windows' own difference: the style Qt picks there. Other desktops have no style of that name.
#include "platform/desktop/desktop.h"

#include <QApplication>
#include <QStyle>

namespace desktop {

void settleStyle(QApplication& app, bool styleAsked) {
    // Qt gives Windows 11 its style of that name, which rounds the word box and the question
    // mark and marks their focus its own way beside the game's ring; the game keeps the look
    // it has on Windows 10 unless a style is asked for.
    if (!styleAsked && app.style()->name() == QLatin1String("windows11")) {
        app.setStyle(QStringLiteral("windowsvista"));
    }
}

} // namespace desktop
