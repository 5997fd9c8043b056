#pragma once
// Opening programs the desktop way: a file dropped on the window, the recent files under a
// right press on Open, the checks that tell the user why a file cannot be opened, and
// following the shown program on disk with the panel row that switches it. The window
// composes it; the job itself is the window's, reached through the hooks.

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>

class FileFollower;
class PanelExtras;
class QCheckBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QPoint;
class QUrl;
class QWidget;
class RecentFiles;

class DesktopOpen {
    // Its texts are the window's: they keep the window's translations.
    Q_DECLARE_TR_FUNCTIONS(Tvorlixform)

  public:
    struct Hooks {
        // A job runs, or the start-up still has work of its own to do first.
        std::function<bool()> jobbusy;
        // A drag on the picture or a panel button is under way.
        std::function<bool()> dragging;
        // Opens the file as Open does once its dialog has chosen it.
        std::function<void(const QString&)> openpath;
        // Reads the shown file again, keeping what the user set up; false when the file gave
        // no toolpath and the picture was kept.
        std::function<bool()> readagain;
        // The whole path of the shown file; empty before the first.
        std::function<QString()> shownfile;
    };
    // window owns the menu and takes the drops; openbutton gets the recent files under a right
    // press; the follow row goes into panelextras.
    DesktopOpen(QWidget* window, QWidget* openbutton, PanelExtras* panelextras, bool nosettings,
                Hooks hooks);
    ~DesktopOpen();

    RecentFiles& recentfiles() { return *recent_; }
    FileFollower& follower() { return *follower_; }
    QMenu* recentmenu = nullptr;
    QCheckBox* followfilecheckbox = nullptr;
    QLabel* followfilenotice = nullptr;

    // Opens a dropped or recent file, or says in a message box why it cannot be opened.
    void openchecked(const QString& path);
    // Says in a message box that path is a pipe, a device or anything else but a regular file,
    // and returns true; false (and no word) for a regular file or a path that is not there.
    bool refusednonregular(const QString& path);
    // Reads the shown program again unless a job runs or the file is not there to read.
    void rereadfile();
    // A job is about to read the shown file: remember it and follow it.
    void beginfollowing();

    // The window's drag and drop events.
    void dragentered(QDragEnterEvent* event);
    void dragmoved(QDragMoveEvent* event);
    void dropped(QDropEvent* event);

  private:
    void buildfollowrow(PanelExtras* panelextras);
    void opendropped(const QUrl& url);
    void popuprecent(QPoint at);
    void recentchosen(const QString& path);
    void fileisgone();
    // The re-read left the picture as it was: one line in the panel, the story in the tooltip.
    void picturekept(const QString& text, const QString& story);
    bool busy() const { return hooks_.jobbusy(); }

    QWidget* window_;
    QWidget* panel_;
    Hooks hooks_;
    std::unique_ptr<RecentFiles> recent_;
    FileFollower* follower_ = nullptr;
};
