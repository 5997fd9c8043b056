#include "render/segmentbuffer.h"

#include <cstddef>
#include <new>

bool SegmentBuffer::build(const std::vector<CellSegment>& segments,
                          const std::array<uint32_t, 16>& palette, const GlProcLoader& loader) {
    release();
    std::vector<ToolpathVertex> vertices;
    try {
        vertices.reserve(2 * segments.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (const CellSegment& s : segments) {
        const uint32_t c = palette[s.color & 15U];
        const ToolpathVertex from{s.from[0], s.from[1], s.from[2],
                                  {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                   static_cast<uint8_t>(c >> 16), 255}};
        ToolpathVertex to = from;
        to.x = s.to[0], to.y = s.to[1], to.z = s.to[2];
        vertices.push_back(from);
        vertices.push_back(to);
    }
    segments_ = static_cast<int64_t>(segments.size());
    if (gl_.load(loader)) {
        // An old error is not this upload's; a lost context may report errors forever.
        for (int k = 0; k < 16 && gl_.geterror() != GL_NO_ERROR; ++k) {
        }
        gl_.genbuffers(1, &name_);
        gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, name_);
        gl_.bufferdata(GlBufferFunctions::kArrayBuffer,
                       static_cast<std::ptrdiff_t>(vertices.size() * sizeof(ToolpathVertex)),
                       vertices.data(), GlBufferFunctions::kStaticDraw);
        const bool stored = gl_.geterror() == GL_NO_ERROR;
        gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
        if (stored) return true;
        gl_.deletebuffers(1, &name_);
        name_ = 0;
    }
    client_ = std::move(vertices);
    return true;
}

void SegmentBuffer::draw(int64_t first, int64_t last) const {
    if (last < first || first < 0 || last >= segments_) return;
    const char* client = nullptr;
    if (name_ != 0) {
        gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, name_);
    } else {
        if (gl_.loaded()) gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
        client = reinterpret_cast<const char*>(client_.data());
    }
    const auto at = [client](size_t offset) -> const void* {
        return client != nullptr ? client + offset : reinterpret_cast<const void*>(offset);
    };
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ToolpathVertex), at(offsetof(ToolpathVertex, x)));
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(ToolpathVertex), at(offsetof(ToolpathVertex, rgba)));
    glDrawArrays(GL_LINES, static_cast<GLint>(2 * first),
                 static_cast<GLsizei>(2 * (last - first + 1)));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    if (gl_.loaded()) gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
}

void SegmentBuffer::release() {
    if (name_ != 0 && gl_.loaded()) gl_.deletebuffers(1, &name_);
    forget();
}

void SegmentBuffer::forget() {
    name_ = 0;
    client_.clear();
    client_.shrink_to_fit();
    segments_ = 0;
}
