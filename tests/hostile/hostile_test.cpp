// Starts the real program on hostile word lists: each must end with a German message on
// standard error and exit code 1, quickly and without reading the whole file into memory.
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Linux counts the peak in kilobytes; other systems count it otherwise.
#ifdef __linux__
constexpr bool kPeakInKiB = true;
#else
constexpr bool kPeakInKiB = false;
#endif

struct GameRun {
    int exitCode = -1;
    std::string stderrText;
    long peakKiB = 0;
};

// Runs the game in `folder` on the offscreen platform and waits for it to end; as root, with
// unprivileged set, it runs as nobody from a copy that nobody may execute. environment, run in
// the child, may change what the game finds.
GameRun runGame(const fs::path& folder, bool unprivileged = false,
                const std::function<void()>& environment = {}) {
    fs::path game = SWP_GAME;
    const bool drop = unprivileged && geteuid() == 0;
    if (drop) {
        game = folder.parent_path() / "strickwichtspiel";
        fs::copy_file(SWP_GAME, game, fs::copy_options::overwrite_existing);
    }
    const fs::path errors = folder.parent_path() / (folder.filename().string() + ".err");
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDERR_FILENO);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (environment) {
            environment();
        }
        if (drop && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(125);
        }
        execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    GameRun run;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.peakKiB = usage.ru_maxrss;
    std::ifstream in(errors);
    run.stderrText.assign(std::istreambuf_iterator<char>(in), {});
    return run;
}

class HostileListTest : public testing::Test {
protected:
    void SetUp() override {
        // A name nobody can know beforehand: as root, the test runs a program copied there.
        std::string root =
            (fs::temp_directory_path() /
             (std::string("swp-hostile-") +
              testing::UnitTest::GetInstance()->current_test_info()->name() + "-XXXXXX"))
                .string();
        ASSERT_NE(mkdtemp(root.data()), nullptr) << std::strerror(errno);
        m_root = root;
        // The unprivileged run reaches its copy and its list as nobody.
        fs::permissions(m_root, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
        fs::create_directories(m_root / "game");
        m_list = m_root / "game" / "worte.txt";
    }
    void TearDown() override { fs::remove_all(m_root); }

    void write(const std::string& bytes) { std::ofstream(m_list, std::ios::binary) << bytes; }

    // Peak memory of a run that fails at once, as the yardstick for the others.
    long baselineKiB() { return runGame(m_root / "empty").peakKiB; }

    void expectRefused(const std::string& says) {
        const GameRun run = runGame(m_root / "game");
        EXPECT_EQ(run.exitCode, 1) << run.stderrText;
        EXPECT_NE(run.stderrText.find(says), std::string::npos) << run.stderrText;
        EXPECT_NE(run.stderrText.find("worte.txt"), std::string::npos) << run.stderrText;
        m_last = run;
    }

    fs::path m_root;
    fs::path m_list;
    GameRun m_last;
};

} // namespace

TEST_F(HostileListTest, MissingFile) {
    fs::create_directories(m_root / "empty");
    const GameRun run = runGame(m_root / "empty");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.stderrText.find("nicht gefunden"), std::string::npos) << run.stderrText;
    EXPECT_NE(run.stderrText.find((m_root / "empty").string()), std::string::npos)
        << run.stderrText;
}

TEST_F(HostileListTest, FolderNamedLikeTheList) {
    fs::create_directory(m_list);
    expectRefused("Ordner");
}

TEST_F(HostileListTest, UnreadableListSaysWhy) {
    write("Haus\r\n");
    fs::permissions(m_list, fs::perms::none);
    const GameRun run = runGame(m_root / "game", true);
    EXPECT_EQ(run.exitCode, 1) << run.stderrText;
    EXPECT_NE(run.stderrText.find("keine Leseberechtigung"), std::string::npos) << run.stderrText;
    EXPECT_NE(run.stderrText.find("worte.txt"), std::string::npos) << run.stderrText;
}

