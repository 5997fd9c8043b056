#include "view/paneldrag.h"

#include <cctype>
#include <cmath>

#include "view/viewstate.h"

namespace {

constexpr double kPanGain = 20.0;
constexpr double kRotateDegreesPerPixel = 3.0;
// About 14 pixels of travel double or halve the scale.
constexpr double kZoomPerPixel = 0.05;

std::string uppercase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

void PanelDrag::SpeedButtonMouseDown(const std::string& buttonname, std::int32_t x, std::int32_t y,
                                     ScreenPoint cursor) {
    const std::string name = uppercase(buttonname);
    if (name == "SPEEDBUTTON2") dragzoom = true;
    if (name == "SPEEDBUTTON3") dragpan = true;
    if (name == "SPEEDBUTTON9") dragrotate = true;
    x0 = x;
    y0 = y;
    pressangles = view_.angles();
    view_.savedscale = view_.viewscale;
    view_.savedcenter = view_.viewcenter;
    savedcursor = cursor;
    view_.boxatviewcenter(view_.panelbox);
    view_.panelbox.takedragstart();
    dragstartpass = true;
    view_.render();
    dragstartpass = false;
}

void PanelDrag::SpeedButtonMouseMove(std::int32_t x, std::int32_t y, std::int32_t surfaceheight) {
    // Every offset is taken from the press, so neither angles nor pan drift with many moves.
    if (dragpan) {
        view_.panbypixels(x - x0, y - y0, kPanGain, surfaceheight, view_.panelbox);
        view_.render();
    }
    if (dragrotate) {
        view_.setviewangles(pressangles.rotx + kRotateDegreesPerPixel * (y - y0), pressangles.roty,
                            pressangles.rotz + kRotateDegreesPerPixel * (x - x0));
        view_.render();
    }
    if (dragzoom) {
        const double travel = (x0 - x) + (y - y0);
        view_.setscale(view_.savedscale * std::exp(kZoomPerPixel * travel));
        view_.render();
    }
}

ScreenPoint PanelDrag::SpeedButtonMouseUp() {
    dragzoom = false;
    dragpan = false;
    dragrotate = false;
    view_.render();
    return savedcursor;
}
