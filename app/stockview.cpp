#include "app/stockview.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QOpenGLContext>
#include <QSignalBlocker>
#include <algorithm>
#include <chrono>
#include <optional>

#include "app/noticetexts.h"
#include "app/readingnoticerow.h"
#include "app/stockdialog.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "sim/cuttertrack.h"
#include "sim/stocksimulation.h"

struct StockView::Outcome {
    bool partial = false;  // a look at a run still going
    std::shared_ptr<const SolidGrid> grid;
    std::string problem;
    std::vector<sim::SimulationAlarm> alarms;
};

namespace {

// The simulation of the shown program, its tools from the table the window's job read or the
// one beside the program, as korven-info takes them.
std::unique_ptr<sim::StockSimulation> simulationof(const NcJob& job, const std::string& path,
                                                   const sim::StockRequest& request) {
    return std::make_unique<sim::StockSimulation>(job.nodes, job.events,
                                                  sim::simulationTools(job, path), job.inchunits,
                                                  request);
}

bool samerequest(const sim::StockRequest& a, const sim::StockRequest& b) {
    const sim::StockBox &s = a.stock, &t = b.stock;
    const bool samebox = s.x0 == t.x0 && s.y0 == t.y0 && s.z0 == t.z0 && s.x1 == t.x1 &&
                         s.y1 == t.y1 && s.z1 == t.z1;
    return a.stockGiven == b.stockGiven && (!a.stockGiven || samebox) && a.cell == b.cell &&
           a.quality == b.quality;
}

// How often a running simulation shows the stock it has cut so far: making the coarser grid
// and drawing it costs a software rasterizer about a frame.
constexpr auto kLookInterval = std::chrono::milliseconds(400);

}  // namespace

StockView::StockView(Tvorlixform& form, const QString& settingsfile)
    : form_(form), settingsfile_(settingsfile) {
    request_.quality = storedstockquality(settingsfile_);
    label_ = new QLabel(&form);
    label_->setObjectName(QStringLiteral("stockreadout"));
    label_->setFont(QFont(QStringLiteral("Courier New"), 8));
    label_->setStyleSheet(QStringLiteral("color: white; background: rgba(0, 0, 0, 160);"));
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->hide();
    solidview_.getprocaddress = [](const char* name) -> GlProc {
        QOpenGLContext* context = QOpenGLContext::currentContext();
        return context != nullptr ? context->getProcAddress(name) : nullptr;
    };
    buildmenu();
    qApp->installEventFilter(this);
}

StockView::~StockView() {
    qApp->removeEventFilter(this);
    stopworker();
}

void StockView::buildmenu() {
    form_.speedmenu->addSeparator();
    solid_ = form_.speedmenu->addAction(tr("Solid view") + QStringLiteral("\tS"));
    solid_->setObjectName(QStringLiteral("solidview"));
    solid_->setCheckable(true);
    connect(solid_, &QAction::toggled, this, [this](bool on) { setactive(on); });
    toolpath_ = form_.speedmenu->addAction(tr("Toolpath over the solid"));
    toolpath_->setObjectName(QStringLiteral("solidtoolpath"));
    toolpath_->setCheckable(true);
    connect(toolpath_, &QAction::toggled, this, [this] {
        if (active_ && !form_.jobrunning()) form_.renderframe();
    });
    stock_ = form_.speedmenu->addAction(tr("Simulation stock…"));
    stock_->setObjectName(QStringLiteral("simulationstock"));
    connect(stock_, &QAction::triggered, this, [this] { choosestock(); });
}

void StockView::choosestock() {
    if (form_.jobrunning()) return;
    // The simulation's own box, else one pass over the moves (it has not run, or on a given
    // box), kept for the job: over millions of moves the pass holds the window a moment.
    if (!automatic_ && !running_ && sim_ != nullptr && sim_->ready() && !request_.stockGiven) {
        automatic_ = sim_->stock();
    } else if (!automatic_ && jobdone_) {
        const NcJob& job = form_.job;
        const sim::CutterTrack track(job.nodes, job.events,
                                     sim::simulationTools(job, programpath()), job.inchunits);
        const sim::StockGrid grid = sim::chooseStockGrid({}, track.cuts());
        if (grid.ok()) automatic_ = grid.stock;
    }
    StockDialog dialog(&form_, request_, automatic_);
    if (dialog.exec() == QDialog::Accepted) setrequest(dialog.request());
}

void StockView::setrequest(const sim::StockRequest& request) {
    if (samerequest(request, request_)) return;
    request_ = request;
    storestockquality(settingsfile_, request_.quality);
    stopworker();
    sim_.reset();
    problem_.clear();
    reachedfor_ = -1;
    // Another stock may leave other rapids in the clear: the alarms are found again.
    if (!alarmsadded_.empty()) {
        ReadingNotice notice = form_.job.notice;
        notice.withdraw(alarmsadded_);
        form_.job.notice = notice;
        form_.noticerow->shownotice(notice);
    }
    alarmsadded_.clear();
    alarmlines_.clear();
    refresh();
    // The old stock stays in the picture until the new one has been cut.
    if (active_ && jobdone_ && !form_.jobrunning()) form_.renderframe();
}

