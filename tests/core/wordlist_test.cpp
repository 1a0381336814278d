#include "core/wordlist.h"
#include "helpers.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <streambuf>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::vector<std::string> wordsOf(const core::GameState& state) {
    std::vector<std::string> words;
    for (int row = 1; row <= state.wordCount; ++row) {
        words.push_back(state.word(row));
    }
    return words;
}

std::optional<core::LoadError> loadBytes(core::GameState& state, const std::string& bytes) {
    std::istringstream in(bytes);
    return core::loadWords(state, in, core::LoadErrors("liste/worte.txt"));
}

std::string lines(int count, const std::string& word = "wort") {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += word + "\r\n";
    }
    return text;
}

// A list saved as "Unicode" (little endian) or "Unicode big endian", normally with its mark.
std::string utf16(const std::u16string& text, bool littleEndian, bool bom = true) {
    std::string bytes;
    const auto put = [&](char16_t unit) {
        const char lo = static_cast<char>(unit & 0xFF);
        const char hi = static_cast<char>(unit >> 8);
        bytes += littleEndian ? lo : hi;
        bytes += littleEndian ? hi : lo;
    };
    if (bom) {
        put(u'\uFEFF');
    }
    for (const char16_t unit : text) {
        put(unit);
    }
    return bytes;
}

// An endless stream of one byte that counts how much was taken from it.
class EndlessBuf : public std::streambuf {
public:
    explicit EndlessBuf(char fill) : m_block(4096, fill) {}
    std::size_t served = 0;

protected:
    int_type underflow() override {
        served += m_block.size();
        setg(m_block.data(), m_block.data(), m_block.data() + m_block.size());
        return traits_type::to_int_type(m_block[0]);
    }

private:
    std::vector<char> m_block;
};

} // namespace

using Words = std::vector<std::string>;

TEST(LoadWordsTest, EveryLineEndKind) {
    EXPECT_EQ(wordsOf(loaded("eins\r\nzwei\r\n")), (Words{"eins", "zwei"}));
    EXPECT_EQ(wordsOf(loaded("eins\nzwei\n")), (Words{"eins", "zwei"}));
    EXPECT_EQ(wordsOf(loaded("eins\rzwei\r")), (Words{"eins", "zwei"}));
    EXPECT_EQ(wordsOf(loaded("a\r\nb\nc\rd")), (Words{"a", "b", "c", "d"}));
}

TEST(LoadWordsTest, LastLineWithoutLineEndIsAWord) {
    EXPECT_EQ(wordsOf(loaded("eins\r\nzwei")), (Words{"eins", "zwei"}));
}

TEST(LoadWordsTest, EmptyLinesAreWordsButNoneAfterTheLastLineEnd) {
    EXPECT_EQ(wordsOf(loaded("eins\r\n\r\ndrei\r\n")), (Words{"eins", "", "drei"}));
    EXPECT_EQ(wordsOf(loaded("\n\r\r\n")), (Words{"", "", ""}));
    EXPECT_EQ(loaded("").wordCount, 0);
}

TEST(LoadWordsTest, LinesAreTakenWhole) {
    EXPECT_EQ(wordsOf(loaded(" Haus \r\nA-Z 9!\r\nHaus\r\nHaus\r\n")),
              (Words{" Haus ", "A-Z 9!", "Haus", "Haus"}));
}

TEST(LoadWordsTest, EveryWordStartsUnplayedAndRowZeroStaysEmpty) {
    const core::GameState state = loaded("eins\r\nzwei\r\n");
    EXPECT_EQ(state.flag(1), "0");
    EXPECT_EQ(state.flag(2), "0");
    EXPECT_EQ(state.word(0), "");
    EXPECT_EQ(state.flag(0), "");
    EXPECT_EQ(state.usedCount, 0);
}

TEST(LoadWordsTest, ExactlyAThousandLinesLoad) {
    const core::GameState state = loaded(lines(1000));
    EXPECT_EQ(state.wordCount, 1000);
    EXPECT_EQ(state.word(1000), "wort");
}

TEST(LoadWordsTest, FiftyCharactersLoad) {
    EXPECT_EQ(loaded(std::string(50, 'x')).word(1).size(), 50u);
    // 50 umlauts take 100 bytes in UTF-8 and are still 50 characters.
    std::string utf8;
    for (int i = 0; i < 50; ++i) {
        utf8 += "\xC3\xA4";
    }
    EXPECT_EQ(loaded(utf8).word(1), std::string(50, '\xE4'));
}

