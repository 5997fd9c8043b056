#include "render/solidview.h"

#include <GL/gl.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cmath>

#include "sim/heightmap.h"

namespace {

constexpr GLenum kElementArrayBuffer = 0x8893;

// Two triangles of the quad a b c d, counter-clockwise as seen from outside.
void quad(std::vector<uint32_t>& out, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    out.insert(out.end(), {a, b, c, a, c, d});
}

// Grid point positions along one side: the outer points sit on the stock's edges so that the
// surface meets the sides, the inner ones at the middle of their blocks.
std::vector<float> gridpositions(double origin, double cell, int cells, int block, int points) {
    std::vector<float> at(static_cast<size_t>(points));
    for (int i = 0; i < points; ++i) {
        const int first = i * block;
        const int count = std::max(1, std::min(block, cells - first));
        at[static_cast<size_t>(i)] =
            static_cast<float>(origin + (first + count / 2.0) * cell);
    }
    at.front() = static_cast<float>(origin);
    at.back() = static_cast<float>(origin + cells * cell);
    return at;
}

}  // namespace

SolidGrid coarsegrid(const sim::HeightMap& map, int mostside) {
    static std::atomic<uint64_t> serials{0};
    SolidGrid grid;
    grid.serial = ++serials;
    if (map.columns() <= 0 || map.rows() <= 0 || !(map.cell() > 0.0)) return grid;
    const int cells = std::max(map.columns(), map.rows());
    mostside = std::max(mostside, 2);
    const int block = std::max(1, (cells + mostside - 1) / mostside);
    const int blockcolumns = (map.columns() + block - 1) / block;
    const int blockrows = (map.rows() + block - 1) / block;
    const int w = std::max(blockcolumns, 2), h = std::max(blockrows, 2);
    grid.block = block;
    grid.floor = map.bottom();
    grid.top = map.top();
    grid.xs = gridpositions(map.x0(), map.cell(), map.columns(), block, w);
    grid.ys = gridpositions(map.y0(), map.cell(), map.rows(), block, h);

    std::vector<float> lowest(static_cast<size_t>(blockcolumns) * static_cast<size_t>(blockrows),
                              map.top());
    for (int row = 0; row < map.rows(); ++row) {
        const float* line = map.heights() + static_cast<size_t>(row) * map.columns();
        float* blocks = lowest.data() + static_cast<size_t>(row / block) * blockcolumns;
        for (int column = 0; column < map.columns(); ++column) {
            float& low = blocks[column / block];
            // Not a number compares false: such a cell leaves its block as it was.
            if (line[column] < low) low = line[column];
        }
    }
    grid.zs.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const float z = lowest[static_cast<size_t>(std::min(j, blockrows - 1)) * blockcolumns +
                                   static_cast<size_t>(std::min(i, blockcolumns - 1))];
            grid.zs[static_cast<size_t>(j) * w + i] = std::max(z, map.bottom());
        }
    }
    return grid;
}

void SolidView::push(const SolidGrid& grid, float x, float y, float z, float nx, float ny,
                     float nz) {
    // Deeper is darker: seen straight from above, floors face the light as the top does and
    // would otherwise not show how deep they lie.
    const float span = grid.top - grid.floor;
    const float depth = span > 0.0F ? std::clamp((grid.top - z) / span, 0.0F, 1.0F) : 0.0F;
    const float shade = 1.0F - 0.45F * depth;
    auto byte = [shade](float c) { return static_cast<uint8_t>(std::lround(c * shade * 255.0F)); };
    vertices_.push_back(
        {x, y, z, nx, ny, nz, {byte(kStockRed), byte(kStockGreen), byte(kStockBlue), 255}});
}

void SolidView::build(const SolidGrid& grid) {
    vertices_.clear();
    indices_.clear();
    buildtop(grid);
    buildsides(grid);
    builtserial_ = grid.serial;
    uploaded_ = false;
}

