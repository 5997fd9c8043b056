#pragma once
// Watches the shown program on disk and says when it has changed and the writing has settled:
// its size and times have stayed the same for kSettleMs. The platform's file watcher wakes it;
// between a change and the settled state it looks at the file once per settle period and
// otherwise costs nothing. A file replaced by a rename (as many writers save) is followed
// through its folder, so the new file is watched in the old one's place.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class FileFollower : public QObject {
  public:
    static constexpr int kSettleMs = 300;

    explicit FileFollower(QObject* parent = nullptr);

    // Follows path from now on; its present state counts as read.
    void follow(const QString& path);
    // While off, changes are not reported; switched on, a change made meanwhile is.
    void setenabled(bool on);
    bool enabled() const { return enabled_; }
    // The file is being read by hand: its present state counts as read.
    void markread();

    // The file settled in a state not read yet. Returns false when it cannot be read now;
    // it is then offered again one settle period later.
    std::function<bool()> changed;
    // The file settled missing (reported once until it is back).
    std::function<void()> vanished;

  private:
    struct Stamp {
        bool exists = false;
        qint64 size = -1;
        qint64 modified = 0;
        qint64 statuschanged = 0;
        bool operator==(const Stamp& o) const {
            return exists == o.exists && size == o.size && modified == o.modified &&
                   statuschanged == o.statuschanged;
        }
        bool operator!=(const Stamp& o) const { return !(*this == o); }
    };

    Stamp stamp() const;
    void touched();
    void settle();
    void watch();

    QFileSystemWatcher watcher_;
    QTimer settletimer_;
    QString path_;
    Stamp seen_;  // at the last look while settling
    Stamp read_;  // as last read (or reported missing)
    bool enabled_ = true;
};