struct BadList {
    const char* name;
    std::string bytes;
    int line;
    const char* says;
};

void PrintTo(const BadList& list, std::ostream* out) {
    *out << list.name;
}

class LoadWordsFailureTest : public testing::TestWithParam<BadList> {};

TEST_P(LoadWordsFailureTest, NamesFileFolderLineAndLimitAndKeepsTheState) {
    core::GameState state = loaded("alt\r\n");
    const auto failure = loadBytes(state, GetParam().bytes);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->line, GetParam().line);
    const std::string named =
        "\"worte.txt\" im Ordner \"" + (std::filesystem::current_path() / "liste").string() + "\"";
    EXPECT_NE(failure->message.find(named), std::string::npos) << failure->message;
    EXPECT_NE(failure->message.find("Zeile " + std::to_string(GetParam().line)), std::string::npos)
        << failure->message;
    EXPECT_NE(failure->message.find(GetParam().says), std::string::npos) << failure->message;
    EXPECT_EQ(wordsOf(state), (Words{"alt"}));
}

INSTANTIATE_TEST_SUITE_P(
    BadLists, LoadWordsFailureTest,
    testing::Values(
        BadList{"TooManyLines", lines(1001), 1001, "1000 Zeilen"},
        BadList{"TooManyEmptyLines", std::string(1001, '\n'), 1001, "1000 Zeilen"},
        BadList{"LongWord", "kurz\r\n" + std::string(51, 'x') + "\r\n", 2, "50 Zeichen"},
        BadList{"LongCp1252Word", "\xE4" + std::string(50, 'x'), 1, "50 Zeichen"},
        BadList{"LongWordAfterUtf8Line", "\xC3\xA4\n" + std::string(60, 'x'), 2, "50 Zeichen"},
        BadList{"NulByte", std::string("gut\r\nb\0se\r\n", 11), 2, "als UTF-8 oder ANSI"},
        BadList{"Utf16WithoutBom", utf16(u"Haus", false, false), 1, "als UTF-8 oder ANSI"},
        BadList{"Utf16OutsideCp1252", utf16(u"gut\r\n\u0141odz", true), 2,
                "das Zeichen „Ł“ (U+0141), das"},
        BadList{"Utf16LongWord", utf16(u"gut\n" + std::u16string(51, u'\u00E4'), false), 2,
                "50 Zeichen"},
        BadList{"Utf16LoneSurrogate", utf16(u"gut\n\xD800x", true), 2, "UTF-16"},
        BadList{"Utf16OddLength", utf16(u"gut\nx", true) + "y", 2, "UTF-16"},
        BadList{"InvalidUtf8AfterBom", "\xEF\xBB\xBFgut\n\xE4rger\n", 2, "UTF-8"},
        // A word pasted from an old file into a UTF-8 list, and the other way round.
        BadList{"Utf8ThenCp1252", "Haus\nM\xC3\xBChle\n" OE "l\nB" AE "r\n", 3,
                "kein gültiges UTF-8, obwohl die Datei auch UTF-8 enthält (Zeile 2)"},
        BadList{"Cp1252ThenUtf8", OE "l\n\xC3\xA4\n", 1, "auch UTF-8 enthält (Zeile 2)"},
        BadList{"OutsideCp1252",
                "gut\n\xC5\x81"
                "odz\n",
                2, "das Zeichen „Ł“ (U+0141), das"},
        BadList{"EmojiOutsideCp1252", "\xF0\x9F\x98\x80\n", 1, "„😀“ (U+1F600)"},
        // Shown, it would turn the rest of the message around.
        BadList{"RightToLeftOverride",
                "ab\xE2\x80\xAE"
                "cd\n",
                1, "das Zeichen U+202E, das"}),
    [](const auto& info) { return info.param.name; });

TEST(LoadWordsTest, Utf8WithBomIsConverted) {
    EXPECT_EQ(wordsOf(loaded("\xEF\xBB\xBF\xC3\x84pfel\r\nStra\xC3\x9F"
                             "e\r\n")),
              (Words{AE_UP "pfel", "Stra" SZ "e"}));
    EXPECT_EQ(wordsOf(loaded("\xEF\xBB\xBFHaus\n")), (Words{"Haus"}));
    EXPECT_EQ(wordsOf(loaded("\xE2\x82\xAC"
                             "uro\n")),
              (Words{"\x80uro"}));
}

