// korven-info: interprets an NC program the way the viewer does when it opens the file and
// prints what the viewer would show: nodes, extents, tools and feeds, statistics; and, with
// --png, writes the picture the viewer's drawing surface shows.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "nc/ncjob.h"
#include "tools/info_fit.h"
#include "tools/info_link.h"
#include "tools/info_picture.h"
#include "tools/info_plan.h"
#include "tools/info_simulate.h"
#include "tools/inforeport.h"
#include "view/orientation.h"

#ifdef KORVEN_PICTURES
#include "render/headlesspicture.h"
#endif

namespace {

struct InfoRequest {
    bool nodes = false;
    bool zlimitsgiven = false;
    bool ngc = false;
    bool dialectgiven = false;
    std::string toolfile;
    double zupperlimit = 99.999;
    double zlowerlimit = -99.999;
    std::vector<const char*> viewerargs{"korven-info"};  // viewer options and the file
};

int usage(const char* problem) {
    std::fprintf(stderr,
                 "korven-info: %s\n"
                 "usage: korven-info [--nodes] [--zlimits UPPER LOWER] [--fit W H]"
                 " [--png OUT.png [--size WxH] [--highlight A[-B]]] [--pick X,Y [--size WxH]]"
                 " [--view NAME] [--dialect korven|ngc] [--tools TABLE] [--machine FILE|NAME [--check]]"
                 " [--simulate [--stock X0,Y0,Z0,X1,Y1,Z1] [--cell SIZE]]"
                 " [/ARCMODE:n] FILE\n",
                 problem);
    return 2;
}

// Returns an empty text on success, else what was wrong.
std::string parseinforequest(int argc, char** argv, InfoRequest& request) {
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        if (arg == "--nodes") {
            request.nodes = true;
        } else if (arg == "--zlimits") {
            if (a + 2 >= argc) return "--zlimits needs UPPER and LOWER";
            const double first = cmdnumber(argv[a + 1]);
            const double second = cmdnumber(argv[a + 2]);
            request.zupperlimit = first > second ? first : second;
            request.zlowerlimit = first > second ? second : first;
            request.zlimitsgiven = true;
            a += 2;
        } else if (arg == "--dialect") {
            if (a + 1 >= argc) return "--dialect needs korven or ngc";
            const std::string value = argv[++a];
            if (value != "korven" && value != "ngc") return "--dialect needs korven or ngc";
            request.ngc = value == "ngc";
            request.dialectgiven = true;
        } else if (arg == "--tools") {
            if (a + 1 >= argc) return "--tools needs a tool table file";
            request.toolfile = argv[++a];
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            return "unknown option " + arg;
        } else {
            request.viewerargs.push_back(argv[a]);
        }
    }
    return {};
}

void runjob(NcJob& job, const CommandLine& cmd, const std::string& path) {
    job.dialect = cmd.cmdngc ? NcDialect::Ngc : NcDialect::Korven;
    job.arcDataError = [] { std::fputs("Error in Arc Datas....\n", stderr); };
    job.InitPlot(cmd.cmdarcmode);
    job.interpreting = true;
    job.PlotOnly(path);
}

