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

// While it lives, a toolkit that finds no screen to start on ends the program with a German
// message naming the reason and exit code 1, instead of its English one and an abort. Create it
// before the Application; what the toolkit says meanwhile is held back and, once the
// Application stands, passed on when the guard goes.
class ScreenGuard {
public:
    ScreenGuard();
    ~ScreenGuard();
    ScreenGuard(const ScreenGuard&) = delete;
    ScreenGuard& operator=(const ScreenGuard&) = delete;
};

// Turns an error escaping any handler into that report instead of an abort.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator m_toolkitTexts;
};

} // namespace ui
