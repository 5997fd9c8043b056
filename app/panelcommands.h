#pragma once
// The panel's own commands: open a program, exit, the manual, the logo, and the speed menu.
// The window composes it; opening the chosen file and the speed settings are the window's,
// reached through the hooks.

#include <QCoreApplication>
#include <QStringList>
#include <cstdint>
#include <functional>

class FrameRender;
class PanelMouse;
class QAbstractButton;
class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QWidget;
class Tglimage;
class ToolpathDrawer;

class PanelCommands {
    // Its texts are the window's: they keep the window's translations.
    Q_DECLARE_TR_FUNCTIONS(Tvorlixform)

  public:
    // What the commands work with; all of it belongs to the window and outlives them.
    struct Parts {
        QWidget* window;
        QWidget* panel;
        QLabel* logo;
        QAbstractButton* openbutton;
        QAbstractButton* exitbutton;
        QAbstractButton* helpbutton;
        FrameRender* frame;
        Tglimage* wrkscreen;
        ToolpathDrawer* drawer;
        const bool& bigfivehelp;
    };
    struct Hooks {
        // The recent files, newest first: their folders are the dialog's history.
        std::function<QStringList()> recentlist;
        // The whole path of the shown file; empty before the first.
        std::function<QString()> shownfile;
        // Opens the chosen file.
        std::function<void(const QString&)> openpath;
        std::function<void(bool frontbuffer, int32_t stepdelay)> speedchosen;
    };
    PanelCommands(const Parts& parts, Hooks hooks);

    QFileDialog* selectfile = nullptr;
    QMenu* speedmenu = nullptr;

    void SpeedButton1Click();  // open a program through selectfile
    void SpeedButton4Click();  // exit
    void SpeedButton6Click();  // the manual, from the data folder
    void logoClick();
    // A press on the bare panel: the right button pops up speedmenu at (x, y) of the panel.
    void panelMouseDown(Qt::MouseButton button, int x, int y);
    void speedmenuselect(QAction* item);

  private:
    QWidget* window_;
    QWidget* panel;
    FrameRender* frame_;
    Tglimage* wrkscreen;
    ToolpathDrawer* drawer_;
    const bool& bigfivehelp;
    Hooks hooks_;
    PanelMouse* panelmouse_ = nullptr;
};
