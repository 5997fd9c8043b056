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
    const auto from = static_cast<size_t>(begin - points.begin());
    const auto to = static_cast<size_t>(end - points.begin());
    if (to <= from) return;
    const auto& pieces = contour.pieces();
    glLineWidth(1.0F);
    glColor3f(kGrey, kGrey, kGrey);
    auto piece = std::upper_bound(pieces.begin(), pieces.end(), from);
    size_t at = from;
    while (at < to) {
        const size_t next = piece == pieces.end() ? to : std::min(to, *piece);
        if (next - at >= 2) {
            glBegin(GL_LINE_STRIP);
            for (size_t i = at; i < next; ++i) glVertex3f(points[i].x, points[i].y, points[i].z);
            glEnd();
        }
        at = next;
        if (piece != pieces.end()) ++piece;
    }
}
