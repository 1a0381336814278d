#include "ui/web.h"

#include "ui/form1.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDirIterator>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <sstream>
#include <string>
#include <vector>

namespace ui::web {

namespace {

Form1* g_form = nullptr;

// The page sets its hooks on the module; a page without them gets nothing.
void callPage(const char* hook, const emscripten::val& argument) {
    const emscripten::val function = emscripten::val::module_property(hook);
    if (function.typeOf().as<std::string>() == "function") {
        function(argument);
    }
}

void callPage(const char* hook, const QString& text) {
    callPage(hook, emscripten::val(text.toStdString()));
}

std::string roleName(QAccessible::Role role) {
    switch (role) {
    case QAccessible::EditableText:
        return "textbox";
    case QAccessible::Button:
        return "button";
    case QAccessible::Graphic:
        return "img";
    case QAccessible::StaticText:
        return "text";
    default:
        return "group";
    }
}

// What the page needs to stand in for the platform's accessibility bridge: each object's name,
// role, texts and place in the window, parents before their children.
void collect(QAccessibleInterface* parent, const QPoint& origin, int depth,
             emscripten::val& nodes) {
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        QObject* object = child == nullptr ? nullptr : child->object();
        if (object == nullptr) {
            continue;
        }
        const QRect rect = child->rect().translated(-origin);
        emscripten::val node = emscripten::val::object();
        node.set("id", object->objectName().toStdString());
        node.set("depth", depth);
        node.set("role", roleName(child->role()));
        node.set("name", child->text(QAccessible::Name).toStdString());
        node.set("description", child->text(QAccessible::Description).toStdString());
        node.set("value", child->text(QAccessible::Value).toStdString());
        node.set("hidden", bool(child->state().invisible));
        node.set("readonly", bool(child->state().readOnly));
        node.set("rect", emscripten::val::array(
                             std::vector<int>{rect.x(), rect.y(), rect.width(), rect.height()}));
        nodes.call<void>("push", node);
        collect(child, origin, depth + 1, nodes);
    }
}

bool g_treePending = false;

void sendTree() {
    g_treePending = false;
    if (g_form == nullptr || !g_form->isVisible()) {
        return;
    }
    emscripten::val nodes = emscripten::val::array();
    collect(QAccessible::queryAccessibleInterface(g_form), g_form->mapToGlobal(QPoint(0, 0)), 0,
            nodes);
    callPage("swpAccessible", nodes);
}

// Many changes come at once (a key changes the word, a piece and the description); the page
// hears of them once, after the handler has finished.
void treeChanged(QAccessibleEvent*) {
    if (!g_treePending) {
        g_treePending = true;
        QTimer::singleShot(0, &sendTree);
    }
}

// A click of assistive technology on the page's stand-in for a control.
void press(const std::string& id) {
    if (g_form == nullptr) {
        return;
    }
    auto* widget = g_form->findChild<QWidget*>(QString::fromStdString(id));
    QAccessibleInterface* iface =
        widget == nullptr ? nullptr : QAccessible::queryAccessibleInterface(widget);
    if (iface != nullptr && iface->actionInterface() != nullptr) {
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
}

// The toolkit's bridge and the page's stand-ins are built after the window's first frame, which
// comes the sooner for it; a screen reader hears of the window a moment after it is seen.
void startAccessibility() {
    if (QPlatformAccessibility* bridge =
            QGuiApplicationPrivate::platformIntegration()->accessibility()) {
        bridge->setActive(true);
    }
    QAccessible::installUpdateHandler(&treeChanged);
    treeChanged(nullptr);
}

// Watches the window: its first frame starts accessibility, its closing tells the page.
class FormWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, this, &startAccessibility);
        } else if (event->type() == QEvent::Close) {
            callPage("swpEnded", QString());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

// A file the player picks is refused from its size alone when no list that loads can be that
// large: the page then never reads it. The answer is the message, or empty.
std::string checkListSize(const std::string& name, double bytes) {
    if (bytes <= double(core::kMaxListBytes)) {
        return {};
    }
    return core::LoadErrors(std::filesystem::path(name).filename())
        .tooLarge(std::uintmax_t(bytes))
        .message;
}

// What an on-screen keyboard gives, as the same keys would come from a desk's: pressed and
// released on the window's focus. The answer says whether a round is still open, so that the
// page lets the keyboard go when one ends.
bool type(const std::string& text) {
    if (g_form == nullptr) {
        return false;
    }
    for (const char32_t codePoint : QString::fromStdString(text).toUcs4()) {
        QWidget* focus = g_form->focusWidget();
        if (focus == nullptr) {
            break;
        }
        const QString character = QString::fromUcs4(&codePoint, 1);
        int key = int(QChar::toUpper(codePoint));
        switch (codePoint) {
        case 8:
            key = Qt::Key_Backspace;
            break;
        case 13:
            key = Qt::Key_Return;
            break;
        case 27:
            key = Qt::Key_Escape;
            break;
        }
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, character);
        QCoreApplication::sendEvent(focus, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, character);
        QCoreApplication::sendEvent(focus, &release);
    }
    return g_form != nullptr && g_form->gameState().roundOpen();
}

