#include "ui/form1.h"

#include "core/guess.h"
#include "core/round.h"
#include "ui/accessibility.h"
#include "ui/cp1252text.h"
#include "ui/figure.h"
#include "ui/filledrect.h"
#include "ui/keylineedit.h"
#include "ui/layout.h"
#include "ui/picturebox.h"
#include "ui/pushbutton.h"
#include "ui/thickline.h"
#include "ui/wordbox.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QTimer>
#include <algorithm>
#include <exception>

namespace ui {

namespace {

const QString kCaption = QStringLiteral("Strickwichtspiel");
const QString kHeadingStart = QStringLiteral("Worteraten mit dem Strickwicht");
const QString kInstructionStart = QStringLiteral(
    "Starte das Spiel, indem du auf das rote Fragezeichen unter diesem Satz klickst !");
const QString kHeadingRound =
    QStringLiteral("Errate das geheime Wort oder es wird dir schlecht ergehen !!");
const QString kInstructionRound = QStringLiteral(
    "Es wurde ein geheimes Wort ermittelt, das du raten musst! Drücke die Tasten der "
    "Buchstaben, von denen du meinst, dass sie im Wort vorkommen! Aber hüte dich vor falschen "
    "Buchstaben, der Galgen wartet schon!");
const QString kAllUsed = QStringLiteral("Alle Worte verbraucht !!!");
const QString kQuestionMark = QStringLiteral("?");

void setFontOf(QWidget* widget, const QFont& font) {
    widget->setFont(font);
}

// The word box keeps it as the size it shrinks long words from.
void setFontOf(WordBox* box, const QFont& font) {
    box->setBaseFont(font);
}

// Qt tells assistive technology of every call, and a screen reader would say it again.
void setDescription(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
    }
}

// A line edit reports even an unchanged text as removed and inserted again, and a screen reader
// would hear it; on a miss the masked word stays the same.
void setWord(QLineEdit* box, const QString& text) {
    if (box->text() != text) {
        box->setText(text);
    }
}

// Places a control and gives it the look of its row; colours apply in every state, so that
// disabled controls keep their background.
template <typename W> W* place(W* widget, const char* name, const layout::Box& box) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(layout::pixels(box.rect));
    if (!box.font.face.empty()) {
        setFontOf(widget, layout::font(box.font));
    }
    QPalette palette = widget->palette();
    if (box.fore != layout::kSystemColor) {
        palette.setColor(QPalette::WindowText, layout::color(box.fore));
        palette.setColor(QPalette::Text, layout::color(box.fore));
    }
    if (box.back != layout::kSystemColor) {
        palette.setColor(QPalette::Window, layout::color(box.back));
        palette.setColor(QPalette::Base, layout::color(box.back));
    }
    widget->setPalette(palette);
    return widget;
}

// Labels paint their whole rectangle, wrap at word boundaries and never take the mouse.
QLabel* makeLabel(QWidget* parent, const char* name, const layout::Box& box,
                  Qt::Alignment alignment, const QString& text = {}) {
    auto* label = place(new QLabel(text, parent), name, box);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// The table guarantees that a line is Kind::Line and that every other piece is a box.
QWidget* makePiece(QWidget* frame, const figure::Piece& piece) {
    if (const auto* line = std::get_if<layout::Line>(&piece.shape)) {
        auto* widget = new ThickLine(layout::pixels(line->ends), line->widthPixels,
                                     layout::color(line->color), frame);
        widget->setObjectName(QString::fromLatin1(piece.name));
        return widget;
    }
    const auto& box = std::get<layout::Box>(piece.shape);
    if (piece.kind == figure::Kind::Rect) {
        return place(new FilledRect(layout::color(box.back), frame), piece.name, box);
    }
    if (piece.kind == figure::Kind::Label) {
        return makeLabel(frame, piece.name, box, piece.alignment, QString::fromUtf8(piece.text));
    }
    auto* picture =
        new PictureBox(QString::fromLatin1(piece.picture), QString::fromLatin1(piece.doublePicture),
                       layout::color(box.back), frame);
    place(picture, piece.name, box);
    picture->setEnabled(false);
    return picture;
}

} // namespace

