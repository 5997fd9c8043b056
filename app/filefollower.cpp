#include "app/filefollower.h"

#include <QDateTime>
#include <QFileInfo>

FileFollower::FileFollower(QObject* parent) : QObject(parent) {
    settletimer_.setSingleShot(true);
    settletimer_.setInterval(kSettleMs);
    connect(&settletimer_, &QTimer::timeout, this, [this] { settle(); });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { touched(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { touched(); });
}

void FileFollower::follow(const QString& path) {
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) watcher_.removePaths(watched);
    settletimer_.stop();
    path_ = QFileInfo(path).absoluteFilePath();
    read_ = seen_ = stamp();
    watch();
}

void FileFollower::setenabled(bool on) {
    enabled_ = on;
    if (on) {
        touched();
    } else {
        settletimer_.stop();
    }
}

void FileFollower::markread() {
    read_ = seen_ = stamp();
}

FileFollower::Stamp FileFollower::stamp() const {
    const QFileInfo info(path_);
    Stamp s;
    s.exists = info.exists();
    if (s.exists) {
        s.size = info.size();
        s.modified = info.lastModified().toMSecsSinceEpoch();
        s.statuschanged = info.metadataChangeTime().toMSecsSinceEpoch();
    }
    return s;
}

void FileFollower::touched() {
    if (!enabled_ || path_.isEmpty()) return;
    // Every further write restarts the wait, so a file being written is never read.
    seen_ = stamp();
    settletimer_.start();
}

void FileFollower::settle() {
    if (!enabled_ || path_.isEmpty()) return;
    const Stamp now = stamp();
    if (now != seen_) {
        seen_ = now;
        settletimer_.start();
        return;
    }
    watch();
    if (now == read_) return;
    if (!now.exists) {
        read_ = now;
        if (vanished) vanished();
        return;
    }
    const Stamp before = read_;
    read_ = now;
    if (changed && !changed()) {
        read_ = before;
        settletimer_.start();
    }
}

void FileFollower::watch() {
    // The watcher lets go of a file that was deleted or renamed away; the folder stays.
    const QString folder = QFileInfo(path_).absolutePath();
    if (!watcher_.directories().contains(folder)) watcher_.addPath(folder);
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_)) watcher_.addPath(path_);
}
