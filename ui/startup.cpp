// SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
//
// SPDX-License-Identifier: MIT

#include "ui/startup.h"

#include "ui/layout.h"
#include "ui/resources.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace ui::startup {

namespace {

// Acts on the first event of one kind that its widget receives, then removes itself.
class OnFirst : public QObject {
public:
    OnFirst(QWidget* widget, QEvent::Type type, std::function<void(QWidget*)> action)
        : QObject(widget), m_type(type), m_action(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == m_type) {
            watched->removeEventFilter(this);
            deleteLater();
            m_action(static_cast<QWidget*>(watched));
        }
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void(QWidget*)> m_action;
};

} // namespace

QIcon gameIcon() {
    // Named as PNG, it is read without asking every image plugin first.
    QImageReader reader(QString::fromLatin1(res::kIcon), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read().convertToFormat(QImage::Format_ARGB32),
                                    Qt::NoFormatConversion));
}

void iconAfterFirstFrame(QWidget* window) {
    // The icon takes longer to decode and send than the whole first frame.
    new OnFirst(window, QEvent::Paint, [](QWidget* painted) {
        QTimer::singleShot(0, painted, [painted] { painted->setWindowIcon(gameIcon()); });
    });
}

void fontOnFirstShow(QWidget* widget, QFont font) {
    // A line edit lays out its text, and so loads its font, as soon as it is given one.
    new OnFirst(widget, QEvent::Show,
                [font = std::move(font)](QWidget* shown) { shown->setFont(font); });
}

void useHeadingFontAsDefault() {
    QApplication::setFont(layout::font(layout::kLabel1.font));
}

LazyPicture::LazyPicture(QString file, QString doubleFile)
    : m_file(std::move(file)), m_doubleFile(std::move(doubleFile)) {}

const QPixmap& LazyPicture::forRatio(qreal ratio) {
    const Size wanted = ratio > 1.0 ? Size::Double : Size::Single;
    if (m_loaded != wanted) { // the first paint, or the window moved to another screen
        m_picture.load(wanted == Size::Double ? m_doubleFile : m_file);
        m_picture.setDevicePixelRatio(wanted == Size::Double ? 2.0 : 1.0);
        m_loaded = wanted;
    }
    return m_picture;
}

bool hasFamily(const QString& family) {
    // QFontDatabase::hasFamily runs fontconfig's substitution rules, a sizeable part of the
    // start-up, and the window asks about the same few faces again and again. An installed
    // family is found in the plain list without them.
    static QHash<QString, bool> known;
    auto found = known.constFind(family);
    if (found == known.constEnd()) {
        const bool installed = QFontDatabase::families().contains(family, Qt::CaseInsensitive);
        found = known.insert(family, installed || QFontDatabase::hasFamily(family));
    }
    return *found;
}

} // namespace ui::startup
