// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/application.h"
#include "ui/form1.h"
#ifdef Q_OS_WASM
#include "ui/web.h"
#endif

#include <optional>

int main(int argc, char* argv[]) {
    std::optional<ui::ScreenGuard> guard(std::in_place);
    ui::Application app(argc, argv);
    guard.reset();
    ui::Form1 form;
#ifdef Q_OS_WASM
    if (const auto error = ui::web::loadServedList(form)) {
#else
    if (const auto error = form.Form_Load()) {
#endif
#ifdef Q_OS_WASM
        // A browser has no modal loop to wait in a box; the page shows it.
        ui::web::showError(QString::fromStdString(error->message));
#else
        ui::reportFatal(QString::fromStdString(error->message));
#endif
        return 1;
    }
#ifdef Q_OS_WASM
    ui::web::attach(form);
#endif
    form.show();
    return app.exec();
}
