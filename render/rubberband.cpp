#include "render/rubberband.h"

#include <GL/gl.h>

#include "render/drawtarget.h"

namespace {

void outline(const PixelRect& r) {
    // Through pixel centres, so each line covers whole pixels and a second pass the same ones.
    const auto px = [](std::int32_t v) { return static_cast<float>(v) + 0.5F; };
    if (r.x1 == r.x2 || r.y1 == r.y2) {
        // A flat rectangle's opposite edges lie on the same pixels and would invert each other
        // back to nothing: one line shows it.
        glBegin(GL_LINES);
        glVertex2f(px(r.x1), px(r.y1));
        glVertex2f(px(r.x2), px(r.y2));
        glEnd();
        return;
    }
    glBegin(GL_LINE_LOOP);
    glVertex2f(px(r.x1), px(r.y1));
    glVertex2f(px(r.x2), px(r.y1));
    glVertex2f(px(r.x2), px(r.y2));
    glVertex2f(px(r.x1), px(r.y2));
    glEnd();
}

}  // namespace

void invertoutlines(DrawTarget& surface, const PixelRect& erase, const PixelRect& draw) {
    if (!surface.ready()) return;
    surface.BeginGL();
    const int w = surface.pixelwidth();
    const int h = surface.pixelheight();
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, w, h, 0.0, -1.0, 1.0);  // pixels, y downward
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LINE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
    glLineWidth(1.0F);
    // Inversion whatever the pen colour: drawing an outline twice leaves no trace.
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_INVERT);
    outline(erase);
    outline(draw);
    glPopAttrib();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    surface.ShowFrame();
    surface.EndGL();
}
