// A key typed into the game's window: the key event, evaluateKey, the new text of Fragewort
// and the repaint of everything that changed. Runs on the offscreen platform unless
// QT_QPA_PLATFORM names another.

#include "ui/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// Every key hits somewhere in the word and a round never runs out of words during a run.
constexpr char kHitKey = 'x';
constexpr char kMissKey = 'q';

std::string fiftyLetters() {
    std::string word;
    while (word.size() < 50) {
        word += "xy";
    }
    return word;
}

class Window {
public:
    explicit Window(std::filesystem::path list) : m_list(std::move(list)) { newRound(); }

    // Starts a round as the player does; a fresh window once the list is used up.
    void newRound() {
        const core::GameState* state = m_form ? &m_form->gameState() : nullptr;
        if (state == nullptr || state->usedCount + 1 >= state->wordCount) {
            m_form = std::make_unique<ui::Form1>();
            std::ifstream in(m_list, std::ios::binary);
            if (m_form->Form_Load(in, core::LoadErrors(m_list))) {
                throw std::runtime_error("word list did not load");
            }
            m_form->show();
            m_fragewort = m_form->findChild<QLineEdit*>(QStringLiteral("Fragewort"));
            m_textin = m_form->findChild<QLineEdit*>(QStringLiteral("textin"));
        } else {
            QTest::mouseClick(m_form->findChild<QWidget*>(QStringLiteral("spielneu")),
                              Qt::LeftButton);
        }
        QTest::mouseClick(m_textin, Qt::LeftButton);
        QApplication::processEvents();
    }

    // Fragewort is repainted at once; the pieces of the figure and the typed box wait for the
    // update request the key posted, so that is delivered too.
    void press(char key) {
        QTest::keyClick(m_textin, key);
        m_fragewort->repaint();
        QCoreApplication::sendPostedEvents();
    }

    bool roundOpen() const { return m_form->gameState().roundOpen(); }

    // Typed keys pile up in the box as they do in play; keeps them from growing without end.
    bool textinFull() const { return m_textin->text().size() > 40; }
    void clearTextin() { m_textin->setText(QStringLiteral("?")); }

private:
    std::filesystem::path m_list;
    std::unique_ptr<ui::Form1> m_form;
    QLineEdit* m_fragewort = nullptr;
    QLineEdit* m_textin = nullptr;
};

std::filesystem::path g_list;

// The same letter again and again: the whole 50-letter mask is rebuilt and redrawn each time.
void BM_KeyHitAndRepaint(benchmark::State& bench) {
    Window window(g_list);
    for (auto _ : bench) {
        window.press(kHitKey);
        if (window.textinFull()) {
            bench.PauseTiming();
            window.clearTextin();
            bench.ResumeTiming();
        }
    }
}
BENCHMARK(BM_KeyHitAndRepaint)->Unit(benchmark::kMicrosecond);

// Wrong keys: each shows the next piece of the figure, every eighth the lost round.
void BM_KeyMissAndRepaint(benchmark::State& bench) {
    Window window(g_list);
    for (auto _ : bench) {
        window.press(kMissKey);
        if (!window.roundOpen() || window.textinFull()) {
            bench.PauseTiming();
            window.newRound();
            bench.ResumeTiming();
        }
    }
}
BENCHMARK(BM_KeyMissAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }

    g_list = std::filesystem::temp_directory_path() / "swp-key-bench-worte.txt";
    {
        std::ofstream out(g_list, std::ios::binary);
        for (int i = 0; i < 1000; ++i) {
            out << fiftyLetters() << "\r\n";
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(g_list);
    return 0;
}
