#include "ui/accessibility.h"

#include "ui/figure.h"
#include "ui/keylineedit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>

namespace ui {

namespace {

// The question mark's own interface: a text box like any other, which a screen reader or a
// switch can also press to start a round without a mouse.
class QuestionMarkAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit QuestionMarkAccessible(KeyLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

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
        // While the word box covers the question mark, a press must not start a second round
        // over the running one.
        if (!box()->mouseCouldClick()) {
            return;
        }
        box()->setFocus(Qt::OtherFocusReason);
        emit box()->clicked();
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) {
            box()->deselect();
        }
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) {
            box()->setSelection(start, end - start);
        }
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(box()->text().size()); }

    // Measured from the caret, the one place the box tells where its text lies.
    QRect characterRect(int offset) const override {
        const QString text = box()->text();
        if (offset < 0 || offset >= text.size()) {
            return {};
        }
        const QFontMetrics metrics(box()->font());
        const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int left = caret.left() + metrics.horizontalAdvance(text.left(offset)) -
                         metrics.horizontalAdvance(text.left(box()->cursorPosition()));
        const QRect local(left, caret.top(), metrics.horizontalAdvance(text.at(offset)),
                          caret.height());
        return QRect(box()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = box()->mapFromGlobal(point);
        return box()->rect().contains(local) ? box()->cursorPositionAt(local) : -1;
    }
    void scrollToSubstring(int start, int end) override {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    KeyLineEdit* box() const { return static_cast<KeyLineEdit*>(widget()); }
};

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
    if (auto* box = qobject_cast<KeyLineEdit*>(object)) {
        return new QuestionMarkAccessible(box);
    }
    // Qt calls a plain widget's window a client area, a filler in AT-SPI. Orca drops an
    // announcement that follows another within 0.1 s, fast typing's, unless a window sends it.
    if (object->isWidgetType() && object->objectName() == QLatin1String(kWindowName)) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    // The labels among the pieces keep Qt's own interface, which reads their text.
    if (object->isWidgetType()) {
        const figure::Piece* piece = figure::pieceNamed(object->objectName());
        if (piece != nullptr && piece->kind != figure::Kind::Label) {
            return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
        }
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
