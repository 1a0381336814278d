#include "platform/desktop/fatal.h"

#include "ui/gameicon.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <iostream>

namespace desktop {

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
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Strickwichtspiel"), message);
        box.setWindowIcon(ui::gameIcon());
        box.exec();
    }
    QCoreApplication::exit(1);
}

} // namespace desktop
