#include "ui/figure.h"
#include "uitest.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

using namespace uitest;
using ui::figure::Piece;
using ui::figure::Shows;

namespace {

// The names of the figure's pieces that pass test, in the table's order.
QStringList pieces(const std::function<bool(const Piece&)>& test) {
    QStringList names;
    for (const Piece& piece : ui::figure::kPieces) {
        if (test(piece)) {
            names << QString::fromLatin1(piece.name);
        }
    }
    return names;
}

const QString kHeadingStart = QStringLiteral("Worteraten mit dem Strickwicht");
const QString kInstructionStart = QStringLiteral(
    "Starte das Spiel, indem du auf das rote Fragezeichen unter diesem Satz klickst !");
const QString kHeadingRound =
    QStringLiteral("Errate das geheime Wort oder es wird dir schlecht ergehen !!");
const QString kAllUsed = QStringLiteral("Alle Worte verbraucht !!!");

const QColor kYellow(255, 255, 128);
const QColor kBrown(192, 64, 0);
const QColor kLineRed(64, 0, 0);
const QColor kDarkBlue(0, 0, 64);

// Window points that only one piece covers, for the pieces drawn by colour.
struct Probe {
    int piece;
    QPoint at;
    QColor color;
};
const Probe kProbes[] = {
    {1, {22, 427}, kBrown},    {2, {142, 422}, kBrown},   {3, {402, 422}, kBrown},
    {5, {422, 282}, kLineRed}, {6, {382, 152}, kLineRed}, {7, {372, 190}, kLineRed},
};

} // namespace

// Whole games through the real window: clicks, keys, texts, figure and pixels.
class PlayTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        m_form.reset();
        m_words.reset();
    }

    void startScreen();
    void roundStart();
    void coveredQuestionMarkTakesNoClicks();
    void missesBuildTheGallowsUntilLoss();
    void winClearsTheFigure_data();
    void winClearsTheFigure();
    void newGameDuringARound();
    void exhaustion();
    void emptyList();
    void keysBeforeTheFirstRoundChangeNothing();
    void buttonsPressByKeyboard();
    void enterOnTheQuestionMark_data();
    void enterOnTheQuestionMark();
    void longWordsShowWhole_data();
    void longWordsShowWhole();
    void shortWordAfterAFontChangeIsFullSize();

private:
    void open(const QByteArray& words, std::vector<float> draws = {0.9f}) {
        m_words = std::make_unique<WordFile>(words);
        m_form = openForm(*m_words, uitest::draws(std::move(draws)));
    }
    template <typename T = QWidget> T* get(const char* name) { return control<T>(*m_form, name); }
    QString text(const char* name) {
        if (auto* label = m_form->findChild<QLabel*>(QString::fromLatin1(name))) {
            return label->text();
        }
        return get<QLineEdit>(name)->text();
    }
    QStringList shownPieces() {
        return pieces([this](const Piece& piece) { return get(piece.name)->isVisible(); });
    }
    void clickQuestionMark() { QTest::mouseClick(get("textin"), Qt::LeftButton); }
    // Opens the data row's word list, starts its round and types its keys.
    void playRow() {
        QFETCH(QByteArray, word);
        QFETCH(QString, keys);
        open(word);
        clickQuestionMark();
        type(keys);
    }
    void type(const QString& keys) { typeText(get("textin"), keys); }
    // The picture's rectangle in a window shot shows it exactly.
    bool pictureShown(const QImage& image, const char* name, const char* resource) {
        const QRect rect = windowRect(*m_form, name);
        return image.copy(rect) == pictureOnWhite(resource, rect.size());
    }

    std::unique_ptr<WordFile> m_words;
    std::unique_ptr<ui::Form1> m_form;
};

void PlayTest::startScreen() {
    open("Haus\r\n");
    QCOMPARE(text("Label1"), kHeadingStart);
    QCOMPARE(text("Label2"), kInstructionStart);
    QCOMPARE(text("textin"), QStringLiteral("?"));
    QVERIFY(!get("Fragewort")->isVisible());
    QVERIFY(get("textin")->isVisible());
    QCOMPARE(shownPieces(), QStringList());
    QVERIFY(get("ende")->hasFocus());
    const QImage image = shot(*m_form);
    QCOMPARE(image.pixelColor(100, 80), kYellow);
    QCOMPARE(image.pixelColor(52, 182), QColor(Qt::white)); // frame
    QVERIFY(countPixels(image, windowRect(*m_form, "textin"), QColor(255, 0, 0)) > 20);
    for (const Probe& probe : kProbes) {
        QCOMPARE(image.pixelColor(probe.at), QColor(Qt::white));
    }
}

