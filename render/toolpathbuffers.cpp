#include "render/toolpathbuffers.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "nc/nodestore.h"
#include "render/heaptop.h"
#include "render/piecethrottle.h"
#include "render/toolpathvertex.h"

namespace {

constexpr int kErrorDrain = 16;  // a lost context may report errors forever

}  // namespace

bool ToolpathBuffers::update(const NodeStore& nodes, const std::array<uint32_t, 16>& palette,
                             const GlProcLoader& loader, const void* context) {
    return refresh(nodes, nullptr, palette, loader, context);
}

bool ToolpathBuffers::update(const NodeStore& nodes, const std::vector<int32_t>& kept,
                             const std::array<uint32_t, 16>& palette, const GlProcLoader& loader,
                             const void* context) {
    return refresh(nodes, &kept, palette, loader, context);
}

bool ToolpathBuffers::refresh(const NodeStore& nodes, const std::vector<int32_t>* kept,
                              const std::array<uint32_t, 16>& palette, const GlProcLoader& loader,
                              const void* context) {
    if (context != context_) forget();
    const size_t keptsize = kept != nullptr ? kept->size() : 0;
    const bool current = builtfrom_ == &nodes && builtgeneration_ == nodes.generation() &&
                         builtlast_ == nodes.lastnode() && stride_ == segmentstride &&
                         kept_ == kept && builtkept_ == keptsize;
    if (current) return valid_;
    keepfreedheaptop();
    context_ = context;
    builtfrom_ = &nodes;
    builtgeneration_ = nodes.generation();
    builtlast_ = nodes.lastnode();
    kept_ = kept;
    builtkept_ = keptsize;
    gl_.load(loader);
    valid_ = build(nodes, palette);
    if (!valid_) release();
    return valid_;
}

bool ToolpathBuffers::build(const NodeStore& nodes, const std::array<uint32_t, 16>& palette) {
    stride_ = std::clamp<int32_t>(segmentstride, 2, 1 << 24);
    buffersfailed_ = false;
    const auto colors = vertexcolours(palette);
    for (int k = 0; k < kErrorDrain && gl_.geterror() != GL_NO_ERROR; ++k) {
    }
    recyclenames();
    std::vector<ToolpathVertex> staging;
    const int32_t count =
        kept_ != nullptr ? static_cast<int32_t>(kept_->size()) : nodes.nodecount();
    try {
        blockvertex_.assign(static_cast<size_t>((count + NodeStore::kBlockMask) >>
                                                NodeStore::kBlockShift),
                            0);
        // Every node costs at most three vertices.
        const int64_t most = 3 * static_cast<int64_t>(count) + 1;
        staging.resize(static_cast<size_t>(std::min<int64_t>(stride_ + 1, most)));
    } catch (const std::bad_alloc&) {
        return false;
    }
    ToolpathVertex* const out = staging.data();
    int32_t filled = 0;
    int64_t total = 0;
    auto emit = [&](const ToolpathVertex& v) {
        out[filled++] = v;
        if (filled <= stride_) return true;
        total += filled - 1;
        if (!store(staging, filled)) return false;
        out[0] = v;  // the next segment starts where this one ends
        filled = 1;
        return true;
    };
    const Tnodedata* previous = nullptr;
    if (kept_ != nullptr) {
        for (int32_t p = 0; p < count; ++p) {
            const Tnodedata& node = nodes.node((*kept_)[static_cast<size_t>(p)]);
            const auto& rgba = colors[node.color & 15U];
            if (previous != nullptr && colourjoint(*previous, node)) {
                if (!emit(toolpathvertex(*previous, colors[previous->color & 15U])) ||
                    !emit(toolpathvertex(*previous, rgba))) {
                    return false;
                }
            }
            if ((p & NodeStore::kBlockMask) == 0) {
                blockvertex_[static_cast<size_t>(p >> NodeStore::kBlockShift)] = total + filled;
            }
            if (!emit(toolpathvertex(node, rgba))) return false;
            previous = &node;
        }
    }
    for (int b = 0; kept_ == nullptr && b * NodeStore::kBlockSize < count; ++b) {
        const Tnodedata* block = nodes.block(b);
        const int32_t size = std::min(NodeStore::kBlockSize, count - b * NodeStore::kBlockSize);
        for (int32_t j = 0; j < size; ++j) {
            const Tnodedata& node = block[j];
            const auto& rgba = colors[node.color & 15U];
            if (previous != nullptr && colourjoint(*previous, node)) {
                if (!emit(toolpathvertex(*previous, colors[previous->color & 15U])) ||
                    !emit(toolpathvertex(*previous, rgba))) {
                    return false;
                }
            }
            if (j == 0) blockvertex_[static_cast<size_t>(b)] = total + filled;
            if (!emit(toolpathvertex(node, rgba))) return false;
            previous = &node;
        }
    }
    // A lone carried-over vertex is already the end of the previous segment.
    if ((filled > 1 || (filled == 1 && segments_.empty())) && !store(staging, filled)) {
        return false;
    }
    if (!reusable_.empty() && gl_.loaded()) {
        gl_.deletebuffers(static_cast<GLsizei>(reusable_.size()), reusable_.data());
    }
    reusable_.clear();
    if (gl_.loaded()) gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
    return true;
}

