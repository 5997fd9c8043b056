// Framing a job on screen: the progress bar and disabled buttons while it runs, the
// information panel when its picture has been drawn, and the frames in between.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <algorithm>

#include "app/jobinput.h"
#include "app/panelextras.h"
#include "app/panelbutton.h"
#include "app/planreadout.h"
#include "app/stockview.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "nc/ncreader.h"
#include "render/glimage.h"
#include "render/infopanel.h"

void Tvorlixform::initscreen() {
    // Nothing draws from these any more; the surface records its own size when painted.
}

void Tvorlixform::clearscreen() {
    wrkscreen->fillCanvas(0);
}

void Tvorlixform::jobstart() {
    working(QT_TR_NOOP("Working..."), 0.0);
    enablebuttons(false);
    panel->repaint();
    Tglimage::flushdisplay(this);
}

void Tvorlixform::working(const std::string& text, double fraction) {
    WorkingBar->setVisible(true);
    // The reading's caption comes from below the window and is translated on its way up.
    WorkingBar->setText(text == NcReader::kLoadingCaption ? tr("Loading : ") : tr(text.c_str()));
    WorkingBar->setProgress(static_cast<float>(fraction));
    // The job keeps the thread busy; the display server must get the bar now.
    Tglimage::flushdisplay(this);
}

namespace {

// Lengths stay in the program's units: when those are inches the label says so, within the
// panel's fourteen characters ("ZMax:   -1.000" becomes "ZMax in -1.000").
std::string ininches(const std::string& text) {
    if (text.size() < 7 || text[4] != ':') return text;
    if (text.size() > 7 && text[5] == ' ' && text[6] == ' ')
        return text.substr(0, 4) + " in" + text.substr(7);
    return text.substr(0, 4) + "\"" + text.substr(5);
}

}  // namespace

void Tvorlixform::enablebuttons(bool on) {
    for (int i = 1; i <= 16; ++i) SpeedButton[static_cast<size_t>(i)]->setEnabled(on);
}

void Tvorlixform::jobfinish(int mode) {
    if (WorkingBar->isVisible()) {
        WorkingBar->hide();
        enablebuttons(true);
    }
    if (!infodirty) return;
    infodirty = false;
    InfoPanelData info;
    info.lastslot = std::min(job.feedslots.count, InfoPanelData::kMaxSlots - 1);
    for (int i = 0; i <= info.lastslot; ++i) {
        const auto s = static_cast<size_t>(i);
        info.feedslots[s] = {job.feedslots.tool[s], job.feedslots.key[s], tcary[s]};
    }
    info.timetext = job.timetext;
    info.zmaxtext = job.inchunits ? ininches(job.zmaxtext) : job.zmaxtext;
    info.zmintext = job.inchunits ? ininches(job.zmintext) : job.zmintext;
    info.zmaxcolor = job.zmaxcolor;
    info.zmincolor = job.zmincolor;
    info.rangetexts = drawer_->rangetexts;
    info.mode = mode == 2 ? InfoPanelMode::StepWindow : InfoPanelMode::Statistics;
    const InfoPanelRoom room{height(), showpartgroupbox->y() + showpartgroupbox->height(),
                             panel->width()};
    const InfoPanelLayout layout = layOutInfoPanel(info, room);
    optimage->setGeometry(layout.left, layout.top, layout.width, layout.height);
    optimage->setPixmap(QPixmap::fromImage(paintInfoPanel(info, layout)));
    panelextras->relayout();  // the rows above it keep clear of its new height
}

WorldBox Tvorlixform::extents() const {
    const WorldBox toolpath{job.xmin, job.xmax, job.ymin, job.ymax, job.zmin, job.zmax};
    return stockview_ ? stockview_->fitted(toolpath) : toolpath;
}

FrameScene Tvorlixform::scene() const {
    FrameScene s = FrameScene::fromview(view);
    s.dragging = surfacedrag.dragmode != SurfaceDrag::None || paneldrag.dragging();
    s.dragstartpass = paneldrag.dragstartpass;
    s.logoshown = logoshown;
    s.showextentsbox = drawrangeblockcheckbox->isChecked();
    s.extents = {job.xmin, job.xmax, job.ymin, job.ymax, job.zmin, job.zmax};
    if (planreadout_) s.showtravelbox = planreadout_->travelbox(s.travel);
    return s;
}

void Tvorlixform::renderframe() {
    StepWindow& window = drawer_->stepwindow;
    window.start = showstartscrollbar->value();
    window.sizepower = shownumberscrollbar->value();
    renderpending_ = false;
    if (!wrkscreen->frontbuffer()) {
        frame_->renderframe(scene());
        return;
    }
    // A slowed drawing may take hours: it is a job with its way out.
    const JobInput::Scope busy(*jobinput_);
    frame_->renderframe(scene());
}

void Tvorlixform::SpeedButton5Click() {
    view.fitjob(extents());
}

void Tvorlixform::SpeedButtonClick(QObject* sender) {
    view.viewchosen = true;
    const QString name = sender ? sender->objectName().toUpper() : QString();
    for (int i = 10; i <= 16; ++i) {
        if (name == QStringLiteral("SPEEDBUTTON%1").arg(i)) {
            view.setviewangles(viewpresets[static_cast<size_t>(i - 10)]);
        }
    }
    SpeedButton5Click();
}

void Tvorlixform::drawrangeblockcheckboxClick() {
    renderframe();
}

void Tvorlixform::shownumberscrollbarChange() {
    const int p = shownumberscrollbar->value();
    StepWindow& window = drawer_->stepwindow;
    if (p == shownumberscrollbar->maximum()) {
        window.on = false;
        showstartscrollbar->hide();
        showpartgroupbox->setTitle(tr("NC Steps : ALL"));
    } else {
        window.on = true;
        showstartscrollbar->show();
        const int size = 1 << p;
        const int n = job.nodes.lastnode();
        const QSignalBlocker quiet(showstartscrollbar);
        showstartscrollbar->setPageStep(size);
        showstartscrollbar->setMinimum(std::max(1 - size, 1 - n));
        showstartscrollbar->setMaximum(std::max(0, n - 1));
        showpartgroupbox->setTitle(tr("NC Steps : %1").arg(size));
    }
    infodirty = true;
    renderframe();
}

void Tvorlixform::showstartscrollbarChange() {
    infodirty = true;
    renderframe();
}

void Tvorlixform::resetstepsliders() {
    drawer_->stepwindow.on = false;
    const QSignalBlocker quietnumber(shownumberscrollbar);
    const QSignalBlocker quietstart(showstartscrollbar);
    shownumberscrollbar->setValue(shownumberscrollbar->maximum());
    showstartscrollbar->hide();
    showpartgroupbox->setTitle(tr("NC Steps : ALL"));
    showstartscrollbar->setValue(0);
}

void Tvorlixform::setspeed(bool frontbuffer, int32_t stepdelay) {
    wrkscreen->setFrontbuffer(frontbuffer);
    drawer_->stepdelay = stepdelay;
    setWindowTitle(frontbuffer ? tr("Front Buffer : %1").arg(stepdelay) : tr("Back Buffer"));
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
    drawer_->stepwindow.on = true;
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