void PlayTest::roundStart() {
    open("Rad\r\nHaus\r\nBaum\r\n", {pick(2, 3)});
    clickQuestionMark();
    QCOMPARE(text("Label1"), kHeadingRound);
    QVERIFY(text("Label2").startsWith(QStringLiteral("Es wurde ein geheimes Wort ermittelt")));
    QVERIFY(text("Label2").contains(QStringLiteral("Drücke")));
    QVERIFY(get("Fragewort")->isVisible());
    QCOMPARE(text("Fragewort"), QStringLiteral("----"));
    QCOMPARE(text("textin"), QStringLiteral("?"));
    QVERIFY(get("textin")->hasFocus());
    QCOMPARE(m_form->gameState().currentWord, std::string("Haus"));
    const QImage image = shot(*m_form);
    QCOMPARE(image.pixelColor(20, 75), kDarkBlue);
    QCOMPARE(image.pixelColor(235, 96), kDarkBlue); // over the question mark
    // The disabled box writes in the system's grey.
    const auto grey = [](QColor c) {
        return c.red() > 100 && c.red() == c.green() && c.green() == c.blue();
    };
    QVERIFY(countPixels(image, windowRect(*m_form, "Fragewort").adjusted(3, 3, -3, -3), grey) > 10);
}

// The word box lies over the question mark and is disabled: a click there starts nothing
// and leaves the focus in the hidden question-mark box, as do clicks on the scene.
void PlayTest::coveredQuestionMarkTakesNoClicks() {
    open("Rad\r\nHaus\r\n", {pick(1, 2), pick(2, 2)});
    clickQuestionMark();
    type("x");
    QWindow* window = m_form->windowHandle();
    for (const QPoint at :
         {QPoint(243, 83), QPoint(300, 80), QPoint(52, 182), QPoint(22, 427), QPoint(300, 300)}) {
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
    }
    QCOMPARE(m_form->gameState().usedCount, core::Integer(1));
    QCOMPARE(m_form->gameState().stage, core::Integer(1));
    QVERIFY(get("textin")->hasFocus());
    type("a");
    QCOMPARE(text("Fragewort"), QStringLiteral("-a-"));
}

void PlayTest::missesBuildTheGallowsUntilLoss() {
    open("Haus\r\n");
    clickQuestionMark();
    const QString misses = QStringLiteral("xqzjvywk");
    for (int miss = 1; miss <= 7; ++miss) {
        type(misses.at(miss - 1));
        QCOMPARE(shownPieces(), pieces([miss](const Piece& piece) {
                     return piece.miss >= 1 && piece.miss <= miss;
                 }));
        QCOMPARE(text("Fragewort"), QStringLiteral("----"));
        const QImage image = shot(*m_form);
        for (const Probe& probe : kProbes) {
            QCOMPARE(image.pixelColor(probe.at),
                     ui::figure::piece(probe.piece).miss <= miss ? probe.color : Qt::white);
        }
        QCOMPARE(pictureShown(image, "teil4", ui::figure::piece(4).picture), miss >= 4);
    }
    // The lost picture joins what the misses built, in place of the pieces it hides.
    const QStringList lost = pieces([](const Piece& piece) {
        return piece.shows == Shows::FromMiss || piece.shows == Shows::Lost;
    });
    type("k");
    QCOMPARE(shownPieces(), lost);
    QCOMPARE(text("Fragewort"), QStringLiteral("Haus"));
    const QImage image = shot(*m_form);
    QVERIFY(pictureShown(image, "teil8", ui::figure::piece(8).picture));
    QVERIFY(pictureShown(image, "teil9", ui::figure::piece(9).picture));
    QVERIFY(countPixels(image, windowRect(*m_form, "teil10"), QColor(255, 0, 0)) > 100);
    for (const Probe& probe : kProbes) {
        QCOMPARE(image.pixelColor(probe.at), probe.color);
    }
    type("hausx");
    QCOMPARE(text("Fragewort"), QStringLiteral("Haus"));
    QCOMPARE(shownPieces(), lost);
}

