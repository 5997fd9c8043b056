#include "app/planreadout.h"

#include <QActionGroup>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <cmath>
#include <vector>

#include "app/datafolder.h"
#include "app/readingnoticerow.h"
#include "nc/ncjob.h"
#include "plan/toolpathplan.h"
#include "plan/travelcheck.h"
#include "render/glimage.h"

struct PlanReadout::Result {
    bool planned = false;  // a profile was used
    ToolpathPlan plan;
    AllExtents extents;
    std::vector<LimitBreak> breaks;
};

namespace {

constexpr const char* kAxisNames[3] = {"X", "Y", "Z"};

QString clock(double seconds) {
    if (!std::isfinite(seconds)) return QStringLiteral("∞");
    const auto tenths = static_cast<int64_t>(std::llround(seconds * 10));
    const int64_t h = tenths / 36000, m = tenths / 600 % 60;
    const double s = static_cast<double>(tenths % 600) / 10;
    return QStringLiteral("%1:%2:%3")
        .arg(h)
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 4, 'f', 1, QLatin1Char('0'));
}

}  // namespace

PlanReadout::PlanReadout(const Parts& parts, std::function<void()> render)
    : parts_(parts), render_(std::move(render)) {
    label_ = new QLabel(parts_.window);
    label_->setObjectName(QStringLiteral("planreadout"));
    label_->setFont(QFont(QStringLiteral("Courier New"), 8));
    label_->setStyleSheet(QStringLiteral("color: white; background: rgba(0, 0, 0, 160);"));
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->hide();
    parts_.wrkscreen->installEventFilter(this);
    buildmenu(parts.speedmenu);
}

PlanReadout::~PlanReadout() {
    stopworker();
}

void PlanReadout::buildmenu(QMenu* speedmenu) {
    menu_ = speedmenu->addMenu(tr("Machine profile"));
    menu_->setObjectName(QStringLiteral("machinemenu"));
    group_ = new QActionGroup(menu_);
    none_ = menu_->addAction(tr("None"));
    none_->setCheckable(true);
    none_->setChecked(true);
    group_->addAction(none_);
    connect(none_, &QAction::triggered, this, [this] { clearprofile(); });
    const QString folder = datafile(QStringLiteral("machines"));
    const QStringList files = folder.isEmpty() ? QStringList()
                                               : QDir(folder).entryList({QStringLiteral("*.ini")},
                                                                        QDir::Files, QDir::Name);
    for (const QString& file : files) {
        QAction* item = menu_->addAction(QFileInfo(file).completeBaseName());
        item->setCheckable(true);
        group_->addAction(item);
        const QString path = folder + QLatin1Char('/') + file;
        connect(item, &QAction::triggered, this, [this, path] {
            if (!chooseprofile(path)) clearprofile();
        });
    }
    QAction* other = menu_->addAction(tr("Other profile…"));
    other->setCheckable(true);
    group_->addAction(other);
    connect(other, &QAction::triggered, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(parts_.window, tr("Machine profile"), QString(),
                                         tr("Machine profiles") + " (*.ini);;*");
        if (path.isEmpty() || !chooseprofile(path)) clearprofile();
    });
    menu_->addSeparator();
    visible_ = menu_->addAction(tr("Show the machine readout"));
    visible_->setCheckable(true);
    visible_->setChecked(true);
    connect(visible_, &QAction::toggled, this, [this] { refresh(); });
    travel_ = menu_->addAction(tr("Show the travel box"));
    travel_->setObjectName(QStringLiteral("travelbox"));
    travel_->setCheckable(true);
    connect(travel_, &QAction::toggled, this, [this] { render_(); });
}

bool PlanReadout::travelbox(FrameBox& box) const {
    if (!hasprofile_ || !travel_->isChecked()) return false;
    const double scale = profilescale(profile_, parts_.job.inchunits);
    double* ends[3][2] = {{&box.xmin, &box.xmax}, {&box.ymin, &box.ymax}, {&box.zmin, &box.zmax}};
    for (int a = 0; a < 3; ++a) {
        *ends[a][0] = (profile_.axis[a].min - profile_.origin[a]) / scale;
        *ends[a][1] = (profile_.axis[a].max - profile_.origin[a]) / scale;
    }
    return true;
}

bool PlanReadout::chooseprofile(const QString& path, bool quiet) {
    const MachineProfileRead read = readmachineprofilefile(QFile::encodeName(path).toStdString());
    if (!read.error.empty()) {
        if (!quiet) {
            QMessageBox::warning(parts_.window, QStringLiteral("KORVEN"),
                                 tr("This machine profile cannot be used:") + QLatin1Char('\n') +
                                     QString::fromStdString(read.error));
        }
        return false;
    }
    profile_ = read.profile;
    hasprofile_ = true;
    if (jobdone_) startworker();
    if (travel_->isChecked()) render_();
    return true;
}

