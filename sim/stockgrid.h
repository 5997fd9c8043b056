#pragma once
// Which block of material the simulation starts from and how finely it is divided.

#include <cstdint>
#include <string>

namespace sim {

struct StockBox {
    double x0 = 0, y0 = 0, z0 = 0, x1 = 0, y1 = 0, z1 = 0;
};

// Where the program cuts: the box of its feed moves (each at the height of its lower end), and
// the largest radius of a tool that cut.
struct CutExtents {
    bool any = false;
    double xmin = 0, ymin = 0, zmin = 0, xmax = 0, ymax = 0, zmax = 0;
    double largestRadius = 0;

    void add(double x, double y, double z);
};

struct StockRequest {
    bool stockGiven = false;
    StockBox stock;
    double cell = 0;      // program units; 0 chooses it from the quality
    int quality = 1024;   // cells along the stock's longer side when the cell is chosen
};

// The heights take 4 bytes a cell; a grid past this is refused rather than risked.
inline constexpr uint64_t kGridByteLimit = uint64_t(1) << 30;

struct StockGrid {
    StockBox stock;
    double cell = 0;
    int columns = 0;
    int rows = 0;
    std::string problem;  // non-empty: no grid, and why

    bool ok() const { return problem.empty(); }
};

// The stock: the one asked for, else the cutting box grown by the largest tool radius, its top
// at Z 0 when every cut lies below it (material is usually touched off at its top) or else at
// the highest cut, its floor a tool radius under the lowest cut.
StockGrid chooseStockGrid(const StockRequest& request, const CutExtents& cuts);

} // namespace sim
