#include "platform/desktop/announcement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace desktop {

namespace {

// Takes no room, no mouse and no focus; only assistive technology finds it.
class Announcement : public QWidget {
    Q_OBJECT

public:
    explicit Announcement(QWidget* window) : QWidget(window) {
        setObjectName(QStringLiteral("Ansage"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        resize(0, 0);
    }
};

} // namespace

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

// The platform's own announcement: a notification in UI Automation, an announcement in AT-SPI.
void announce(QWidget* window, const QString& text) {
    if (!text.isEmpty()) {
        QAccessibleAnnouncementEvent event(window, text);
        QAccessible::updateAccessibility(&event);
    }
}

#else

namespace {

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
    if (auto* announcement = dynamic_cast<Announcement*>(object)) {
        return new QAccessibleWidget(announcement, QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

void announce(QWidget* window, const QString& text) {
    auto* announcement = window->findChild<Announcement*>(QString(), Qt::FindDirectChildrenOnly);
    if (announcement == nullptr) {
        if (text.isEmpty()) {
            return;
        }
        // Before the notification exists, so that Qt asks for its interface here first.
        static const bool installed = [] {
            QAccessible::installFactory(makeInterface);
            return true;
        }();
        (void)installed;
        announcement = new Announcement(window);
    }
    announcement->hide();
    announcement->setAccessibleName(text);
    if (!text.isEmpty()) {
        announcement->show();
    }
}

#endif

} // namespace desktop

#include "announcement.moc"
