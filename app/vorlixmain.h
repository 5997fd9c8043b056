#pragma once
// The main window: the drawing surface on the left, the narrow control panel on the right.
// It composes the job (interpreter and node store), the view state, the drawing surface with
// its frame render and toolpath drawing, the progress bar and the information panel, and runs
// the start-up, resize and idle steps and the open sequence.

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/commandline.h"
#include "nc/ncjob.h"
#include "render/framerender.h"
#include "render/logo/logoflyin.h"
#include "render/toolpathdrawer.h"
#include "view/paneldrag.h"
#include "view/surfacedrag.h"
#include "view/viewstate.h"

class ArcDataMessages;
class CompensationMenu;
class DesktopOpen;
class DragSimplification;
class JobInput;
class QAction;
class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QScrollBar;
class QSlider;
class NavigationInput;
class PanelButton;
class PanelExtras;
class PanelCommands;
class PlotDriver;
class PlanReadout;
class MeasureMode;
class ProgramLink;
class ProgramPane;
class ReadingNoticeRow;
class StockView;
class Tglimage;
class TWorkingBar;

class Tvorlixform : public QWidget {
    Q_OBJECT
  public:
    explicit Tvorlixform(const CommandLine& cmd);
    ~Tvorlixform() override;

    // Start-up order, window creation, resize and the idle driver.
    void FormCreate();
    void FormResize();
    void AppIdle();
    // Compiles the start-up logo, frames it and flies it in (app/logostartup.cpp).
    void showgllogo();
    // Runs the open sequence on ncfilename (the title) and ncpath (the file opened).
    void opensequence();

    // Job framing and the information panel.
    void initscreen();
    void clearscreen();
    void jobstart();
    void working(const std::string& text, double fraction);
    void jobfinish(int mode);
    void showtoolinfo() {}

    void renderframe();
    // Applies a step to the view and draws it once the queued input has all been taken, so
    // that keys given during a long frame cost one more frame, not one each.
    void renderlater(const std::function<void()>& step);
    void SpeedButton5Click();  // fit the toolpath and render
    void SpeedButtonClick(QObject* sender);
    void shownumberscrollbarChange();
    void showstartscrollbarChange();
    void drawrangeblockcheckboxClick();
    // The speed menu's settings; the title reports them.
    void setspeed(bool frontbuffer, int32_t stepdelay);

    // Panel commands, owned by PanelCommands (Open, Exit, Help, the logo, the speed menu).
    PanelCommands& panelcommands() { return *panelcommands_; }

    // Desktop habits: drops, recent files and following the file, owned by DesktopOpen.
    // Opens path as Open does once its dialog has chosen it: same view rule, same sequence.
    void openfile(const QString& path);
    bool jobrunning() const;
    DesktopOpen& desktop() { return *desktop_; }
    QMenu* recentmenu = nullptr;
    QCheckBox* followfilecheckbox = nullptr;
    QLabel* followfilenotice = nullptr;

    // Window fields.
    std::string ncfilename;  // at most 255 bytes, for display
    std::string ncpath;      // the whole path, for opening
    double zupperlimit = 99.999;
    double zlowerlimit = -99.999;
    bool firstidle = true;
    bool openatidle = false;
    bool logoshown = false;
    bool infodirty = false;
    bool bigfivehelp = false;  // choose the traditional-Chinese manual
    std::array<uint32_t, 11> tcary{};
    // The fly-in's pace; tests that open many windows take the default down to one frame.
    static inline LogoFlyinTiming defaultlogotiming;
    LogoFlyinTiming logotiming = defaultlogotiming;
    int logoframesshown = 0;

    NcJob job;
    ViewState view;
    SurfaceDrag surfacedrag{view};
    PanelDrag paneldrag{view};
    WorldBox extents() const;
    FrameRender* frame() { return frame_.get(); }
    ToolpathDrawer* drawer() { return drawer_.get(); }
    DragSimplification* simplification() { return simplification_.get(); }

