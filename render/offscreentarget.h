#pragma once
// A drawing target without a window: an EGL context with a framebuffer object of a fixed size,
// for pictures made where there is no display (a server, a CI job, a file manager's
// thumbnailer). It prefers Mesa's surfaceless platform, then a GPU's EGL device, then the
// default display.

#include <cstdint>
#include <string>
#include <vector>

#include "render/drawtarget.h"

class OffscreenTarget : public DrawTarget {
  public:
    using GlProc = void (*)();

    OffscreenTarget(int width, int height);
    ~OffscreenTarget() override;
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    // Empty when the target can be drawn on, else one line saying why not.
    const std::string& error() const { return error_; }

    bool ready() const override { return error_.empty(); }
    void BeginGL() override;
    void EndGL() override;
    void ShowFrame() override;
    int pixelwidth() const override { return width_; }
    int pixelheight() const override { return height_; }
    uint32_t Color() const override { return 0; }
    bool frontbuffer() const override { return false; }

    // Entry points of this target's context, and the context itself (for callers that keep GL
    // objects per context).
    static GlProc procaddress(const char* name);
    const void* context() const { return context_; }

    // The picture as 8-bit RGB, top row first; empty when the target is not ready.
    std::vector<uint8_t> readrgb();

  private:
    bool opendisplay();
    bool makecontext();
    bool makeframebuffer();
    void release();

    int width_;
    int height_;
    std::string error_;
    void* display_ = nullptr;  // EGLDisplay
    void* context_ = nullptr;  // EGLContext
    bool initialised_ = false;
    unsigned framebuffer_ = 0;
    unsigned colorbuffer_ = 0;
    unsigned depthbuffer_ = 0;
};