void StockView::setactive(bool on) {
    if (on == active_) return;
    active_ = on;
    {
        const QSignalBlocker quiet(solid_);
        solid_->setChecked(on);
    }
    if (!on) stopworker();
    refresh();
    if (!form_.jobrunning()) form_.renderframe();
}

void StockView::jobstarting() {
    stopworker();
    sim_.reset();
    grid_.reset();
    problem_.clear();
    alarmlines_.clear();
    alarmsadded_.clear();  // the new reading starts its notice afresh
    automatic_.reset();
    reachedfor_ = -1;
    jobdone_ = false;
    refresh();
}

void StockView::jobfinished() {
    jobdone_ = true;
    // The job's own picture was drawn before it ended, as a toolpath.
    if (active_) follow();
}

int32_t StockView::wantednode(bool& slowed) const {
    int32_t first = 0, last = -1;
    form_.drawer()->drawnrange(first, last);
    slowed = form_.wrkscreen->frontbuffer();
    if (last < first) return -1;
    return slowed ? first : last;
}

void StockView::follow() {
    bool slowed = false;
    const int32_t node = wantednode(slowed);
    if (node < 0 || (!problem_.empty() && sim_ == nullptr)) return;
    if (running_) {
        if (runningto_ == node) return;
        stopworker();
    } else if (sim_ != nullptr &&
               (!sim_->ready() || (grid_ && (sim_->position() == node || reachedfor_ == node)))) {
        return;
    }
    startworker(node);
}

bool StockView::drawframe() {
    if (!active_ || !jobdone_) return false;
    bool slowed = false;
    const int32_t node = wantednode(slowed);
    ToolpathDrawer& drawer = *form_.drawer();
    if (slowed && node >= 0) {
        // The drawing holds the thread anyway: the stock follows it here, not on a worker.
        stopworker();
        if (sim_ == nullptr) sim_ = simulationof(form_.job, programpath(), request_);
        if (sim_->ready()) {
            sim_->runTo(node);
            grid_ = std::make_shared<const SolidGrid>(coarsegrid(sim_->heightMap()));
            addalarms(sim_->alarms());
        } else {
            problem_ = sim_->problem();
        }
        refresh();
    } else {
        follow();
    }
    if (!grid_) return false;
    solidview_.draw(*grid_);
    if (slowed) {
        std::function<void(int32_t)> follower = drawer.drawingnode;
        drawer.drawingnode = [this, &follower](int32_t at) {
            if (follower) follower(at);
            slowedto(at);
        };
        drawer.showtoolpath();
        drawer.drawingnode = follower;
        // Followed at most every 100 ms: the last stretch is cut once the drawing is through.
        int32_t first = 0, last = -1;
        drawer.drawnrange(first, last);
        slowedto(last);
        refresh();
    } else if (toolpath_->isChecked()) {
        drawer.showtoolpath();
    } else {
        // Every drawing pass ends the job, drawn or not.
        form_.jobfinish(drawer.stepwindow.on ? 2 : 1);
    }
    return true;
}

bool StockView::drawdrag() {
    if (!active_ || !grid_) return false;
    solidview_.draw(*grid_);
    return true;
}

WorldBox StockView::fitted(const WorldBox& toolpath) const {
    if (!active_ || running_ || sim_ == nullptr || !sim_->ready()) return toolpath;
    const sim::StockBox& s = sim_->stock();
    const bool empty = toolpath.xmin > toolpath.xmax;
    auto low = [empty](double a, double b) { return empty ? b : std::min(a, b); };
    auto high = [empty](double a, double b) { return empty ? b : std::max(a, b); };
    return {low(toolpath.xmin, s.x0), high(toolpath.xmax, s.x1), low(toolpath.ymin, s.y0),
            high(toolpath.ymax, s.y1), low(toolpath.zmin, s.z0), high(toolpath.zmax, s.z1)};
}

void StockView::slowedto(int32_t node) {
    if (sim_ == nullptr || !sim_->ready()) return;
    sim_->runTo(node);
    grid_ = std::make_shared<const SolidGrid>(coarsegrid(sim_->heightMap()));
    // Between the strips of the drawing: the stock under the lines drawn so far steps back in
    // depth, so they stay in front of it.
    solidview_.draw(*grid_);
}

std::string StockView::programpath() const {
    return form_.ncpath.empty() ? form_.ncfilename : form_.ncpath;
}

