#include "application.h"

#include <QMessageBox>
#include <exception>
#include <iostream>

namespace ui {

void reportFatal(const QString& message) {
    static bool reported = false;
    if (reported) {
        return;
    }
    reported = true;
    std::cerr << message.toStdString() << '\n';
    QMessageBox::critical(nullptr, QStringLiteral("Strickwichtspiel"), message);
    QCoreApplication::exit(1);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportFatal(QStringLiteral("Laufzeitfehler: %1").arg(QString::fromLocal8Bit(error.what())));
    }
    return false;
}

} // namespace ui
