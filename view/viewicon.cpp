#include "view/viewicon.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

namespace {

struct Offset {
    int dx;
    int dy;  // grows downward
};

constexpr Offset kLetterX[] = {{-2, -2}, {-1, -1}, {0, 0},  {1, 1}, {2, 2},
                               {2, -2},  {1, -1},  {-1, 1}, {-2, 2}};
constexpr Offset kLetterY[] = {{-2, -2}, {-1, -1}, {0, 0}, {2, -2}, {1, -1}, {0, 1}, {0, 2}};
constexpr Offset kLetterZ[] = {{-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2}, {1, -1}, {0, 0},
                               {-1, 1},  {-2, 2},  {-1, 2}, {0, 2},  {1, 2},  {2, 2}};

constexpr double kLetterDistance = 13.0;
constexpr double kAxisLength = 10.0;

// The turned coordinates carry rounding noise in the last bits; without snapping, a point that
// lies exactly half-way between two pixels (2.5 in the isometric views) would fall to either
// side by accident instead of to the even neighbour.
int iconround(double v) {
    const double snapped = std::round(v * 1e9) / 1e9;
    return static_cast<int>(std::nearbyint(snapped));
}

class IconCanvas {
  public:
    IconCanvas(std::uint32_t* pixels, int stride, std::uint32_t color)
        : pixels_(pixels), stride_(stride), color_(color) {}

    void plot(int col, int row) {
        if (col < 0 || col >= kViewIconSize || row < 0 || row >= kViewIconSize) return;
        pixels_[static_cast<std::ptrdiff_t>(row) * stride_ + col] = color_;
    }

    template <std::size_t N>
    void letter(IconPixel at, const Offset (&shape)[N]) {
        for (const Offset& o : shape) plot(at.col + o.dx, at.row + o.dy);
    }

    // A line without its end pixel. Along the longer direction every pixel is visited; the
    // other coordinate is the nearest to the ideal line, ties toward the start.
    void line(IconPixel from, IconPixel to) {
        const int dx = to.col - from.col;
        const int dy = to.row - from.row;
        const int major = std::max(std::abs(dx), std::abs(dy));
        const int minor = std::min(std::abs(dx), std::abs(dy));
        const bool xmajor = std::abs(dx) >= std::abs(dy);
        const int sx = dx < 0 ? -1 : 1;
        const int sy = dy < 0 ? -1 : 1;
        for (int i = 0; i < major; ++i) {
            const int side = (2 * i * minor + major - 1) / (2 * major);
            if (xmajor) {
                plot(from.col + sx * i, from.row + sy * side);
            } else {
                plot(from.col + sx * side, from.row + sy * i);
            }
        }
    }

  private:
    std::uint32_t* pixels_;
    int stride_;
    std::uint32_t color_;
};

}  // namespace

IconPixel projecticon(const ViewAngles& angles, double x, double y, double z) {
    viewturn(angles, x, y, z);
    return {kViewIconSize / 2 + iconround(x), kViewIconSize / 2 - iconround(y)};
}

void drawviewicon(const ViewAngles& angles, std::uint32_t iconcolor, std::uint32_t facecolor,
                  std::uint32_t* pixels, int stride) {
    for (int row = 0; row < kViewIconSize; ++row) {
        for (int col = 0; col < kViewIconSize; ++col) {
            pixels[static_cast<std::ptrdiff_t>(row) * stride + col] = facecolor;
        }
    }
    IconCanvas canvas(pixels, stride, iconcolor);
    canvas.letter(projecticon(angles, kLetterDistance, 0, 0), kLetterX);
    canvas.letter(projecticon(angles, 0, kLetterDistance, 0), kLetterY);
    canvas.letter(projecticon(angles, 0, 0, kLetterDistance), kLetterZ);
    const IconPixel origin = projecticon(angles, 0, 0, 0);
    canvas.line(origin, projecticon(angles, kAxisLength, 0, 0));
    canvas.line(origin, projecticon(angles, 0, kAxisLength, 0));
    canvas.line(origin, projecticon(angles, 0, 0, kAxisLength));
}
