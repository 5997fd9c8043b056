#include "view/fittedview.h"

void fitsurfaceview(ViewState& view, const WorldBox& extents, const ViewPreset& preset, int width,
                    int height) {
    view.startwindow();
    view.setviewangles(preset);
    view.areawidth = width;
    view.areaheight = height;
    view.fitview(extents.xmax, extents.xmin, extents.ymax, extents.ymin, extents.zmax,
                 extents.zmin);
}

PickView pickviewof(const ViewState& view, int width, int height) {
    return {view.viewscale,    view.rotx,         view.roty,         view.rotz,
            view.viewcenter.x, view.viewcenter.y, view.viewcenter.z, width,
            height};
}
