#include "platform/web/wordlists.h"

#include "core/gamestate.h"
#include "core/wordlist.h"
#include "ui/form1.h"

#include <cstdint>
#include <emscripten/bind.h>
#include <filesystem>
#include <sstream>

namespace web {

namespace {

// The one size rule, for the page: it reads no more of a served list than this, and refuses a
// picked file larger than this unread, from its size alone.
double maxListBytes() {
    return double(core::kMaxListBytes);
}

// The message for a picked file that no list can be, or empty.
std::string checkListSize(const std::string& name, double bytes) {
    if (bytes <= double(core::kMaxListBytes)) {
        return {};
    }
    return core::LoadErrors(std::filesystem::path(name).filename())
        .tooLarge(std::uintmax_t(bytes))
        .message;
}

} // namespace

// The page puts what it fetched on the module before the program starts: the list's bytes (at
// most maxListBytes of them), its name and folder, or why there are none.
std::optional<core::LoadError> loadServedList(ui::Form1& form) {
    const emscripten::val list = emscripten::val::module_property("swpList");
    if (list.isUndefined()) {
        return core::LoadErrors(std::string(core::kWordListName), "")
            .notReceived("die Seite hat sie nicht übergeben");
    }
    const core::LoadErrors errors(list["name"].as<std::string>(), list["folder"].as<std::string>());
    if (list["missing"].as<bool>()) {
        return errors.notFound();
    }
    if (list["bytes"].isNull()) {
        return errors.notReceived(list["reason"].as<std::string>());
    }
    std::istringstream in(list["bytes"].as<std::string>());
    return form.Form_Load(in, errors);
}

std::string PlayersList::load(const std::string& bytes, const std::string& name) const {
    std::istringstream in(bytes);
    const auto error =
        m_form->Form_Load(in, core::LoadErrors(std::filesystem::path(name).filename()));
    return error ? error->message : std::string();
}

} // namespace web

EMSCRIPTEN_BINDINGS(word_lists) {
    emscripten::function("maxListBytes", &web::maxListBytes);
    emscripten::function("checkListSize", &web::checkListSize);
    emscripten::class_<web::PlayersList>("PlayersList").function("load", &web::PlayersList::load);
}
