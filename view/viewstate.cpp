#include "view/viewstate.h"

void ViewState::setviewangles(double x, double y, double z) {
    rotx = x;
    roty = y;
    rotz = z;
}

void ViewState::setviewangles(const ViewPreset& preset) {
    setviewangles(preset.angles.rotx, preset.angles.roty, preset.angles.rotz);
}

void ViewState::startwindow() {
    setviewangles(viewpreset(ViewPresetId::Iso1));
    viewscale = 100.0;
}

void ViewState::viewrotate(double x, double y, double z, viewbox& box) const {
    ::viewrotate(angles(), x, y, z, box);
}

void ViewState::viewunrotate(double& x, double& y, double& z) const {
    ::viewunrotate(angles(), x, y, z);
}

void ViewState::boxatviewcenter(viewbox& box) const {
    box.reset();
    viewrotate(viewcenter.x, viewcenter.y, viewcenter.z, box);
}

void ViewState::render() const {
    if (renderhook) renderhook();
}

// The middle of a view-space box becomes the view centre in world coordinates.
void ViewState::centeronbox(const viewbox& box) {
    double x = box.centerx();
    double y = box.centery();
    double z = box.centerz();
    viewunrotate(x, y, z);
    viewcenter = {x, y, z};
}