Form1::Form1(core::RandomSource random, QWidget* parent)
    : QWidget(parent), m_random(std::move(random)) {
    setObjectName(QString::fromLatin1(kWindowName));
    installAccessibility();
    createControls();
    createFigure();
    connectHandlers();

    // Back to front; the labels lie on the window's own surface, behind every control.
    for (QWidget* widget : std::initializer_list<QWidget*>{Label1, Label2, textin, item9a, ende,
                                                           spielneu, Fragewort}) {
        widget->raise();
    }
    setTabOrder(ende, textin);
    setTabOrder(textin, spielneu);
    ende->setFocus();

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, layout::color(layout::kWindowBack));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(layout::pixels(layout::kClientArea).size());
    setWindowTitle(kCaption);
}

void Form1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &Form1::firstFramePainted);
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

bool Form1::takesKeysAt(const QPoint& pos) const {
    return roundOpen() || childAt(pos) == textin;
}

void Form1::createControls() {
    Label1 = makeLabel(this, "Label1", layout::kLabel1, Qt::AlignHCenter);
    Label2 = makeLabel(this, "Label2", layout::kLabel2, Qt::AlignHCenter);

    Fragewort = place(new WordBox(this), "Fragewort", layout::kFragewort);
    Fragewort->setAlignment(Qt::AlignCenter);

    textin = place(new KeyLineEdit(kQuestionMark, this), "textin", layout::kTextin);
    textin->setAlignment(Qt::AlignCenter);
    textin->setAccessibleName(QStringLiteral("Fragezeichen: neues geheimes Wort"));
    Fragewort->setAccessibleName(QStringLiteral("Geheimes Wort"));

    spielneu =
        place(new PushButton(QStringLiteral("Neues Spiel"), this), "spielneu", layout::kSpielneu);
    ende = place(new PushButton(QStringLiteral("Ende"), this), "ende", layout::kEnde);

    item9a = place(new QFrame(this), "item9a", layout::kItem9a);
    item9a->setFrameStyle(QFrame::Box | QFrame::Sunken);
    item9a->setAutoFillBackground(true);
    item9a->setAccessibleName(QStringLiteral("Galgen"));
}

void Form1::createFigure() {
    std::array<QWidget*, figure::kPieces.size()> backToFront{};
    for (std::size_t row = 0; row < teil.size(); ++row) {
        const figure::Piece& piece = figure::kPieces[row];
        teil[row] = makePiece(item9a, piece);
        if (piece.accessibleName != nullptr) {
            teil[row]->setAccessibleName(QString::fromUtf8(piece.accessibleName));
        }
        if (piece.description != nullptr) {
            teil[row]->setAccessibleDescription(QString::fromUtf8(piece.description));
        }
        backToFront.at(std::size_t(piece.stacking)) = teil[row];
    }
    for (QWidget* piece : backToFront) {
        piece->raise();
    }
}

// A run-time error ends the program, but it must not cross Qt's event handling (undefined
// behaviour), and nothing may reach the half-updated round while the report is shown: the
// window takes no input from then on.
template <typename... Args> auto Form1::guarded(void (Form1::*handler)(Args...)) {
    return [this, handler](Args... args) {
        QString what;
        try {
            (this->*handler)(args...);
            return;
        } catch (const std::exception& error) {
            what = QString::fromUtf8(error.what()); // our messages are UTF-8 on every platform
        } catch (...) {
            what = QStringLiteral("unbekannter Fehler");
        }
        setEnabled(false);
        emit failed(QStringLiteral("Laufzeitfehler: %1").arg(what));
    };
}

void Form1::connectHandlers() {
    connect(textin, &KeyLineEdit::clicked, this, guarded(&Form1::textin_Click));
    connect(textin, &KeyLineEdit::keyPressed, this, guarded(&Form1::textin_KeyPress));
    connect(spielneu, &QPushButton::clicked, this, guarded(&Form1::spielneu_Click));
    connect(ende, &QPushButton::clicked, this, guarded(&Form1::ende_Click));
}

std::optional<core::LoadError> Form1::Form_Load(std::istream& in, const core::LoadErrors& errors) {
    if (auto error = core::loadWords(m_state, in, errors)) {
        return error;
    }
    spielneu_Click();
    return std::nullopt;
}