TEST(LoadWordsTest, Utf16WithBomIsConverted) {
    const std::u16string text =
        u"\u00C4pfel\r\nStra\u00DFe\nM\u00FChle\r\u20ACuro\r\n\r\n" + std::u16string(50, u'\u00E4');
    const Words expected{AE_UP "pfel", "Stra" SZ "e",          "M" UE "hle", "\x80uro",
                         "",           std::string(50, '\xE4')};
    EXPECT_EQ(wordsOf(loaded(utf16(text, true))), expected);
    EXPECT_EQ(wordsOf(loaded(utf16(text, false))), expected);
}

TEST(LoadWordsTest, Utf8WithoutBomIsConverted) {
    EXPECT_EQ(wordsOf(loaded("Haus\nM\xC3\xBChle\n")), (Words{"Haus", "M" UE "hle"}));
}

TEST(LoadWordsTest, Cp1252UmlautsStayBytes) {
    EXPECT_EQ(wordsOf(loaded("M" UE "hle\r\n" AE_UP "pfel\r\n")),
              (Words{"M" UE "hle", AE_UP "pfel"}));
    // "ß" and a non-breaking space happen to be UTF-8, for a character Windows-1252 lacks.
    EXPECT_EQ(wordsOf(loaded("Fu" SZ "\xA0\n" OE "l\n")), (Words{"Fu" SZ "\xA0", OE "l"}));
}

// An endless line and endless line feeds both fail at the first limit, having read no more than
// the longest valid list can hold (1000 lines of 200 bytes and a line end).
TEST(LoadWordsTest, EndlessInputStopsAtTheFirstLimit) {
    for (const auto& [fill, line] : {std::pair{'x', 1}, std::pair{'\n', 1001}}) {
        EndlessBuf buf(fill);
        std::istream in(&buf);
        core::GameState state;
        const auto failure = core::loadWords(state, in, core::LoadErrors("worte.txt"));
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->line, line);
        EXPECT_LT(buf.served, 256u * 1024);
    }
}

// The browser refuses a larger file before reading it, so the bound must hold the longest list
// that loads: 1000 lines of 50 euro signs, three bytes each in UTF-8.
TEST(LoadWordsTest, LongestValidListFitsTheByteBound) {
    std::string euros;
    for (int i = 0; i < core::kMaxLetters; ++i) {
        euros += "\xE2\x82\xAC";
    }
    const std::string bytes = "\xEF\xBB\xBF" + lines(core::kMaxWords, euros);
    core::GameState state;
    EXPECT_FALSE(loadBytes(state, bytes));
    EXPECT_LE(bytes.size(), core::kMaxListBytes);
}

// A list from a web address names the address where a file names its folder.
TEST(LoadWordsTest, ListFromAnAddressIsNamedByIt) {
    const core::LoadErrors errors("klasse-3b.txt", "https://schule.example/spiel/");
    std::istringstream in("Haus\n" + std::string(51, 'x') + "\n");
    core::GameState state;
    const auto failure = core::loadWords(state, in, errors);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message, "Die Wortliste \"klasse-3b.txt\" im Ordner "
                                "\"https://schule.example/spiel/\" ist fehlerhaft: Zeile 2 hat ein "
                                "Wort mit mehr als 50 Zeichen.");
    EXPECT_EQ(errors.notFound().message, "Die Wortliste \"klasse-3b.txt\" wurde im Ordner "
                                         "\"https://schule.example/spiel/\" nicht gefunden.");
}

// Each case in a folder of its own, unique so that two runs at once keep apart; its name is
// not ASCII, as a player's folder may well not be.
class LoadWordsFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        do {
            m_dir = std::filesystem::temp_directory_path() /
                    (u8"swp-Spiele für Kinder-" + asU8(std::to_string(random())));
        } while (!std::filesystem::create_directory(m_dir));
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    static std::u8string asU8(const std::string& text) { return {text.begin(), text.end()}; }
    static std::string utf8(const std::filesystem::path& path) {
        const std::u8string text = path.u8string();
        return {text.begin(), text.end()};
    }

    std::filesystem::path m_dir;
};