void SolidView::buildtop(const SolidGrid& grid) {
    const int w = grid.columns(), h = grid.rows();
    vertices_.reserve(static_cast<size_t>(w) * h + 4 * static_cast<size_t>(w + h) + 4);
    auto z = [&](int i, int j) {
        return grid.zs[static_cast<size_t>(std::clamp(j, 0, h - 1)) * w + std::clamp(i, 0, w - 1)];
    };
    auto x = [&](int i) { return grid.xs[static_cast<size_t>(std::clamp(i, 0, w - 1))]; };
    auto y = [&](int j) { return grid.ys[static_cast<size_t>(std::clamp(j, 0, h - 1))]; };
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            // Slopes across the neighbours on either side, weighed over the rows (columns)
            // beside as well: a curved wall's steps from block to block would otherwise light
            // up as stripes. A wall of a cut leans over one block.
            auto alongx = [&](int row) { return z(i + 1, row) - z(i - 1, row); };
            auto alongy = [&](int column) { return z(column, j + 1) - z(column, j - 1); };
            const float dzdx = (alongx(j - 1) + 2.0F * alongx(j) + alongx(j + 1)) /
                               (4.0F * (x(i + 1) - x(i - 1)));
            const float dzdy = (alongy(i - 1) + 2.0F * alongy(i) + alongy(i + 1)) /
                               (4.0F * (y(j + 1) - y(j - 1)));
            const float length = std::sqrt(dzdx * dzdx + dzdy * dzdy + 1.0F);
            push(grid, x(i), y(j), z(i, j), -dzdx / length, -dzdy / length, 1.0F / length);
        }
    }
    indices_.reserve(static_cast<size_t>(w - 1) * (h - 1) * 6 + 4 * 6 * static_cast<size_t>(w + h));
    for (int j = 0; j + 1 < h; ++j) {
        for (int i = 0; i + 1 < w; ++i) {
            const auto a = static_cast<uint32_t>(j * w + i);
            quad(indices_, a, a + 1, a + 1 + static_cast<uint32_t>(w), a + static_cast<uint32_t>(w));
        }
    }
}

void SolidView::buildsides(const SolidGrid& grid) {
    const int w = grid.columns(), h = grid.rows();
    const float floor = grid.floor;
    // Each side walked so that it runs left to right as seen from outside the stock.
    auto side = [&](int count, auto point, float nx, float ny) {
        const auto first = static_cast<uint32_t>(vertices_.size());
        for (int k = 0; k < count; ++k) {
            const auto [px, py, pz] = point(k);
            push(grid, px, py, floor, nx, ny, 0.0F);
            push(grid, px, py, pz, nx, ny, 0.0F);
        }
        for (uint32_t k = 0; k + 1 < static_cast<uint32_t>(count); ++k) {
            const uint32_t bottom = first + 2 * k;
            quad(indices_, bottom, bottom + 2, bottom + 3, bottom + 1);
        }
    };
    auto z = [&](int i, int j) { return grid.zs[static_cast<size_t>(j) * w + i]; };
    auto x = [&](int i) { return grid.xs[static_cast<size_t>(i)]; };
    auto y = [&](int j) { return grid.ys[static_cast<size_t>(j)]; };
    struct P {
        float x, y, z;
    };
    side(w, [&](int k) { return P{x(k), y(0), z(k, 0)}; }, 0.0F, -1.0F);
    side(h, [&](int k) { return P{x(w - 1), y(k), z(w - 1, k)}; }, 1.0F, 0.0F);
    side(w, [&](int k) { return P{x(w - 1 - k), y(h - 1), z(w - 1 - k, h - 1)}; }, 0.0F, 1.0F);
    side(h, [&](int k) { return P{x(0), y(h - 1 - k), z(0, h - 1 - k)}; }, -1.0F, 0.0F);
    const auto first = static_cast<uint32_t>(vertices_.size());
    for (const auto& [px, py] : {std::pair{x(0), y(0)}, std::pair{x(0), y(h - 1)},
                                 std::pair{x(w - 1), y(h - 1)}, std::pair{x(w - 1), y(0)}}) {
        push(grid, px, py, floor, 0.0F, 0.0F, -1.0F);
    }
    quad(indices_, first, first + 1, first + 2, first + 3);
}

