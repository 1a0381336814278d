#include "platform/web/keys.h"

#include "ui/form1.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <emscripten/bind.h>

namespace web {

namespace {

class BrowserChords : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto modifiers = static_cast<QKeyEvent*>(event)->modifiers();
            if ((modifiers & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool TouchKeys::type(const std::string& text) const {
    for (const char32_t codePoint : QString::fromStdString(text).toUcs4()) {
        QWidget* focus = m_form->focusWidget();
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
    return m_form->roundOpen();
}

bool TouchKeys::wanted(int x, int y) const {
    return m_form->takesKeysAt(QPoint(x, y));
}

void dropBrowserChords(ui::Form1& form) {
    QCoreApplication::instance()->installEventFilter(new BrowserChords(&form));
}

} // namespace web

EMSCRIPTEN_BINDINGS(touch_keys) {
    emscripten::class_<web::TouchKeys>("TouchKeys")
        .function("type", &web::TouchKeys::type)
        .function("wanted", &web::TouchKeys::wanted);
}
