#pragma once
// Carries a chosen file through the interpreter and onto the screen: plot initialisation, the
// interpretation run and the fitted first frame. The window supplies the screen-side steps.

#include <functional>
#include <string>

class NcJob;

class PlotDriver {
  public:
    PlotDriver(NcJob& job, int cmdarcmode) : job_(job), cmdarcmode_(cmdarcmode) {}

    // Arc mode from the command line, empty extents, feed colour; then the window's part.
    void InitPlot();
    // Interprets the file, then fits the view to the toolpath and renders it.
    void OnlyPlot(const std::string& path);
    // The interpretation run; a complete run ends with a plain redraw (PO1). Throws
    // NcFileError when the file cannot be opened or read.
    void PlotOnly(const std::string& path);
    // A plain redraw of the stored toolpath.
    void PO1();

    std::function<void()> plotinitialised;  // logo flag cleared, step group box shown
    std::function<void()> clearscreen;
    std::function<void()> interpreted;  // information panel dirty, step sliders reset
    std::function<void()> showtoolinfo;
    std::function<void()> fitjob;
    std::function<void()> render;

  private:
    NcJob& job_;
    int cmdarcmode_;
};
