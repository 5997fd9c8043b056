#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nc/ncjob.h"

// A job as the viewer prepares it for a new file, run over program text held in memory.
struct RunResult {
    int arcerrors = 0;
    std::vector<std::pair<std::string, double>> progress;
};

inline RunResult runprogram(NcJob& job, std::string_view text, int cmdarcmode = 0) {
    RunResult result;
    job.arcDataError = [&result] { ++result.arcerrors; };
    job.working = [&result](const std::string& caption, double fraction) {
        result.progress.emplace_back(caption, fraction);
    };
    job.InitPlot(cmdarcmode);
    job.PlotMemory(text);
    job.arcDataError = nullptr;
    job.working = nullptr;
    return result;
}

inline std::vector<Tnodedata> nodesof(const NcJob& job) {
    std::vector<Tnodedata> nodes;
    for (int32_t i = 0; i <= job.nodes.lastnode(); ++i) nodes.push_back(job.nodes.node(i));
    return nodes;
}
