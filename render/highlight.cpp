#include "render/highlight.h"

#include <GL/gl.h>

#include <algorithm>

#include "nc/nodestore.h"
#include "render/drawtarget.h"
#include "render/toolpathbuffers.h"

void Highlight::draw(const NodeStore& store, const ToolpathBuffers* buffers, int32_t first,
                     int32_t last) const {
    if (!active()) return;
    // A move belongs to the node it ends at, so the strip starts one node earlier.
    const int32_t from = std::max(first, nodes.first - 1);
    const int32_t to = std::min(last, nodes.last);
    if (to <= from) return;
    float r = 0, g = 0, b = 0;
    DrawTarget::ColorToGL(kColor, r, g, b);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(kWidth);
    glColor3f(r, g, b);
    if (buffers != nullptr) {
        buffers->draw(store, from, to, {}, false);
    } else {
        glBegin(GL_LINE_STRIP);
        for (int32_t i = from; i <= to; ++i) {
            const Tnodedata& n = store.node(i);
            glVertex3f(static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z));
        }
        glEnd();
    }
    glLineWidth(1.0F);
    glEnable(GL_DEPTH_TEST);
}