TEST_F(LoadWordsFileTest, ReadsTheFile) {
    std::ofstream(m_dir / "worte.txt", std::ios::binary) << "Br" UE "cke\r\nHaus\r\n";
    core::GameState state;
    EXPECT_FALSE(loadFile(state, m_dir / "worte.txt"));
    EXPECT_EQ(wordsOf(state), (Words{"Br" UE "cke", "Haus"}));
}

// Windows tells a missing file from a missing folder on the way; both are "not found".
TEST_F(LoadWordsFileTest, MissingFileNamesTheFolder) {
    for (const std::filesystem::path& folder : {m_dir, m_dir / "fehlt"}) {
        core::GameState state;
        const auto failure = loadFile(state, folder / "worte.txt");
        ASSERT_TRUE(failure);
        EXPECT_NE(failure->message.find("\"worte.txt\" wurde im Ordner \"" + utf8(folder) + "\""),
                  std::string::npos)
            << failure->message;
        EXPECT_NE(failure->message.find("nicht gefunden"), std::string::npos) << failure->message;
    }
}

TEST_F(LoadWordsFileTest, FolderIsRefused) {
    std::filesystem::create_directory(m_dir / "worte.txt");
    core::GameState state;
    const auto failure = loadFile(state, m_dir / "worte.txt");
    ASSERT_TRUE(failure);
    EXPECT_NE(
        failure->message.find("\"worte.txt\" im Ordner \"" + utf8(m_dir) + "\" ist ein Ordner"),
        std::string::npos)
        << failure->message;
}

#ifdef _WIN32
// Windows editors keep the file they show open without sharing it; the player must hear that,
// not that the file may not be read.
TEST_F(LoadWordsFileTest, LockedByAnotherProgramSaysSo) {
    const std::filesystem::path file = m_dir / "worte.txt";
    std::ofstream(file, std::ios::binary) << "Haus\r\n";
    const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    core::GameState state;
    const auto failure = loadFile(state, file);
    CloseHandle(held);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->message.find(
                  "konnte nicht geöffnet werden: ein anderes Programm hat sie gesperrt"),
              std::string::npos)
        << failure->message;
}
#endif

// Only a missing file is "not found"; other failures say why.
TEST_F(LoadWordsFileTest, LinkLoopIsNotReachable) {
    std::error_code ec;
    std::filesystem::create_symlink(m_dir / "worte.txt", m_dir / "worte.txt", ec);
    if (ec) {
        GTEST_SKIP() << "no symbolic link here: " << ec.message();
    }
    core::GameState state;
    const auto loop = loadFile(state, m_dir / "worte.txt");
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->message.find("nicht gefunden"), std::string::npos) << loop->message;
    EXPECT_NE(loop->message.find("nicht erreichbar"), std::string::npos) << loop->message;
}

// Reading address 0 of one's own memory fails with an input/output error.
TEST(LoadWordsReadErrorTest, SaysInputOutputError) {
#ifdef _WIN32
    GTEST_SKIP() << "needs Linux's /proc/self/mem, which Wine shows but cannot read";
#endif
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "needs Linux's read error on /proc/self/mem, which node's file layer hides";
#endif
    if (!std::filesystem::exists("/proc/self/mem")) {
        GTEST_SKIP() << "needs Linux's /proc/self/mem";
    }
    core::GameState state;
    const auto io = loadFile(state, "/proc/self/mem");
    ASSERT_TRUE(io);
    EXPECT_NE(io->message.find("Ein-/Ausgabefehler"), std::string::npos) << io->message;
}

TEST_F(LoadWordsFileTest, ShippedListIsValid) {
    core::GameState state;
    const auto failure = loadFile(state, SWP_SOURCE_DIR "/data/worte.txt");
    ASSERT_FALSE(failure) << failure->message;
    EXPECT_GE(state.wordCount, 300);
    std::set<std::string> seen;
    for (int row = 1; row <= state.wordCount; ++row) {
        const std::string& word = state.word(row);
        EXPECT_TRUE(seen.insert(word).second) << "twice: " << word;
        EXPECT_GE(word.size(), 4u) << word;
        EXPECT_LE(word.size(), 14u) << word;
    }
}
