#include "app/desktopopen.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcut>
#include <QStyleOptionMenuItem>
#include <QTimer>

#include "app/filefollower.h"
#include "app/panelextras.h"
#include "app/recentfiles.h"

namespace {

const char* const kMissing = "korvenmissing";

// Entries of files that are gone are drawn greyed yet stay choosable, so choosing one can say
// what happened and take it off the list.
class RecentMenu : public QMenu {
  public:
    using QMenu::QMenu;

  protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override {
        QMenu::initStyleOption(option, action);
        if (!action->property(kMissing).toBool()) return;
        const QColor grey(128, 128, 128);
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText,
                                               QPalette::ButtonText, QPalette::HighlightedText}) {
            option->palette.setColor(role, grey);
        }
    }
};

// A right press on the Open button, which the button itself ignores.
class RightPress : public QObject {
  public:
    RightPress(QWidget* button, std::function<void(QPoint)> pressed)
        : QObject(button), pressed_(std::move(pressed)) {
        button->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) return false;
        // Taken here: passed on, the press would reach the panel and its speed menu.
        pressed_(mouse->globalPosition().toPoint());
        return true;
    }

  private:
    std::function<void(QPoint)> pressed_;
};

}  // namespace

DesktopOpen::DesktopOpen(QWidget* window, QWidget* openbutton, PanelExtras* panelextras,
                         bool nosettings, Hooks hooks)
    : window_(window), panel_(panelextras->parentWidget()), hooks_(std::move(hooks)) {
    window_->setAcceptDrops(true);
    recent_ = std::make_unique<RecentFiles>(RecentFiles::usersettingsfile(nosettings));
    follower_ = new FileFollower(window_);
    follower_->changed = [this] {
        // Not under a dialog, an open menu or a drag: the change waits for them to end.
        if (busy() || QApplication::activeModalWidget() != nullptr ||
            QApplication::activePopupWidget() != nullptr || hooks_.dragging()) {
            return false;
        }
        rereadfile();
        return true;
    };
    follower_->vanished = [this] { fileisgone(); };
    buildfollowrow(panelextras);

    recentmenu = new RecentMenu(window_);
    recentmenu->setObjectName(QStringLiteral("recentmenu"));
    QObject::connect(recentmenu, &QMenu::triggered, recentmenu, [this](QAction* item) {
        if (!item->data().isNull()) recentchosen(item->data().toString());
    });
    new RightPress(openbutton, [this](QPoint at) { popuprecent(at); });

    auto* reread = new QShortcut(QKeySequence(Qt::Key_F5), window_);
    QObject::connect(reread, &QShortcut::activated, reread, [this] { rereadfile(); });
}

DesktopOpen::~DesktopOpen() {
    // The follower is the window's child and may outlive this object by a moment.
    follower_->changed = [] { return false; };
    follower_->vanished = nullptr;
}

bool DesktopOpen::refusednonregular(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) return false;
    QMessageBox::warning(
        window_, QStringLiteral("KORVEN"),
        tr("%1 is not a regular file and is not opened.").arg(QDir::toNativeSeparators(path)),
        QMessageBox::Ok);
    return true;
}

void DesktopOpen::openchecked(const QString& path) {
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(path);
    QString problem;
    if (!info.exists()) {
        problem = tr("%1 does not exist.").arg(name);
    } else if (info.isDir()) {
        problem = tr("%1 is a folder. Drop a program file instead.").arg(name);
    } else if (!info.isFile()) {
        // A pipe or a device would hold the reading up, or never end.
        problem = tr("%1 is not a regular file and is not opened.").arg(name);
    } else if (!info.isReadable()) {
        problem = tr("%1 cannot be read: no permission.").arg(name);
    } else if (info.size() == 0) {
        problem = tr("%1 is empty: there is nothing to show.").arg(name);
    }
    if (!problem.isEmpty()) {
        QMessageBox::warning(window_, QStringLiteral("KORVEN"), problem, QMessageBox::Ok);
        return;
    }
    hooks_.openpath(path);
}

void DesktopOpen::beginfollowing() {
    const QString path = hooks_.shownfile();
    recent_->add(path);
    follower_->follow(path);
    followfilenotice->hide();
}

void DesktopOpen::dragentered(QDragEnterEvent* event) {
    // Refused while a job runs: the pointer shows it, and the drop never arrives.
    if (!busy() && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void DesktopOpen::dragmoved(QDragMoveEvent* event) {
    if (!busy() && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void DesktopOpen::dropped(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (busy() || urls.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Several files: the first one is opened, as the window shows one program at a time. It
    // is opened once the drop has returned: the file manager's drag ends at once, not when a
    // long program has been read.
    const QUrl url = urls.constFirst();
    QTimer::singleShot(0, window_, [this, url] { opendropped(url); });
}

void DesktopOpen::opendropped(const QUrl& url) {
    if (busy()) return;
    if (!url.isLocalFile()) {
        QMessageBox::warning(
            window_, QStringLiteral("KORVEN"),
            tr("Only files on this computer can be opened, not %1.").arg(url.toDisplayString()),
            QMessageBox::Ok);
        return;
    }
    openchecked(url.toLocalFile());
}

void DesktopOpen::popuprecent(QPoint at) {
    if (busy()) return;
    recentmenu->clear();
    for (const QString& path : recent_->files()) {
        QAction* item = recentmenu->addAction(QDir::toNativeSeparators(path));
        item->setData(path);
        item->setProperty(kMissing, !QFileInfo::exists(path));
    }
    if (recent_->files().isEmpty()) recentmenu->addAction(tr("No recent files"))->setEnabled(false);
    recentmenu->popup(at);
}

void DesktopOpen::recentchosen(const QString& path) {
    if (!QFileInfo::exists(path)) {
        recent_->remove(path);
        QMessageBox::warning(window_, QStringLiteral("KORVEN"),
                             tr("%1 no longer exists; it is taken off the recent files.")
                                 .arg(QDir::toNativeSeparators(path)),
                             QMessageBox::Ok);
        return;
    }
    openchecked(path);
}
