#pragma once

#include "core/gamestate.h"
#include "core/random.h"
#include "core/wordlist.h"
#include "ui/figure.h"

#include <QWidget>
#include <array>
#include <istream>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;

namespace ui {

class KeyLineEdit;
class PushButton;

// The game's only window. It owns the one game state; its handlers call the core and then
// copy the state into the controls. It knows nothing of what surrounds it: a platform hands it
// its word list and keys and listens to its signals.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(core::RandomSource random = core::ClockRandom{}, QWidget* parent = nullptr);

    // Takes the word list read from in, wherever it came from (errors name it), and puts up
    // the start screen for it. A bad list changes nothing; at start the window must then not
    // be shown.
    std::optional<core::LoadError> Form_Load(std::istream& in, const core::LoadErrors& errors);

    const core::GameState& gameState() const { return m_state; }
    bool roundOpen() const { return m_state.roundOpen(); }
    // Whether keys typed after a tap at pos (in the window) would play: anywhere during a round,
    // and on the question mark, whose tap starts one.
    bool takesKeysAt(const QPoint& pos) const;

signals:
    // What a screen reader should say now, wherever the focus is; empty when the word box is
    // hidden. Each text once.
    void announced(const QString& text);
    // A run-time error in a handler: the window takes no more input, and the program should end.
    void failed(const QString& message);
    // Once, just after the first frame, for whatever can wait until the window is seen.
    void firstFramePainted();
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createFigure();
    void connectHandlers();
    template <typename... Args> auto guarded(void (Form1::*handler)(Args...));

    void textin_Click();
    void textin_KeyPress(int key);
    void spielneu_Click();
    void ende_Click();

    void prepareScreen();
    void hideFigure();
    void showPieces(figure::Shows shows, bool visible);
    void showStage(core::Integer stage);
    void showLoss();
    void showWin();
    void describeFigure();
    void announceRound();

    core::GameState m_state;
    core::RandomSource m_random;
    bool m_painted = false;
    QString m_announced; // what the last announcement said

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Fragewort = nullptr;
    KeyLineEdit* textin = nullptr;
    PushButton* spielneu = nullptr;
    PushButton* ende = nullptr;
    QFrame* item9a = nullptr;
    std::array<QWidget*, figure::kPieces.size()> teil{}; // the table's rows: teil[0] is teil1
};

} // namespace ui
