#pragma once

#include "core/loaderror.h"

#include <optional>
#include <string>

namespace ui {
class Form1;
}

namespace web {

// Hands form the list the page fetched from the server beside it, before the window is shown.
std::optional<core::LoadError> loadServedList(ui::Form1& form);

// A list the player picked or dropped on the page, which reads it there; it never leaves it.
class PlayersList {
public:
    explicit PlayersList(ui::Form1& form) : m_form(&form) {}

    // The message for a bad list, or empty when the game has started afresh with it.
    std::string load(const std::string& bytes, const std::string& name) const;

private:
    ui::Form1* m_form;
};

} // namespace web
