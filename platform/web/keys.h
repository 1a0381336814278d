#pragma once

#include <string>

namespace ui {
class Form1;
}

namespace web {

// A phone's or tablet's on-screen keyboard, which the page holds open in a text field of its
// own: what it types goes to the window as a desk's keys would.
class TouchKeys {
public:
    explicit TouchKeys(ui::Form1& form) : m_form(&form) {}

    // Presses and releases each character of text (8, 13 and 27 as Backspace, Enter and Escape)
    // on the window's focus; the answer says whether a round is still open, so that the page
    // lets the keyboard go when one ends.
    bool type(const std::string& text) const;
    // Whether a tap at x, y of the window wants the keyboard.
    bool wanted(int x, int y) const;

private:
    ui::Form1* m_form;
};

// A browser hands over Ctrl chords with their plain letter as text: Ctrl+L would guess L. Those
// that reach the page at all are the browser's (address bar, tabs, reload), so the game drops
// them before any control of form sees them.
void dropBrowserChords(ui::Form1& form);

} // namespace web
