#include "ui/application.h"
#include "ui/keylineedit.h"
#include "uitest.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
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
    void contextMenuIsGerman();

private:
    std::unique_ptr<ui::KeyLineEdit> m_box;
};

void KeyLineEditTest::keyCodes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QString>("box"); // what the box holds after the key
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << none << QList<int>{97} << "?a";
    QTest::newRow("capital") << int(Qt::Key_A) << "A" << none << QList<int>{65} << "?A";
    QTest::newRow("umlaut") << int(Qt::Key_Udiaeresis) << "ü" << none << QList<int>{252} << "?ü";
    QTest::newRow("capital umlaut")
        << int(Qt::Key_Adiaeresis) << "Ä" << none << QList<int>{196} << "?Ä";
    QTest::newRow("sharp s") << int(Qt::Key_ssharp) << "ß" << none << QList<int>{223} << "?ß";
    QTest::newRow("euro") << int(Qt::Key_unknown) << "€" << none << QList<int>{128} << "?€";
    QTest::newRow("outside the set")
        << int(Qt::Key_unknown) << "ł" << none << QList<int>{63} << "?ł";
    QTest::newRow("space") << int(Qt::Key_Space) << " " << none << QList<int>{32} << "? ";
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "" << none << QList<int>{8} << "";
    QTest::newRow("enter") << int(Qt::Key_Return) << "" << none << QList<int>{13} << "?";
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << "\r" << none << QList<int>{13} << "?";
    QTest::newRow("escape") << int(Qt::Key_Escape) << "" << none << QList<int>{27} << "?";
    QTest::newRow("shift") << int(Qt::Key_Shift) << "" << none << QList<int>{} << "?";
    QTest::newRow("arrow") << int(Qt::Key_Left) << "" << none << QList<int>{} << "?";
    QTest::newRow("function key") << int(Qt::Key_F1) << "" << none << QList<int>{} << "?";
    QTest::newRow("delete") << int(Qt::Key_Delete) << "\x7f" << none << QList<int>{} << "?";
    // What an X server with a German keymap sends for these chords.
    QTest::newRow("ctrl+space, ctrl+2, ctrl+@")
        << int(Qt::Key_Space) << QString(QChar(0)) << ctrl << QList<int>{} << "?";
    QTest::newRow("ctrl+letter") << int(Qt::Key_E) << "\x05" << ctrl << QList<int>{5} << "?";
    QTest::newRow("alt+letter") << int(Qt::Key_T) << "t" << Qt::KeyboardModifiers(Qt::AltModifier)
                                << QList<int>{} << "?";
    QTest::newRow("super+letter") << int(Qt::Key_T) << "t"
                                  << Qt::KeyboardModifiers(Qt::MetaModifier) << QList<int>{} << "?";
    QTest::newRow("altgr") << int(Qt::Key_At) << "@"
                           << Qt::KeyboardModifiers(Qt::GroupSwitchModifier) << QList<int>{64}
                           << "?@";
    QTest::newRow("altgr as ctrl+alt")
        << int(Qt::Key_E) << "€" << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
        << QList<int>{128} << "?€";
}

void KeyLineEditTest::keyCodes() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QList<int>, codes);
    QFETCH(QString, box);
    QSignalSpy spy(m_box.get(), &ui::KeyLineEdit::keyPressed);
    QTest::sendKeyEvent(QTest::Click, m_box.get(), Qt::Key(key), text, modifiers);
    QList<int> got;
    for (const QList<QVariant>& call : spy) {
        got << call.at(0).toInt();
    }
    QCOMPARE(got, codes);
    QCOMPARE(m_box->text(), box);
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

// The toolkit's own texts come in German whatever the locale the tests run in.
void KeyLineEditTest::contextMenuIsGerman() {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            m_box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_box.get(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        entries << action->text().remove(u'&').section(u'\t', 0, 0);
    }
    menu->close();
    for (const char* entry : {"Rückgängig", "Einfügen", "Alles auswählen"}) {
        QVERIFY2(entries.contains(QString::fromUtf8(entry)), qPrintable(entries.join(u',')));
    }
}

int main(int argc, char* argv[]) {
    ui::Application app(argc, argv);
    KeyLineEditTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "widgets_test.moc"
