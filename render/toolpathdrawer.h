#pragma once
// Draws the stored toolpath into the open frame as one coloured line strip: all nodes or the
// step window, optionally slowed down node by node so the tool can be watched moving. The
// nodes go to the graphics side once per job and frames draw from there; the slowed drawing
// and a machine without memory for the arrays send them node by node.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "render/toolpathbuffers.h"

class Highlight;
class NodeStore;

// The window of consecutive nodes chosen with the step sliders.
struct StepWindow {
    bool on = false;        // only the window is drawn
    int32_t start = 0;      // start slider position; negative draws from node 0
    int32_t sizepower = 0;  // the window holds up to 2^sizepower + 1 nodes
};

class ToolpathDrawer {
  public:
    ToolpathDrawer(const NodeStore& nodes, const std::array<uint32_t, 16>& palette)
        : nodes_(nodes), palette_(palette) {}

    void showtoolpath();

    StepWindow stepwindow;
    // Front-buffer mode: draw visibly, waiting stepdelay x 10 microseconds before each node.
    bool frontbuffer = false;
    int32_t stepdelay = 0;
    // Sends every node itself even when arrays could serve (the cost before arrays, for
    // benchmarks).
    bool nodebynode = false;
    // Drawn over the toolpath in every pass when set and active.
    const Highlight* highlight = nullptr;
    // Front-buffer mode: told the node being drawn, at most every 100 ms.
    std::function<void(int32_t)> drawingnode;
    // Calibrated wait iterations per 10 microseconds (0 on a machine too slow to wait).
    int32_t waitcalib = 0;

    // Line, X, Y, Z of the first and of the last node of the drawn range.
    std::array<std::string, 8> rangetexts;

    // Presents what has been drawn so far (the surface's ShowFrame).
    std::function<void()> present;
    // The window caption after a front-buffer drawing.
    std::function<void(const std::string&)> setcaption;
    // Ends every drawing pass: 1 after all nodes, 2 after a step window.
    std::function<void(int)> jobfinish;
    // Entry points of the current context (buffer objects); without it client arrays serve.
    GlProcLoader getprocaddress;
    // Identifies the current context: arrays made in another one are made again.
    std::function<const void*()> currentcontext;

    // First and last index the current settings draw (last < first: nothing).
    void drawnrange(int32_t& first, int32_t& last) const;

    ToolpathBuffers& buffers() { return buffers_; }

  private:
    void drawnodes(int32_t first, int32_t last);
    // A second has passed since the last presentation of a long drawing.
    bool progressdue();
    void stepwait(int32_t units);
    void fillrangetexts(int32_t first, int32_t last);

    const NodeStore& nodes_;
    const std::array<uint32_t, 16>& palette_;
    bool calibrating_ = false;
    std::chrono::steady_clock::time_point lastprogress_;
    ToolpathBuffers buffers_;
};
