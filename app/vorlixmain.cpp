#include "app/vorlixmain.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSlider>
#include <QWindow>

#include "app/arcdatamessages.h"
#include "app/dragsimplification.h"
#include "app/jobinput.h"
#include "app/navigationinput.h"
#include "app/panelbutton.h"
#include "app/panelextras.h"
#include "app/plotdriver.h"
#include "app/programpane.h"
#include "app/readingnoticerow.h"
#include "app/recentfiles.h"
#include "app/readingchoice.h"
#include "app/workingbar.h"
#include "render/glimage.h"
#include "view/viewicon.h"

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
    navigation_ = std::make_unique<NavigationInput>(*this);
    jobinput_ = std::make_unique<JobInput>(*this);
    jobinput_->finished = [this] {
        if (!resizedduringjob_ || jobinput_->closerequested()) return;
        resizedduringjob_ = false;
        renderframe();
    };
    buildreadingchoice();
    FormCreate();
}

void Tvorlixform::buildreadingchoice() {
    job.dialect = cmd_.cmdngc ? NcDialect::Ngc : NcDialect::Korven;
    auto* choice = new ReadingChoice(cmd_.cmdngc);
    panelextras->setrow(PanelExtras::Reading, choice);
    choice->changed = [this](bool ngc) {
        job.dialect = ngc ? NcDialect::Ngc : NcDialect::Korven;
        // The shown program is read again the new way; nothing is shown yet, nothing to do.
        const bool fileshown = !logoshown && !(ncfilename.empty() && ncpath.empty());
        if (fileshown && !WorkingBar->isVisible()) opensequence();
    };
}

Tvorlixform::~Tvorlixform() {
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
    drawer_->highlight = &highlight;
    frame_->drawtoolpath = [this] {
        // The program is about to end: a frame of millions of nodes would only hold it up.
        if (jobinput_->closerequested()) return;
        drawer_->frontbuffer = wrkscreen->frontbuffer();
        drawer_->showtoolpath();
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
        const bool drawn = simplification_->draw(viewscale, pixelheight);
        // Without a copy a heavy frame draws the toolpath, highlight and all.
        if (drawn || frame_->slowframe) drawdraghighlight();
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
        highlight.nodes = {};
    };
    driver_->clearscreen = [this] {
        if (!rereading_) clearscreen();
    };
    driver_->interpreted = [this] {
        infodirty = true;
        rereading_ ? keepstepsliders() : resetstepsliders();
        programloaded();
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

void Tvorlixform::FormCreate() {
    job.nodes.initnodedata();
    job.nodes.resetnodedata();
    view.renderhook = [this] { renderframe(); };
    frame_->slowframe = false;
    view.startwindow();
    setWindowTitle(QStringLiteral("Holvarin : KORVEN"));
    placewindow();
    drawpreseticons();

    ncfilename.clear();
    ncpath.clear();
    firstidle = true;
    openatidle = false;
    zupperlimit = 99.999;
    zlowerlimit = -99.999;
    const StartupParameters start = interpretpositional(cmd_);
    if (start.zlimitsgiven) {
        zupperlimit = start.zupperlimit;
        zlowerlimit = start.zlowerlimit;
    } else if (start.openatidle) {
        ncfilename = start.ncfilename;
        ncpath = start.ncpath;
        openatidle = true;
    }

    initscreen();
    clearscreen();
    tcary = calctcary();
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &Tvorlixform::AppIdle);
    dummyscrollbar->setFocus();
    WorkingBar->hide();
    setlabelsvisible(false);
}

void Tvorlixform::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    panel->setGeometry(width() - panel->width(), 0, panel->width(), height());
    FormResize();
}

void Tvorlixform::FormResize() {
    const int imagetop = showpartgroupbox->y() + showpartgroupbox->height() + 8;
    optimage->setGeometry(2, imagetop, panel->width() - 2 * 2, height() - imagetop - 2);
    wrkscreen->setGeometry(1, 1, width() - panel->width() - 2, height() - 2);
    layoutprogrampane();
    WorkingBar->setGeometry(wrkscreen->x() + 8, wrkscreen->y() + 8, wrkscreen->width() - 20, 24);
    infodirty = true;
    // A frame now would end the job's state (buttons, bar, half-made statistics) before the
    // job ends: the new size is drawn once it has.
    if (jobinprogress()) {
        resizedduringjob_ = true;
        return;
    }
    if (view.renderhook) view.renderhook();
}

void Tvorlixform::AppIdle() {
    // The queue has run empty. Work waits until the surface has been shown and painted once,
    // because fitting needs its size; nested event loops (message boxes) must not re-enter.
    if (inidle_ || !isVisible() || !wrkscreen->paintedonce()) return;
    // Shown is not yet on screen: until the display server has exposed the window nothing
    // drawn can appear, and a job started now would run unseen to its end.
    if (windowHandle() == nullptr || !windowHandle()->isExposed()) return;
    inidle_ = true;
    if (firstidle) {
        firstidle = false;
        logoshown = true;
        showgllogo();
    }
    if (openatidle) {
        openatidle = false;
        opensequence();
    }
    if (renderpending_ && !jobinprogress()) {
        renderpending_ = false;
        renderframe();
    }
    inidle_ = false;
}

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
    beginfollowing();
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

void Tvorlixform::renderlater(const std::function<void()>& step) {
    std::function<void()> hook = [this] { renderpending_ = true; };
    view.renderhook.swap(hook);
    step();
    view.renderhook.swap(hook);
}

void Tvorlixform::runjob() {
    job.zupperlimit = zupperlimit;
    job.zlowerlimit = zlowerlimit;
    arcmessages_->startjob();
    noticerow->clearnotice();
    // What the new job replaces goes before it is read, not after.
    simplification_->jobstarting();
    picker.clear();
    try {
        driver_->InitPlot();
        driver_->OnlyPlot(ncpath.empty() ? ncfilename : ncpath);
        simplification_->jobfinished(view.viewscale, wrkscreen->pixelheight());
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

void Tvorlixform::drawpreseticons() {
    for (int i = 10; i <= 16; ++i) {
        const ViewPreset& preset = viewpresets[static_cast<size_t>(i - 10)];
        view.setviewangles(preset);
        PanelButton* button = SpeedButton[static_cast<size_t>(i)];
        QImage glyph(kViewIconSize, kViewIconSize, QImage::Format_ARGB32);
        const QRgb color = button->captionColor().rgb();
        drawviewicon(view.angles(), color, 0, reinterpret_cast<uint32_t*>(glyph.bits()),
                     static_cast<int>(glyph.bytesPerLine() / 4));
        button->setGlyph(glyph);
    }
    view.setviewangles(viewpreset(ViewPresetId::Iso1));
    drawrotateicon();
}

void Tvorlixform::drawrotateicon(bool now) {
    QImage glyph(kViewIconSize, kViewIconSize, QImage::Format_ARGB32);
    drawviewicon(view.angles(), qRgb(255, 0, 0), 0, reinterpret_cast<uint32_t*>(glyph.bits()),
                 static_cast<int>(glyph.bytesPerLine() / 4));
    SpeedButton[9]->setGlyph(glyph, now);
}
