// Following the shown program on disk: the panel row that switches it, the re-read that keeps
// what the user set up, and the notice when the file is gone.
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "app/filefollower.h"
#include "app/panelextras.h"
#include "app/vorlixmain.h"
#include "render/toolpathdrawer.h"

void Tvorlixform::buildfollowrow() {
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
    connect(followfilecheckbox, &QCheckBox::toggled, this,
            [this](bool on) { follower_->setenabled(on); });
    panelextras->setrow(PanelExtras::FollowFile, row);
}

void Tvorlixform::fileisgone() {
    const QString path =
        QFile::decodeName(QByteArray::fromStdString(ncpath.empty() ? ncfilename : ncpath));
    const QString text = tr("File gone; picture kept");
    // One line in the narrow panel; the whole story is in the tooltip.
    const int room = std::max(20, panel->width() - 12);
    followfilenotice->setText(
        QFontMetrics(followfilenotice->font()).elidedText(text, Qt::ElideRight, room));
    followfilenotice->setToolTip(
        tr("%1 is no longer there. The picture stays as it was; the file is read again when it "
           "comes back.")
            .arg(QDir::toNativeSeparators(path)));
    followfilenotice->show();
}

void Tvorlixform::rereadfile() {
    if (jobrunning() || (ncpath.empty() && ncfilename.empty())) return;
    const std::string& path = ncpath.empty() ? ncfilename : ncpath;
    follower_->markread();
    if (!QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).isFile()) {
        fileisgone();
        return;
    }
    followfilenotice->hide();
    keptsize_ = shownumberscrollbar->value();
    keptstart_ = showstartscrollbar->value();
    rereading_ = true;
    // The open sequence without its title and without clearing the surface: the old
    // picture stays until the new one is drawn over it.
    setlabelsvisible(false);
    job.timetext.clear();
    job.zmaxtext.clear();
    job.zmintext.clear();
    jobstart();
    runjob();
    rereading_ = false;
}

void Tvorlixform::keepstepsliders() {
    const int all = shownumberscrollbar->maximum();
    const int p = std::clamp(keptsize_, shownumberscrollbar->minimum(), all);
    if (p == all) {
        resetstepsliders();
        return;
    }
    const QSignalBlocker quietnumber(shownumberscrollbar);
    const QSignalBlocker quietstart(showstartscrollbar);
    shownumberscrollbar->setValue(p);
    drawer()->stepwindow.on = true;
    const int size = 1 << p;
    const int n = job.nodes.lastnode();
    showstartscrollbar->setPageStep(size);
    showstartscrollbar->setMinimum(std::max(1 - size, 1 - n));
    showstartscrollbar->setMaximum(std::max(0, n - 1));
    // The slider keeps the start inside the new program's range.
    showstartscrollbar->setValue(keptstart_);
    showstartscrollbar->show();
    showpartgroupbox->setTitle(tr("NC Steps : %1").arg(size));
}