void ToolpathBuffers::recyclenames() {
    reusable_.clear();
    // Reversed, so that segment k gets the old segment k's name: a buffer refilled at its old
    // size keeps its storage (a reallocated one grows the heap at every new file).
    for (auto s = segments_.rbegin(); s != segments_.rend(); ++s) {
        if (s->name != 0) reusable_.push_back(s->name);
    }
    segments_.clear();
}

bool ToolpathBuffers::store(const std::vector<ToolpathVertex>& staging, int32_t count) {
    Segment segment;
    segment.count = count;
    if (gl_.loaded() && !buffersfailed_) {
        GLuint name = 0;
        if (!reusable_.empty()) {
            name = reusable_.back();
            reusable_.pop_back();
        } else {
            gl_.genbuffers(1, &name);
        }
        gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, name);
        gl_.bufferdata(GlBufferFunctions::kArrayBuffer,
                       static_cast<std::ptrdiff_t>(count) * sizeof(ToolpathVertex), staging.data(),
                       GlBufferFunctions::kStaticDraw);
        if (gl_.geterror() == GL_NO_ERROR) {
            segment.name = name;
        } else {
            // Graphics memory ran out: this and every later segment stay in client memory.
            gl_.deletebuffers(1, &name);
            buffersfailed_ = true;
        }
    }
    try {
        if (segment.name == 0) segment.client.assign(staging.begin(), staging.begin() + count);
        segments_.push_back(std::move(segment));
    } catch (const std::bad_alloc&) {
        if (segment.name != 0) gl_.deletebuffers(1, &segment.name);
        return false;
    }
    return true;
}

int64_t ToolpathBuffers::vertexof(const NodeStore& nodes, int32_t position) const {
    const int32_t base = position & ~NodeStore::kBlockMask;
    int64_t v = blockvertex_[static_cast<size_t>(position >> NodeStore::kBlockShift)];
    for (int32_t j = base + 1; j <= position; ++j) {
        v += colourjoint(at(nodes, j - 1), at(nodes, j)) ? 3 : 1;
    }
    return v;
}

void ToolpathBuffers::draw(const NodeStore& nodes, int32_t first, int32_t last,
                           const std::function<void()>& afterpiece, bool colours) const {
    const int64_t a = vertexof(nodes, first);
    const int64_t b = vertexof(nodes, last);
    if (b <= a) return;  // a single vertex draws nothing
    const int32_t step = std::max<int32_t>(1, piece);
    PieceThrottle throttle(gl_);
    glEnableClientState(GL_VERTEX_ARRAY);
    if (colours) glEnableClientState(GL_COLOR_ARRAY);
    for (int64_t k = a / stride_; k <= (b - 1) / stride_; ++k) {
        const int64_t base = k * stride_;
        const auto from = static_cast<int32_t>(std::max(a, base) - base);
        const auto to = static_cast<int32_t>(std::min(b, base + stride_) - base);
        for (int32_t p = from; p < to;) {
            const int32_t q = std::min(to, p + step);
            drawsegment(segments_[static_cast<size_t>(k)], p, q - p + 1);
            throttle.piecesent();
            p = q;
            if (afterpiece && base + q < b) afterpiece();
        }
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    if (gl_.loaded()) gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
}

void ToolpathBuffers::drawsegment(const Segment& segment, int32_t from, int32_t count) const {
    const char* client = nullptr;
    if (segment.name != 0) {
        gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, segment.name);
    } else {
        // A buffer left bound (by anyone) would turn the pointers into offsets.
        if (gl_.loaded()) gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
        client = reinterpret_cast<const char*>(segment.client.data());
    }
    // Offsets into the bound buffer, or addresses in client memory.
    const auto at = [client](size_t offset) -> const void* {
        return client != nullptr ? client + offset : reinterpret_cast<const void*>(offset);
    };
    glVertexPointer(3, GL_FLOAT, sizeof(ToolpathVertex), at(offsetof(ToolpathVertex, x)));
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(ToolpathVertex), at(offsetof(ToolpathVertex, rgba)));
    glDrawArrays(GL_LINE_STRIP, from, count);
}

void ToolpathBuffers::release() {
    for (const Segment& s : segments_) {
        if (s.name != 0) reusable_.push_back(s.name);
    }
    if (!reusable_.empty() && gl_.loaded()) {
        gl_.deletebuffers(static_cast<GLsizei>(reusable_.size()), reusable_.data());
    }
    forget();
}

void ToolpathBuffers::forget() {
    segments_.clear();
    segments_.shrink_to_fit();
    blockvertex_.clear();
    blockvertex_.shrink_to_fit();
    reusable_.clear();
    kept_ = nullptr;
    valid_ = false;
    buffersfailed_ = false;
    builtfrom_ = nullptr;
}

int ToolpathBuffers::clientsegments() const {
    return static_cast<int>(std::count_if(segments_.begin(), segments_.end(),
                                          [](const Segment& s) { return s.name == 0; }));
}
