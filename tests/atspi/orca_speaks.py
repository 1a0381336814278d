#!/usr/bin/python3

"""Orca, Debian's screen reader, speaks what the game announces.

    xvfb-run -a -s "-noreset" dbus-run-session -- tests/atspi/orca_speaks.py GAME

On the display it is given, starts the accessibility bus and Orca in German, speaking through
speech-dispatcher's silent dummy voice and writing every utterance to its debug log. Then starts
GAME, which turns its accessibility on because Orca runs, with a list that holds one word twice,
and plays with the keyboard alone: a round lost, a round won, the used-up list. After each key
it waits for Orca to say what the game announced.
Exits 0 on success, 1 with a message naming the utterance that did not come and what Orca said
last.
"""

import os
import re
import shutil
import signal
import subprocess
import sys

from atspi_session import MISSES, WORD, Failure, Session, main, wait_for

# Orca starts slowly and works through events one at a time; on a busy machine one event can
# take seconds.
ORCA_START_SECONDS = 60
ORCA_STEP_SECONDS = 30
UTTERANCE = re.compile(r" - SPEECH OUTPUT: '(.*?)'(?: ?\{.*\})?$")


class Speech:
    """What Orca has said, read from its debug log."""

    def __init__(self, log):
        self.log = log
        self.read = 0
        self.pending = ""
        self.said = []
        self.heard = 0  # said[:heard] is matched or passed over

    def poll(self):
        if os.path.exists(self.log):
            with open(self.log, "rb") as stream:
                stream.seek(self.read)
                chunk = stream.read()
            self.read += len(chunk)
            lines = (self.pending + chunk.decode("utf-8", "replace")).split("\n")
            self.pending = lines.pop()
            for line in lines:
                match = UTTERANCE.search(line)
                if match:
                    self.said.append(match.group(1))
        return self.said

    def wait(self, what, matches, seconds=ORCA_STEP_SECONDS):
        def probe():
            for index in range(self.heard, len(self.poll())):
                if matches(self.said[index]):
                    self.heard = index + 1
                    return self.said[index]
            return None
        try:
            return wait_for(what, probe, seconds)
        except Failure as failure:
            last = "; ".join(repr(text) for text in self.said[-8:]) or "nichts"
            raise Failure(f"{failure}; Orca sagte zuletzt: {last}") from None

    def expect(self, text):
        return self.wait(f"Orca sagt {text!r}", lambda said: said == text)


def orca_environment(scratch):
    """German, a home of its own, and speech-dispatcher's silent voice."""
    env = dict(os.environ, LANG="de_DE.UTF-8",
               LANGUAGE="de", HOME=os.path.join(scratch, "home"),
               XDG_RUNTIME_DIR=os.path.join(scratch, "run"),
               XDG_CONFIG_HOME=os.path.join(scratch, "config"),
               XDG_DATA_HOME=os.path.join(scratch, "data"),
               XDG_CACHE_HOME=os.path.join(scratch, "cache"))
    env.pop("LC_ALL", None)
    env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
    for name in ("HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"):
        os.makedirs(env[name], mode=0o700)
    speechd = os.path.join(env["XDG_CONFIG_HOME"], "speech-dispatcher")
    os.makedirs(speechd)
    with open(os.path.join(speechd, "speechd.conf"), "w", encoding="utf-8") as conf:
        # Without a sound server the dummy voice starts only on libao.
        conf.write('AudioOutputMethod "libao"\nDefaultModule dummy\n')

    # Orca writes its log through a buffer, and this test reads it as it grows.
    os.makedirs(os.path.join(env["XDG_DATA_HOME"], "orca"))
    with open(os.path.join(env["XDG_DATA_HOME"], "orca", "orca-customizations.py"), "w",
              encoding="utf-8") as customizations:
        customizations.write("import orca.debug\n"
                             "orca.debug.debugFile.reconfigure(line_buffering=True)\n")
    return env


