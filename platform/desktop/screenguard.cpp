#include "platform/desktop/screenguard.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

namespace desktop {

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

} // namespace desktop