void PlayTest::winClearsTheFigure_data() {
    QTest::addColumn<QByteArray>("word"); // Windows-1252
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no miss") << QByteArray("M\xFChle") << "mühle"
                             << "Mühle";
    QTest::newRow("three misses, capitals") << QByteArray("M\xFChle") << "xyzMÜHLE"
                                            << "Mühle";
    QTest::newRow("seven misses") << QByteArray("M\xFChle") << "hhabcdfgjMüühle"
                                  << "Mühle";
    // € is 128 in Windows-1252; a character outside the set arrives as "?".
    QTest::newRow("euro, outside the set") << QByteArray("\x80?\xDF") << "€łß"
                                           << "€?ß";
}

void PlayTest::winClearsTheFigure() {
    playRow();
    QFETCH(QString, shown);
    const QStringList won = pieces([](const Piece& piece) { return piece.shows == Shows::Won; });
    QCOMPARE(shownPieces(), won);
    QCOMPARE(text("Fragewort"), shown);
    const QImage image = shot(*m_form);
    QVERIFY(pictureShown(image, "teil12", ui::figure::piece(12).picture));
    QVERIFY(countPixels(image, windowRect(*m_form, "teil11"), QColor(0, 64, 0)) > 100);
    type("xyzqjvwk");
    QCOMPARE(shownPieces(), won);
}

// "Neues Spiel" only changes the screen: the open round goes on taking keys, hidden.
void PlayTest::newGameDuringARound() {
    open("Rad\r\nHaus\r\n", {pick(1, 2), pick(1, 2), pick(2, 2)});
    clickQuestionMark();
    type("xy");
    QTest::mouseClick(get("spielneu"), Qt::LeftButton);
    QCOMPARE(text("Label1"), kHeadingStart);
    QCOMPARE(text("Label2"), kInstructionStart);
    QCOMPARE(text("textin"), QStringLiteral("?"));
    QVERIFY(!get("Fragewort")->isVisible());
    QCOMPARE(shownPieces(), QStringList());

    // The third miss shows its pieces alone.
    const QStringList third = pieces([](const Piece& piece) { return piece.miss == 3; });
    type("az");
    QCOMPARE(text("Fragewort"), QStringLiteral("-a-"));
    QVERIFY(!get("Fragewort")->isVisible());
    QCOMPARE(shownPieces(), third);

    clickQuestionMark();
    QCOMPARE(m_form->gameState().currentWord, std::string("Haus"));
    QCOMPARE(m_form->gameState().stage, core::Integer(0));
    QCOMPARE(text("Fragewort"), QStringLiteral("----"));
    QCOMPARE(shownPieces(), third);
}

void PlayTest::exhaustion() {
    open("Rad\r\nHaus\r\n", {pick(2, 2), pick(2, 2), pick(1, 2)});
    for (int round = 0; round < 2; ++round) {
        clickQuestionMark();
        type("x");
        QTest::mouseClick(get("spielneu"), Qt::LeftButton);
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        clickQuestionMark();
        QVERIFY(get("Fragewort")->isVisible());
        QCOMPARE(text("Fragewort"), kAllUsed);
        QCOMPARE(text("Label1"), kHeadingStart);
        QCOMPARE(text("Label2"), kInstructionStart);
        QCOMPARE(text("textin"), QStringLiteral("?"));
        QCOMPARE(m_form->gameState().currentWord, std::string("Rad"));
        QTest::mouseClick(get("spielneu"), Qt::LeftButton);
        QVERIFY(!get("Fragewort")->isVisible());
    }
}

void PlayTest::emptyList() {
    open("");
    clickQuestionMark();
    QCOMPARE(text("Fragewort"), kAllUsed);
    QVERIFY(get("Fragewort")->isVisible());
    QCOMPARE(text("Label1"), kHeadingStart);
    QCOMPARE(shownPieces(), QStringList());
    type("e");
    QCOMPARE(text("Fragewort"), kAllUsed);
    QCOMPARE(m_form->gameState().stage, core::Integer(0));
}

void PlayTest::keysBeforeTheFirstRoundChangeNothing() {
    open("Haus\r\n");
    get("textin")->setFocus();
    type("xyz\b");
    QCOMPARE(shownPieces(), QStringList());
    QCOMPARE(m_form->gameState().stage, core::Integer(0));
    QVERIFY(!get("Fragewort")->isVisible());
    QCOMPARE(text("textin"), QStringLiteral("?xy")); // the box still takes what is typed
}

