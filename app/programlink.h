#pragma once
// The program pane beside the picture and the link both ways: selected lines highlight their
// moves, the move under the pointer names its line, and the step window and the slowed
// drawing move the pane along. The window composes it and hands it the controls and the job
// it works with; it reaches back only through the two hooks.

#include <QCoreApplication>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "nc/linenodes.h"
#include "render/highlight.h"
#include "view/geometry.h"
#include "view/pick.h"

class NcJob;
class PanelExtras;
class PickReadout;
class ProgramPane;
class QCheckBox;
class QLabel;

class QScrollBar;
class QSlider;
class QWidget;
class Tglimage;
class ToolpathDrawer;
class ViewState;

class ProgramLink {
    // Its texts are the window's: they keep the window's translations.
    Q_DECLARE_TR_FUNCTIONS(Tvorlixform)

  public:
    // What the link works with; all of it belongs to the window and outlives the link.
    struct Parts {
        QWidget* window;
        QWidget* panel;
        Tglimage* wrkscreen;
        QWidget* dummyscrollbar;
        PanelExtras* panelextras;
        QScrollBar* shownumberscrollbar;
        QSlider* showstartscrollbar;
        NcJob& job;
        ViewState& view;
        ToolpathDrawer* drawer;
        const bool& logoshown;
        const std::string& ncpath;
        const std::string& ncfilename;
    };
    ProgramLink(const Parts& parts, std::function<void()> relayout, std::function<void()> render);
    ~ProgramLink();

    ProgramPane* programpane = nullptr;
    QCheckBox* programcheckbox = nullptr;  // "显示程式文本"
    QLabel* pickreadout = nullptr;
    Highlight highlight;
    Picker picker;
    // Shows the pane, selects the line (clamped) and scrolls to it.
    void gotoprogramline(int64_t line);
    void showprogrampane(bool on);
    void clearprogramselection();
    // The segment under device pixel (x, y) of the surface: readout, and with select its
    // line is selected. Returns whether a segment was within reach.
    bool pickat(int x, int y, bool select);
    void hidepickreadout();
    // The drawn step window and the slowed drawing move the pane along.
    void followsteps();
    // F6, Ctrl+G and Escape (with a selection); false when the key is not one of them.
    bool programkey(int key, Qt::KeyboardModifiers modifiers);
    // A new program has been read.
    void programloaded();
    // The pane's share of the area left of the panel, after the window has laid out the rest.
    void layoutprogrampane();
    // The selection over a drag's simplified toolpath.
    void drawdraghighlight();
    // The view is what fitting the toolpath to the surface's recorded size gives.
    bool viewisfitted() const;
    WorldBox toolpathbox() const;
    // Told the nodes of each new selection (none: an empty span).
    std::function<void(NodeSpan)> selectionshown;

  private:
    void buildlink();
    void programselectionchanged();
    void askprogramline();

    QWidget* window_;
    QWidget* panel;
    Tglimage* wrkscreen;
    QWidget* dummyscrollbar;
    PanelExtras* panelextras;
    QScrollBar* shownumberscrollbar;
    QSlider* showstartscrollbar;
    NcJob& job;
    ViewState& view;
    ToolpathDrawer* drawer_;
    const bool& logoshown;
    const std::string& ncpath;
    const std::string& ncfilename;
    std::function<void()> relayout_;
    std::function<void()> render_;
    std::unique_ptr<PickReadout> readout_;
    bool refitpane_ = false;  // the pane opened or closed over the fitted view
};
