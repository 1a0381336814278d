#include "ui/application.h"

#include "ui/layout.h"

#include <QLibraryInfo>
#include <QPalette>
#include <QStyleHints>
#include <string_view>

namespace ui {

namespace {

// QApplication takes -style out of argv, and out of arguments() with it.
bool styleArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]).starts_with("-style")) {
            return true;
        }
    }
    return false;
}

} // namespace

Application::Application(int& argc, char** argv)
    : Application(argc, argv, styleArgument(argc, argv)) {}

Application::Application(int& argc, char** argv, bool styleAsked)
    : QApplication(argc, argv), m_styleAsked(styleAsked) {
    // Every control is created with the default font before it gets its own; the heading's
    // face is one the window needs anyway, so no other face is loaded for nothing.
    setFont(layout::font(layout::kLabel1.font));
    // Lets compositors and window managers match the window to its menu entry.
    setDesktopFileName(QStringLiteral(SWP_APP_ID));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The window's own colours are fixed and light, and the toolkit's buttons and frames drawn
    // dark on them would be unreadable. Windows honours the request; where the platform does
    // not, a light palette of the toolkit's own takes over from the desktop's dark one.
    styleHints()->setColorScheme(Qt::ColorScheme::Light);
    if (styleHints()->colorScheme() == Qt::ColorScheme::Dark) {
        setPalette(QPalette(QColor(239, 239, 239)));
    }
#endif
    // The game speaks German throughout, the toolkit's own menus and buttons included,
    // whatever the locale.
    if (m_toolkitTexts.load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&m_toolkitTexts);
    }
}

} // namespace ui
