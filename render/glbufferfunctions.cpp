#include "render/glbufferfunctions.h"

#include <cstdio>

#include "render/extensionlist.h"

namespace {

bool versionatleast(int wantmajor, int wantminor) {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0;
    int minor = 0;
    return version != nullptr && std::sscanf(version, "%d.%d", &major, &minor) == 2 &&
           (major > wantmajor || (major == wantmajor && minor >= wantminor));
}

bool hascontextextension(const char* name) {
    return hasextension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

bool hasbufferobjects(bool& arbonly) {
    arbonly = false;
    if (versionatleast(1, 5)) return true;
    arbonly = hascontextextension("GL_ARB_vertex_buffer_object");
    return arbonly;
}

template <typename F>
void fetch(const GlProcLoader& loader, const char* name, bool arb, F& function) {
    char full[64];
    std::snprintf(full, sizeof full, "%s%s", name, arb ? "ARB" : "");
    function = reinterpret_cast<F>(loader(full));
}

}  // namespace

bool GlBufferFunctions::load(const GlProcLoader& loader) {
    genbuffers = nullptr;
    bindbuffer = nullptr;
    bufferdata = nullptr;
    deletebuffers = nullptr;
    fencesync = nullptr;
    clientwaitsync = nullptr;
    deletesync = nullptr;
    if (!loader) return false;
    // The sync extension's functions carry no suffix.
    if (versionatleast(3, 2) || hascontextextension("GL_ARB_sync")) {
        fetch(loader, "glFenceSync", false, fencesync);
        fetch(loader, "glClientWaitSync", false, clientwaitsync);
        fetch(loader, "glDeleteSync", false, deletesync);
    }
    bool arb = false;
    if (!hasbufferobjects(arb)) return false;
    fetch(loader, "glGenBuffers", arb, genbuffers);
    fetch(loader, "glBindBuffer", arb, bindbuffer);
    fetch(loader, "glBufferData", arb, bufferdata);
    fetch(loader, "glDeleteBuffers", arb, deletebuffers);
    if (!loaded()) genbuffers = nullptr;
    return loaded();
}
