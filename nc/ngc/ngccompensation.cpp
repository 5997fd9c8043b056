#include "nc/ngc/ngccompensation.h"

#include <cmath>
#include <filesystem>

namespace {

constexpr double kMillimetresPerInch = 25.4;

std::string filename(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool iscycle(int32_t motion) {
    return motion == 730 || (motion >= 810 && motion <= 890);
}

}  // namespace

int32_t NgcCompensation::refusesactive(const int32_t group[16], int32_t axisuser, bool machine,
                                       int32_t motion, bool hasaxis, bool inch) const {
    // The offset is worked out in XY, in the units it was given in, from programmed points
    // a reference return or a cycle would pass by.
    if (group[7] > 400) return group[7];
    if (group[2] >= 0 && group[2] != plane_ * 10) return group[2];
    if (group[6] >= 0 && (group[6] == 200) != inch) return group[6];
    if (machine) return 530;
    if (axisuser == 280 || axisuser == 300) return axisuser;
    const int32_t next = group[1] >= 0 ? group[1] : motion;
    if (iscycle(next) && (hasaxis || group[1] >= 0)) return next;
    return -1;
}

std::string NgcCompensation::refusal(int32_t code) {
    const bool again = code >= 410 && code <= 421;
    return ngccodename('G', code) + (again ? " with cutter compensation already on" : " with cutter compensation on");
}

void NgcCompensation::set(int32_t code, const NgcBlock& block, int32_t line, int32_t plane,
                          int32_t tool, bool inch, double dscale) {
    if (code == 400) {
        comp_.off();
        return;
    }
    // Named only for a problem: every contour of a posted program passes here.
    const auto name = [code] { return ngccodename('G', code); };
    if (plane != 17 && !(anyplane_ && (plane == 18 || plane == 19))) {
        return problem(line, name() + " works in the XY plane (G17) only");
    }
    double diameter = 0;
    if (code == 411 || code == 421) {
        if (!block.has('D')) return problem(line, name() + " needs D, the tool diameter");
        // Written in the block's units, held in the program's length unit.
        diameter = block.get('D') * dscale;
        if (!(diameter >= 0 && std::isfinite(diameter))) {
            return problem(line, name() + " needs D, the tool diameter, not negative");
        }
    } else {
        double number = tool;
        if (block.has('D')) {
            number = block.get('D');
            if (!(number >= 0 && number < 2147483648.0 && number == std::floor(number))) {
                return problem(line, name() + " needs D, a tool number");
            }
        }
        double radius = 0;
        if (!registerradius(static_cast<int32_t>(number), line, inch, radius)) return;
        diameter = 2 * radius;
    }
    bool left = code == 410 || code == 411;
    if (diameter < 0) {
        // A negative offset is the control's way of cutting on the other side.
        left = !left;
        diameter = -diameter;
    }
    if (!displaced_) {
        for (int a = 0; a < 3; ++a) drawn_[a] = path_.pos[a];
    }
    displaced_ = true;
    // Corner arcs are drawn in this plane before any programmed arc names it.
    plane_ = plane;
    const NgcPlaneAxes axes = ngcplaneaxes(plane);
    comp_.on(left, diameter / 2, axes.first, axes.second, drawn_);
}

bool NgcCompensation::registerradius(int32_t number, int32_t line, bool inch, double& radius) {
    const double unit = inch ? kMillimetresPerInch : 1;
    if (offsets_ != nullptr && number == 0) {
        radius = 0;  // the register the control keeps empty
        return true;
    }
    if (offsets_ != nullptr && offsets_->found()) {
        nametableproblems(line);
        double millimetres = 0;
        if (!offsets_->radius(number, millimetres)) {
            job_.notice.ignore("G41/G42 D" + std::to_string(number) + " not in the offset file", line);
            return false;
        }
        radius = millimetres / unit;
        return true;
    }
    nametableproblems(line);
    const ToolTable& table = job_.tools;
    if (!table.found()) {
        // Named once: compensation is then drawn as if off, never with a guessed radius.
        job_.notice.ignore("G41/G42 without a tool table", line);
        return false;
    }
    const ToolEntry* entry = table.find(number);
    if (entry == nullptr) {
        job_.notice.ignore("G41/G42 D" + std::to_string(number) + " not in the tool table", line);
        return false;
    }
    radius = entry->radius() / unit;
    return true;
}

void NgcCompensation::nametableproblems(int32_t line) {
    if (tablechecked_) return;
    tablechecked_ = true;
    // A file that is there, or that the user named, but cannot be read must not pass for a
    // missing one: its registers would silently be taken from elsewhere or left off.
    auto unreadable = [this, line](const std::string& path, bool named) {
        std::error_code error;
        if (!path.empty() && (named || std::filesystem::exists(path, error))) {
            problem(line, filename(path) + " cannot be read");
        }
    };
    if (offsets_ != nullptr && !offsets_->found()) unreadable(offsets_->source(), false);
    if (!job_.tools.found() && (offsets_ == nullptr || !offsets_->found())) {
        unreadable(job_.tools.source(), !job_.toolfile.empty());
    }
    const bool offsets = offsets_ != nullptr && offsets_->found();
    const std::string& source = offsets ? offsets_->source() : job_.tools.source();
    for (const ToolTable::Problem& p : offsets ? offsets_->problems() : job_.tools.problems()) {
        problem(line, filename(source) + " line " + std::to_string(p.line) + ": " + p.message);
    }
}

void NgcCompensation::pass(CompMove& m, const double target[3]) {
    for (int a = 0; a < 3; ++a) m.end[a] = target[a];
    m.feed = path_.feedstate();
    const double from[3] = {path_.pos[0], path_.pos[1], path_.pos[2]};
    // Kept before the move is worked on: this is the contour as programmed.
    const int32_t node = job_.nodes.nodecount();
    if (m.isarc()) {
        const NgcPlaneAxes axes = ngcplaneaxes(plane_);
        job_.contour.arc(axes.first, axes.second, m.motion, from, target, m.centre[0], m.centre[1], m.turns, node);
    } else {
        job_.contour.straight(from, target, node);
    }
    comp_.move(m, from);
    bool apart = false;
    for (int a = 0; a < 3; ++a) {
        path_.pos[a] = target[a];
        apart = apart || drawn_[a] != target[a];
    }
    displaced_ = comp_.active() || apart;
}

void NgcCompensation::straight(int32_t line, bool rapid, const double target[3]) {
    if (!engaged()) return path_.straight(line, rapid, target);
    CompMove m;
    m.line = line;
    m.motion = rapid ? 0 : 1;
    pass(m, target);
}

void NgcCompensation::arc(int32_t line, int32_t plane, int32_t motion, const double target[3],
                          double centrefirst, double centresecond, int64_t turns) {
    plane_ = plane;
    if (!engaged()) return path_.arc(line, plane, motion, target, centrefirst, centresecond, turns);
    CompMove m;
    m.line = line;
    m.motion = motion;
    m.centre[0] = centrefirst;
    m.centre[1] = centresecond;
    m.turns = turns;
    pass(m, target);
}

void NgcCompensation::finish() {
    comp_.off();
    if (unlisted_ > 0) {
        job_.notice.problem(lastline_, std::to_string(unlisted_) + " more compensation problems not listed");
    }
}

void NgcCompensation::draw(const CompMove& m) {
    // Drawn from where the tool centre stands, with the feed the move was read with; the
    // reading's own position and feed come back afterwards.
    double programmed[3];
    for (int a = 0; a < 3; ++a) {
        programmed[a] = path_.pos[a];
        path_.pos[a] = drawn_[a];
    }
    const MoveFeed now = path_.feedstate();
    path_.setfeedstate(m.feed);
    if (m.isarc()) {
        path_.arc(m.line, plane_, m.motion, m.end, m.centre[0], m.centre[1], m.turns);
    } else {
        path_.straight(m.line, m.motion == 0, m.end);
    }
    path_.setfeedstate(now);
    for (int a = 0; a < 3; ++a) {
        drawn_[a] = path_.pos[a];
        path_.pos[a] = programmed[a];
    }
}

void NgcCompensation::problem(int32_t line, std::string message) {
    // Compensation switched on and off on every line of a long program must not list each.
    lastline_ = line;
    if (problems_ < kListedProblems) {
        ++problems_;
        job_.notice.problem(line, std::move(message));
    } else {
        ++unlisted_;
    }
}
