#include "render/glbufferfunctions.h"

#include <cstdio>
#include <cstring>

namespace {

bool hasbufferobjects(bool& arbonly) {
    arbonly = false;
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0;
    int minor = 0;
    if (version != nullptr && std::sscanf(version, "%d.%d", &major, &minor) == 2 &&
        (major > 1 || (major == 1 && minor >= 5))) {
        return true;
    }
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    arbonly = extensions != nullptr && std::strstr(extensions, "GL_ARB_vertex_buffer_object");
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
    bool arb = false;
    if (!loader || !hasbufferobjects(arb)) return false;
    fetch(loader, "glGenBuffers", arb, genbuffers);
    fetch(loader, "glBindBuffer", arb, bindbuffer);
    fetch(loader, "glBufferData", arb, bufferdata);
    fetch(loader, "glDeleteBuffers", arb, deletebuffers);
    if (!loaded()) genbuffers = nullptr;
    return loaded();
}
