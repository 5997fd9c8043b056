#include "app/datafolder.h"

#include <QDir>
#include <QStandardPaths>

QString datafolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\holvarin");
#else
    const QString home = qEnvironmentVariable("HOLVARIN_HOME");
    if (!home.isEmpty()) {
        return QDir::cleanPath(home);
    }
    // QStandardPaths walks $XDG_DATA_HOME (default ~/.local/share), then each of
    // $XDG_DATA_DIRS (default /usr/local/share:/usr/share), and returns the first hit.
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("holvarin"),
                                  QStandardPaths::LocateDirectory);
#endif
}

QString datafile(const QString& relative) {
    const QString folder = datafolder();
    if (folder.isEmpty()) {
        return {};
    }
    return QDir(folder).filePath(relative);
}
