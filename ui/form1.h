#pragma once

#include "core/gamestate.h"
#include "core/random.h"
#include "core/wordlist.h"
#include "ui/figure.h"

#include <QWidget>
#include <array>
#include <filesystem>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;

namespace ui {

class KeyLineEdit;
class PushButton;

// The game's only window. It owns the one game state; its handlers call the core and then
// copy the state into the controls.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(core::RandomSource random = core::ClockRandom{},
                   std::filesystem::path wordList = std::filesystem::path(core::kWordListName),
                   QWidget* parent = nullptr);

    // Puts up the start screen and reads the word list. On an error the window must not be
    // shown.
    std::optional<core::LoadError> Form_Load();
    // The same with a list that is no file here; errors name it.
    std::optional<core::LoadError> Form_Load(std::istream& in, const core::LoadErrors& errors);

    // Replaces the word list with the one read from in (file names it in messages) and returns
    // to the start screen; a bad list changes nothing.
    std::optional<core::LoadError> loadWordList(std::istream& in,
                                                const std::filesystem::path& file);

    const core::GameState& gameState() const { return m_state; }

protected:
    void paintEvent(QPaintEvent* event) override;

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
    std::filesystem::path m_wordList;
    bool m_iconPending = true;
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
