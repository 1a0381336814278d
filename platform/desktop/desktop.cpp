#include "platform/desktop/desktop.h"

#include "core/wordlist.h"
#include "platform/desktop/announcement.h"
#include "platform/desktop/fatal.h"
#include "ui/form1.h"
#include "ui/gameicon.h"

#include <fstream>

namespace desktop {

std::optional<core::LoadError> loadWordList(ui::Form1& form, const std::filesystem::path& file) {
    std::ifstream in;
    if (auto error = core::openWordList(file, in)) {
        return error;
    }
    return form.Form_Load(in, core::LoadErrors(file));
}

void attach(ui::Form1& form) {
    QObject::connect(&form, &ui::Form1::announced, &form,
                     [&form](const QString& text) { announce(&form, text); });
    QObject::connect(&form, &ui::Form1::failed, &form, &reportFatal);
    // The 500 x 561 icon takes longer to decode and send than the whole first frame.
    QObject::connect(&form, &ui::Form1::firstFramePainted, &form,
                     [&form] { form.setWindowIcon(ui::gameIcon()); });
}

} // namespace desktop
