#include "app/stockview.h"

#include <QApplication>
#include <QOpenGLContext>
#include <algorithm>
#include <optional>

#include "app/noticetexts.h"
#include "app/stockdialog.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "sim/cuttertrack.h"
#include "sim/stocksimulation.h"

namespace {

bool samerequest(const sim::StockRequest& a, const sim::StockRequest& b) {
    const sim::StockBox &s = a.stock, &t = b.stock;
    const bool samebox = s.x0 == t.x0 && s.y0 == t.y0 && s.z0 == t.z0 && s.x1 == t.x1 &&
                         s.y1 == t.y1 && s.z1 == t.z1;
    return a.stockGiven == b.stockGiven && (!a.stockGiven || samebox) && a.cell == b.cell &&
           a.quality == b.quality;
}

}  // namespace

StockView::StockView(Tvorlixform& form, const QString& settingsfile)
    : form_(form),
      readout_(form),
      settingsfile_(settingsfile),
      alarms_(form),
      worker_([this](uint64_t generation, std::shared_ptr<StockWorker::Outcome> outcome) {
          QMetaObject::invokeMethod(
              this, [this, generation, outcome] { take(generation, outcome); },
              Qt::QueuedConnection);
      }),
      controls_(form, *this, readout_) {
    request_.quality = storedstockquality(settingsfile_);
    solidview_.getprocaddress = [](const char* name) -> GlProc {
        QOpenGLContext* context = QOpenGLContext::currentContext();
        return context != nullptr ? context->getProcAddress(name) : nullptr;
    };
}

StockView::~StockView() {
    stopworker();
}

void StockView::choosestock() {
    if (form_.jobrunning()) return;
    // The simulation's own box, else one pass over the moves (it has not run, or on a given
    // box), kept for the job: over millions of moves the pass holds the window a moment.
    if (!automatic_ && !worker_.running() && sim_ != nullptr && sim_->ready() &&
        !request_.stockGiven) {
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
    alarms_.withdraw();
    refresh();
    // The old stock stays in the picture until the new one has been cut.
    if (active_ && jobdone_ && !form_.jobrunning()) form_.renderframe();
}

void StockView::setactive(bool on) {
    if (on == active_) return;
    active_ = on;
    controls_.showactive(on);
    if (!on) stopworker();
    refresh();
    if (!form_.jobrunning()) form_.renderframe();
}

void StockView::jobstarting() {
    stopworker();
    sim_.reset();
    grid_.reset();
    problem_.clear();
    alarms_.forget();
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
    if (worker_.running()) {
        if (worker_.runningto() == node) return;
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
            alarms_.add(sim_->alarms());
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
    } else if (controls_.toolpathover()) {
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
    if (!active_ || worker_.running() || sim_ == nullptr || !sim_->ready()) return toolpath;
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
    reachedfor_ = -1;
    worker_.start(target, sim_, form_.job, programpath(), request_);
    refresh();
}

void StockView::stopworker() {
    worker_.stop();
}

void StockView::waitforsimulation() {
    while (worker_.running()) {
        worker_.join();
        QApplication::sendPostedEvents(this);
        if (worker_.running()) stopworker();  // ended without a word: it was cancelled
    }
}

void StockView::take(uint64_t generation, const std::shared_ptr<StockWorker::Outcome>& outcome) {
    if (!worker_.current(generation)) return;
    if (!outcome->partial) {
        reachedfor_ = worker_.finish();
        problem_ = outcome->problem;
        alarms_.add(outcome->alarms);
    }
    if (outcome->grid) grid_ = outcome->grid;
    refresh();
    if (active_ && !form_.jobrunning()) form_.renderframe();
}

QString StockView::text() const {
    if (!active_ || !jobdone_) return {};
    if (!problem_.empty()) return tr("No solid view: %1").arg(problemtext(problem_));
    if (worker_.running()) {
        const int32_t goal = std::max<int32_t>(worker_.target(), 1);
        const auto percent = static_cast<int>(100.0 * std::clamp(worker_.done(), 0, goal) / goal);
        return tr("Simulating… %1 % (Escape stops)").arg(percent);
    }
    if (sim_ == nullptr || !sim_->ready()) return {};
    QStringList lines;
    lines << tr("Stock cell %1").arg(sim_->cell(), 0, 'f', 3);
    for (const std::string& notice : sim_->notices()) lines << problemtext(notice);
    return lines.join(QLatin1Char('\n'));
}

void StockView::refresh() {
    readout_.show(text());
}
