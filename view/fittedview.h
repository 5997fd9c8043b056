#pragma once
// The view of a picture made without a window: the viewer's start-up view turned to a preset
// and fitted to the job's extents, as the window frames a program it has just opened in a
// surface of the same size. Pictures and picks of the headless tool both start from it.

#include "view/geometry.h"
#include "view/orientation.h"
#include "view/pick.h"
#include "view/viewstate.h"

// Fitted without rendering; width and height are the surface's pixels, and its area for
// fitting, as the window's.
void fitsurfaceview(ViewState& view, const WorldBox& extents, const ViewPreset& preset, int width,
                    int height);

// What a pick in a surface of width x height pixels showing this view refers to.
PickView pickviewof(const ViewState& view, int width, int height);
