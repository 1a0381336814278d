"""What the AT-SPI tests share: a scratch folder with the game's word list, the accessibility
bus, the game on the display xvfb-run gives, its window in the X focus, keys, and main()."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from gi.repository import GLib

STEP_SECONDS = 10
WORD = "Haus"
MISSES = "xyzqjvwk"


class Failure(Exception):
    pass


def wait_for(what, probe, seconds=STEP_SECONDS):
    """Polls probe() until it returns something true, pumping AT-SPI's events meanwhile."""
    deadline = time.monotonic() + seconds
    last = None
    while time.monotonic() < deadline:
        try:
            last = probe()
        except GLib.Error as error:  # the object may not be on the bus yet
            last = error
        if last and not isinstance(last, GLib.Error):
            return last
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        time.sleep(0.05)
    raise Failure(f"{what}: nach {seconds} s nicht erreicht (zuletzt: {last!r})")


def check_display():
    """The display xvfb-run gives; a game without one would abort, so it fails here."""
    display = os.environ.get("DISPLAY", "")
    if not display or subprocess.run(["xdotool", "getdisplaygeometry"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL,
                                     timeout=STEP_SECONDS).returncode != 0:
        raise Failure(f"Xvfb ist nicht gestartet: kein Bildschirm auf DISPLAY={display!r}")


class Session:
    """One test's scratch folder and the processes it starts, which end in reverse order when
    the test does; then at_close runs, then the folder goes."""

    def __init__(self, prefix):
        self.scratch = tempfile.mkdtemp(prefix=prefix)
        self.env = dict(os.environ)
        self.processes = []
        self.game = None
        self.at_close = []

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        for process in reversed(self.processes):
            process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
        for close in self.at_close:
            close()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def start(self, command, **options):
        process = subprocess.Popen(command, env=options.pop("env", self.env), **options)
        self.processes.append(process)
        return process

    def start_bus(self):
        check_display()
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def start_game(self, game, **env):
        """GAME with a list that holds WORD twice, so that a second round can use it up."""
        with open(os.path.join(self.scratch, "worte.txt"), "wb") as words:
            words.write((WORD.encode("cp1252") + b"\r\n") * 2)
        self.game = self.start([game], cwd=self.scratch,
                               env=dict(self.env, QT_QPA_PLATFORM="xcb", **env))

    def check_game(self):
        if self.game.poll() is not None:
            raise Failure(f"das Spiel endete mit Status {self.game.returncode}")

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.env, stdout=subprocess.PIPE,
                              text=True, timeout=STEP_SECONDS, check=True).stdout

    def focus_window(self):
        """Keys go to the window that has the X focus; no window manager gives it."""
        window = self.xdotool("search", "--sync", "--onlyvisible", "--name",
                              "^Strickwichtspiel$").split()[0]
        self.xdotool("windowfocus", "--sync", window)

    def press(self, *keys, delay=50):
        self.check_game()
        self.xdotool("key", "--delay", str(delay), *keys)

    def type(self, text):
        self.check_game()
        self.xdotool("type", text)


def main(usage, attempt, passed, failed):
    """Runs attempt(GAME) for the one argument: 0 with passed, 1 with failed and why."""
    if len(sys.argv) != 2:
        print(usage, file=sys.stderr)
        return 2
    try:
        attempt(os.path.abspath(sys.argv[1]))
        print(passed)
        return 0
    except (Failure, subprocess.SubprocessError) as error:
        print(f"{failed}: {error}", file=sys.stderr)
        return 1
