// Lists that are odd but not wrong load and play to the end in the real window.
#include "core/cp1252.h"
#include "uitest.h"

#include <QLineEdit>

using namespace uitest;

class OddListTest : public QObject {
    Q_OBJECT

private slots:
    void everyWordPlaysToTheEnd();
};

void OddListTest::everyWordPlaysToTheEnd() {
    // Control and unassigned bytes, a duplicate, an empty line, spaces and digits.
    const QByteArray list("\x01\x7F\x81\r\nHaus\r\nHaus\r\n\r\n 4 2 \r\n\x9D\xFF\xA0\r\n", 29);
    const int n = 6;
    std::vector<float> order;
    for (int row = 1; row <= n; ++row) {
        order.push_back(pick(row, n));
    }
    const WordFile words(list);
    const auto form = openForm(words, draws(order));
    auto* textin = control(*form, "textin");
    auto* fragewort = control<QLineEdit>(*form, "Fragewort");
    for (int row = 1; row <= n; ++row) {
        QTest::mouseClick(control(*form, "spielneu"), Qt::LeftButton);
        QTest::mouseClick(textin, Qt::LeftButton);
        const std::string& word = form->gameState().currentWord;
        QCOMPARE(word, form->gameState().word(row));
        QString keys;
        for (const char byte : word) {
            keys += QChar(core::cp1252ToUnicode(static_cast<unsigned char>(byte)));
        }
        QCOMPARE(fragewort->text(), QString(keys.size(), u'-'));
        typeText(textin, keys);
        QCOMPARE(fragewort->text(), keys);
        // An empty word leaves nothing to guess: its round is never open.
        QCOMPARE(control(*form, "teil11")->isVisible(), !word.empty());
    }
    QTest::mouseClick(control(*form, "spielneu"), Qt::LeftButton);
    QTest::mouseClick(textin, Qt::LeftButton);
    QCOMPARE(fragewort->text(), QStringLiteral("Alle Worte verbraucht !!!"));
}

QTEST_MAIN(OddListTest)
#include "oddlist_test.moc"
