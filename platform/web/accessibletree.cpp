#include "platform/web/accessibletree.h"

#include "platform/web/page.h"
#include "platform/web/qtinternals.h"
#include "ui/form1.h"

#include <QAccessible>
#include <QPointer>
#include <QTimer>
#include <emscripten/bind.h>
#include <map>
#include <vector>

namespace web {

namespace {

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

} // namespace

// Lives as a child of the window, where the toolkit's update handler finds it.
class TreeMirror : public QObject {
    Q_OBJECT

public:
    explicit TreeMirror(ui::Form1& form) : QObject(&form), m_form(form) {}

    // Many changes come at once (a key changes the word, a piece and the description); the page
    // hears of them once, after the handler has finished.
    void changed() {
        if (!m_pending) {
            m_pending = true;
            QTimer::singleShot(0, this, &TreeMirror::send);
        }
    }

    void press(const std::string& id) const {
        const auto sent = m_sent.find(id);
        QAccessibleInterface* iface = sent == m_sent.end() || sent->second.isNull()
                                          ? nullptr
                                          : QAccessible::queryAccessibleInterface(sent->second);
        if (iface != nullptr && iface->actionInterface() != nullptr) {
            iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
    }

private:
    void send() {
        m_pending = false;
        if (!m_form.isVisible()) {
            return;
        }
        emscripten::val nodes = emscripten::val::array();
        collect(QAccessible::queryAccessibleInterface(&m_form), m_form.mapToGlobal(QPoint(0, 0)), 0,
                nodes);
        page::call("swpAccessible", nodes);
    }

    // Parents before their children, each with its depth and its rectangle in the window.
    void collect(QAccessibleInterface* parent, const QPoint& origin, int depth,
                 emscripten::val& nodes) {
        for (int i = 0; i < parent->childCount(); ++i) {
            QAccessibleInterface* child = parent->child(i);
            QObject* object = child == nullptr ? nullptr : child->object();
            if (object == nullptr) {
                continue;
            }
            const std::string id = object->objectName().toStdString();
            m_sent[id] = object;
            const QRect rect = child->rect().translated(-origin);
            emscripten::val node = emscripten::val::object();
            node.set("id", id);
            node.set("depth", depth);
            node.set("role", roleName(child->role()));
            node.set("name", child->text(QAccessible::Name).toStdString());
            node.set("description", child->text(QAccessible::Description).toStdString());
            node.set("value", child->text(QAccessible::Value).toStdString());
            node.set("hidden", bool(child->state().invisible));
            node.set("readonly", bool(child->state().readOnly));
            node.set("rect", emscripten::val::array(std::vector<int>{rect.x(), rect.y(),
                                                                     rect.width(), rect.height()}));
            nodes.call<void>("push", node);
            collect(child, origin, depth + 1, nodes);
        }
    }

    ui::Form1& m_form;
    bool m_pending = false;
    std::map<std::string, QPointer<QObject>> m_sent;
};

namespace {

void treeChanged(QAccessibleEvent* event) {
    auto* widget = qobject_cast<QWidget*>(event->object());
    auto* mirror =
        widget == nullptr
            ? nullptr
            : widget->window()->findChild<TreeMirror*>(QString(), Qt::FindDirectChildrenOnly);
    if (mirror != nullptr) {
        mirror->changed();
    }
}

} // namespace

AccessibleTree::AccessibleTree(ui::Form1& form) : m_mirror(new TreeMirror(form)) {
    QObject::connect(&form, &ui::Form1::firstFramePainted, m_mirror, [mirror = m_mirror] {
        activateToolkitAccessibility();
        QAccessible::installUpdateHandler(&treeChanged);
        mirror->changed();
    });
}

void AccessibleTree::press(const std::string& id) const {
    m_mirror->press(id);
}

} // namespace web

EMSCRIPTEN_BINDINGS(accessible_tree) {
    emscripten::class_<web::AccessibleTree>("AccessibleTree")
        .function("press", &web::AccessibleTree::press);
}

#include "accessibletree.moc"
