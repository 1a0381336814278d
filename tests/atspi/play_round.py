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

import sys

import pyatspi

from atspi_session import MISSES, WORD, Failure, Session, main, wait_for


def named(root, name):
    return pyatspi.findDescendant(root, lambda node: node is not None and node.name == name)


def fresh(accessible):
    """The object with what its application says now, not what an earlier call cached."""
    accessible.clear_cache()
    return accessible


def text_of(accessible):
    return fresh(accessible).queryText().getText(0, -1)


def has_state(accessible, state):
    return fresh(accessible).getState().contains(state)


class TextChanges:
    """The objects whose text changed within a with block."""

    def __init__(self):
        self.sources = []

    def on_text_changed(self, event):
        self.sources.append(event.source)

    def __enter__(self):
        pyatspi.Registry.registerEventListener(self.on_text_changed, "object:text-changed")
        return self

    def __exit__(self, *exception):
        pyatspi.Registry.deregisterEventListener(self.on_text_changed, "object:text-changed")

    def of(self, accessible):
        return any(source == accessible for source in self.sources)


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


class Game:
    """The game's objects on the accessibility bus, and what it announces."""

    def __init__(self, session):
        desktop = pyatspi.Registry.getDesktop(0)

        def application():
            session.check_game()
            for child in desktop:
                if child is not None and named(child, "Geheimes Wort") is not None:
                    return child
            return None

        self.app = wait_for("das Spiel auf dem Bus", application)
        self.question = named(self.app, "Fragezeichen: neues geheimes Wort")
        self.word = named(self.app, "Geheimes Wort")
        self.gallows = named(self.app, "Galgen")
        for name, node in (("Fragezeichen", self.question), ("Geheimes Wort", self.word),
                           ("Galgen", self.gallows)):
            if node is None:
                raise Failure(f"kein Objekt namens {name!r}")
        self.heard = Heard(self.app)


def press_question(game):
    """The question mark's accessible action starts a round, as its click does."""
    action = game.question.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise Failure(f"das Fragezeichen bietet kein Drücken an, nur {names}")
    action.doAction(names.index("Press"))
    masked = wait_for("das Wort nach dem Drücken",
                      lambda: text_of(game.word) == "-" * len(WORD) and text_of(game.word))
    said = game.heard.wait("die Ansage des Rundenbeginns", f"{masked}, 0 von 8 Fehlern")
    print(f"Geheimes Wort: {masked}; Ansage: {said}")
    return masked


def lose_round(session, game, masked):
    """Misses count on the gallows, a hit changes the word's text, the eighth miss loses."""
    for count, key in enumerate(MISSES[:3], start=1):
        session.type(key)
        wait_for(f"Beschreibung nach {count} Fehlern",
                 lambda: fresh(game.gallows).description.startswith(f"{count} von 8"))
        game.heard.wait(f"die Ansage nach {count} Fehlern", f"{masked}, {count} von 8 Fehlern")
    description = fresh(game.gallows).description
    if "3" not in description:
        raise Failure(f"nach drei Fehlern sagt der Galgen {description!r}")
    print(f"Galgen: {description}")

    with TextChanges() as changes:
        session.type("h")
        wait_for("das Wort nach einem Treffer", lambda: text_of(game.word) == "H---")
        wait_for("ein Textereignis des Wortes", lambda: changes.of(game.word))
    print(f"Geheimes Wort: {text_of(game.word)}")

    for count, key in enumerate(MISSES[3:], start=4):
        session.type(key)
        if count < 8:
            game.heard.wait(f"die Ansage nach {count} Fehlern", f"H---, {count} von 8 Fehlern")
    description = wait_for("das Ende der Runde",
                           lambda: "verloren" in fresh(game.gallows).description
                           and fresh(game.gallows).description)
    said = game.heard.wait("die Ansage des Verlusts", f"{WORD}, 8 von 8 Fehlern, verloren")
    print(f"Galgen: {description}; Geheimes Wort: {text_of(game.word)}; Ansage: {said}")
    if text_of(game.word) != WORD:
        raise Failure(f"nach dem Verlust zeigt das Wort {text_of(game.word)!r} statt {WORD!r}")


