#include "core/guess.h"
#include "core/round.h"
#include "core/wordlist.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// 1000 distinct cp1252 words of 4 to 14 characters, some with umlauts.
std::string thousandWords() {
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        std::string word = "Wort";
        for (int k = i; k > 0; k /= 7) {
            word += "abcdefg"[k % 7];
        }
        if (i % 5 == 0) {
            word += "\xFC";
        }
        text += word + "\r\n";
    }
    return text;
}

void BM_LoadWordsFromFile(benchmark::State& bench) {
    const auto path = std::filesystem::temp_directory_path() / "swp-bench-worte.txt";
    std::ofstream(path, std::ios::binary) << thousandWords();
    for (auto _ : bench) {
        core::GameState state;
        std::ifstream in;
        benchmark::DoNotOptimize(core::openWordList(path, in));
        benchmark::DoNotOptimize(core::loadWords(state, in, core::LoadErrors(path)));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadWordsFromFile)->Unit(benchmark::kMicrosecond);

void BM_LoadWordsFromMemory(benchmark::State& bench) {
    const std::string text = thousandWords();
    for (auto _ : bench) {
        core::GameState state;
        std::istringstream in(text);
        benchmark::DoNotOptimize(core::loadWords(state, in, core::LoadErrors("worte.txt")));
    }
}
BENCHMARK(BM_LoadWordsFromMemory)->Unit(benchmark::kMicrosecond);

// Plays a 1000-word list to exhaustion per iteration, with the real clock-seeded source:
// the late rounds redraw many times, as they do in play. Reported per round.
void BM_StartRound(benchmark::State& bench) {
    core::GameState loaded;
    std::istringstream in(thousandWords());
    core::loadWords(loaded, in, core::LoadErrors("worte.txt"));
    core::ClockRandom random;
    const core::RandomSource source = std::ref(random);
    for (auto _ : bench) {
        core::GameState state = loaded;
        while (core::startRound(state, source) == core::RoundOutcome::Started) {
        }
        benchmark::DoNotOptimize(state.usedCount);
    }
    bench.SetItemsProcessed(bench.iterations() * 1000);
}
BENCHMARK(BM_StartRound)->Unit(benchmark::kMicrosecond);

void BM_EvaluateKey(benchmark::State& bench) {
    core::GameState state;
    std::istringstream in(std::string(50, 'x') + "\n");
    core::loadWords(state, in, core::LoadErrors("worte.txt"));
    core::startRound(state, [] { return 0.9f; });
    for (auto _ : bench) {
        // A repeated hit on a 50-letter word: the longest loop a key can cost, round stays open.
        state.revealedCount = 0;
        benchmark::DoNotOptimize(core::evaluateKey(state, 'x'));
        state.uncovered.fill(false);
    }
}
BENCHMARK(BM_EvaluateKey)->Unit(benchmark::kNanosecond);

} // namespace

BENCHMARK_MAIN();
