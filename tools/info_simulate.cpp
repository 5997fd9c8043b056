#include "tools/info_simulate.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tools/info_fit.h"

namespace {

// A whole number text, nothing after it; false for anything else.
bool readvalue(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

bool readstock(const std::string& text, sim::StockBox& box) {
    double v[6];
    size_t start = 0;
    for (int i = 0; i < 6; ++i) {
        const size_t comma = i < 5 ? text.find(',', start) : text.size();
        if (comma == std::string::npos) return false;
        if (!readvalue(text.substr(start, comma - start), v[i])) return false;
        start = comma + 1;
    }
    box = {v[0], v[1], v[2], v[3], v[4], v[5]};
    return true;
}

std::string three(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", v);
    return buffer;
}

}  // namespace

SimulateRequest extractsimulateoptions(int& argc, char** argv) {
    SimulateRequest request;
    bool stock = false, cell = false;
    int i = 1;
    while (i < argc && request.error.empty()) {
        const std::string_view arg = argv[i];
        if (arg == "--simulate") {
            request.wanted = true;
            removeargs(argc, argv, i, 1);
        } else if (arg == "--stock") {
            stock = true;
            request.stock.stockGiven = true;
            if (i + 1 >= argc || !readstock(argv[i + 1], request.stock.stock))
                request.error = "--stock needs X0,Y0,Z0,X1,Y1,Z1";
            else
                removeargs(argc, argv, i, 2);
        } else if (arg == "--cell") {
            cell = true;
            if (i + 1 >= argc || !readvalue(argv[i + 1], request.stock.cell) ||
                !(request.stock.cell > 0))
                request.error = "--cell needs a size above 0";
            else
                removeargs(argc, argv, i, 2);
        } else {
            ++i;
        }
    }
    if (request.error.empty() && (stock || cell) && !request.wanted)
        request.error = "--stock and --cell go with --simulate";
    return request;
}

int writesimulatereport(const NcJob& job, const std::string& programpath, const SimulateRequest& request,
                        ReportWriter& out, std::unique_ptr<sim::StockSimulation>& simulation) {
    simulation = std::make_unique<sim::StockSimulation>(
        job.nodes, job.events, sim::simulationTools(job, programpath), job.inchunits, request.stock);
    for (const std::string& notice : simulation->notices())
        std::fprintf(stderr, "korven-info: %s\n", notice.c_str());
    if (!simulation->ready()) {
        std::fprintf(stderr, "korven-info: %s\n", simulation->problem().c_str());
        return 1;
    }
    simulation->runAll();
    const sim::StockBox& s = simulation->stock();
    char cell[64];
    std::snprintf(cell, sizeof cell, "%g", simulation->cell());
    out.text("stock");
    for (double v : {s.x0, s.y0, s.z0, s.x1, s.y1, s.z1}) out.blank().text(three(v));
    out.text(" cell ").text(cell).endline();
    out.text("removed-volume ").text(three(simulation->removedVolume())).endline();
    out.text("lowest-cut ").text(three(simulation->lowestPoint())).endline();
    for (const sim::SimulationAlarm& a : simulation->alarms()) {
        std::fprintf(stderr, "alarm %s %d %.3f %.3f %.3f %.3f\n",
                     a.kind == sim::SimulationAlarm::Kind::Rapid ? "rapid" : "plunge",
                     static_cast<int>(a.line), a.x, a.y, a.z, a.depth);
    }
    return simulation->alarms().empty() ? 0 : 3;
}
