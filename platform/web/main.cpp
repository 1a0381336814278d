// The game in a browser: the page around the program (index.html) stands in for what a desktop
// has, and the program joins the window to it.
#include "platform/web/accessibletree.h"
#include "platform/web/keys.h"
#include "platform/web/page.h"
#include "platform/web/wordlists.h"
#include "ui/application.h"
#include "ui/form1.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <emscripten/val.h>

namespace {

// Before the application picks its first font, which keeps what it found.
void addFaces() {
    QDirIterator faces(QStringLiteral(":/faces"));
    while (faces.hasNext()) {
        QFontDatabase::addApplicationFont(faces.next());
    }
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(addFaces)

int main(int argc, char* argv[]) {
    ui::Application app(argc, argv);
    // The browser's event loop outlives main, and the window with it.
    auto* form = new ui::Form1;
    if (const auto error = web::loadServedList(*form)) {
        web::page::call("swpShowError", QString::fromStdString(error->message));
        return 1;
    }
    // The page's frame is the window's: no title bar of the toolkit's inside it.
    form->setWindowFlag(Qt::FramelessWindowHint);
    QObject::connect(form, &ui::Form1::announced,
                     [](const QString& text) { web::page::call("swpAnnounce", text); });
    // A browser has no modal loop to wait in a box: the page shows the error, as at start, and
    // the game ends.
    QObject::connect(form, &ui::Form1::failed, [](const QString& message) {
        web::page::call("swpShowError", message);
        web::page::call("swpEnded", QString());
    });
    QObject::connect(form, &ui::Form1::closed, [] { web::page::call("swpEnded", QString()); });
    web::dropBrowserChords(*form);

    emscripten::val game = emscripten::val::object();
    game.set("keys", web::TouchKeys(*form));
    game.set("tree", web::AccessibleTree(*form));
    game.set("list", web::PlayersList(*form));
    web::page::call("swpStarted", game);
    form->show();
    return app.exec();
}
