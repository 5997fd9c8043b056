#pragma once
// The three drag buttons of the control panel, used like small joysticks: pressed, the pointer
// moved, released. The view follows the pointer's travel from the press with a strong gain;
// on release the pointer goes back to where it was pressed. Every step that changes the view
// renders a frame through the view's render hook.

#include <cstdint>
#include <string>

#include "view/transform.h"

class ViewState;

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

class PanelDrag {
  public:
    explicit PanelDrag(ViewState& view) : view_(view) {}

    bool dragzoom = false;
    bool dragpan = false;
    bool dragrotate = false;
    // Only while the frame of the press is drawn: that frame goes over the previous picture.
    bool dragstartpass = false;
    std::int32_t x0 = 0;  // press pixel in the pressed button's coordinates
    std::int32_t y0 = 0;
    ViewAngles pressangles;
    ScreenPoint savedcursor;

    bool dragging() const { return dragzoom || dragpan || dragrotate; }

    // buttonname: the pressed button's component name ("SpeedButton2", "SpeedButton3",
    // "SpeedButton9"; any case). cursor: the pointer's screen position now.
    void SpeedButtonMouseDown(const std::string& buttonname, std::int32_t x, std::int32_t y,
                              ScreenPoint cursor);
    // surfaceheight: the drawing surface's full height in pixels.
    void SpeedButtonMouseMove(std::int32_t x, std::int32_t y, std::int32_t surfaceheight);
    // Ends the drag; returns where the pointer must be put back.
    ScreenPoint SpeedButtonMouseUp();

  private:
    ViewState& view_;
};
