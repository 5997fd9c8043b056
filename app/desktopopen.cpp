// Opening programs the desktop way: a file dropped on the window, the recent files under a
// right press on Open, and the checks that tell the user why a file cannot be opened.
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

#include "app/filefollower.h"
#include "app/panelbutton.h"
#include "app/recentfiles.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"

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

QString decodedpath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

void Tvorlixform::builddesktop() {
    setAcceptDrops(true);
    recent_ = std::make_unique<RecentFiles>(RecentFiles::usersettingsfile(cmd_.cmdnosettings));
    follower_ = new FileFollower(this);
    follower_->changed = [this] {
        // Not under a dialog, an open menu or a drag: the change waits for them to end.
        if (jobrunning() || QApplication::activeModalWidget() != nullptr ||
            QApplication::activePopupWidget() != nullptr ||
            surfacedrag.dragmode != SurfaceDrag::None || paneldrag.dragging()) {
            return false;
        }
        rereadfile();
        return true;
    };
    follower_->vanished = [this] { fileisgone(); };
    buildfollowrow();

    recentmenu = new RecentMenu(this);
    recentmenu->setObjectName(QStringLiteral("recentmenu"));
    connect(recentmenu, &QMenu::triggered, this, [this](QAction* item) {
        if (!item->data().isNull()) recentchosen(item->data().toString());
    });
    new RightPress(SpeedButton[1], [this](QPoint at) { popuprecent(at); });

    auto* reread = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(reread, &QShortcut::activated, this, [this] { rereadfile(); });
    settooltips();
}

bool Tvorlixform::jobrunning() const {
    // Before the first idle moment the logo is still to be drawn over whatever is shown.
    return firstidle || openatidle || inidle_ || WorkingBar->isVisible();
}

void Tvorlixform::openfile(const QString& path) {
    // Until the user picks a view, every file opens in ISO1; afterwards in the view picked.
    if (!view.viewchosen) {
        view.setviewangles(viewpreset(ViewPresetId::Iso1));
        view.viewchosen = true;
    }
    ncpath = QFile::encodeName(path).toStdString();
    ncfilename = cutshortstring(ncpath);
    opensequence();
}

void Tvorlixform::openchecked(const QString& path) {
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
        QMessageBox::warning(this, QStringLiteral("KORVEN"), problem, QMessageBox::Ok);
        return;
    }
    openfile(path);
}

void Tvorlixform::beginfollowing() {
    const QString path = decodedpath(ncpath.empty() ? ncfilename : ncpath);
    recent_->add(path);
    follower_->follow(path);
    followfilenotice->hide();
}

void Tvorlixform::dragEnterEvent(QDragEnterEvent* event) {
    // Refused while a job runs: the pointer shows it, and the drop never arrives.
    if (!jobrunning() && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void Tvorlixform::dragMoveEvent(QDragMoveEvent* event) {
    if (!jobrunning() && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void Tvorlixform::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (jobrunning() || urls.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Several files: the first one is opened, as the window shows one program at a time.
    const QUrl& url = urls.constFirst();
    if (!url.isLocalFile()) {
        QMessageBox::warning(
            this, QStringLiteral("KORVEN"),
            tr("Only files on this computer can be opened, not %1.").arg(url.toDisplayString()),
            QMessageBox::Ok);
        return;
    }
    openchecked(url.toLocalFile());
}

void Tvorlixform::popuprecent(QPoint at) {
    if (jobrunning()) return;
    recentmenu->clear();
    for (const QString& path : recent_->files()) {
        QAction* item = recentmenu->addAction(QDir::toNativeSeparators(path));
        item->setData(path);
        item->setProperty(kMissing, !QFileInfo::exists(path));
    }
    if (recent_->files().isEmpty()) recentmenu->addAction(tr("No recent files"))->setEnabled(false);
    recentmenu->popup(at);
}

void Tvorlixform::recentchosen(const QString& path) {
    if (!QFileInfo::exists(path)) {
        recent_->remove(path);
        QMessageBox::warning(this, QStringLiteral("KORVEN"),
                             tr("%1 no longer exists; it is taken off the recent files.")
                                 .arg(QDir::toNativeSeparators(path)),
                             QMessageBox::Ok);
        return;
    }
    openchecked(path);
}
