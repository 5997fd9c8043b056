#pragma once
// The remaining stock of a simulation drawn as a lit, shaded solid: the height map's top
// surface with normals from neighbouring heights, the four sides down to the stock's floor and
// the floor itself, in the frame's own view transform, so the toolpath can be drawn over it.
//
// A software rasterizer cannot light millions of triangles in a frame, so the surface is drawn
// from a coarser grid whose blocks hold the lowest height of the cells they cover: a cut
// narrower than a block still shows (a little wider), never vanishes. The grid is rebuilt only
// when the map's revision moves, and lives in buffer objects where the context has them.

#include <cstdint>
#include <functional>
#include <vector>

#include "render/glbufferfunctions.h"

namespace sim {
class HeightMap;
}

// The coarser grid a solid view draws: grid points along X and Y (the outer ones on the stock's
// edges), the lowest height of the block of cells around each, and the stock's floor. Made
// from a map wherever nothing writes it (a simulation's worker between its batches), drawn on
// the thread of the GL context.
struct SolidGrid {
    std::vector<float> xs, ys;
    std::vector<float> zs;  // row-major [row * xs.size() + column]
    float floor = 0.0F;
    float top = 0.0F;       // the uncut stock's top
    int block = 1;          // cells along each side of a block
    uint64_t serial = 0;    // tells grids apart; a new grid draws anew

    int columns() const { return static_cast<int>(xs.size()); }
    int rows() const { return static_cast<int>(ys.size()); }
    bool empty() const { return xs.size() < 2 || ys.size() < 2; }
};

// Most grid points along either side. A frame of 1024 x 768 on a software rasterizer costs
// some 70 ms of CPU at 384 (2048 cells a side: blocks of 6), 155 ms at 512.
inline constexpr int kSolidGridSide = 384;

// The grid of a map with at most mostside points along either side; empty for an empty map.
SolidGrid coarsegrid(const sim::HeightMap& map, int mostside = kSolidGridSide);

class SolidView {
  public:
    SolidView() = default;
    ~SolidView() = default;
    SolidView(const SolidView&) = delete;
    SolidView& operator=(const SolidView&) = delete;

    // Draws the grid inside an open frame (projection and view set). With buffer objects the
    // context must stay the one of the first draw, or release() / forget() come first.
    void draw(const SolidGrid& grid);
    // The same for a map nothing writes meanwhile; its grid is made again when it changed.
    void draw(const sim::HeightMap& map);

    // Deletes the buffer objects (their context must be current) / drops their names only.
    void release();
    void forget();

    int mostside = kSolidGridSide;
    // Entry points past GL 1.1; without a loader the arrays stay in client memory.
    GlProcLoader getprocaddress;

    // The grid made from the last map drawn.
    const SolidGrid& grid() const { return mapgrid_; }

    // The stock's colour, also what the pictures' checks look for.
    static constexpr float kStockRed = 0.70F, kStockGreen = 0.74F, kStockBlue = 0.80F;

  private:
    struct Built {
        const sim::HeightMap* map = nullptr;
        uint64_t revision = 0;
        int columns = -1;
        int rows = -1;
    };

    void build(const SolidGrid& grid);
    void buildtop(const SolidGrid& grid);
    void buildsides(const SolidGrid& grid);
    void upload();
    static void setlights();

    struct Vertex {
        float x, y, z, nx, ny, nz;
        uint8_t rgba[4];
    };
    void push(const SolidGrid& grid, float x, float y, float z, float nx, float ny, float nz);

    std::vector<Vertex> vertices_;
    std::vector<uint32_t> indices_;
    uint64_t builtserial_ = 0;
    SolidGrid mapgrid_;
    Built built_;
    bool hasbuilt_ = false;

    GlBufferFunctions gl_;
    bool triedbuffers_ = false;
    GLuint vertexbuffer_ = 0;
    GLuint indexbuffer_ = 0;
    bool uploaded_ = false;
};