// The picture of the job as the viewer shows it after opening it; 0 or the exit status.
int writepicture(const NcJob& job, const PictureRequest& request, const std::string& view,
                 const LinkRequest& link) {
#ifdef KORVEN_PICTURES
    const ViewPreset* preset = findviewpreset(view);
    const NodeSpan highlighted =
        link.highlight ? nodesoflines(job.nodes, link.firstline, link.lastline) : NodeSpan{};
    const HeadlessPicture picture =
        drawjobpicture(job, preset ? *preset : viewpreset(ViewPresetId::Iso1), request.width,
                       request.height, {}, highlighted);
    if (!picture.error.empty()) {
        std::fprintf(stderr, "korven-info: %s\n", picture.error.c_str());
        return 1;
    }
    if (!savepng(picture, request.path)) {
        std::fprintf(stderr, "korven-info: cannot write %s\n", request.path.c_str());
        return 1;
    }
    return 0;
#else
    (void)job, (void)request, (void)view, (void)link;
    std::fputs("korven-info: this build makes no pictures (built without the viewer)\n", stderr);
    return 1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    const FitRequest fit = extractfitoptions(argc, argv);
    if (!fit.error.empty()) return usage(fit.error.c_str());
    const LinkRequest link = extractlinkoptions(argc, argv);
    if (!link.error.empty()) return usage(link.error.c_str());
    const PictureRequest picture = extractpictureoptions(argc, argv, link.pick);
    if (!picture.error.empty()) return usage(picture.error.c_str());
    if (link.highlight && !picture.wanted) return usage("--highlight goes with --png");
    PlanRequest plan = extractplanoptions(argc, argv);
    if (!plan.error.empty()) return usage(plan.error.c_str());
    const SimulateRequest simulate = extractsimulateoptions(argc, argv);
    if (!simulate.error.empty()) return usage(simulate.error.c_str());
    InfoRequest request;
    const std::string problem = parseinforequest(argc, argv, request);
    if (!problem.empty()) return usage(problem.c_str());
    CommandLine cmd =
        parsecommandline(static_cast<int>(request.viewerargs.size()), request.viewerargs.data());
    if (cmd.cmdlast != 1) return usage("expected exactly one FILE");
    const std::string path = cmd.cmdwords[1];
    if (request.dialectgiven) cmd.cmdngc = request.ngc;

    if (plan.wanted) {
        const std::string profileproblem = loadplanprofile(plan);
        if (!profileproblem.empty()) {
            std::fprintf(stderr, "korven-info: %s\n", profileproblem.c_str());
            return 1;
        }
    }

    NcJob job;
    job.toolfile = request.toolfile;
    if (request.zlimitsgiven) {
        job.zupperlimit = request.zupperlimit;
        job.zlowerlimit = request.zlowerlimit;
    }
    std::string badhighlight;
    try {
        runjob(job, cmd, path);
        if (link.highlight) badhighlight = highlightproblem(link, programlinecount(path));
    } catch (const NcFileError& error) {
        std::fprintf(stderr, "korven-info: %s\n", error.what());
        return 1;
    }
    if (!badhighlight.empty()) return usage(badhighlight.c_str());
    if (job.nodes.cutline() >= 0) {
        std::fprintf(stderr, "%s\n",
                     toolpathcutmessage(job.nodes.cutline(), job.nodes.cutformemory()).c_str());
    }
    if (job.filechanged) {
        std::fprintf(stderr, "korven-info: %s: changed while it was read\n", path.c_str());
    }
    ReportWriter out(stdout);
    writeinforeport(job, request.nodes, out);
    if (job.inchunits) out.text("units inch").endline();
    const int planstatus = writeplanreport(job, plan, out);
    if (fit.wanted) {
        out.text(fitline(fit, {job.xmin, job.xmax, job.ymin, job.ymax, job.zmin, job.zmax}));
        out.endline();
    }
    if (link.pick) {
        const ViewPreset* preset = findviewpreset(fit.view);
        out.text(pickline(job, preset ? *preset : viewpreset(ViewPresetId::Iso1), picture.width,
                          picture.height, link.x, link.y));
        out.endline();
    }
    std::unique_ptr<sim::StockSimulation> simulation;
    const int simulatestatus =
        simulate.wanted ? writesimulatereport(job, path, simulate, out, simulation) : 0;
    if (!out.flush()) {
        std::fprintf(stderr, "korven-info: cannot write the report: %s\n", std::strerror(errno));
        return 1;
    }
    for (const std::string& line : job.notice.reportlines()) std::fprintf(stderr, "%s\n", line.c_str());
    const int picturestatus = picture.wanted ? writepicture(job, picture, fit.view, link) : 0;
    if (planstatus != 0) return planstatus;
    return simulatestatus != 0 ? simulatestatus : picturestatus;
}