void SolidView::upload() {
    uploaded_ = true;
    if (!triedbuffers_) {
        triedbuffers_ = true;
        if (getprocaddress) gl_.load(getprocaddress);
    }
    if (!gl_.loaded()) return;
    if (vertexbuffer_ == 0) gl_.genbuffers(1, &vertexbuffer_);
    if (indexbuffer_ == 0) gl_.genbuffers(1, &indexbuffer_);
    while (gl_.geterror() != GL_NO_ERROR) {
    }
    gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, vertexbuffer_);
    gl_.bufferdata(GlBufferFunctions::kArrayBuffer,
                   static_cast<std::ptrdiff_t>(vertices_.size() * sizeof(Vertex)), vertices_.data(),
                   GlBufferFunctions::kStaticDraw);
    gl_.bindbuffer(kElementArrayBuffer, indexbuffer_);
    gl_.bufferdata(kElementArrayBuffer,
                   static_cast<std::ptrdiff_t>(indices_.size() * sizeof(uint32_t)),
                   indices_.data(), GlBufferFunctions::kStaticDraw);
    gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
    gl_.bindbuffer(kElementArrayBuffer, 0);
    // Out of graphics memory: the client arrays still draw.
    if (gl_.geterror() != GL_NO_ERROR) {
        release();
        uploaded_ = true;
    }
}

void SolidView::setlights() {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // One light fixed to the eye, from over the viewer's left shoulder, so that floors, walls
    // and slopes facing different ways get different shades in every view.
    const GLfloat position[] = {-0.4F, 0.5F, 1.0F, 0.0F};
    const GLfloat diffuse[] = {0.8F, 0.8F, 0.8F, 1.0F};
    const GLfloat specular[] = {0.25F, 0.25F, 0.25F, 1.0F};
    const GLfloat none[] = {0.0F, 0.0F, 0.0F, 1.0F};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glPopMatrix();
    const GLfloat ambient[] = {0.3F, 0.3F, 0.3F, 1.0F};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    // Ambient and diffuse colour come with each vertex (colour material).
    const GLfloat shine[] = {0.2F, 0.2F, 0.2F, 1.0F};
    glMaterialfv(GL_FRONT, GL_SPECULAR, shine);
    glMaterialf(GL_FRONT, GL_SHININESS, 24.0F);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void SolidView::draw(const sim::HeightMap& map) {
    const bool current = hasbuilt_ && built_.map == &map && built_.revision == map.revision() &&
                         built_.columns == map.columns() && built_.rows == map.rows();
    if (!current) {
        mapgrid_ = coarsegrid(map, mostside);
        built_ = {&map, map.revision(), map.columns(), map.rows()};
        hasbuilt_ = true;
    }
    draw(mapgrid_);
}

void SolidView::draw(const SolidGrid& grid) {
    if (grid.empty()) return;
    if (grid.serial != builtserial_) build(grid);
    if (!uploaded_) upload();
    setlights();
    // The toolpath drawn afterwards lies on the cut floors: the solid steps back a little in
    // depth so that its lines win there.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0F, 1.0F);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    const auto count = static_cast<GLsizei>(indices_.size());
    const bool buffered = vertexbuffer_ != 0 && indexbuffer_ != 0;
    // Offsets into the buffer objects, or addresses of the client arrays.
    const uintptr_t base = buffered ? 0 : reinterpret_cast<uintptr_t>(vertices_.data());
    auto at = [base](size_t offset) { return reinterpret_cast<const void*>(base + offset); };
    if (buffered) {
        gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, vertexbuffer_);
        gl_.bindbuffer(kElementArrayBuffer, indexbuffer_);
    }
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), at(offsetof(Vertex, x)));
    glNormalPointer(GL_FLOAT, sizeof(Vertex), at(offsetof(Vertex, nx)));
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), at(offsetof(Vertex, rgba)));
    glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_INT, buffered ? nullptr : indices_.data());
    if (buffered) {
        gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
        gl_.bindbuffer(kElementArrayBuffer, 0);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_LIGHTING);
}

void SolidView::release() {
    if (gl_.loaded()) {
        for (GLuint* name : {&vertexbuffer_, &indexbuffer_}) {
            if (*name != 0) gl_.deletebuffers(1, name);
        }
    }
    forget();
}

void SolidView::forget() {
    vertexbuffer_ = 0;
    indexbuffer_ = 0;
    uploaded_ = false;
    triedbuffers_ = false;
}
