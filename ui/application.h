// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QApplication>
#include <QTranslator>

namespace ui {

// Shows a run-time error in a message box, writes it to standard error and ends the program
// with exit code 1 once the event loop regains control.
void reportFatal(const QString& message);

// The game's application: German toolkit texts, the default font and the desktop file name.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

private:
    QTranslator m_toolkitTexts;
};

} // namespace ui