// Whether a tap at x, y of the window wants the on-screen keyboard: any tap while a round is
// open, and one on the question mark, which starts a round.
bool keyboardWanted(int x, int y) {
    if (g_form == nullptr) {
        return false;
    }
    if (g_form->gameState().roundOpen()) {
        return true;
    }
    const QWidget* hit = g_form->childAt(x, y);
    return hit != nullptr && hit->objectName() == QLatin1String("textin");
}

// The bytes of the list the player picked and its file name; the answer is the message for
// a bad list, or empty when the game has started afresh with it.
std::string loadWordList(const std::string& bytes, const std::string& name) {
    if (g_form == nullptr) {
        return "Das Spiel läuft nicht mehr.";
    }
    std::istringstream in(bytes);
    const auto error = g_form->loadWordList(in, std::filesystem::path(name).filename());
    return error ? error->message : std::string();
}

// Before the application picks its first font, which keeps what it found.
void addFaces() {
    QDirIterator faces(QStringLiteral(":/faces"));
    while (faces.hasNext()) {
        QFontDatabase::addApplicationFont(faces.next());
    }
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(addFaces)

std::optional<core::LoadError> loadServedList(Form1& form) {
    const emscripten::val list = emscripten::val::module_property("swpList");
    if (list.isUndefined()) {
        return form.Form_Load();
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

void attach(Form1& form) {
    g_form = &form;
    // The page's frame is the window's: no title bar of the toolkit's inside it.
    form.setWindowFlag(Qt::FramelessWindowHint);
    QObject::connect(&form, &QObject::destroyed, [] { g_form = nullptr; });
    // The toolkit's own bridge in the browser waits for a button of its own to be pressed and
    // then names the text boxes not at all; the page takes the tree from here instead.
    form.installEventFilter(new FormWatch(&form));
}

void showError(const QString& message) {
    callPage("swpShowError", message);
}

void announce(const QString& text) {
    callPage("swpAnnounce", text);
}

} // namespace ui::web

// Qt's widgets register 370 kB of standard icons (file dialogs, message boxes, title bars),
// pictures no compression shrinks, and the game shows none of them in the browser. Defined
// here, the registration no longer draws Qt's copy, with the pictures, into the program.
int qInitResources_qstyle() {
    return 1;
}
int qCleanupResources_qstyle() {
    return 1;
}

EMSCRIPTEN_BINDINGS(strickwichtspiel) {
    emscripten::function("loadWordList", &ui::web::loadWordList);
    emscripten::function("press", &ui::web::press);
    emscripten::function("checkListSize", &ui::web::checkListSize);
    emscripten::function("type", &ui::web::type);
    emscripten::function("keyboardWanted", &ui::web::keyboardWanted);
}
