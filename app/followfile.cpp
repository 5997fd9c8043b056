// Following the shown program on disk: the panel row that switches it, the checks before a
// re-read, and the notice when the file is gone.
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "app/desktopopen.h"
#include "app/filefollower.h"
#include "app/panelextras.h"

void DesktopOpen::buildfollowrow(PanelExtras* panelextras) {
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("followfilerow"));
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(6, 0, 0, 0);
    layout->setSpacing(0);
    followfilecheckbox = new QCheckBox(tr("自动重新载入"), row);
    followfilecheckbox->setObjectName(QStringLiteral("followfilecheckbox"));
    followfilecheckbox->setChecked(true);
    followfilecheckbox->setFocusPolicy(Qt::NoFocus);
    followfilenotice = new QLabel(row);
    followfilenotice->setObjectName(QStringLiteral("followfilenotice"));
    followfilenotice->hide();
    layout->addWidget(followfilecheckbox);
    layout->addWidget(followfilenotice);
    QObject::connect(followfilecheckbox, &QCheckBox::toggled, followfilecheckbox,
                     [this](bool on) { follower_->setenabled(on); });
    panelextras->setrow(PanelExtras::FollowFile, row);
}

void DesktopOpen::fileisgone() {
    picturekept(tr("File gone; picture kept"),
                tr("%1 is no longer there. The picture stays as it was; the file is read again "
                   "when it comes back.")
                    .arg(QDir::toNativeSeparators(hooks_.shownfile())));
}

void DesktopOpen::picturekept(const QString& text, const QString& story) {
    // One line in the narrow panel; the whole story is in the tooltip.
    const int room = std::max(20, panel_->width() - 12);
    followfilenotice->setText(
        QFontMetrics(followfilenotice->font()).elidedText(text, Qt::ElideRight, room));
    followfilenotice->setToolTip(story);
    // The line cut short to the panel is no name for a reader of the screen.
    followfilenotice->setAccessibleName(text);
    followfilenotice->show();
}

void DesktopOpen::rereadfile() {
    const QString path = hooks_.shownfile();
    if (busy() || path.isEmpty()) return;
    follower_->markread();
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(path);
    if (!info.exists()) {
        fileisgone();
        return;
    }
    // A pipe or a device in the file's place would hold the reading up, or never end.
    if (!info.isFile()) {
        picturekept(tr("not a regular file"),
                    tr("%1 is no longer a regular file. The picture stays as it was; the file is "
                       "read again when it changes.")
                        .arg(name));
        return;
    }
    // An emptied file (a writer truncates before it writes) or one without a single move
    // would wipe a good picture for nothing: it is kept until the file gives a toolpath again.
    if (info.size() == 0 || !hooks_.readagain()) {
        picturekept(tr("re-read gave no toolpath; picture kept"),
                    tr("%1 gave no toolpath when it was read again. The picture stays as it was; "
                       "the file is read again when it changes.")
                        .arg(name));
        return;
    }
    followfilenotice->hide();
}