def new_round_by_keyboard(session, game):
    """Tab and Enter reach "Neues Spiel", then the question mark, which starts a round."""
    new_game = named(game.app, "Neues Spiel")
    session.press("Tab")
    wait_for("der Fokus auf \"Neues Spiel\"", lambda: has_state(new_game, pyatspi.STATE_FOCUSED))
    session.press("Return")
    wait_for("das Startbild", lambda: not has_state(game.word, pyatspi.STATE_SHOWING))
    print(f"Startbild; Galgen: {fresh(game.gallows).description}")
    question = game.question
    session.press("Tab", "Tab")
    wait_for("der Fokus auf dem Fragezeichen", lambda: has_state(question, pyatspi.STATE_FOCUSED))
    if not has_state(question, pyatspi.STATE_EDITABLE) or text_of(question) != "?":
        raise Failure(f"das Fragezeichen ist kein Textfeld mit \"?\", sondern {text_of(question)!r}")
    print(f"Fokus: {question.name} ({question.getRoleName()}): {text_of(question)}")

    session.press("Return")
    masked = "-" * len(WORD)
    wait_for("das Wort nach Enter", lambda: text_of(game.word) == masked)
    said = game.heard.wait("die Ansage des Rundenbeginns", f"{masked}, 0 von 8 Fehlern")
    print(f"Enter; Ansage: {said}")
    return masked


def check_word_states(word):
    """The word box is read-only text a screen reader reads out, not a disabled control."""
    for state in (pyatspi.STATE_ENABLED, pyatspi.STATE_SENSITIVE):
        if not has_state(word, state):
            raise Failure(f"das Wort meldet sich nicht als {state.value_nick}")
    if not has_state(word, pyatspi.STATE_READ_ONLY) or has_state(word, pyatspi.STATE_FOCUSABLE):
        raise Failure("das Wort ist nicht nur lesbar oder nimmt den Fokus: "
                      + " ".join(state.value_nick for state in fresh(word).getState().getStates()))


def win_round(session, game, masked):
    """A miss leaves the word box silent; each letter is announced, the last one wins."""
    with TextChanges() as changes:
        session.press("x")
        said = game.heard.wait("die Ansage nach einem Fehler", f"{masked}, 1 von 8 Fehlern")
    if changes.of(game.word):
        raise Failure("das unveränderte Wort meldet nach einem Fehler eine Textänderung")
    print(f"x; Ansage: {said}")

    expected = ""
    for letter in WORD.lower():
        expected = "".join(c if c.lower() in expected.lower() + letter else "-" for c in WORD)
        session.press(letter)
        said = game.heard.wait(f"die Ansage nach {letter!r}", expected + ",")
        print(f"{letter}; Ansage: {said}")
    if not said.endswith("gewonnen") or fresh(game.gallows).description != "gewonnen":
        raise Failure(f"nach dem letzten Buchstaben: {said!r}, Galgen {game.gallows.description!r}")


def use_up_list(session, game):
    """Both words are played: the question mark only says so."""
    session.press("Tab", "Return")
    wait_for("das Startbild", lambda: not has_state(game.word, pyatspi.STATE_SHOWING))
    session.press("Tab", "Tab", "Return")
    said = game.heard.wait("die Ansage der verbrauchten Liste", "Alle Worte verbraucht !!!")
    print(f"Enter; Ansage: {said}")


def attempt(game_path):
    with Session("swp-atspi-") as session:
        session.env["XDG_RUNTIME_DIR"] = session.scratch
        session.start_bus()
        session.start_game(game_path, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        game = Game(session)
        masked = press_question(game)
        session.focus_window()
        lose_round(session, game, masked)
        masked = new_round_by_keyboard(session, game)
        check_word_states(game.word)
        win_round(session, game, masked)
        use_up_list(session, game)


if __name__ == "__main__":
    sys.exit(main(__doc__, attempt,
                  "AT-SPI: eine Runde verloren, eine mit der Tastatur gewonnen, die Liste"
                  " verbraucht, wie erwartet",
                  "AT-SPI-Test fehlgeschlagen"))
