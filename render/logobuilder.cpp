#include "render/logobuilder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>
#include <deque>
#include <limits>
#include <vector>

#include "render/logo/logodesign.h"
#include "render/logo/logofile.h"
#include "render/logo/logosequencer.h"

namespace {

using Vertex = std::array<GLdouble, 3>;

// The tessellator's callback type and calling convention differ between GLU headers.
#ifdef _WIN32
#define TESS_CALLBACK CALLBACK
using TessFunction = void(CALLBACK*)();
#else
#define TESS_CALLBACK GLAPIENTRY
using TessFunction = _GLUfuncptr;
#endif

template <typename F>
TessFunction tesscallback(F* function) {
    return reinterpret_cast<TessFunction>(function);
}

// Turns sequenced logo commands into GL calls inside the list being compiled.
class LogoCompiler {
  public:
    LogoCompiler() : store_(LogoSequencer::kMaxPolygonVertices) {}
    ~LogoCompiler() {
        if (tess_ != nullptr) gluDeleteTess(tess_);
    }
    LogoCompiler(const LogoCompiler&) = delete;
    LogoCompiler& operator=(const LogoCompiler&) = delete;

    LogoExtents extents;

    void put(const LogoCommand& c);

  private:
    void beginpolygon(const LogoCommand& c);
    void tessvertex(double x, double y, double z);
    static void TESS_CALLBACK combine(GLdouble coords[3], void* data[4], GLfloat weight[4],
                                   void** out, void* self);
    static void TESS_CALLBACK tesserror(GLenum) {}

    GLUtesselator* tess_ = nullptr;
    // The tessellator keeps pointers into these until the polygon ends.
    std::vector<Vertex> store_;
    int count_ = -1;
    std::deque<Vertex> crossings_;  // vertices made where contours cross
};

void LogoCompiler::put(const LogoCommand& c) {
    const auto f = [](double v) { return static_cast<GLfloat>(v); };
    switch (c.op) {
        case LogoOp::QuadsBegin: glBegin(GL_QUADS); break;
        case LogoOp::Normal: glNormal3f(f(c.x), f(c.y), f(c.z)); break;
        case LogoOp::Vertex: glVertex3f(f(c.x), f(c.y), f(c.z)); break;
        case LogoOp::QuadsEnd: glEnd(); break;
        case LogoOp::XMax:
        case LogoOp::YMax:
        case LogoOp::XMin:
        case LogoOp::YMin: extents.apply(c); break;
        case LogoOp::PolygonBegin: beginpolygon(c); break;
        case LogoOp::ContourBegin:
            if (tess_ != nullptr) gluTessBeginContour(tess_);
            break;
        case LogoOp::TessVertex: tessvertex(c.x, c.y, c.z); break;
        case LogoOp::ContourEnd:
            if (tess_ != nullptr) gluTessEndContour(tess_);
            break;
        case LogoOp::PolygonEnd:
            if (tess_ == nullptr) break;
            gluTessEndPolygon(tess_);
            gluDeleteTess(tess_);
            tess_ = nullptr;
            crossings_.clear();
            break;
    }
}

void LogoCompiler::beginpolygon(const LogoCommand& c) {
    tess_ = gluNewTess();
    if (tess_ == nullptr) return;  // out of memory: the polygon's records fall on the floor
    gluTessCallback(tess_, GLU_TESS_BEGIN, tesscallback(&glBegin));
    gluTessCallback(tess_, GLU_TESS_VERTEX, tesscallback(&glVertex3dv));
    gluTessCallback(tess_, GLU_TESS_END, tesscallback(&glEnd));
    // Contours of a hostile file may cross; without this the tessellator gives up on them.
    gluTessCallback(tess_, GLU_TESS_COMBINE_DATA, tesscallback(&combine));
    gluTessCallback(tess_, GLU_TESS_ERROR, tesscallback(&tesserror));
    glNormal3d(c.x, c.y, c.z);
    count_ = -1;
    gluTessBeginPolygon(tess_, this);
}

void LogoCompiler::tessvertex(double x, double y, double z) {
    // The sequencer never lets a polygon outgrow the store.
    if (tess_ == nullptr || count_ + 1 >= static_cast<int>(store_.size())) return;
    ++count_;
    Vertex& v = store_[static_cast<size_t>(count_)];
    v = {x, y, z};
    gluTessVertex(tess_, v.data(), v.data());
}

void TESS_CALLBACK LogoCompiler::combine(GLdouble coords[3], void* /*data*/[4],
                                      GLfloat /*weight*/[4], void** out, void* self) {
    auto* compiler = static_cast<LogoCompiler*>(self);
    // Crossings grow with the square of the edges; a bound keeps a hostile polygon finite
    // (past it the tessellator drops the polygon).
    if (compiler->crossings_.size() >= 4 * LogoSequencer::kMaxPolygonVertices) {
        *out = nullptr;
        return;
    }
    compiler->crossings_.push_back({coords[0], coords[1], coords[2]});
    *out = compiler->crossings_.back().data();
}

// Where the custom file's extents commands were not given, the built-in values stay.
void overlay(LogoExtents& base, const LogoExtents& custom) {
    for (auto [to, from] : {std::pair{&base.xmin, custom.xmin}, {&base.xmax, custom.xmax},
                            {&base.ymin, custom.ymin}, {&base.ymax, custom.ymax}}) {
        if (!std::isnan(from)) *to = from;
    }
}

}  // namespace

void calllogo(unsigned list) {
    glCallList(list);
}

LogoBuildResult buildlogo(unsigned list, const std::string& customfile,
                          const std::function<void()>& beep) {
    LogoBuildResult result;
    const GLuint customlist = list + 1;
    LogoExtents customextents;
    if (!customfile.empty()) {
        // Compiled apart, so a file that fails half-way can be thrown away whole.
        constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();
        LogoCompiler compiler;
        compiler.extents = {kUnset, kUnset, kUnset, kUnset};
        LogoSequencer sequencer([&](const LogoCommand& c) { compiler.put(c); }, beep);
        glNewList(customlist, GL_COMPILE);
        const LogoReadResult read = readlogofile(customfile, sequencer);
        glEndList();
        result.customused = read.ok;
        if (read.ok) {
            customextents = compiler.extents;
        } else {
            result.customerror = read.error;
            glDeleteLists(customlist, 1);
        }
    }

    LogoCompiler compiler;
    LogoSequencer sequencer([&](const LogoCommand& c) { compiler.put(c); }, beep);
    glNewList(list, GL_COMPILE);
    emitlogosection(1, [&](const LogoCommand& c) { sequencer.put(c); });
    emitlogosection(2, [&](const LogoCommand& c) { sequencer.put(c); });
    if (result.customused) {
        overlay(compiler.extents, customextents);
        glCallList(customlist);
    } else {
        emitlogosection(3, [&](const LogoCommand& c) { sequencer.put(c); });
    }
    sequencer.finish();
    glFinish();
    glDisable(GL_LIGHTING);
    glEndList();
    result.extents = compiler.extents;
    return result;
}