void StockView::startworker(int32_t target) {
    stopworker();
    const uint64_t generation = ++generation_;
    running_ = true;
    runningto_ = target;
    reachedfor_ = -1;
    done_ = 0;
    target_ = target;
    const NcJob& job = form_.job;
    const std::string path = programpath();
    const sim::StockRequest request = request_;
    auto post = [this, generation](std::shared_ptr<Outcome> outcome) {
        QMetaObject::invokeMethod(
            this, [this, generation, outcome] { take(generation, outcome); },
            Qt::QueuedConnection);
    };
    worker_ = std::thread([this, target, &job, path, request, post] {
        if (sim_ == nullptr) sim_ = simulationof(job, path, request);
        auto outcome = std::make_shared<Outcome>();
        if (!sim_->ready()) {
            outcome->problem = sim_->problem();
            post(outcome);
            return;
        }
        auto looked = std::chrono::steady_clock::now();
        const auto progress = [&](int32_t done, int32_t goal) {
            done_ = done;
            target_ = goal;
            if (std::chrono::steady_clock::now() - looked < kLookInterval) return;
            auto look = std::make_shared<Outcome>();
            look->partial = true;
            look->grid = std::make_shared<const SolidGrid>(coarsegrid(sim_->heightMap()));
            post(look);
            looked = std::chrono::steady_clock::now();
        };
        if (!sim_->runTo(target, progress, &cancel_)) return;
        outcome->grid = std::make_shared<const SolidGrid>(coarsegrid(sim_->heightMap()));
        outcome->alarms = sim_->alarms();
        post(outcome);
    });
    refresh();
}

void StockView::stopworker() {
    ++generation_;  // whatever the worker posted belongs to a run given up
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
    cancel_ = false;
    running_ = false;
    runningto_ = -1;
}

void StockView::waitforsimulation() {
    while (running_) {
        if (worker_.joinable()) worker_.join();
        QApplication::sendPostedEvents(this);
        if (running_) stopworker();  // ended without a word: it was cancelled
    }
}

void StockView::take(uint64_t generation, const std::shared_ptr<Outcome>& outcome) {
    if (generation != generation_) return;
    if (!outcome->partial) {
        if (worker_.joinable()) worker_.join();
        running_ = false;
        reachedfor_ = runningto_;
        runningto_ = -1;
        problem_ = outcome->problem;
        addalarms(outcome->alarms);
    }
    if (outcome->grid) grid_ = outcome->grid;
    refresh();
    if (active_ && !form_.jobrunning()) form_.renderframe();
}

void StockView::addalarms(const std::vector<sim::SimulationAlarm>& alarms) {
    ReadingNotice notice = form_.job.notice;
    bool added = false;
    for (const sim::SimulationAlarm& alarm : alarms) {
        if (!alarmlines_.insert(alarm.line).second) continue;
        alarmsadded_.push_back({alarm.line, alarm.text()});
        notice.problem(alarm.line, alarm.text());
        added = true;
    }
    if (!added) return;
    form_.job.notice = notice;
    form_.noticerow->shownotice(notice);
}

QString StockView::text() const {
    if (!active_ || !jobdone_) return {};
    if (!problem_.empty()) return tr("No solid view: %1").arg(problemtext(problem_));
    if (running_) {
        const int32_t goal = std::max<int32_t>(target_, 1);
        const auto percent = static_cast<int>(100.0 * std::clamp(done_.load(), 0, goal) / goal);
        return tr("Simulating… %1 % (Escape stops)").arg(percent);
    }
    if (sim_ == nullptr || !sim_->ready()) return {};
    QStringList lines;
    lines << tr("Stock cell %1").arg(sim_->cell(), 0, 'f', 3);
    for (const std::string& notice : sim_->notices()) lines << problemtext(notice);
    return lines.join(QLatin1Char('\n'));
}

void StockView::refresh() {
    const QString shown = text();
    label_->setText(shown);
    label_->setVisible(!shown.isEmpty());
    place();
}

void StockView::place() {
    if (!label_->isVisible()) return;
    label_->adjustSize();
    const QRect surface = form_.wrkscreen->geometry();
    label_->move(surface.right() - label_->width() - 3, surface.top() + 3);
    label_->raise();
}

bool StockView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == form_.wrkscreen && (type == QEvent::Resize || type == QEvent::Move)) place();
    if (type != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QWidget* focus = form_.focusWidget();
    // Taken once, where the window hands its keys, and never during a job.
    if (widget->window() != &form_ || widget != (focus != nullptr ? focus : &form_) ||
        form_.jobrunning()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && key->key() == Qt::Key_S) {
        setactive(!active_);
        return true;
    }
    if (running_ && key->key() == Qt::Key_Escape) {
        // Stopped, the picture goes back to the toolpath, which was never touched.
        setactive(false);
        return true;
    }
    return false;
}
