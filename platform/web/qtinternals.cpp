// Everything here leans on Qt 6.8's insides, as does the page's hideToolkitBridge (access.js),
// which looks for the bridge's button in Qt's shadow DOM; another Qt stops the build here, to be
// looked at again.
#include "platform/web/qtinternals.h"

#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0) || QT_VERSION >= QT_VERSION_CHECK(6, 9, 0)
#error "Written for Qt 6.8: look again at all this file uses, and at the page's hideToolkitBridge"
#endif

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace web {

void activateToolkitAccessibility() {
    if (QPlatformAccessibility* bridge =
            QGuiApplicationPrivate::platformIntegration()->accessibility()) {
        bridge->setActive(true);
    }
}

} // namespace web

// Qt's widgets register 370 kB of standard icons (file dialogs, message boxes, title bars),
// pictures no compression shrinks, and the game shows none of them in the browser. Defined
// here, the registration draws no copy of Qt's, with the pictures, into the program.
int qInitResources_qstyle() {
    return 1;
}
int qCleanupResources_qstyle() {
    return 1;
}
