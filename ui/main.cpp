#include "ui/application.h"
#include "ui/form1.h"
#include "ui/platform.h"

#include <optional>

int main(int argc, char* argv[]) {
    std::optional<ui::ScreenGuard> guard(std::in_place);
    ui::Application app(argc, argv);
    guard.reset();
    ui::Form1 form;
    if (const auto error = ui::platform::loadWordList(form)) {
        ui::platform::reportStartError(QString::fromStdString(error->message));
        return 1;
    }
    ui::platform::attach(form);
    form.show();
    return app.exec();
}
