// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/application.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
    ui::Application app(argc, argv);
    ui::Form1 form;
    if (const auto error = form.Form_Load()) {
        ui::reportFatal(QString::fromStdString(error->message));
        return 1;
    }
    form.show();
    return app.exec();
}
