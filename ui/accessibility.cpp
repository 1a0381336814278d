// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/accessibility.h"

#include "ui/filledrect.h"
#include "ui/keylineedit.h"
#include "ui/picturebox.h"
#include "ui/thickline.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace ui {

namespace {

// The question mark's own interface, so that a screen reader or a switch can start a round
// without a mouse.
class QuestionMarkAccessible : public QAccessibleWidget {
public:
    explicit QuestionMarkAccessible(KeyLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return box()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Only what a mouse could press: while the word box covers the question mark, a press
        // must not start a second round over the running one.
        QWidget* window = box()->window();
        const QPoint centre = box()->mapTo(window, box()->rect().center());
        if (!box()->isVisible() || !box()->isEnabled() || window->childAt(centre) != box()) {
            return;
        }
        box()->setFocus(Qt::OtherFocusReason);
        emit box()->clicked();
    }

private:
    KeyLineEdit* box() const { return static_cast<KeyLineEdit*>(widget()); }
};

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
    if (auto* box = qobject_cast<KeyLineEdit*>(object)) {
        return new QuestionMarkAccessible(box);
    }
    if (dynamic_cast<PictureBox*>(object) != nullptr ||
        dynamic_cast<FilledRect*>(object) != nullptr ||
        dynamic_cast<ThickLine*>(object) != nullptr) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
}

} // namespace ui
