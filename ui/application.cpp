// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/application.h"

#include "ui/layout.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <iostream>

namespace ui {

void reportFatal(const QString& message) {
    static bool reported = false;
    if (reported) {
        return;
    }
    reported = true;
    std::cerr << message.toStdString() << '\n';
    // Without a screen nobody could close the box, and the program would never end.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        QMessageBox::critical(nullptr, QStringLiteral("Strickwichtspiel"), message);
    }
    QCoreApplication::exit(1);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // Every control is created with the default font before it gets its own; the heading's
    // face is one the window needs anyway, so no other face is loaded for nothing.
    setFont(layout::font(layout::kLabel1.font));
    // Lets compositors and window managers match the window to its menu entry.
    setDesktopFileName(QStringLiteral(SWP_APP_ID));
    // The game speaks German throughout, the toolkit's own menus and buttons included,
    // whatever the locale.
    if (m_toolkitTexts.load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&m_toolkitTexts);
    }
}

} // namespace ui
