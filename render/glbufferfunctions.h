#pragma once
// Vertex buffer objects are past OpenGL 1.1, so their entry points cannot be linked: they are
// fetched from the current context through a loader the caller supplies (the window's
// context, or an off-screen target's own).

#include <GL/gl.h>

#include <cstddef>
#include <functional>

#ifndef APIENTRY
#define APIENTRY
#endif

using GlProc = void (*)();
using GlProcLoader = std::function<GlProc(const char*)>;

struct GlBufferFunctions {
    using GenBuffers = void(APIENTRY*)(GLsizei, GLuint*);
    using BindBuffer = void(APIENTRY*)(GLenum, GLuint);
    using BufferData = void(APIENTRY*)(GLenum, std::ptrdiff_t, const void*, GLenum);
    using DeleteBuffers = void(APIENTRY*)(GLsizei, const GLuint*);

    static constexpr GLenum kArrayBuffer = 0x8892;
    static constexpr GLenum kElementArrayBuffer = 0x8893;
    static constexpr GLenum kStaticDraw = 0x88E4;

    GenBuffers genbuffers = nullptr;
    BindBuffer bindbuffer = nullptr;
    BufferData bufferdata = nullptr;
    DeleteBuffers deletebuffers = nullptr;

    // Fences (OpenGL 3.2 or ARB_sync), optional: without them nothing waits.
    using Sync = struct __GLsync*;
    using FenceSync = Sync(APIENTRY*)(GLenum, GLbitfield);
    using ClientWaitSync = GLenum(APIENTRY*)(Sync, GLbitfield, unsigned long long);
    using DeleteSync = void(APIENTRY*)(Sync);
    static constexpr GLenum kSyncGpuCommandsComplete = 0x9117;
    static constexpr GLbitfield kSyncFlushCommandsBit = 0x1;
    FenceSync fencesync = nullptr;
    ClientWaitSync clientwaitsync = nullptr;
    DeleteSync deletesync = nullptr;
    bool hasfences() const {
        return fencesync != nullptr && clientwaitsync != nullptr && deletesync != nullptr;
    }

    // glGetError, replaceable so that tests can make uploads fail.
    GLenum(APIENTRY* geterror)() = glGetError;

    // Fetches the functions the current context has: buffer objects (version 1.5 or the ARB
    // extension) and fences; returns whether all buffer functions were found.
    bool load(const GlProcLoader& loader);
    bool loaded() const {
        return genbuffers != nullptr && bindbuffer != nullptr && bufferdata != nullptr &&
               deletebuffers != nullptr;
    }
};