// Neither button is the default; the focused one presses on Space or Enter.
void PlayTest::buttonsPressByKeyboard() {
    open("Haus\r\n");
    clickQuestionMark();
    get("spielneu")->setFocus();
    QTest::keyClick(get("spielneu"), Qt::Key_Space);
    QVERIFY(!get("Fragewort")->isVisible());
    QVERIFY(m_form->isVisible());
    get("ende")->setFocus();
    QTest::keyClick(get("ende"), Qt::Key_Return);
    QVERIFY(!m_form->isVisible());
}

void PlayTest::enterOnTheQuestionMark_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("return") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::NoModifier);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter)
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

// Enter starts a round where a click could; over the word box it is a key of the round.
void PlayTest::enterOnTheQuestionMark() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    open("Rad\r\nHaus\r\n", {pick(2, 2), pick(1, 2)});
    QTest::keyClick(get("ende"), Qt::Key_Tab);
    QVERIFY(get("textin")->hasFocus());
    QTest::keyClick(get("textin"), Qt::Key(key), modifiers);
    QCOMPARE(m_form->gameState().usedCount, core::Integer(1));
    QVERIFY(get("Fragewort")->isVisible());
    QCOMPARE(text("Fragewort"), QStringLiteral("----"));
    QCOMPARE(text("Label1"), kHeadingRound);
    QTest::keyClick(get("textin"), Qt::Key(key), modifiers);
    QCOMPARE(m_form->gameState().usedCount, core::Integer(1));
    QCOMPARE(m_form->gameState().stage, core::Integer(1));
    QCOMPARE(text("Fragewort"), QStringLiteral("----"));
}

void PlayTest::longWordsShowWhole_data() {
    QTest::addColumn<QByteArray>("word"); // Windows-1252
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    const QByteArray compound("Donaudampfschifffahrtsgesellschaftskapit\xE4nsfrau");
    const QString compoundText = QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitänsfrau");
    const QByteArray ws(50, 'W');
    QTest::newRow("compound, masked") << compound << "" << QString(47, u'-');
    QTest::newRow("compound, won") << compound << "donaumpfschitrgelkäx" << compoundText;
    QTest::newRow("compound, lost") << compound << "xqjyvwzb" << compoundText;
    QTest::newRow("fifty W, masked") << ws << "" << QString(50, u'-');
    QTest::newRow("fifty W, won") << ws << "w" << QString(50, u'W');
    QTest::newRow("fifty W, lost") << ws << "abcdefgh" << QString(50, u'W');
}

// The word box shrinks its font until the whole text fits, centred, but no further.
void PlayTest::longWordsShowWhole() {
    playRow();
    QFETCH(QString, shown);
    auto* box = get<QLineEdit>("Fragewort");
    QCOMPARE(box->text(), shown);
    const QFontInfo info(box->font());
    QVERIFY(info.weight() >= 900);
    const QRect inner = box->contentsRect().marginsRemoved(box->textMargins());
    const double advance = QFontMetricsF(box->font()).horizontalAdvance(shown);
    QVERIFY2(advance <= inner.width() - 4, qPrintable(QString::number(advance)));
    QVERIFY2(advance >= 0.85 * inner.width(), qPrintable(QString::number(advance)));

    const QImage image = box->grab().toImage();
    int left = image.width();
    int right = -1;
    const QRect area = box->rect().adjusted(3, 3, -3, -3);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).red() > 60) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    QVERIFY(right > left);
    QVERIFY2(std::abs(left - (box->width() - 1 - right)) <= 4,
             qPrintable(QStringLiteral("ink from %1 to %2").arg(left).arg(right)));
}

// A font change from outside while a long word is shown must not make its shrunk size the
// size of every later word.
void PlayTest::shortWordAfterAFontChangeIsFullSize() {
    open(QByteArray(50, 'W') + "\r\nHaus\r\n", {pick(1, 2), pick(1, 2), pick(2, 2)});
    auto* box = get<QLineEdit>("Fragewort");
    clickQuestionMark();
    QVERIFY(box->font().pointSizeF() < 18.0);
    QFont larger = m_form->font();
    larger.setPointSizeF(30);
    larger.setKerning(false); // one the box does not set itself, so it reaches the box
    m_form->setFont(larger);
    QTest::mouseClick(get("spielneu"), Qt::LeftButton);
    clickQuestionMark();
    QCOMPARE(box->text(), QStringLiteral("----"));
    QCOMPARE(box->font().pointSizeF(), 18.0);
}

QTEST_MAIN(PlayTest)
#include "play_test.moc"
