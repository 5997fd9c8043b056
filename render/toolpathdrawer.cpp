#include "render/toolpathdrawer.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "nc/nodestore.h"
#include "render/drawtarget.h"
#include "render/highlight.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondssince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// Keeps the optimiser from dropping the wait loops.
volatile double waitsink = 0;

constexpr auto kProgressInterval = std::chrono::seconds(1);
// Front-buffer drawing is shown at display rate while it goes on.
constexpr auto kDisplayInterval = std::chrono::microseconds(16667);
// Whoever follows the slowed drawing (the program pane) needs no more than this.
constexpr auto kNodeInterval = std::chrono::milliseconds(100);

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

}  // namespace

void ToolpathDrawer::drawnrange(int32_t& first, int32_t& last) const {
    const int32_t lastnode = nodes_.lastnode();
    if (!stepwindow.on) {
        first = 0;
        last = lastnode;
        return;
    }
    first = std::max<int32_t>(0, stepwindow.start);
    const int32_t power = std::clamp<int32_t>(stepwindow.sizepower, 0, 30);
    const int64_t end = static_cast<int64_t>(first) + (int64_t{1} << power);
    last = static_cast<int32_t>(std::min<int64_t>(lastnode, end));
}

void ToolpathDrawer::showtoolpath() {
    int32_t first = 0;
    int32_t last = -1;
    drawnrange(first, last);
    if (last >= first) {
        glFinish();
        calibrating_ = true;
        const Clock::time_point start = Clock::now();
        lastprogress_ = start;
        // The slowed drawing is what front-buffer mode is for: it stays node by node.
        const void* context = currentcontext ? currentcontext() : nullptr;
        const bool arrays = !frontbuffer && !nodebynode &&
                            buffers_.update(nodes_, palette_, getprocaddress, context);
        if (!arrays) {
            drawnodes(first, last);
        } else {
            buffers_.draw(nodes_, first, last, [this] {
                if (progressdue() && present) present();
            });
        }
        if (highlight != nullptr) highlight->draw(nodes_, arrays ? &buffers_ : nullptr, first, last);
        glFinish();
        if (frontbuffer && setcaption) {
            char caption[96];
            std::snprintf(caption, sizeof caption, "Time Used : %2.2f seconds. (%d)",
                          secondssince(start), waitcalib);
            setcaption(caption);
        }
        fillrangetexts(first, last);
    }
    if (jobfinish) jobfinish(stepwindow.on ? 2 : 1);
}

bool ToolpathDrawer::progressdue() {
    if (Clock::now() - lastprogress_ <= kProgressInterval) return false;
    lastprogress_ += kProgressInterval;
    return true;
}

void ToolpathDrawer::drawnodes(int32_t first, int32_t last) {
    std::array<std::array<float, 3>, 16> colors{};
    for (size_t c = 0; c < colors.size(); ++c) {
        DrawTarget::ColorToGL(palette_[c], colors[c][0], colors[c][1], colors[c][2]);
    }
    Clock::time_point lastdisplay = Clock::now();
    Clock::time_point lastnodeshown = lastdisplay;
    int previouscolor = -1;
    float px = 0, py = 0, pz = 0;
    bool previousexists = false;  // a previous point with Z above -999
    glBegin(GL_LINE_STRIP);
    for (int32_t i = first; i <= last; ++i) {
        if (frontbuffer) stepwait(stepdelay);
        const Tnodedata& node = nodes_.block(i >> 10)[i & 1023];
        if (node.color != previouscolor) {
            // Zero-length joints: the segment to the new node is wholly in its colour.
            if (previousexists) glVertex3f(px, py, pz);
            const auto& rgb = colors[node.color & 15U];
            glColor3f(rgb[0], rgb[1], rgb[2]);
            if (previousexists) glVertex3f(px, py, pz);
        }
        px = static_cast<float>(node.x);
        py = static_cast<float>(node.y);
        pz = static_cast<float>(node.z);
        glVertex3f(px, py, pz);
        previouscolor = node.color;
        previousexists = node.z > -999.0;
        bool show = (i & 255) == 0 && progressdue();
        if (!show && frontbuffer && Clock::now() - lastdisplay >= kDisplayInterval) show = true;
        if (show && present) {
            // The strip is cut for the presentation and resumes at the same point.
            glEnd();
            if (frontbuffer && drawingnode && Clock::now() - lastnodeshown >= kNodeInterval) {
                // Between strips: whatever the follower paints may switch GL contexts.
                lastnodeshown = Clock::now();
                drawingnode(i);
            }
            present();
            lastdisplay = Clock::now();
            glBegin(GL_LINE_STRIP);
            glVertex3f(px, py, pz);
        }
    }
    glEnd();
}

void ToolpathDrawer::stepwait(int32_t units) {
    const auto begin = Clock::now();
    if (calibrating_) {
        glFinish();
        int64_t n = 0;
        const auto t = Clock::now();
        do {
            ++n;
            waitsink = waitsink + std::sin(static_cast<double>(n));
        } while (secondssince(t) <= 0.1);
        // Nearest integer with halves to the even neighbour, as every rounding of this program.
        waitcalib = static_cast<int32_t>(std::nearbyint(static_cast<double>(n) * 10.0 * 0.00001));
        calibrating_ = false;
    }
    const int64_t k = static_cast<int64_t>(units) * waitcalib;
    for (int64_t j = 0; j < k; ++j) {
        waitsink = waitsink + std::sin(static_cast<double>(j)) + secondssince(begin);
    }
}

void ToolpathDrawer::fillrangetexts(int32_t first, int32_t last) {
    const int32_t ends[2] = {first, last};
    for (int e = 0; e < 2; ++e) {
        const Tnodedata& node = nodes_.node(ends[e]);
        char line[32];
        std::snprintf(line, sizeof line, "N : %10d", static_cast<int>(node.line));
        rangetexts[e * 4 + 0] = line;
        rangetexts[e * 4 + 1] = format("X : %10.3f", node.x);
        rangetexts[e * 4 + 2] = format("Y : %10.3f", node.y);
        rangetexts[e * 4 + 3] = format("Z : %10.3f", node.z);
    }
}
