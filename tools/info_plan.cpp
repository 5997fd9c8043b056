#include "tools/info_plan.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <vector>

#include "plan/toolpathplan.h"
#include "plan/travelcheck.h"
#include "tools/info_fit.h"

namespace {

bool readable(const std::string& path) {
    return std::ifstream(path).good();
}

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The folders a name is looked up in, as the viewer finds its data folder: $HOLVARIN_HOME,
// else "holvarin" below the XDG data folders.
std::vector<std::string> datafolders() {
    if (!env("HOLVARIN_HOME").empty()) return {env("HOLVARIN_HOME")};
    std::vector<std::string> folders;
    std::string home = env("XDG_DATA_HOME");
    if (home.empty() && !env("HOME").empty()) home = env("HOME") + "/.local/share";
    if (!home.empty()) folders.push_back(home + "/holvarin");
    std::string dirs = env("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share:/usr/share";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t colon = std::min(dirs.find(':', start), dirs.size());
        if (colon > start) folders.push_back(dirs.substr(start, colon - start) + "/holvarin");
        start = colon + 1;
    }
    return folders;
}

std::string three(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", v);
    return buffer;
}

}  // namespace

PlanRequest extractplanoptions(int& argc, char** argv) {
    PlanRequest request;
    int i = 1;
    while (i < argc) {
        const std::string_view arg = argv[i];
        if (arg == "--machine") {
            if (i + 1 >= argc) {
                request.error = "--machine needs a FILE or NAME";
                return request;
            }
            request.wanted = true;
            request.machine = argv[i + 1];
            removeargs(argc, argv, i, 2);
        } else if (arg == "--check") {
            request.check = true;
            removeargs(argc, argv, i, 1);
        } else {
            ++i;
        }
    }
    if (request.check && !request.wanted) request.error = "--check goes with --machine";
    return request;
}

std::string loadplanprofile(PlanRequest& request) {
    std::string path = request.machine;
    if (!readable(path) && path.find('/') == std::string::npos) {
        for (const std::string& folder : datafolders()) {
            const std::string candidate = folder + "/machines/" + request.machine + ".ini";
            if (readable(candidate)) {
                path = candidate;
                break;
            }
        }
    }
    MachineProfileRead read = readmachineprofilefile(path);
    if (!read.error.empty()) return read.error;
    request.profile = read.profile;
    return {};
}

int writeplanreport(const NcJob& job, const PlanRequest& request, ReportWriter& out) {
    const AllExtents all = allextents(job.nodes);
    out.text("extents-all");
    if (!all.any) out.text(" none");
    for (int a = 0; all.any && a < 3; ++a)
        out.blank().fixed6(all.min[a]).blank().fixed6(all.max[a]);
    out.endline();
    if (!request.wanted) return 0;

    int status = 0;
    const ToolpathPlan plan = plantoolpath(job.nodes, job.events, job.inchunits, request.profile);
    if (plan.ok) {
        out.text("time planned ").text(three(plan.planned)).text(" feed-only ");
        out.text(three(plan.feedonly)).endline();
        for (const ToolSeconds& t : plan.tools) {
            out.text("time tool ").integer(t.tool).blank().text(three(t.seconds)).endline();
        }
    } else {
        std::fprintf(stderr, "korven-info: %s\n", plan.problem.c_str());
        status = 1;
    }
    static constexpr const char* kAxes[3] = {"X", "Y", "Z"};
    const std::vector<LimitBreak> breaks = checklimits(job.nodes, job.inchunits, request.profile);
    for (const LimitBreak& b : breaks) {
        std::fprintf(stderr, "limit %s %.3f first at line %d\n", kAxes[b.axis], b.amount,
                     static_cast<int>(b.line));
    }
    if (request.check && !breaks.empty()) status = 3;
    return status;
}
