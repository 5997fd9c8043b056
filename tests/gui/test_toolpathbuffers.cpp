// Frames drawn from the vertex arrays are the very pictures the node-by-node line strip gives:
// the reference below is that strip, sent with glBegin/glVertex as before the arrays existed.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSlider>
#include <cmath>
#include <filesystem>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "nc/palette.h"
#include "render/drawtarget.h"
#include "render/framerender.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;
namespace fs = std::filesystem;

namespace {

void referencestrip(const NodeStore& nodes, int32_t first, int32_t last) {
    int previouscolor = -1;
    float px = 0, py = 0, pz = 0;
    bool previousexists = false;
    glBegin(GL_LINE_STRIP);
    for (int32_t i = first; i <= last; ++i) {
        const Tnodedata& node = nodes.node(i);
        if (node.color != previouscolor) {
            if (previousexists) glVertex3f(px, py, pz);
            float r = 0, g = 0, b = 0;
            DrawTarget::ColorToGL(kPalette[node.color & 15U], r, g, b);
            glColor3f(r, g, b);
            if (previousexists) glVertex3f(px, py, pz);
        }
        px = static_cast<float>(node.x), py = static_cast<float>(node.y);
        pz = static_cast<float>(node.z);
        glVertex3f(px, py, pz);
        previouscolor = node.color;
        previousexists = node.z > -999.0;
    }
    glEnd();
}

// Renders the current view once with the reference strip and once as the viewer does, and
// counts the pixels that differ.
int differingpixels(Tvorlixform& w, const std::string& name) {
    const auto drawtoolpath = w.frame()->drawtoolpath;
    w.frame()->drawtoolpath = [&w] {
        int32_t first = 0, last = -1;
        w.drawer()->drawnrange(first, last);
        referencestrip(w.job.nodes, first, last);
    };
    w.renderframe();
    const QImage reference = w.wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB32);
    w.frame()->drawtoolpath = drawtoolpath;
    w.renderframe();
    const QImage drawn = w.wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB32);
    if (drawn == reference) return 0;
    if (drawn.size() != reference.size()) return -1;
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            differing += (drawn.pixel(x, y) & 0xFFFFFFU) != (reference.pixel(x, y) & 0xFFFFFFU);
        }
    }
    if (differing != 0) {
        savepicture(reference, name + "_reference");
        savepicture(drawn, name + "_arrays");
    }
    return differing;
}

// Presets with the whole toolpath, then step windows of several sizes and starts.
void expectsamepictures(Tvorlixform& w, const std::string& name, std::initializer_list<int> presets,
                        std::initializer_list<int> powers) {
    for (const int preset : presets) {
        w.SpeedButtonClick(w.SpeedButton[static_cast<size_t>(preset)]);
        EXPECT_EQ(differingpixels(w, name + "_preset" + std::to_string(preset)), 0) << name;
    }
    const int n = w.job.nodes.nodecount();
    for (const int power : powers) {
        w.shownumberscrollbar->setValue(power);
        for (const int start : {-5, n / 3, n - 2}) {
            w.showstartscrollbar->setValue(start);
            const std::string what =
                name + "_window" + std::to_string(power) + "_" + std::to_string(start);
            EXPECT_EQ(differingpixels(w, what), 0) << what;
        }
    }
    w.shownumberscrollbar->setValue(w.shownumberscrollbar->maximum());
}

std::string bracket() {
    return std::string(KORVEN_SOURCE_DIR) + "/examples/bracket.nc";
}

}  // namespace

TEST(ToolpathBuffers, ArraysDrawTheNodeByNodePicture) {
    for (const bool rambuffer : {false, true}) {
        auto w = rambuffer ? openwindow({"/RAMBUFFER", bracket()}) : openwindow({bracket()});
        // Short segments and pieces, so that a small program crosses many boundaries.
        w->drawer()->buffers().segmentstride = 97;
        w->drawer()->buffers().piece = 31;
        if (rambuffer) {
            expectsamepictures(*w, "bracket_ram", {12, 16}, {4});
        } else {
            expectsamepictures(*w, "bracket", {10, 11, 12, 13, 14, 15, 16}, {0, 4, 9});
        }
        EXPECT_GT(w->drawer()->buffers().segments(), 2);
        EXPECT_EQ(w->drawer()->buffers().clientsegments(), 0);
    }
}

TEST(ToolpathBuffers, CorpusProgramsDrawTheSamePictures) {
    if (!fs::is_directory(KORVEN_CORPUS)) GTEST_SKIP() << "no corpus at " << KORVEN_CORPUS;
    auto w = openwindow({bracket()});
    for (const auto& entry : fs::directory_iterator(KORVEN_CORPUS)) {
        if (entry.path().extension() == ".md") continue;
        w->ncfilename = w->ncpath = entry.path().string();
        w->opensequence();
        w->SpeedButtonClick(w->SpeedButton[16]);
        EXPECT_EQ(differingpixels(*w, entry.path().stem().string()), 0) << entry.path();
    }
}

TEST(ToolpathBuffers, AMillionNodesDrawTheSamePicture) {
    auto w = openwindow({bracket()});
    NodeStore& nodes = w->job.nodes;
    nodes.resetnodedata();
    // Spirals descending in Z with a tool change every 50000 nodes and a rapid between.
    for (int32_t i = 0; i < 1000000; ++i) {
        const double t = i * 0.00731;
        const bool rapid = i % 50000 < 2;
        const auto color = static_cast<uint8_t>(rapid ? 4 : kSlotColorIndex[(i / 50000) % 10]);
        nodes.pushnodedata(i, color, 80 * std::cos(t) * (1 + i * 1e-6), 60 * std::sin(t),
                           -i * 2e-5);
    }
    w->job.xmin = -160, w->job.xmax = 160, w->job.ymin = -60, w->job.ymax = 60;
    w->job.zmin = -20, w->job.zmax = 0;
    w->SpeedButtonClick(w->SpeedButton[16]);
    EXPECT_EQ(differingpixels(*w, "million"), 0);
    w->shownumberscrollbar->setValue(16);
    w->showstartscrollbar->setValue(123457);
    EXPECT_EQ(differingpixels(*w, "million_window"), 0);
}

TEST(ToolpathBuffers, WithoutGraphicsMemoryClientArraysDrawThePicture) {
    auto w = openwindow({bracket()});
    w->drawer()->buffers().segmentstride = 500;  // a new build with every upload refused
    w->drawer()->buffers().functions().geterror = [] { return GLenum{GL_OUT_OF_MEMORY}; };
    w->SpeedButtonClick(w->SpeedButton[13]);
    EXPECT_GT(w->drawer()->buffers().clientsegments(), 1);
    EXPECT_EQ(differingpixels(*w, "outofmemory"), 0);

    // No entry points at all (a context without buffer objects).
    w->drawer()->getprocaddress = nullptr;
    w->drawer()->buffers().segmentstride = 600;
    w->SpeedButtonClick(w->SpeedButton[11]);
    EXPECT_EQ(differingpixels(*w, "nobuffers"), 0);
}
