#include "render/solidpicture.h"

#include <algorithm>

#include "nc/ncjob.h"
#include "nc/palette.h"
#include "render/framerender.h"
#include "render/offscreentarget.h"
#include "render/solidview.h"
#include "render/toolpathdrawer.h"
#include "sim/heightmap.h"
#include "view/fittedview.h"
#include "view/orientation.h"
#include "view/viewstate.h"

namespace {

// The toolpath's extents widened by the stock's box, so that neither is cut off.
WorldBox solidbox(const NcJob& job, const sim::HeightMap& stock) {
    WorldBox box{job.xmin, job.xmax, job.ymin, job.ymax, job.zmin, job.zmax};
    if (stock.columns() <= 0 || stock.rows() <= 0) return box;
    const bool empty = job.xmin > job.xmax;
    const double x1 = stock.x0() + stock.columns() * stock.cell();
    const double y1 = stock.y0() + stock.rows() * stock.cell();
    box.xmin = empty ? stock.x0() : std::min(box.xmin, stock.x0());
    box.xmax = empty ? x1 : std::max(box.xmax, x1);
    box.ymin = empty ? stock.y0() : std::min(box.ymin, stock.y0());
    box.ymax = empty ? y1 : std::max(box.ymax, y1);
    box.zmin = empty ? stock.bottom() : std::min(box.zmin, static_cast<double>(stock.bottom()));
    box.zmax = empty ? stock.top() : std::max(box.zmax, static_cast<double>(stock.top()));
    return box;
}

}  // namespace

HeadlessPicture drawsolidpicture(const NcJob& job, const sim::HeightMap& stock,
                                 const ViewPreset& preset, int width, int height,
                                 bool withtoolpath) {
    HeadlessPicture picture;
    OffscreenTarget target(width, height);
    if (!target.ready()) {
        picture.error = target.error();
        return picture;
    }
    FrameRender frame(target);
    SolidView solid;
    solid.getprocaddress = OffscreenTarget::procaddress;
    ToolpathDrawer drawer(job.nodes, kPalette);
    drawer.present = [&target] { target.ShowFrame(); };
    drawer.getprocaddress = OffscreenTarget::procaddress;
    drawer.currentcontext = [&target] { return target.context(); };
    drawer.nodebynode = true;
    frame.drawtoolpath = [&] {
        solid.draw(stock);
        if (withtoolpath) drawer.showtoolpath();
    };
    const WorldBox box = solidbox(job, stock);
    ViewState view;
    fitsurfaceview(view, box, preset, width, height);
    view.renderhook = [&] {
        FrameScene scene = FrameScene::fromview(view);
        scene.extents = {box.xmin, box.xmax, box.ymin, box.ymax, box.zmin, box.zmax};
        frame.renderframe(scene);
    };
    view.render();
    solid.release();
    picture.width = width;
    picture.height = height;
    picture.rgb = target.readrgb();
    return picture;
}
