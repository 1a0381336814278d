#include "core/wordlist.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/fatal.h"
#include "platform/desktop/screenguard.h"
#include "ui/application.h"
#include "ui/form1.h"

#include <optional>

int main(int argc, char* argv[]) {
    std::optional<desktop::ScreenGuard> guard(std::in_place);
    ui::Application app(argc, argv);
    guard.reset();
    desktop::settleStyle(app, app.styleAsked());
    ui::Form1 form;
    if (const auto error = desktop::loadWordList(form, core::kWordListName)) {
        desktop::reportFatal(QString::fromStdString(error->message));
        return 1;
    }
    desktop::attach(form);
    form.show();
    return app.exec();
}
