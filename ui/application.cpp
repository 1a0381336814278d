#include "ui/application.h"

#include "ui/layout.h"
#include "ui/platform.h"

#include <QLibraryInfo>
#include <QPalette>
#include <QRegularExpression>
#include <QStyleHints>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

namespace ui {

namespace {

struct HeldMessage {
    QtMsgType type;
    const char* file; // the toolkit's own literals, which outlive the guard
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler g_previous = nullptr;
std::vector<HeldMessage> g_held;

QString quoted(const char* variable) {
    return QStringLiteral("%1=„%2“").arg(QLatin1String(variable), qEnvironmentVariable(variable));
}

QString noScreenReason() {
    QStringList displays;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            displays << quoted(variable);
        }
    }
    QString reason = displays.isEmpty()
                         ? QStringLiteral("weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt")
                         : QStringLiteral("keine Verbindung zu %1").arg(displays.join(" oder "));
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        reason = QStringLiteral("%1, %2").arg(quoted("QT_QPA_PLATFORM"), reason);
    }
    return reason;
}

// The first capture of `pattern` in what the toolkit has said so far, or an empty string.
QString heldMatch(const QRegularExpression& pattern) {
    for (const HeldMessage& message : g_held) {
        if (const auto match = pattern.match(message.text); match.hasMatch()) {
            return match.captured(1);
        }
    }
    return {};
}

// Only the platform plugins speak of a display they cannot reach; a missing or broken plugin
// is a fault of the installation, and sending the player to check the display would mislead.
QString startFailure(const QString& fatalText) {
    static const QRegularExpression unreachable(
        QStringLiteral("(could not connect to display|Failed to create wl_display)"));
    static const QRegularExpression missing(
        QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    static const QRegularExpression broken(
        QStringLiteral("Could not load the Qt platform plugin \"([^\"]*)\""));
    static const QRegularExpression available(
        QStringLiteral("Available platform plugins are: (.*)\\."));
    if (!heldMatch(unreachable).isEmpty()) {
        return QStringLiteral("Kein Bildschirm erreichbar: %1.").arg(noScreenReason());
    }
    const QString others = available.match(fatalText).captured(1);
    const QString installed =
        others.isEmpty() ? QString() : QStringLiteral(" Installiert sind: %1.").arg(others);
    const QString chosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
                               ? QStringLiteral(" (%1)").arg(quoted("QT_QPA_PLATFORM"))
                               : QString();
    if (const QString plugin = heldMatch(missing); !plugin.isEmpty()) {
        return QStringLiteral("Das Spiel kann nicht starten: Das Qt-Plattformmodul „%1“%2 ist "
                              "nicht installiert.%3")
            .arg(plugin, chosen, installed);
    }
    if (const QString plugin = heldMatch(broken); !plugin.isEmpty()) {
        // The plugin's own complaint (a missing library, say) comes just before, from the
        // platform's logging categories; other warnings held meanwhile are not the reason.
        QStringList reasons;
        for (const HeldMessage& message : g_held) {
            if (std::string_view(message.category ? message.category : "").starts_with("qt.qpa") &&
                !broken.match(message.text).hasMatch()) {
                reasons << message.text.trimmed();
            }
        }
        const QString why = reasons.isEmpty()
                                ? QString()
                                : QStringLiteral(" (%1)").arg(reasons.join(QStringLiteral("; ")));
        return QStringLiteral("Das Spiel kann nicht starten: Das Qt-Plattformmodul „%1“%2 lässt "
                              "sich nicht laden%3.%4")
            .arg(plugin, chosen, why, installed);
    }
    return QStringLiteral("Das Spiel kann nicht starten: %1")
        .arg(fatalText.section(QLatin1Char('\n'), 0, 0));
}

// The toolkit ends with a fatal message when no platform starts; that is the one moment to
// speak, since the abort that follows would leave a core dump.
void holdOrReport(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::cerr << startFailure(text).toStdString() << std::endl;
        std::_Exit(1);
    }
    g_held.push_back({type, context.file, context.line, context.function, context.category, text});
}

} // namespace

ScreenGuard::ScreenGuard() {
    g_previous = qInstallMessageHandler(holdOrReport);
}

ScreenGuard::~ScreenGuard() {
    qInstallMessageHandler(g_previous);
    for (const HeldMessage& message : g_held) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        g_previous(message.type, context, message.text);
    }
    g_held.clear();
}

namespace {

bool g_styleAsked = false;

// QApplication takes -style out of argv, and out of arguments() with it.
int& noteStyleArgument(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        g_styleAsked = g_styleAsked || std::string_view(argv[i]).starts_with("-style");
    }
    return argc;
}

} // namespace

Application::Application(int& argc, char** argv)
    : QApplication(noteStyleArgument(argc, argv), argv) {
    // Every control is created with the default font before it gets its own; the heading's
    // face is one the window needs anyway, so no other face is loaded for nothing.
    setFont(layout::font(layout::kLabel1.font));
    // Lets compositors and window managers match the window to its menu entry.
    setDesktopFileName(QStringLiteral(SWP_APP_ID));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The window's own colours are fixed and light, and the toolkit's buttons and frames drawn
    // dark on them would be unreadable. Windows honours the request; where the platform does
    // not, a light palette of the toolkit's own takes over from the desktop's dark one.
    styleHints()->setColorScheme(Qt::ColorScheme::Light);
    if (styleHints()->colorScheme() == Qt::ColorScheme::Dark) {
        setPalette(QPalette(QColor(239, 239, 239)));
    }
#endif
    platform::settleStyle(*this, g_styleAsked);
    // The game speaks German throughout, the toolkit's own menus and buttons included,
    // whatever the locale.
    if (m_toolkitTexts.load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&m_toolkitTexts);
    }
}

} // namespace ui
