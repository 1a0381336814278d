#!/usr/bin/python3

"""Plays two rounds through AT-SPI, as a screen reader would.

    xvfb-run -a -s "-noreset" dbus-run-session -- tests/atspi/play_round.py GAME

Starts its own accessibility bus on the display it is given, starts GAME there with a list
that holds one word twice. The first round: presses the question mark through its accessible
action, reads the word box, types misses and reads the gallows' description until the round is
lost. The second, with the keyboard alone: Tab to "Neues Spiel", Enter, Tab to the question
mark, Enter, letters to a win, then once more to the used-up list, reading the tree and what
the game announces at each step.
Exits 0 on success, 1 with a message naming the step that failed; no step waits longer than a
few seconds.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
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


def named(root, name):
    return pyatspi.findDescendant(root, lambda node: node is not None and node.name == name)


def fresh(accessible):
    """The object with what its application says now, not what an earlier call cached."""
    accessible.clear_cache()
    return accessible


def text_of(accessible):
    return fresh(accessible).queryText().getText(0, -1)


def play(game, scratch, processes):
    check_display()
    env = dict(os.environ, XDG_RUNTIME_DIR=scratch)
    os.chmod(scratch, 0o700)
    processes.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                      env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

    with open(os.path.join(scratch, "worte.txt"), "wb") as words:
        words.write(WORD.encode("cp1252") + b"\r\n" + WORD.encode("cp1252") + b"\r\n")
    game_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    game_process = subprocess.Popen([game], cwd=scratch, env=game_env)
    processes.append(game_process)

    desktop = pyatspi.Registry.getDesktop(0)

    def application():
        if game_process.poll() is not None:
            raise Failure(f"das Spiel endete mit Status {game_process.returncode}")
        for child in desktop:
            if child is not None and named(child, "Geheimes Wort") is not None:
                return child
        return None

    app = wait_for("das Spiel auf dem Bus", application)
    question = named(app, "Fragezeichen: neues geheimes Wort")
    word = named(app, "Geheimes Wort")
    gallows = named(app, "Galgen")
    for name, node in (("Fragezeichen", question), ("Geheimes Wort", word), ("Galgen", gallows)):
        if node is None:
            raise Failure(f"kein Objekt namens {name!r}")

    changes = []

    def on_text_changed(event):
        changes.append(event.source)

    pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
    heard = Heard(app)

    action = question.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise Failure(f"das Fragezeichen bietet kein Drücken an, nur {names}")
    action.doAction(names.index("Press"))
    masked = wait_for("das Wort nach dem Drücken", lambda: text_of(word) == "-" * len(WORD)
                      and text_of(word))
    print(f"Geheimes Wort: {masked}; Ansage: "
          f"{heard.wait('die Ansage des Rundenbeginns', f'{masked}, 0 von 8 Fehlern')}")

    # Keys go to the window that has the X focus; there is no window manager to give it.
    window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Strickwichtspiel$"],
                            env=env, capture_output=True, text=True, timeout=STEP_SECONDS,
                            check=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, timeout=STEP_SECONDS,
                   check=True)

    def type_key(key):
        subprocess.run(["xdotool", "type", key], env=env, timeout=STEP_SECONDS, check=True)

    for count, key in enumerate(MISSES[:3], start=1):
        type_key(key)
        wait_for(f"Beschreibung nach {count} Fehlern",
                 lambda: fresh(gallows).description.startswith(f"{count} von 8"))
        heard.wait(f"die Ansage nach {count} Fehlern", f"{masked}, {count} von 8 Fehlern")
    description = fresh(gallows).description
    if "3" not in description:
        raise Failure(f"nach drei Fehlern sagt der Galgen {description!r}")
    print(f"Galgen: {description}")

    changes.clear()
    type_key("h")
    wait_for("das Wort nach einem Treffer", lambda: text_of(word) == "H---")
    wait_for("ein Textereignis des Wortes", lambda: any(source == word for source in changes))
    print(f"Geheimes Wort: {text_of(word)}")

    for count, key in enumerate(MISSES[3:], start=4):
        type_key(key)
        if count < 8:
            heard.wait(f"die Ansage nach {count} Fehlern", f"H---, {count} von 8 Fehlern")
    description = wait_for("das Ende der Runde",
                           lambda: "verloren" in fresh(gallows).description
                           and fresh(gallows).description)
    said = heard.wait("die Ansage des Verlusts", f"{WORD}, 8 von 8 Fehlern, verloren")
    print(f"Galgen: {description}; Geheimes Wort: {text_of(word)}; Ansage: {said}")
    if text_of(word) != WORD:
        raise Failure(f"nach dem Verlust zeigt das Wort {text_of(word)!r} statt {WORD!r}")
    pyatspi.Registry.deregisterEventListener(on_text_changed, "object:text-changed")

    keyboard_round(env, app, question, word, gallows, heard)


def has_state(accessible, state):
    return fresh(accessible).getState().contains(state)


class Heard:
    """What the game has a screen reader say: Qt 6.8 sends announcements, older Qt names an
    unseen notification anew. Call poll() while waiting."""

    def __init__(self, app):
        self.app = app
        self.texts = []
        self.notification = None
        pyatspi.Registry.registerEventListener(self.on_announcement, "object:announcement")

    def on_announcement(self, event):
        self.texts.append(str(event.any_data))

    def poll(self):
        if self.notification is None:  # made with the first text
            self.notification = pyatspi.findDescendant(
                self.app,
                lambda node: node is not None and node.getRole() == pyatspi.ROLE_NOTIFICATION)
        if self.notification is not None:
            name = fresh(self.notification).name
            if name and (not self.texts or self.texts[-1] != name):
                self.texts.append(name)
        return self.texts

    def wait(self, what, expected):
        """The first text said since the last wait that starts with expected."""
        def said():
            for index, text in enumerate(self.poll()):
                if text.startswith(expected):
                    del self.texts[:index + 1]
                    return text
            return None
        return wait_for(what, said)


def keyboard_round(env, app, question, word, gallows, heard):
    """Tab and Enter reach everything; letters win the round, and then the list is used up."""
    def press_keys(*keys):
        subprocess.run(["xdotool", "key", "--delay", "50", *keys], env=env,
                       timeout=STEP_SECONDS, check=True)

    new_game = named(app, "Neues Spiel")

    press_keys("Tab")
    wait_for("der Fokus auf \"Neues Spiel\"", lambda: has_state(new_game, pyatspi.STATE_FOCUSED))
    press_keys("Return")
    wait_for("das Startbild", lambda: not has_state(word, pyatspi.STATE_SHOWING))
    print(f"Startbild; Galgen: {fresh(gallows).description}")
    press_keys("Tab", "Tab")
    wait_for("der Fokus auf dem Fragezeichen", lambda: has_state(question, pyatspi.STATE_FOCUSED))
    if not has_state(question, pyatspi.STATE_EDITABLE) or text_of(question) != "?":
        raise Failure(f"das Fragezeichen ist kein Textfeld mit \"?\", sondern {text_of(question)!r}")
    print(f"Fokus: {question.name} ({question.getRoleName()}): {text_of(question)}")

    press_keys("Return")
    masked = "-" * len(WORD)
    wait_for("das Wort nach Enter", lambda: text_of(word) == masked)
    # The word box is read-only text a screen reader reads out, not a disabled control.
    for state in (pyatspi.STATE_ENABLED, pyatspi.STATE_SENSITIVE):
        if not has_state(word, state):
            raise Failure(f"das Wort meldet sich nicht als {state.value_nick}")
    if not has_state(word, pyatspi.STATE_READ_ONLY) or has_state(word, pyatspi.STATE_FOCUSABLE):
        raise Failure("das Wort ist nicht nur lesbar oder nimmt den Fokus: "
                      + " ".join(state.value_nick for state in fresh(word).getState().getStates()))
    said = heard.wait("die Ansage des Rundenbeginns", f"{masked}, 0 von 8 Fehlern")
    print(f"Enter; Ansage: {said}")

    # A miss leaves the masked word as it was, and the word box says nothing.
    changes = []

    def on_text_changed(event):
        changes.append(event.source)

    pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
    press_keys("x")
    said = heard.wait("die Ansage nach einem Fehler", f"{masked}, 1 von 8 Fehlern")
    pyatspi.Registry.deregisterEventListener(on_text_changed, "object:text-changed")
    if any(source == word for source in changes):
        raise Failure("das unveränderte Wort meldet nach einem Fehler eine Textänderung")
    print(f"x; Ansage: {said}")

    expected = ""
    for letter in WORD.lower():
        expected = "".join(c if c.lower() in expected.lower() + letter else "-" for c in WORD)
        press_keys(letter)
        said = heard.wait(f"die Ansage nach {letter!r}", expected + ",")
        print(f"{letter}; Ansage: {said}")
    if not said.endswith("gewonnen") or fresh(gallows).description != "gewonnen":
        raise Failure(f"nach dem letzten Buchstaben: {said!r}, Galgen {gallows.description!r}")

    # Both words are played: the question mark only says so.
    press_keys("Tab", "Return")
    wait_for("das Startbild", lambda: not has_state(word, pyatspi.STATE_SHOWING))
    press_keys("Tab", "Tab", "Return")
    said = heard.wait("die Ansage der verbrauchten Liste", "Alle Worte verbraucht !!!")
    print(f"Enter; Ansage: {said}")


def attempt(game):
    scratch = tempfile.mkdtemp(prefix="swp-atspi-")
    processes = []
    try:
        play(game, scratch, processes)
    finally:
        for process in reversed(processes):
            process.terminate()
        for process in reversed(processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(scratch, ignore_errors=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    game = os.path.abspath(sys.argv[1])
    try:
        attempt(game)
        print("AT-SPI: eine Runde verloren, eine mit der Tastatur gewonnen, die Liste verbraucht, wie"
              " erwartet")
        return 0
    except (Failure, subprocess.SubprocessError) as error:
        print(f"AT-SPI-Test fehlgeschlagen: {error}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
