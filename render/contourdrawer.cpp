#include "render/contourdrawer.h"

#include <GL/gl.h>

#include <algorithm>

#include "nc/programmedcontour.h"

namespace {

// Grey is none of the tool and feed colours, and lighter than the unused dark grey so it
// shows on the black background.
constexpr float kGrey = 0.6F;

}  // namespace

void drawcontour(const ProgrammedContour& contour, int32_t firstnode, int32_t lastnode) {
    const auto& points = contour.points();
    if (points.empty() || lastnode < firstnode) return;
    // Points never go back in node order: the part drawn is one run of them.
    const auto begin = std::lower_bound(points.begin(), points.end(), firstnode,
                                        [](const ContourPoint& p, int32_t node) { return p.node < node; });
    const auto end = std::upper_bound(points.begin(), points.end(), lastnode,
                                      [](int32_t node, const ContourPoint& p) { return node < p.node; });
    if (end <= begin) return;
    glLineWidth(1.0F);
    glColor3f(kGrey, kGrey, kGrey);
    bool open = false;
    contour.walk(
        static_cast<size_t>(begin - points.begin()), static_cast<size_t>(end - points.begin()),
        [&open] {
            if (open) glEnd();
            glBegin(GL_LINE_STRIP);
            open = true;
        },
        [](double x, double y, double z) {
            glVertex3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        });
    if (open) glEnd();
}
