#include "ui/keylineedit.h"
#include "uitest.h"

#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

// The question-mark box: which presses count as clicks, which keys arrive with which code.
class KeyLineEditTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_box = std::make_unique<ui::KeyLineEdit>(QStringLiteral("?"));
        m_box->resize(60, 30);
        m_box->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_box.get()));
    }
    void cleanup() { m_box.reset(); }

    void keyCodes_data();
    void keyCodes();
    void keyGoesOnToTheBoxAfterItsCode();
    void composedCharacters();
    void clicks();

private:
    std::unique_ptr<ui::KeyLineEdit> m_box;
};

void KeyLineEditTest::keyCodes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << QList<int>{97};
    QTest::newRow("capital") << int(Qt::Key_A) << "A" << QList<int>{65};
    QTest::newRow("umlaut") << int(Qt::Key_Udiaeresis) << "ü" << QList<int>{252};
    QTest::newRow("capital umlaut") << int(Qt::Key_Adiaeresis) << "Ä" << QList<int>{196};
    QTest::newRow("sharp s") << int(Qt::Key_ssharp) << "ß" << QList<int>{223};
    QTest::newRow("euro") << int(Qt::Key_unknown) << "€" << QList<int>{128};
    QTest::newRow("outside the set") << int(Qt::Key_unknown) << "ł" << QList<int>{63};
    QTest::newRow("space") << int(Qt::Key_Space) << " " << QList<int>{32};
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "" << QList<int>{8};
    QTest::newRow("enter") << int(Qt::Key_Return) << "" << QList<int>{13};
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << "\r" << QList<int>{13};
    QTest::newRow("escape") << int(Qt::Key_Escape) << "" << QList<int>{27};
    QTest::newRow("shift") << int(Qt::Key_Shift) << "" << QList<int>{};
    QTest::newRow("arrow") << int(Qt::Key_Left) << "" << QList<int>{};
    QTest::newRow("function key") << int(Qt::Key_F1) << "" << QList<int>{};
    QTest::newRow("delete") << int(Qt::Key_Delete) << "\x7f" << QList<int>{};
}

void KeyLineEditTest::keyCodes() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QList<int>, codes);
    QSignalSpy spy(m_box.get(), &ui::KeyLineEdit::keyPressed);
    QTest::sendKeyEvent(QTest::Click, m_box.get(), Qt::Key(key), text, Qt::NoModifier);
    QList<int> got;
    for (const QList<QVariant>& call : spy) {
        got << call.at(0).toInt();
    }
    QCOMPARE(got, codes);
}

void KeyLineEditTest::keyGoesOnToTheBoxAfterItsCode() {
    QStringList seen;
    connect(m_box.get(), &ui::KeyLineEdit::keyPressed, this, [&] { seen << m_box->text(); });
    uitest::typeText(m_box.get(), QStringLiteral("äb\b"));
    QCOMPARE(seen, QStringList({"?", "?ä", "?äb"}));
    QCOMPARE(m_box->text(), QStringLiteral("?ä"));
}

void KeyLineEditTest::composedCharacters() {
    QSignalSpy spy(m_box.get(), &ui::KeyLineEdit::keyPressed);
    QInputMethodEvent event;
    event.setCommitString(QStringLiteral("é"));
    QApplication::sendEvent(m_box.get(), &event);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 233);
    QCOMPARE(m_box->text(), QStringLiteral("?é"));
}

// A click is a left press and release both on the box.
void KeyLineEditTest::clicks() {
    QSignalSpy spy(m_box.get(), &ui::KeyLineEdit::clicked);
    QTest::mouseClick(m_box.get(), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QTest::mouseClick(m_box.get(), Qt::RightButton);
    QCOMPARE(spy.count(), 1);
    QTest::mousePress(m_box.get(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(m_box.get(), Qt::LeftButton, {}, QPoint(200, 5));
    QCOMPARE(spy.count(), 1);
    QTest::mouseRelease(m_box.get(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(KeyLineEditTest)
#include "widgets_test.moc"