def start_orca(session, log):
    orca = session.start(["orca", f"--debug-file={log}"],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def listening():
        if orca.poll() is not None:
            raise Failure(f"Orca endete mit Status {orca.returncode}")
        with open(log, encoding="utf-8", errors="replace") as text:
            return "ORCA: Starting Atspi main event loop" in text.read()
    # What the game sends before Orca's listeners are in place is lost to it.
    wait_for("Orca hört zu", lambda: os.path.exists(log) and listening(), ORCA_START_SECONDS)
    return Speech(log)


def lose_round(session, speech):
    masked = "-" * len(WORD)
    session.press("Tab", "Return")  # from "Ende" to the question mark
    print(f"Rundenbeginn: {speech.expect(f'{masked}, 0 von 8 Fehlern')}")
    session.press(MISSES[0])
    print(f"{MISSES[0]}: {speech.expect(f'{masked}, 1 von 8 Fehlern')}")
    # A fast typist's keys: Orca drops an event that follows one of its kind from the same
    # program within a tenth of a second, unless its source is a window, a text or the focus.
    session.press(*MISSES[1:-1], delay=20)
    for count, key in enumerate(MISSES[1:-1], start=2):
        print(f"{key}: {speech.expect(f'{masked}, {count} von 8 Fehlern')}")
    session.press(MISSES[-1])
    print(f"{MISSES[-1]}: {speech.expect(f'{WORD}, 8 von 8 Fehlern, verloren')}")


def win_round(session, speech):
    masked = "-" * len(WORD)
    session.press("Tab", "Return", "Tab", "Tab", "Return")  # "Neues Spiel", then the question mark
    print(f"Rundenbeginn: {speech.expect(f'{masked}, 0 von 8 Fehlern')}")
    for found in range(1, len(WORD)):
        session.press(WORD[found - 1].lower())
        shown = WORD[:found] + "-" * (len(WORD) - found)
        print(f"{WORD[found - 1].lower()}: {speech.expect(f'{shown}, 0 von 8 Fehlern')}")
    session.press(WORD[-1].lower())
    print(f"{WORD[-1].lower()}: {speech.expect(f'{WORD}, gewonnen')}")


def use_up_list(session, speech):
    session.press("Tab", "Return", "Tab", "Tab", "Return")
    # The gallows' description that follows says nothing on the start screen.
    said = speech.wait("Orca sagt 'Alle Worte verbraucht !!!'",
                       lambda said: said.startswith("Alle Worte verbraucht !!!"))
    print(f"Liste verbraucht: {said}")


def play(session, game, log):
    session.env = orca_environment(session.scratch)
    session.start_bus()
    speech = start_orca(session, log)
    session.start_game(game)
    session.focus_window()
    speech.wait("Orca sagt den Fenstertitel", lambda said: said.startswith("Strickwichtspiel"))
    lose_round(session, speech)
    win_round(session, speech)
    use_up_list(session, speech)


def stop_speech_dispatcher(runtime):
    """Orca starts it on first use, and it would outlive the test by its idle timeout."""
    try:
        with open(os.path.join(runtime, "speech-dispatcher", "pid",
                               "speech-dispatcher.pid"), encoding="ascii") as pid:
            os.kill(int(pid.read().strip()), signal.SIGTERM)
    except (OSError, ValueError):
        pass


def attempt(game):
    with Session("swp-orca-") as session:
        session.at_close.append(
            lambda: stop_speech_dispatcher(os.path.join(session.scratch, "run")))
        log = os.path.join(session.scratch, "orca.log")
        try:
            play(session, game, log)
        except Failure as failure:
            # Orca's whole log tells why it did not speak; without a display it never started.
            if not os.path.exists(log):
                raise
            kept = os.path.abspath("orca_speaks.log")
            shutil.copy(log, kept)
            raise Failure(f"{failure} (Orcas Protokoll: {kept})") from None


if __name__ == "__main__":
    sys.exit(main(__doc__, attempt,
                  "Orca: Rundenbeginn, jeder Fehler, Verlust, Gewinn und die verbrauchte Liste"
                  " gesprochen",
                  "Orca-Test fehlgeschlagen"))
