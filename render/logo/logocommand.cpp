#include "render/logo/logocommand.h"

void LogoExtents::apply(const LogoCommand& c) {
    switch (c.op) {
        case LogoOp::XMax: xmax = c.x; break;
        case LogoOp::YMax: ymax = c.y; break;
        case LogoOp::XMin: xmin = c.x; break;
        case LogoOp::YMin: ymin = c.y; break;
        default: break;
    }
}

LogoFrameBox widenlogoextents(const LogoExtents& e) {
    LogoFrameBox b;
    b.xmin = e.xmin - 0.05 * (e.xmax - e.xmin);
    b.ymin = e.ymin - 0.05 * (e.ymax - e.ymin);
    // With the minimum already lowered, a 21st of the new width is 5 % of the old one.
    b.xmax = e.xmax + (e.xmax - b.xmin) / 21;
    b.ymax = e.ymax + (e.ymax - b.ymin) / 21;
    b.zmin = -11;
    b.zmax = 1;
    return b;
}
