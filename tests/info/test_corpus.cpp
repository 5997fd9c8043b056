// Every real CAM-written program of the shared corpus interprets without error into a
// plausible toolpath. Skipped when the corpus is not there. (Bad radius data is legitimate
// here: padded lines join blocks, so R words meet end points of the following line.)

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "nc/ncjob.h"

namespace fs = std::filesystem;

TEST(Corpus, EveryProgramInterpretsPlausibly) {
    if (!fs::is_directory(KORVEN_CORPUS)) GTEST_SKIP() << "no corpus at " << KORVEN_CORPUS;
    int programs = 0;
    for (const auto& entry : fs::directory_iterator(KORVEN_CORPUS)) {
        const fs::path path = entry.path();
        if (!entry.is_regular_file() || path.extension() == ".md") continue;
        SCOPED_TRACE(path.filename().string());
        std::ifstream in(path, std::ios::binary);
        const auto lines = std::count(std::istreambuf_iterator<char>(in), {}, '\n');
        NcJob job;
        job.InitPlot(0);
        job.interpreting = true;
        ASSERT_NO_THROW(job.PlotOnly(path.string()));
        EXPECT_FALSE(job.interpreting);
        EXPECT_GT(job.nodes.nodecount(), 0);
        EXPECT_LE(job.nodes.nodecount(), 51 * (lines + 1));
        EXPECT_EQ(job.timetext.rfind("Time: ", 0), 0u);
        EXPECT_TRUE(std::isfinite(job.zmax) && std::isfinite(job.zmin));
        ++programs;
    }
    EXPECT_GT(programs, 10);
}