TEST_F(HostileListTest, SmallBadLists) {
    std::string thousandAndOne;
    for (int i = 0; i < 1001; ++i) {
        thousandAndOne += "Wort\r\n";
    }
    const struct {
        std::string bytes;
        const char* says;
    } lists[] = {
        {thousandAndOne, "Zeile 1001"},
        {"Haus\r\n" + std::string(51, 'x') + "\r\n", "Zeile 2"},
        {std::string("Haus\r\nB\0se\r\n", 12), "Nullbyte"},
        {"\xEF\xBB\xBFHaus\r\n\xE4rger\r\n", "UTF-8"},
        {"Haus\r\n\xC5\x81"
         "odz\r\n",
         "U+0141"},
    };
    for (const auto& list : lists) {
        write(list.bytes);
        expectRefused(list.says);
    }
}

TEST_F(HostileListTest, HugeLineIsNotReadWhole) {
    fs::create_directories(m_root / "empty");
    const long baseline = baselineKiB();
    {
        std::ofstream out(m_list, std::ios::binary);
        const std::string block(1 << 20, 'x');
        for (int i = 0; i < 200; ++i) {
            out << block;
        }
    }
    expectRefused("50 Zeichen");
    if (!kPeakInKiB) {
        GTEST_SKIP() << "the memory check needs ru_maxrss in kilobytes, as on Linux";
    }
    EXPECT_LT(m_last.peakKiB, baseline + 16 * 1024);
}

// 2 GB of line feeds, streamed through a pipe so the test does not have to store them.
TEST_F(HostileListTest, EndlessLineFeedsStopAtTheLimit) {
    fs::create_directories(m_root / "empty");
    const long baseline = baselineKiB();
    ASSERT_EQ(mkfifo(m_list.c_str(), 0600), 0);
    std::thread writer([path = m_list] {
        std::signal(SIGPIPE, SIG_IGN);
        const int fd = open(path.c_str(), O_WRONLY);
        const std::string block(1 << 16, '\n');
        for (long long sent = 0; fd >= 0 && sent < (2LL << 30); sent += block.size()) {
            if (::write(fd, block.data(), block.size()) < 0) {
                break; // the game stopped reading
            }
        }
        close(fd);
    });
    expectRefused("Zeile 1001");
    // Should the game never have opened the pipe, this releases the writer's open.
    close(open(m_list.c_str(), O_RDONLY | O_NONBLOCK));
    writer.join();
    if (!kPeakInKiB) {
        GTEST_SKIP() << "the memory check needs ru_maxrss in kilobytes, as on Linux";
    }
    EXPECT_LT(m_last.peakKiB, baseline + 16 * 1024);
}

// No screen to be had: a German message that says why, exit code 1 and no abort.
TEST_F(HostileListTest, NoScreen) {
    write("Haus\r\n");
    const struct {
        const char* display; // nullptr: unset
        const char* says;
    } cases[] = {
        {nullptr, "weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt"},
        {":5999", "keine Verbindung zu DISPLAY=\u201E:5999\u201C"},
    };
    for (const auto& screen : cases) {
        const GameRun run = runGame(m_root / "game", false, [&] {
            unsetenv("QT_QPA_PLATFORM");
            unsetenv("WAYLAND_DISPLAY");
            unsetenv("XDG_SESSION_TYPE");
            if (screen.display != nullptr) {
                setenv("DISPLAY", screen.display, 1);
            } else {
                unsetenv("DISPLAY");
            }
        });
        EXPECT_EQ(run.exitCode, 1) << run.stderrText;
        EXPECT_EQ(run.stderrText,
                  std::string("Kein Bildschirm erreichbar: ") + screen.says + ".\n");
    }
}

// A plugin that is not installed is the installation's fault, not the display's.
TEST_F(HostileListTest, MissingPlatformPlugin) {
    write("Haus\r\n");
    const GameRun run = runGame(m_root / "game", false, [] {
        setenv("QT_QPA_PLATFORM", "keinmodul", 1);
        setenv("DISPLAY", ":5999", 1);
    });
    EXPECT_EQ(run.exitCode, 1) << run.stderrText;
    const std::string says =
        "Das Spiel kann nicht starten: Das Qt-Plattformmodul \u201Ekeinmodul\u201C "
        "(QT_QPA_PLATFORM=\u201Ekeinmodul\u201C) ist nicht installiert. "
        "Installiert sind: ";
    EXPECT_EQ(run.stderrText.substr(0, says.size()), says);
    EXPECT_NE(run.stderrText.find("offscreen"), std::string::npos) << run.stderrText;
}
