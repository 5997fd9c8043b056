#include "app/startupmessages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler previous = nullptr;
bool starting = true;
// What the platform plugin said while it failed: the cause of a fatal message that follows.
QStringList heldback;

void writeline(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

QString displayname() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (platform.startsWith("wayland") && !wayland.isEmpty()) return wayland;
    const QString x = qEnvironmentVariable("DISPLAY");
    if (!x.isEmpty()) return x;
    return QStringLiteral("(DISPLAY is not set)");
}

void handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool platform =
        context.category != nullptr && QByteArray(context.category).startsWith("qt.qpa");
    if (type == QtFatalMsg) {
        if (starting) {
            const QString cause = heldback.isEmpty() ? message.section(QLatin1Char('\n'), 0, 0)
                                                     : heldback.constLast();
            writeline(QStringLiteral("korven: cannot open display %1: %2")
                          .arg(displayname(), cause.trimmed()));
            std::_Exit(1);
        }
        // Whatever logging the toolkit was built for, a fatal message reaches the terminal.
        writeline(QStringLiteral("korven: ") + message);
        std::abort();
    }
    if (starting && platform && type != QtDebugMsg) {
        heldback << message;
        return;
    }
    if (type == QtCriticalMsg) {
        writeline(QStringLiteral("korven: ") + message);
        return;
    }
    if (previous != nullptr) previous(type, context, message);
}

}  // namespace

void installstartupmessages() {
    previous = qInstallMessageHandler(handler);
}

void startupdone() {
    starting = false;
    const QStringList held = heldback;
    heldback.clear();
    for (const QString& message : held) writeline(message);
}
