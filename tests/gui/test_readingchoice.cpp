// The reading chosen on the command line and changed in the panel: the shown program is read
// again the new way.
#include <gtest/gtest.h>

#include <QComboBox>

#include "app/vorlixmain.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

TEST(ReadingChoice, CommandLineChoiceAndPanelChangeReadTheShownProgramAgain) {
    const std::string path = writeprogram("reading.nc", "G20 G0 X10 Y0 Z1\nG1 Z-1 F100\nG1 X20\n");
    auto window = openwindow({"/DIALECT:NGC", path});
    auto* box = window->findChild<QComboBox*>(QStringLiteral("readingbox"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->currentIndex(), 1);
    // Whole units: the start at the machine's zero, then X10 and X20.
    ASSERT_EQ(window->job.nodes.nodecount(), 4);
    EXPECT_EQ(window->job.nodes.node(3).x, 20);
    EXPECT_EQ(window->job.xmax, 20);
    EXPECT_TRUE(window->job.inchunits);  // the panel says "ZMax in"
    savepicture(window->grab().toImage(), "reading_ngc");

    box->setCurrentIndex(0);
    emit box->activated(0);
    ASSERT_TRUE(waituntil([&] { return jobdone(*window); }));
    // The default reading: X20 without a point is 0.020, and the first block is drawn.
    EXPECT_EQ(window->job.dialect, NcDialect::Korven);
    EXPECT_DOUBLE_EQ(window->job.xmax, 0.020);
    EXPECT_EQ(window->job.nodes.node(window->job.nodes.lastnode()).x, 0.020);
}
