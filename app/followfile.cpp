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
    const QString path = hooks_.shownfile();
    const QString text = tr("File gone; picture kept");
    // One line in the narrow panel; the whole story is in the tooltip.
    const int room = std::max(20, panel_->width() - 12);
    followfilenotice->setText(
        QFontMetrics(followfilenotice->font()).elidedText(text, Qt::ElideRight, room));
    followfilenotice->setToolTip(
        tr("%1 is no longer there. The picture stays as it was; the file is read again when it "
           "comes back.")
            .arg(QDir::toNativeSeparators(path)));
    followfilenotice->show();
}

void DesktopOpen::rereadfile() {
    const QString path = hooks_.shownfile();
    if (busy() || path.isEmpty()) return;
    follower_->markread();
    if (!QFileInfo(path).isFile()) {
        fileisgone();
        return;
    }
    followfilenotice->hide();
    hooks_.readagain();
}
