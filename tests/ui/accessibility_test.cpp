#include "ui/figure.h"
#include "uitest.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTextInterface>

using namespace uitest;

// What a screen reader finds in the window, and what it can do there.
class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_words = std::make_unique<WordFile>("Rad\r\nHaus\r\n");
        m_form = openForm(*m_words, draws({pick(2, 2), pick(1, 2)}));
    }
    void cleanup() {
        m_form.reset();
        m_words.reset();
    }

    void pressStartsARoundLikeAClick();
    void frameCountsTheMisses_data();
    void frameCountsTheMisses();
    void frameFollowsTheScreen_data();
    void frameFollowsTheScreen();
    void everyPieceIsNamed();
    void windowIsAWindow();

private:
    QAccessibleInterface* face(const char* name) {
        return QAccessible::queryAccessibleInterface(control(*m_form, name));
    }
    void press() {
        face("textin")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    void type(const QString& keys) { typeText(control(*m_form, "textin"), keys); }

    std::unique_ptr<WordFile> m_words;
    std::unique_ptr<ui::Form1> m_form;
};

// A press starts a round as a click would, and the word box reads out what it shows.
void AccessibilityTest::pressStartsARoundLikeAClick() {
    QAccessibleInterface* textin = face("textin");
    QCOMPARE(textin->text(QAccessible::Name), QStringLiteral("Fragezeichen: neues geheimes Wort"));
    QVERIFY(textin->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    press();
    QVERIFY(control(*m_form, "textin")->hasFocus());
    QAccessibleInterface* word = face("Fragewort");
    QCOMPARE(word->text(QAccessible::Name), QStringLiteral("Geheimes Wort"));
    QAccessibleTextInterface* text = word->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("----"));
    type("ax");
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("-a--"));
    // Covered by the word box, the question mark cannot start a second round.
    press();
    QCOMPARE(m_form->gameState().usedCount, core::Integer(1));
    QCOMPARE(m_form->gameState().stage, core::Integer(1));
}

// The description after each key.
void AccessibilityTest::frameCountsTheMisses_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("descriptions");
    const auto misses = [](int count) { return QStringLiteral("%1 von 8 Fehlern").arg(count); };
    QTest::newRow("misses and hits")
        << "xhyaz" << QStringList{misses(1), misses(1), misses(2), misses(2), misses(3)};
    QTest::newRow("lost") << "xyzqjvwk" << QStringList{misses(1), misses(2),
                                                       misses(3), misses(4),
                                                       misses(5), misses(6),
                                                       misses(7), "8 von 8 Fehlern, verloren"};
    QTest::newRow("won") << "xhaus"
                         << QStringList{misses(1), misses(1), misses(1), misses(1), "gewonnen"};
}

void AccessibilityTest::frameCountsTheMisses() {
    QFETCH(QString, keys);
    QFETCH(QStringList, descriptions);
    QAccessibleInterface* frame = face("item9a");
    QCOMPARE(frame->text(QAccessible::Name), QStringLiteral("Galgen"));
    press();
    QCOMPARE(frame->text(QAccessible::Description), QStringLiteral("0 von 8 Fehlern"));
    for (int i = 0; i < keys.size(); ++i) {
        type(keys.at(i));
        QCOMPARE(frame->text(QAccessible::Description), descriptions.at(i));
    }
    // The next round counts from nothing again.
    QTest::mouseClick(control(*m_form, "spielneu"), Qt::LeftButton);
    press();
    QCOMPARE(frame->text(QAccessible::Description), QStringLiteral("0 von 8 Fehlern"));
}

// Whatever ended the last round, the description tells what the screen shows now.
void AccessibilityTest::frameFollowsTheScreen_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("described");
    QTest::addColumn<QString>("afterAKey"); // on the start screen that follows
    QTest::newRow("lost") << "xyzqjvwk"
                          << "8 von 8 Fehlern, verloren"
                          << "0 von 8 Fehlern";
    QTest::newRow("won") << "haus"
                         << "gewonnen"
                         << "0 von 8 Fehlern";
    // Its third miss shows one piece.
    QTest::newRow("left open") << "xy"
                               << "2 von 8 Fehlern"
                               << "1 von 8 Fehlern";
}

void AccessibilityTest::frameFollowsTheScreen() {
    QFETCH(QString, keys);
    QFETCH(QString, described);
    QFETCH(QString, afterAKey);
    QAccessibleInterface* frame = face("item9a");
    const auto newGame = [this] {
        QTest::mouseClick(control(*m_form, "spielneu"), Qt::LeftButton);
    };
    press();
    type(keys);
    QCOMPARE(frame->text(QAccessible::Description), described);
    newGame();
    QCOMPARE(frame->text(QAccessible::Description), QStringLiteral("0 von 8 Fehlern"));
    type("q");
    QCOMPARE(frame->text(QAccessible::Description), afterAKey);
    newGame();
    press();
    type("rad");
    QCOMPARE(frame->text(QAccessible::Description), QStringLiteral("gewonnen"));
    newGame();
    press(); // every word played
    QCOMPARE(control(*m_form, "Fragewort")->property("text").toString(),
             QStringLiteral("Alle Worte verbraucht !!!"));
    QCOMPARE(frame->text(QAccessible::Description), QStringLiteral("0 von 8 Fehlern"));
}

void AccessibilityTest::everyPieceIsNamed() {
    QStringList names;
    for (const ui::figure::Piece& piece : ui::figure::kPieces) {
        QAccessibleInterface* face = this->face(piece.name);
        QVERIFY2(!face->text(QAccessible::Name).isEmpty(), piece.name);
        names << face->text(QAccessible::Name);
        const bool picture = piece.kind == ui::figure::Kind::Picture;
        QCOMPARE(!face->text(QAccessible::Description).isEmpty(), picture);
        if (piece.kind != ui::figure::Kind::Label) {
            QCOMPARE(face->role(), QAccessible::Graphic);
        }
    }
    names.removeDuplicates();
    QCOMPARE(names.size(), qsizetype(ui::figure::kPieces.size()));
}

// Orca drops an announcement that follows another within 0.1 s unless a window sends it.
void AccessibilityTest::windowIsAWindow() {
    QCOMPARE(QAccessible::queryAccessibleInterface(m_form.get())->role(), QAccessible::Window);
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
