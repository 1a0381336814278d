#include "platform/desktop/desktop.h"
#include "ui/application.h"
#include "uitest.h"

#include <QTimer>
#include <iostream>
#include <sstream>
#include <stdexcept>

// An error in a handler ends the program as a run-time error: status 1 and the German message,
// not an abort, and the window takes no more input meanwhile.
class GuardTest : public QObject {
    Q_OBJECT

private slots:
    void throwingHandlerEndsWithStatusOne() {
        const uitest::WordFile words("Haus\r\n");
        const auto form = uitest::openForm(
            words, []() -> float { throw std::out_of_range("Zufallszahl außerhalb der Grenzen"); });
        desktop::attach(*form);
        std::ostringstream errors;
        std::streambuf* const standardError = std::cerr.rdbuf(errors.rdbuf());
        QTimer::singleShot(0, form.get(), [&] {
            QTest::mouseClick(uitest::control(*form, "textin"), Qt::LeftButton);
        });
        const int status = QCoreApplication::exec();
        std::cerr.rdbuf(standardError);
        QCOMPARE(status, 1);
        QCOMPARE(QString::fromStdString(errors.str()),
                 QStringLiteral("Laufzeitfehler: Zufallszahl außerhalb der Grenzen\n"));
        QVERIFY(!form->isEnabled());
    }
};

int main(int argc, char* argv[]) {
    ui::Application app(argc, argv);
    GuardTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "guard_test.moc"
