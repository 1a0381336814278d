#pragma once

#include <string>

namespace ui {
class Form1;
}

namespace web {

class TreeMirror;

// The page's stand-in for the platform's accessibility bridge, which in the browser waits for a
// button of its own to be pressed and then names the text boxes not at all: each object's name,
// role, texts and place go to the page, which keeps an element for each.
class AccessibleTree {
public:
    // Starts after form's first frame, which comes the sooner for it; a screen reader hears of
    // the window a moment after it is seen.
    explicit AccessibleTree(ui::Form1& form);

    // A click of assistive technology on the page's stand-in for the object sent as id.
    void press(const std::string& id) const;

private:
    TreeMirror* m_mirror;
};

} // namespace web
