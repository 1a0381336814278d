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

// Turns an error escaping any handler into that report instead of an abort.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator m_toolkitTexts;
};

} // namespace ui
