#include "app/plotdriver.h"

#include "nc/ncjob.h"

namespace {
void call(const std::function<void()>& f) {
    if (f) f();
}
}  // namespace

void PlotDriver::InitPlot() {
    job_.InitPlot(cmdarcmode_);
    call(plotinitialised);
}

void PlotDriver::OnlyPlot(const std::string& path) {
    job_.interpreting = true;
    PlotOnly(path);
    call(showtoolinfo);
    call(fitjob);
}

void PlotDriver::PlotOnly(const std::string& path) {
    if (path.empty()) return;
    call(clearscreen);
    if (job_.interpreting) {
        job_.PlotOnly(path);
        call(interpreted);
    }
    if (!job_.interpreting) PO1();
}

void PlotDriver::PO1() {
    call(render);
}
