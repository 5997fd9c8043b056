// Reading a program into the window: the open sequence, the re-read that keeps what the user
// set up, and what the title says about the job afterwards.
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QSlider>

#include "app/arcdatamessages.h"
#include "app/desktopopen.h"
#include "app/planreadout.h"
#include "app/programlink.h"
#include "app/dragsimplification.h"
#include "app/jobinput.h"
#include "app/plotdriver.h"
#include "app/programpane.h"
#include "app/readingnoticerow.h"
#include "app/stockview.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "render/glimage.h"

namespace {

QString displayname(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

// Whether the program makes at least one move, read into a store of one block that stops as
// soon as it has one: a re-read that gives none keeps the picture it would otherwise wipe.
bool givestoolpath(const std::string& path, NcDialect dialect, int32_t arcmode) {
    NcJob probe(1, 1);
    probe.dialect = dialect;
    probe.InitPlot(arcmode);
    probe.working = [&probe](const std::string& /*text*/, double /*fraction*/) {
        if (probe.nodes.lastnode() >= 1) probe.stoprequested = true;
    };
    probe.interpreting = true;
    try {
        probe.PlotOnly(path);
    } catch (const std::exception&) {
        return true;  // the read proper says what is wrong with the file
    }
    return probe.nodes.lastnode() >= 1;
}

}  // namespace

void Tvorlixform::opensequence() {
    // Asked for while a job takes its events (a timer of its own, say): the file waits for
    // the next idle moment instead of pulling the running job's store from under it.
    if (jobinprogress()) {
        openatidle = true;
        return;
    }
    const JobInput::Scope busy(*jobinput_);
    setlabelsvisible(false);
    job.timetext.clear();
    job.zmaxtext.clear();
    job.zmintext.clear();
    // Nothing of the file before may outlive it, whatever becomes of this one.
    job.feedslots.count = -1;
    drawer_->rangetexts = {};
    resetstepsliders();
    infodirty = true;
    setWindowTitle(QStringLiteral("KORVEN : ") + displayname(ncfilename));
    desktop_->beginfollowing();
    clearscreen();
    update();
    repaint();
    Tglimage::flushdisplay(this);
    jobstart();
    runjob();
    jobcaption();
}

bool Tvorlixform::jobinprogress() const {
    return jobinput_ && jobinput_->running();
}

void Tvorlixform::jobcaption() {
    QString notes;
    if (job.stoppedline >= 0) notes += tr(" : stopped at line %1").arg(job.stoppedline);
    if (job.filechanged) notes += tr(" : the file changed while it was read");
    if (drawer_->outofmemory) notes += tr(" : not enough memory to draw the toolpath");
    // Otherwise the title stays as the job left it (a slowed drawing writes its timing there).
    if (!notes.isEmpty()) {
        setWindowTitle(QStringLiteral("KORVEN : ") + displayname(ncfilename) + notes);
    }
}

void Tvorlixform::runjob() {
    job.zupperlimit = zupperlimit;
    job.zlowerlimit = zlowerlimit;
    arcmessages_->startjob();
    noticerow->clearnotice();
    // What the new job replaces goes before it is read, not after.
    simplification_->jobstarting();
    programlink_->picker.clear();
    planreadout_->jobstarting();
    stockview_->jobstarting();
    try {
        driver_->InitPlot();
        driver_->OnlyPlot(ncpath.empty() ? ncfilename : ncpath);
        simplification_->jobfinished(view.viewscale, wrkscreen->pixelheight());
        planreadout_->jobfinished();
        stockview_->jobfinished();
        if (!jobinput_->closerequested()) reporttoolpathcut();
    } catch (const std::exception& error) {
        programpane->clearprogram();  // no text to show against what was not read
        fileerror(error.what());
    }
    arcmessages_->endjob();
    // Also after a failed read: what was read before it was drawn.
    noticerow->shownotice(job.notice);
}

void Tvorlixform::fileerror(const std::string& message) {
    // The job ends here; the window must stay usable for the next file.
    QMessageBox::critical(this, QStringLiteral("KORVEN"), displayname(message), QMessageBox::Ok);
    infodirty = true;
    jobfinish(1);
}

void Tvorlixform::setlabelsvisible(bool visible) {
    for (size_t i = 0; i < tnl.size(); ++i) {
        tnl[i]->setVisible(visible);
        frl[i]->setVisible(visible);
    }
}

bool Tvorlixform::jobrunning() const {
    // Before the first idle moment the logo is still to be drawn over whatever is shown.
    return firstidle || openatidle || inidle_ || WorkingBar->isVisible() || jobinprogress();
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

bool Tvorlixform::rereadjob() {
    const std::string& path = ncpath.empty() ? ncfilename : ncpath;
    if (!givestoolpath(path, job.dialect, cmd_.cmdarcmode)) return false;
    keptsize_ = shownumberscrollbar->value();
    keptstart_ = showstartscrollbar->value();
    const JobInput::Scope busy(*jobinput_);
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
    jobcaption();
    return true;
}
