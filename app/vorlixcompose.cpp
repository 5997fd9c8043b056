// The window composes its parts: the job's hooks into the drawing and the panel, the program
// link, the panel commands and the desktop habits, each an object of its own that reaches back
// only through the hooks given here. Calls the tests and the navigation make on the window are
// passed on to the part that owns the state.
#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QOpenGLContext>
#include <QScrollBar>
#include <QSlider>

#include "app/arcdatamessages.h"
#include "app/compensationmenu.h"
#include "app/desktopopen.h"
#include "app/dragsimplification.h"
#include "app/jobinput.h"
#include "app/measuremode.h"
#include "app/navigationinput.h"
#include "app/panelbutton.h"
#include "app/panelcommands.h"
#include "app/panelextras.h"
#include "app/planreadout.h"
#include "app/plotdriver.h"
#include "app/programlink.h"
#include "app/readingchoice.h"
#include "app/readingnoticerow.h"
#include "app/recentfiles.h"
#include "app/stockview.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "render/contourdrawer.h"
#include "render/glimage.h"

namespace {

QString displayname(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace

Tvorlixform::Tvorlixform(const CommandLine& cmd) : cmd_(cmd) {
    buildcontrols();
    frame_ = std::make_unique<FrameRender>(*wrkscreen);
    drawer_ = std::make_unique<ToolpathDrawer>(job.nodes, kPalette);
    driver_ = std::make_unique<PlotDriver>(job, cmd_.cmdarcmode);
    arcmessages_ = std::make_unique<ArcDataMessages>(this);
    simplification_ =
        std::make_unique<DragSimplification>(job.nodes, kPalette, *wrkscreen, *drawer_);
    connectjob();
    buildpanelcommands();
    builddesktop();
    buildprogramlink();
    planreadout_ = std::make_unique<PlanReadout>(
        PlanReadout::Parts{this, wrkscreen, speedmenu, job, noticerow}, [this] { renderframe(); });
    stockview_ = std::make_unique<StockView>(*this, RecentFiles::usersettingsfile(cmd_.cmdnosettings));
    compensation_ = std::make_unique<CompensationMenu>(*this, QFile::decodeName(QByteArray::fromStdString(cmd_.cmdtools)),
                                                       cmd_.cmdnosettings);
    navigation_ = std::make_unique<NavigationInput>(*this);
    jobinput_ = std::make_unique<JobInput>(*this);
    jobinput_->finished = [this] {
        if (!resizedduringjob_ || jobinput_->closerequested()) return;
        resizedduringjob_ = false;
        renderframe();
    };
    // After the navigation and the job input, so that it sees their events first.
    measure_ =
        std::make_unique<MeasureMode>(MeasureMode::Parts{this, wrkscreen, job, view, drawer_.get(),
                                                         programlink_->picker, logoshown},
                                      [this] { return jobrunning(); });
    buildreadingchoice();
    // Rows the panel has no room for are offered on its menu.
    panelextras->offerfolded(speedmenu);
    FormCreate();
}

void Tvorlixform::buildprogramlink() {
    programlink_ = std::make_unique<ProgramLink>(
        ProgramLink::Parts{this, panel, wrkscreen, dummyscrollbar, panelextras, shownumberscrollbar,
                           showstartscrollbar, job, view, drawer_.get(), logoshown, ncpath,
                           ncfilename},
        [this] { FormResize(); }, [this] { renderframe(); });
    layoutpane_ = [this] { programlink_->layoutprogrampane(); };
    programlink_->selectionshown = [this](NodeSpan nodes) { planreadout_->showselection(nodes); };
    noticerow->gotoline = [this](int64_t line) { programlink_->gotoprogramline(line); };
    programpane = programlink_->programpane;
    programcheckbox = programlink_->programcheckbox;
    pickreadout = programlink_->pickreadout;
}

void Tvorlixform::buildreadingchoice() {
    job.dialect = cmd_.cmddialect;
    auto* choice = new ReadingChoice(cmd_.cmddialect);
    panelextras->setrow(PanelExtras::Reading, choice);
    choice->changed = [this](NcDialect dialect) {
        job.dialect = dialect;
        // The shown program is read again the new way; nothing is shown yet, nothing to do.
        const bool fileshown = !logoshown && !(ncfilename.empty() && ncpath.empty());
        if (fileshown && !WorkingBar->isVisible()) opensequence();
    };
}

Tvorlixform::~Tvorlixform() {
    measure_.reset();
    stockview_.reset();
    planreadout_.reset();
    jobinput_.reset();
    navigation_.reset();
    simplification_.reset();
    view.renderhook = nullptr;
}

void Tvorlixform::connectjob() {
    wrkscreen->areasizechanged = [this](int w, int h) {
        view.areawidth = w;
        view.areaheight = h;
    };
    wrkscreen->currentview = [this] {
        return SurfaceView{view.viewscale,    view.rotx,         view.roty,        view.rotz,
                           view.viewcenter.x, view.viewcenter.y, view.viewcenter.z};
    };
    frame_->drawtoolpath = [this] {
        // The program is about to end: a frame of millions of nodes would only hold it up.
        if (jobinput_->closerequested()) return;
        drawer_->frontbuffer = wrkscreen->frontbuffer();
        if (stockview_ && stockview_->drawframe()) return;
        drawer_->showtoolpath();
        if (compensation_ && compensation_->contourshown()) {
            int32_t first = 0, last = -1;
            drawer_->drawnrange(first, last);
            drawcontour(job.contour, first, last);
        }
    };
    drawer_->askuser = [this] {
        jobinput_->poll();
        if (jobinput_->closerequested()) return ToolpathDrawer::UserRequest::Stop;
        return jobinput_->takeescape() ? ToolpathDrawer::UserRequest::Hurry
                                       : ToolpathDrawer::UserRequest::Go;
    };
    frame_->beforeshow = [this] { drawrotateicon(false); };
    frame_->afterframe = [this] {
        simplification_->frameended(frame_->lastcost, frame_->lastskipped, logoshown);
    };
    frame_->abandoned = [this] { return jobinput_->closerequested(); };
    frame_->drawsimplified = [this](double viewscale, int pixelheight) {
        if (stockview_ && stockview_->drawdrag()) return true;
        const bool drawn = simplification_->draw(viewscale, pixelheight);
        // Without a copy a heavy frame draws the toolpath, highlight and all.
        if (drawn || frame_->slowframe) programlink_->drawdraghighlight();
        return drawn;
    };
    drawer_->present = [this] { wrkscreen->ShowFrame(); };
    drawer_->setcaption = [this](const std::string& text) {
        setWindowTitle(QString::fromStdString(text));
    };
    drawer_->jobfinish = [this](int mode) { jobfinish(mode); };
    drawer_->getprocaddress = [](const char* name) -> GlProc {
        QOpenGLContext* context = QOpenGLContext::currentContext();
        return context != nullptr ? context->getProcAddress(name) : nullptr;
    };
    drawer_->currentcontext = [] {
        return static_cast<const void*>(QOpenGLContext::currentContext());
    };
    job.working = [this](const std::string& text, double fraction) {
        working(text, fraction);
        jobinput_->poll();
        if (jobinput_->takeescape() || jobinput_->closerequested()) job.stoprequested = true;
    };
    job.arcDataError = [this] { arcmessages_->report(); };
    driver_->plotinitialised = [this] {
        logoshown = false;
        showpartgroupbox->show();
        programlink_->highlight.nodes = {};
    };
    driver_->clearscreen = [this] {
        if (!rereading_) clearscreen();
    };
    driver_->interpreted = [this] {
        infodirty = true;
        rereading_ ? keepstepsliders() : resetstepsliders();
        programlink_->programloaded();
    };
    driver_->fitjob = [this] {
        // A re-read keeps the view; it only draws when the reading ended without its redraw.
        if (!rereading_) {
            SpeedButton5Click();
        } else if (job.interpreting) {
            renderframe();
        }
    };
    driver_->render = [this] { renderframe(); };
    for (int i = 10; i <= 16; ++i) {
        PanelButton* button = SpeedButton[static_cast<size_t>(i)];
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedButtonClick(button); });
    }
    connect(SpeedButton[5], &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
    connect(SpeedButton[7], &QToolButton::clicked, this, [this] { view.zoomby(0.5); });
    connect(SpeedButton[8], &QToolButton::clicked, this, [this] { view.zoomby(2.0); });
    connect(drawrangeblockcheckbox, &QCheckBox::clicked, this,
            [this] { drawrangeblockcheckboxClick(); });
    connect(shownumberscrollbar, &QScrollBar::valueChanged, this,
            [this] { shownumberscrollbarChange(); });
    connect(showstartscrollbar, &QSlider::valueChanged, this,
            [this] { showstartscrollbarChange(); });
}

void Tvorlixform::buildpanelcommands() {
    PanelCommands::Hooks hooks;
    hooks.recentlist = [this] { return desktop_->recentfiles().files(); };
    // The dialog lets a device or a pipe be named; reading one would never end or never start.
    hooks.openpath = [this](const QString& path) {
        if (!desktop_->refusednonregular(path)) openfile(path);
    };
    hooks.shownfile = [this] { return displayname(ncpath.empty() ? ncfilename : ncpath); };
    hooks.speedchosen = [this](bool frontbuffer, int32_t stepdelay) {
        setspeed(frontbuffer, stepdelay);
    };
    panelcommands_ = std::make_unique<PanelCommands>(
        PanelCommands::Parts{this, panel, logo, SpeedButton[1], SpeedButton[4], SpeedButton[6],
                             frame_.get(), wrkscreen, drawer_.get(), bigfivehelp},
        std::move(hooks));
    selectfile = panelcommands_->selectfile;
    speedmenu = panelcommands_->speedmenu;
}

void Tvorlixform::builddesktop() {
    DesktopOpen::Hooks hooks;
    hooks.jobbusy = [this] { return jobrunning(); };
    hooks.dragging = [this] {
        return surfacedrag.dragmode != SurfaceDrag::None || paneldrag.dragging();
    };
    hooks.openpath = [this](const QString& path) { openfile(path); };
    hooks.readagain = [this] { return rereadjob(); };
    hooks.shownfile = [this] { return displayname(ncpath.empty() ? ncfilename : ncpath); };
    desktop_ = std::make_unique<DesktopOpen>(this, SpeedButton[1], panelextras, cmd_.cmdnosettings,
                                             std::move(hooks));
    recentmenu = desktop_->recentmenu;
    followfilecheckbox = desktop_->followfilecheckbox;
    followfilenotice = desktop_->followfilenotice;
    settooltips();
}

void Tvorlixform::dragEnterEvent(QDragEnterEvent* event) {
    desktop_->dragentered(event);
}
void Tvorlixform::dragMoveEvent(QDragMoveEvent* event) {
    desktop_->dragmoved(event);
}
void Tvorlixform::dropEvent(QDropEvent* event) {
    desktop_->dropped(event);
}
