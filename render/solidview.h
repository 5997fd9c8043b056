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

class SolidView {
  public:
    SolidView() = default;
    ~SolidView() = default;
    SolidView(const SolidView&) = delete;
    SolidView& operator=(const SolidView&) = delete;

    // Draws the map inside an open frame (projection and view set). With buffer objects the
    // context must stay the one of the first draw, or release() / forget() come first.
    void draw(const sim::HeightMap& map);

    // Deletes the buffer objects (their context must be current) / drops their names only.
    void release();
    void forget();

    // Most grid points along either side of the drawn surface. 512 keeps a frame of a
    // 2048 x 2048 map at 1024 x 768 on a software rasterizer well inside 100 ms.
    int mostside = 512;
    // Entry points past GL 1.1; without a loader the arrays stay in client memory.
    GlProcLoader getprocaddress;

    // The drawn grid of the last build: points per side and cells per block side.
    int gridcolumns() const { return gridcolumns_; }
    int gridrows() const { return gridrows_; }
    int blockcells() const { return block_; }

    // The stock's colour, also what the pictures' checks look for.
    static constexpr float kStockRed = 0.70F, kStockGreen = 0.74F, kStockBlue = 0.80F;

  private:
    struct Built {
        const sim::HeightMap* map = nullptr;
        uint64_t revision = 0;
        int columns = -1;
        int rows = -1;
    };

    void build(const sim::HeightMap& map);
    void buildtop(const sim::HeightMap& map);
    void buildsides(const sim::HeightMap& map);
    void upload();
    static void setlights();

    // Interleaved position and normal, six floats a vertex.
    std::vector<float> vertices_;
    std::vector<uint32_t> indices_;
    std::vector<float> xs_, ys_, zs_;  // grid point positions and heights
    int gridcolumns_ = 0;
    int gridrows_ = 0;
    int block_ = 1;
    Built built_;
    bool hasbuilt_ = false;

    GlBufferFunctions gl_;
    bool triedbuffers_ = false;
    GLuint vertexbuffer_ = 0;
    GLuint indexbuffer_ = 0;
    bool uploaded_ = false;
};
