#include "sim/stockgrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sim {

namespace {

bool finiteBox(const StockBox& b)
{
    return std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.z0) &&
           std::isfinite(b.x1) && std::isfinite(b.y1) && std::isfinite(b.z1);
}

} // namespace

void CutExtents::add(double x, double y, double z)
{
    if (!any) {
        xmin = xmax = x;
        ymin = ymax = y;
        zmin = zmax = z;
        any = true;
        return;
    }
    xmin = std::min(xmin, x), xmax = std::max(xmax, x);
    ymin = std::min(ymin, y), ymax = std::max(ymax, y);
    zmin = std::min(zmin, z), zmax = std::max(zmax, z);
}

StockGrid chooseStockGrid(const StockRequest& request, const CutExtents& cuts)
{
    StockGrid grid;
    StockBox& s = grid.stock;
    if (request.stockGiven) {
        s = request.stock;
        if (s.x0 > s.x1) std::swap(s.x0, s.x1);
        if (s.y0 > s.y1) std::swap(s.y0, s.y1);
        if (s.z0 > s.z1) std::swap(s.z0, s.z1);
        if (!finiteBox(s)) {
            grid.problem = "the stock's corners must be finite numbers";
            return grid;
        }
        if (!(s.x1 > s.x0 && s.y1 > s.y0 && s.z1 > s.z0)) {
            grid.problem = "the stock has no thickness: each corner must differ from the other in X, Y and Z";
            return grid;
        }
    } else {
        if (!cuts.any) {
            grid.problem = "the program makes no feed moves: there is nothing to cut";
            return grid;
        }
        const double grow = cuts.largestRadius;
        s.x0 = cuts.xmin - grow, s.x1 = cuts.xmax + grow;
        s.y0 = cuts.ymin - grow, s.y1 = cuts.ymax + grow;
        s.z1 = cuts.zmax <= 0 ? 0.0 : cuts.zmax;
        s.z0 = std::min(cuts.zmin, s.z1) - std::max(grow, 1e-3);
    }
    const double longer = std::max(s.x1 - s.x0, s.y1 - s.y0);
    double cell = request.cell;
    if (cell == 0) {
        cell = longer / std::max(1, request.quality);
    } else if (!(cell > 0) || !std::isfinite(cell)) {
        grid.problem = "the cell size must be a number above 0";
        return grid;
    }
    const double columns = std::ceil((s.x1 - s.x0) / cell);
    const double rows = std::ceil((s.y1 - s.y0) / cell);
    const double bytes = columns * rows * 4.0;
    if (!(bytes <= static_cast<double>(kGridByteLimit)) || columns > 1e9 || rows > 1e9) {
        char text[200];
        std::snprintf(text, sizeof text,
                      "a grid of %.0f x %.0f cells would need %.0f bytes, more than the %llu bytes "
                      "allowed: choose a larger cell",
                      columns, rows, bytes, static_cast<unsigned long long>(kGridByteLimit));
        grid.problem = text;
        return grid;
    }
    grid.cell = cell;
    grid.columns = std::max(1, static_cast<int>(columns));
    grid.rows = std::max(1, static_cast<int>(rows));
    return grid;
}

} // namespace sim