void Form1::textin_Click() {
    if (core::startRound(m_state, m_random) == core::RoundOutcome::Exhausted) {
        setWord(Fragewort, kAllUsed);
        Fragewort->show();
        announceRound();
        return;
    }
    Label1->setText(kHeadingRound);
    textin->setText(kQuestionMark);
    Fragewort->show();
    Label2->setText(kInstructionRound);
    setWord(Fragewort, fromCp1252(m_state.maskedWord));
    announceRound();
}

void Form1::textin_KeyPress(int key) {
    switch (core::evaluateKey(m_state, key)) {
    case core::KeyOutcome::Ignored:
        return;
    case core::KeyOutcome::Hit:
        setWord(Fragewort, fromCp1252(m_state.maskedWord));
        break;
    case core::KeyOutcome::Miss:
    case core::KeyOutcome::Lost:
    case core::KeyOutcome::Won:
        setWord(Fragewort, fromCp1252(m_state.maskedWord));
        showStage(m_state.stage);
        break;
    }
    announceRound();
}

void Form1::spielneu_Click() {
    prepareScreen();
    textin->setText(kQuestionMark);
}

void Form1::ende_Click() {
    close();
}

void Form1::prepareScreen() {
    core::countUsed(m_state);
    Label1->setText(kHeadingStart);
    Fragewort->hide();
    Label2->setText(kInstructionStart);
    hideFigure();
    announceRound();
}

void Form1::hideFigure() {
    for (QWidget* piece : teil) {
        piece->hide();
    }
    describeFigure();
}

void Form1::showPieces(figure::Shows shows, bool visible) {
    for (std::size_t row = 0; row < teil.size(); ++row) {
        if (figure::kPieces[row].shows == shows) {
            teil[row]->setVisible(visible);
        }
    }
}

void Form1::showStage(core::Integer stage) {
    if (stage >= 1 && stage < core::kStageLost) {
        for (std::size_t row = 0; row < teil.size(); ++row) {
            if (figure::kPieces[row].miss == stage) {
                teil[row]->show();
            }
        }
    } else if (stage == core::kStageLost) {
        showLoss();
    } else if (stage == core::kStageWon) {
        showWin();
    }
    describeFigure();
}

void Form1::showLoss() {
    showPieces(figure::Shows::Lost, true);
    showPieces(figure::Shows::FromMissUntilLost, false);
    setWord(Fragewort, fromCp1252(core::closeLostRound(m_state)));
}

void Form1::showWin() {
    hideFigure();
    showPieces(figure::Shows::Won, true);
}

// Read from the pieces shown, so that it tells what the screen shows, a round left through
// "Neues Spiel" included: there a miss shows its piece alone.
void Form1::describeFigure() {
    bool won = false;
    bool lost = false;
    std::array<bool, core::kStageLost> missShown{};
    for (std::size_t row = 0; row < teil.size(); ++row) {
        if (teil[row]->isHidden()) {
            continue;
        }
        const figure::Piece& piece = figure::kPieces[row];
        won = won || piece.shows == figure::Shows::Won;
        lost = lost || piece.shows == figure::Shows::Lost;
        if (piece.miss != 0) {
            missShown[std::size_t(piece.miss)] = true;
        }
    }
    QString description;
    if (won) {
        description = QStringLiteral("gewonnen");
    } else if (lost) {
        description = QStringLiteral("%1 von %1 Fehlern, verloren").arg(core::kStageLost);
    } else {
        const auto misses = std::count(missShown.begin(), missShown.end(), true);
        description = QStringLiteral("%1 von %2 Fehlern").arg(misses).arg(core::kStageLost);
    }
    setDescription(item9a, description);
}

// The question mark keeps the focus through a round, and a screen reader speaks only what
// changes there; so the game says what the word box and the gallows show.
// Each text once: the same text again would be said again.
void Form1::announceRound() {
    const QString text =
        Fragewort->isHidden()
            ? QString()
            : QStringLiteral("%1, %2").arg(Fragewort->text(), item9a->accessibleDescription());
    if (text == m_announced) {
        return;
    }
    m_announced = text;
    emit announced(text);
}

} // namespace ui