void PlanReadout::clearprofile() {
    hasprofile_ = false;
    none_->setChecked(true);
    if (jobdone_) startworker();
    if (travel_->isChecked()) render_();
}

void PlanReadout::jobstarting() {
    stopworker();
    ++generation_;  // a plan already posted belongs to the old nodes
    jobdone_ = false;
    result_.reset();
    added_.clear();  // the new reading starts its notice afresh
    selection_ = {};
    label_->hide();
}

void PlanReadout::jobfinished() {
    jobdone_ = true;
    startworker();
}

void PlanReadout::showselection(NodeSpan nodes) {
    selection_ = nodes;
    refresh();
}

void PlanReadout::stopworker() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
    cancel_ = false;
    running_ = false;
}

void PlanReadout::startworker() {
    stopworker();
    const uint64_t generation = ++generation_;
    running_ = true;
    const bool withprofile = hasprofile_;
    const MachineProfile profile = profile_;
    const NcJob& job = parts_.job;
    worker_ = std::thread([this, generation, withprofile, profile, &job] {
        auto result = std::make_shared<Result>();
        result->extents = allextents(job.nodes);
        if (withprofile && !cancel_) {
            result->planned = true;
            result->plan = plantoolpath(job.nodes, job.events, job.inchunits, profile, &cancel_);
            result->breaks = checklimits(job.nodes, job.inchunits, profile);
        }
        if (cancel_) return;
        QMetaObject::invokeMethod(
            this, [this, generation, result] { take(generation, result); }, Qt::QueuedConnection);
    });
    refresh();
}

void PlanReadout::waitforplan() {
    if (worker_.joinable()) worker_.join();
}

void PlanReadout::take(uint64_t generation, std::shared_ptr<Result> result) {
    if (generation != generation_) return;  // a later plan is on its way
    running_ = false;
    result_ = std::move(result);
    ReadingNotice notice = parts_.job.notice;
    notice.withdraw(added_);
    added_.clear();
    for (const LimitBreak& b : result_->breaks) {
        added_.push_back({b.line, tr("%1 leaves the machine's travel by %2")
                                      .arg(QLatin1String(kAxisNames[b.axis]))
                                      .arg(b.amount, 0, 'f', 3)
                                      .toStdString()});
        notice.problem(added_.back().line, added_.back().message);
    }
    parts_.job.notice = notice;
    parts_.noticerow->shownotice(notice);
    refresh();
}

QString PlanReadout::text() const {
    QStringList lines;
    if (hasprofile_) {
        if (running_ || !result_ || !result_->planned) {
            lines << tr("Planned: planning…");
        } else if (!result_->plan.ok) {
            lines << QString::fromStdString(result_->plan.problem);
        } else {
            const ToolpathPlan& plan = result_->plan;
            lines << tr("Planned %1 (feed-only %2)").arg(clock(plan.planned), clock(plan.feedonly));
            QStringList tools;
            for (const ToolSeconds& t : plan.tools) {
                tools << QStringLiteral("T%1 %2").arg(t.tool).arg(clock(t.seconds));
            }
            for (int i = 0; i < tools.size(); i += 3)
                lines << tools.mid(i, 3).join(QLatin1Char(' '));
            if (!selection_.empty()) {
                lines << tr("Selected lines %1")
                             .arg(clock(plannedseconds(plan, selection_.first, selection_.last)));
            }
        }
    }
    if (result_ && result_->extents.any) {
        const AllExtents& e = result_->extents;
        QString sizes = tr("All moves");
        for (int a = 0; a < 3; ++a) {
            sizes += QStringLiteral("\n%1 %2 … %3 (%4)")
                         .arg(QLatin1String(kAxisNames[a]))
                         .arg(e.min[a], 0, 'f', 3)
                         .arg(e.max[a], 0, 'f', 3)
                         .arg(e.max[a] - e.min[a], 0, 'f', 3);
        }
        lines << sizes;
    }
    return lines.join(QLatin1Char('\n'));
}

void PlanReadout::refresh() {
    const QString shown = jobdone_ && visible_->isChecked() ? text() : QString();
    label_->setText(shown);
    label_->setVisible(!shown.isEmpty());
    place();
}

void PlanReadout::place() {
    if (!label_->isVisible()) return;
    label_->adjustSize();
    const QRect surface = parts_.wrkscreen->geometry();
    label_->move(surface.right() - label_->width() - 3, surface.bottom() - label_->height() - 3);
    label_->raise();
}

bool PlanReadout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parts_.wrkscreen &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        place();
    }
    return false;
}
