#include "render/offscreentarget.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

#include "render/extensionlist.h"

namespace {

// Framebuffer objects are past OpenGL 1.1: their entry points come from the context.
struct FramebufferFunctions {
    PFNGLGENFRAMEBUFFERSPROC genframebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindframebuffer = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteframebuffers = nullptr;
    PFNGLGENRENDERBUFFERSPROC genrenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindrenderbuffer = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleterenderbuffers = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferstorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferrenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkframebufferstatus = nullptr;

    bool load() {
        const auto get = [](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                eglGetProcAddress(name));
            return function != nullptr;
        };
        return get(genframebuffers, "glGenFramebuffers") &&
               get(bindframebuffer, "glBindFramebuffer") &&
               get(deleteframebuffers, "glDeleteFramebuffers") &&
               get(genrenderbuffers, "glGenRenderbuffers") &&
               get(bindrenderbuffer, "glBindRenderbuffer") &&
               get(deleterenderbuffers, "glDeleteRenderbuffers") &&
               get(renderbufferstorage, "glRenderbufferStorage") &&
               get(framebufferrenderbuffer, "glFramebufferRenderbuffer") &&
               get(checkframebufferstatus, "glCheckFramebufferStatus");
    }
};

FramebufferFunctions fbo;

EGLDisplay platformdisplay() {
    const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    const auto getplatformdisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!hasextension(client, "EGL_EXT_platform_base") || getplatformdisplay == nullptr) {
        return EGL_NO_DISPLAY;
    }
    if (hasextension(client, "EGL_MESA_platform_surfaceless")) {
        EGLDisplay d = getplatformdisplay(EGL_PLATFORM_SURFACELESS_MESA, nullptr, nullptr);
        if (d != EGL_NO_DISPLAY) return d;
    }
    const auto querydevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    if (hasextension(client, "EGL_EXT_platform_device") && querydevices != nullptr) {
        EGLDeviceEXT device = nullptr;
        EGLint count = 0;
        if (querydevices(1, &device, &count) == EGL_TRUE && count > 0) {
            return getplatformdisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
        }
    }
    return EGL_NO_DISPLAY;
}

}  // namespace

OffscreenTarget::OffscreenTarget(int width, int height) : width_(width), height_(height) {
    if (!opendisplay() || !makecontext() || !makeframebuffer()) release();
}

OffscreenTarget::~OffscreenTarget() {
    release();
}

bool OffscreenTarget::opendisplay() {
    // A failure is reported in one line of our own; the driver loader would add its own
    // warnings (a user's setting is kept for finding out why).
    setenv("EGL_LOG_LEVEL", "fatal", 0);
    EGLDisplay display = platformdisplay();
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
        // No headless platform: the default display (an X server, a Wayland compositor).
        display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
        if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
            error_ = "no display and no EGL platform to draw on";
            return false;
        }
    }
    display_ = display;
    initialised_ = true;
    return true;
}

bool OffscreenTarget::makecontext() {
    // Desktop OpenGL with its default (compatibility) profile: the drawing code is
    // fixed-function.
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
        error_ = "the EGL platform offers no desktop OpenGL";
        return false;
    }
    const char* extensions = eglQueryString(display_, EGL_EXTENSIONS);
    EGLConfig config = nullptr;
    if (!hasextension(extensions, "EGL_KHR_no_config_context")) {
        const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE,
                                 EGL_PBUFFER_BIT, EGL_NONE};
        EGLint count = 0;
        if (eglChooseConfig(display_, wanted, &config, 1, &count) != EGL_TRUE || count < 1) {
            error_ = "the EGL platform has no configuration for desktop OpenGL";
            return false;
        }
    }
    EGLContext context = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) {
        error_ = "cannot create an OpenGL context on the EGL platform";
        return false;
    }
    context_ = context;
    // The picture lives in a framebuffer object, so no surface is needed where the platform
    // allows a context without one.
    if (!hasextension(extensions, "EGL_KHR_surfaceless_context") ||
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context) != EGL_TRUE) {
        error_ = "the EGL platform cannot draw without a surface";
        return false;
    }
    return true;
}

bool OffscreenTarget::makeframebuffer() {
    if (!fbo.load()) {
        error_ = "the OpenGL context has no framebuffer objects";
        return false;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (width_ < 1 || height_ < 1 || width_ > largest || height_ > largest) {
        error_ = "OpenGL cannot draw a picture of " + std::to_string(width_) + "x" +
                 std::to_string(height_) + " pixels here";
        return false;
    }
    fbo.genframebuffers(1, &framebuffer_);
    fbo.bindframebuffer(GL_FRAMEBUFFER, framebuffer_);
    // The formats the window's surface draws into, so that both pictures come out equal.
    fbo.genrenderbuffers(1, &colorbuffer_);
    fbo.bindrenderbuffer(GL_RENDERBUFFER, colorbuffer_);
    fbo.renderbufferstorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
    fbo.framebufferrenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                colorbuffer_);
    fbo.genrenderbuffers(1, &depthbuffer_);
    fbo.bindrenderbuffer(GL_RENDERBUFFER, depthbuffer_);
    fbo.renderbufferstorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width_, height_);
    fbo.framebufferrenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthbuffer_);
    fbo.framebufferrenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                depthbuffer_);
    if (fbo.checkframebufferstatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE ||
        glGetError() != GL_NO_ERROR) {
        error_ = "OpenGL cannot make a picture of " + std::to_string(width_) + "x" +
                 std::to_string(height_) + " pixels (out of memory?)";
        return false;
    }
    // A fresh surface starts black, as the window's does.
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

void OffscreenTarget::release() {
    if (!initialised_) return;
    if (context_ != nullptr &&
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_) == EGL_TRUE) {
        if (framebuffer_ != 0) fbo.deleteframebuffers(1, &framebuffer_);
        for (GLuint* buffer : {&colorbuffer_, &depthbuffer_}) {
            if (*buffer != 0) fbo.deleterenderbuffers(1, buffer);
            *buffer = 0;
        }
        framebuffer_ = 0;
    }
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != nullptr) eglDestroyContext(display_, context_);
    context_ = nullptr;
    eglTerminate(display_);
    initialised_ = false;
}

void OffscreenTarget::BeginGL() {
    if (!ready()) return;
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_);
    fbo.bindframebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void OffscreenTarget::EndGL() {
    // The context stays current: the picture is read from it afterwards.
}

void OffscreenTarget::ShowFrame() {
    // Nobody watches the frame being drawn; the picture is read when it is complete.
    glFlush();
}

OffscreenTarget::GlProc OffscreenTarget::procaddress(const char* name) {
    return eglGetProcAddress(name);
}

std::vector<uint8_t> OffscreenTarget::readrgb() {
    if (!ready()) return {};
    BeginGL();
    glFinish();
    const size_t row = static_cast<size_t>(width_) * 3;
    std::vector<uint8_t> bottomup(row * static_cast<size_t>(height_));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottomup.data());
    std::vector<uint8_t> picture(bottomup.size());
    for (int y = 0; y < height_; ++y) {
        std::memcpy(picture.data() + static_cast<size_t>(y) * row,
                    bottomup.data() + static_cast<size_t>(height_ - 1 - y) * row, row);
    }
    return picture;
}
