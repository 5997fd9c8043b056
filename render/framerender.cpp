#include "render/framerender.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "render/drawtarget.h"
#include "view/viewstate.h"

namespace {

constexpr double kSlowFrameSeconds = 0.2;

void vertex(double x, double y, double z) {
    glVertex3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

double processcpuseconds() {
    timespec t{};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t) != 0) return 0.0;
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void setprojection(const FrameScene& scene, int w, int h) {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double s = scene.viewscale;
    const double aspect = static_cast<double>(w) / static_cast<double>(h > 0 ? h : 1);
    glOrtho(-s * aspect, s * aspect, -s, s, -10000.0, 10000.0);
}

}  // namespace

FrameScene FrameScene::fromview(const ViewState& view) {
    FrameScene s;
    s.viewscale = view.viewscale;
    s.rotx = view.rotx;
    s.roty = view.roty;
    s.rotz = view.rotz;
    s.centerx = view.viewcenter.x;
    s.centery = view.viewcenter.y;
    s.centerz = view.viewcenter.z;
    s.savedscale = view.savedscale;
    s.savedx = view.savedcenter.x;
    s.savedy = view.savedcenter.y;
    s.savedz = view.savedcenter.z;
    return s;
}

void FrameRender::renderframe(const FrameScene& scene) {
    if (!surface_.ready()) return;  // not shown yet: there is nothing to draw on
    const auto start = std::chrono::steady_clock::now();
    const double startcpu = processcpuseconds();
    surface_.BeginGL();
    setprojection(scene, surface_.pixelwidth(), surface_.pixelheight());
    if (!scene.dragstartpass) {
        float r = 0, g = 0, b = 0;
        DrawTarget::ColorToGL(surface_.Color(), r, g, b);
        glClearColor(r, g, b, 1.0F);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (scene.logoshown) setuplights();
    glRotatef(static_cast<float>(scene.rotx), 1, 0, 0);
    glRotatef(static_cast<float>(scene.roty), 0, 1, 0);
    glRotatef(static_cast<float>(scene.rotz), 0, 0, 1);
    glTranslatef(static_cast<float>(-scene.centerx), static_cast<float>(-scene.centery),
                 static_cast<float>(-scene.centerz));
    glEnable(GL_DEPTH_TEST);

    const bool skipcontent = slowframe && scene.dragging;
    const bool copyallowed = simplifieddrags && !scene.logoshown && drawsimplified;
    if (!skipcontent) {
        if (scene.logoshown) {
            if (drawlogo) drawlogo();
        } else if (scene.dragging && heavyframe && copyallowed &&
                   drawsimplified(scene.viewscale, surface_.pixelheight())) {
            // Drawn from the copy: a toolpath of a few million moves would otherwise cost a
            // software rasterizer several times a drag frame's budget at every pointer move.
        } else if (drawtoolpath) {
            drawtoolpath();
        }
    } else if (copyallowed) {
        drawsimplified(scene.viewscale, surface_.pixelheight());
    }
    glDisable(GL_LIGHTING);
    if (scene.dragging || scene.dragstartpass) {
        drawpivotmarker(scene.savedscale, scene.savedx, scene.savedy, scene.savedz);
    }
    if (scene.showextentsbox || skipcontent) drawextentsbox(scene.extents);
    if (scene.showtravelbox) drawextentsbox(scene.travel, 1.0F, 0.6F, 0.0F);
    if (!abandoned || !abandoned()) surface_.ShowFrame();
    glFinish();
    surface_.EndGL();
    const auto end = std::chrono::steady_clock::now();
    lastseconds = std::chrono::duration<double>(end - start).count();
    lastcost = std::max(lastseconds, processcpuseconds() - startcpu);
    lastskipped = skipcontent;
    if (afterframe) afterframe();
    // During a drag the decision of the last still frame holds for the whole drag.
    if (!scene.dragging) {
        slowframe = lastseconds >= kSlowFrameSeconds;
        heavyframe = !scene.logoshown && lastcost > kDragBudgetSeconds;
    }
}

void FrameRender::drawpivotmarker(double scale, double cx, double cy, double cz) {
    const double d = scale * 0.25;
    glBegin(GL_LINES);
    glColor3f(0.5F, 0.5F, 0.5F);
    for (const double z : {cz + d, cz - d}) {
        vertex(cx - d, cy - d, z), vertex(cx + d, cy - d, z);
        vertex(cx + d, cy - d, z), vertex(cx + d, cy + d, z);
        vertex(cx + d, cy + d, z), vertex(cx - d, cy + d, z);
        vertex(cx - d, cy + d, z), vertex(cx - d, cy - d, z);
    }
    for (const double x : {cx - d, cx + d}) {
        for (const double y : {cy - d, cy + d}) vertex(x, y, cz - d), vertex(x, y, cz + d);
    }
    glColor3f(1.0F, 0.5F, 0.5F);
    vertex(cx, cy, cz), vertex(cx + d, cy, cz);
    glColor3f(0.5F, 1.0F, 0.5F);
    vertex(cx, cy, cz), vertex(cx, cy + d, cz);
    glColor3f(0.5F, 0.5F, 1.0F);
    vertex(cx, cy, cz), vertex(cx, cy, cz + d);
    glEnd();
}

void FrameRender::drawextentsbox(const FrameBox& b, float red, float green, float blue) {
    glBegin(GL_LINES);
    glColor3f(red, green, blue);
    for (const double z : {b.zmin, b.zmax}) {  // parallel to Y
        for (const double x : {b.xmin, b.xmax}) vertex(x, b.ymin, z), vertex(x, b.ymax, z);
    }
    for (const double z : {b.zmin, b.zmax}) {  // parallel to X
        for (const double y : {b.ymin, b.ymax}) vertex(b.xmin, y, z), vertex(b.xmax, y, z);
    }
    for (const double x : {b.xmin, b.xmax}) {  // parallel to Z
        for (const double y : {b.ymin, b.ymax}) vertex(x, y, b.zmin), vertex(x, y, b.zmax);
    }
    glEnd();
}

void FrameRender::setuplights() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    const GLfloat ambient[] = {0.3F, 0.3F, 0.3F, 1.0F};
    const GLfloat diffuse[] = {0.85F, 0.85F, 0.85F, 1.0F};
    const GLfloat specular[] = {0.0F, 0.0F, 0.0F, 1.0F};
    const GLfloat front[] = {0.0F, 0.0F, 1.0F, 0.0F};
    const GLfloat back[] = {0.0F, 0.0F, -1.0F, 0.0F};
    for (const GLenum light : {GLenum{GL_LIGHT0}, GLenum{GL_LIGHT1}}) {
        glLightfv(light, GL_AMBIENT, ambient);
        glLightfv(light, GL_DIFFUSE, diffuse);
        glLightfv(light, GL_SPECULAR, specular);
    }
    glLightfv(GL_LIGHT0, GL_POSITION, front);
    glLightfv(GL_LIGHT1, GL_POSITION, back);
    const GLfloat modelambient[] = {1.0F, 1.0F, 1.0F, 1.0F};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelambient);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    // Gold.
    setmaterial(0.24725F, 0.1995F, 0.0745F, 0.75164F, 0.60648F, 0.22648F, 0.628281F, 0.555802F,
                0.366065F, 0.4F);
    glPopMatrix();
}

void FrameRender::setmaterial(float ar, float ag, float ab, float dr, float dg, float db, float sr,
                              float sg, float sb, float shininess) {
    const GLfloat ambient[] = {ar, ag, ab, 1.0F};
    const GLfloat diffuse[] = {dr, dg, db, 1.0F};
    const GLfloat specular[] = {sr, sg, sb, 1.0F};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, shininess * 128.0F);
}
