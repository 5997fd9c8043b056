// The RS274/NGC reading where a report is a poor witness: whole turns and helices, the long
// way round, and bytes that are no program at all.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/nc/ncrun.h"

namespace {

void runngc(NcJob& job, const std::string& text) {
    job.dialect = NcDialect::Ngc;
    runprogram(job, text);
}

}  // namespace

TEST(NgcReading, Placeholder) {
    NcJob job;
    runngc(job, "G0 X1\n");
}