    // Controls, named by role.
    Tglimage* wrkscreen = nullptr;
    TWorkingBar* WorkingBar = nullptr;
    QWidget* panel = nullptr;
    QLabel* logo = nullptr;
    std::array<QLabel*, 10> tnl{};
    std::array<QLabel*, 10> frl{};
    std::array<PanelButton*, 17> SpeedButton{};  // 1..16; entry 0 unused
    QCheckBox* drawrangeblockcheckbox = nullptr;
    QGroupBox* showpartgroupbox = nullptr;
    QScrollBar* shownumberscrollbar = nullptr;
    QSlider* showstartscrollbar = nullptr;
    QLabel* optimage = nullptr;
    PanelExtras* panelextras = nullptr;     // the free space below the step window
    ReadingNoticeRow* noticerow = nullptr;  // what the last job's reading passed over
    QScrollBar* dummyscrollbar = nullptr;
    QFileDialog* selectfile = nullptr;
    QMenu* speedmenu = nullptr;

    // The program pane and the link between its lines and the picture; the window keeps
    // handles on its controls.
    ProgramLink& programlink() { return *programlink_; }
    PlanReadout* planreadout() { return planreadout_.get(); }
    CompensationMenu* compensationmenu() { return compensation_.get(); }
    MeasureMode* measuremode() { return measure_.get(); }
    StockView* stockview() { return stockview_.get(); }
    ProgramPane* programpane = nullptr;
    QCheckBox* programcheckbox = nullptr;  // "显示程式文本"
    QLabel* pickreadout = nullptr;

    // Shows the window; where no window manager maximises it, it fills the screen itself.
    void setVisible(bool visible) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void placewindow();
    void fillscreen();
    void buildcontrols();
    void buildpanel();
    void buildbuttons();
    void buildstepgroup();
    void buildpanelcommands();
    void buildreadingchoice();
    void connectjob();
    void builddesktop();
    void settooltips();
    // The open sequence without its title and without clearing the picture.
    bool rereadjob();
    void keepstepsliders();
    void drawpreseticons();
    // now false: painted with the window's next composition (a frame about to be shown).
    void drawrotateicon(bool now = true);
    void setlabelsvisible(bool visible);
    void resetstepsliders();
    void enablebuttons(bool on);
    void runjob();
    // After a job whose program had more points than the node store holds.
    void reporttoolpathcut();
    void fileerror(const std::string& message);
    // A job (a file being read, a slowed drawing) holds the thread and takes its events
    // through JobInput.
    bool jobinprogress() const;
    // The title with what the user must know about the job just ended (a stop, a file changed
    // meanwhile, no memory to draw).
    void jobcaption();

    FrameScene scene() const;
    void buildprogramlink();

    CommandLine cmd_;
    std::unique_ptr<FrameRender> frame_;
    std::unique_ptr<ToolpathDrawer> drawer_;
    std::unique_ptr<PlotDriver> driver_;
    std::unique_ptr<ArcDataMessages> arcmessages_;
    std::unique_ptr<DragSimplification> simplification_;
    std::unique_ptr<ProgramLink> programlink_;
    // The program pane takes its share of the picture's room after every resize.
    std::function<void()> layoutpane_;
    std::unique_ptr<PanelCommands> panelcommands_;
    std::unique_ptr<DesktopOpen> desktop_;
    bool rereading_ = false;
    int keptsize_ = 17;
    int keptstart_ = 0;
    bool inidle_ = false;
    // No window manager maximises this window: it fills the screen and restores itself.
    bool selfmaximise_ = false;
    QRect normalrect_;
    bool resizedduringjob_ = false;
    bool renderpending_ = false;
    // Its worker reads the node store: it must go before the job does.
    std::unique_ptr<PlanReadout> planreadout_;
    std::unique_ptr<MeasureMode> measure_;
    // Its worker reads the node store too.
    std::unique_ptr<StockView> stockview_;
    std::unique_ptr<CompensationMenu> compensation_;
    // Last: it reads the members above and goes first at destruction.
    std::unique_ptr<NavigationInput> navigation_;
    // After the navigation input, so that it sees every event first during a job.
    std::unique_ptr<JobInput> jobinput_;
};
