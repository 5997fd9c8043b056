#include "app/panelcommands.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QUrl>

#include "app/datafolder.h"
#include "app/panelmouse.h"
#include "render/framerender.h"
#include "render/glimage.h"
#include "render/toolpathdrawer.h"

namespace {

struct SpeedItem {
    const char* name;
    const char* caption;
    bool frontbuffer;
    int32_t stepdelay;
};

// The heading comes first; the captions of the others are the wait per step in seconds
// (one delay unit is 10 microseconds).
const SpeedItem kSpeedItems[] = {
    {"speedshow", QT_TRANSLATE_NOOP("Tvorlixform", "精度由小到大"), false, 0},
    {"speednormal", QT_TRANSLATE_NOOP("Tvorlixform", "默认"), false, 1},
    {"speedwait0", "0", true, 0},
    {"speedwait1", "0.00001", true, 1},
    {"speedwait10", "0.0001", true, 10},
    {"speedwait100", "0.001", true, 100},
    {"speedwait1000", "0.01", true, 1000},
    {"speedwait10000", "0.1", true, 10000},
    {"speedwait100000", "1", true, 100000},
};

}  // namespace

PanelCommands::PanelCommands(const Parts& parts, Hooks hooks)
    : window_(parts.window),
      panel(parts.panel),
      frame_(parts.frame),
      wrkscreen(parts.wrkscreen),
      drawer_(parts.drawer),
      bigfivehelp(parts.bigfivehelp),
      hooks_(std::move(hooks)) {
    selectfile = new QFileDialog(window_);
    selectfile->setObjectName(QStringLiteral("selectfile"));
    // The name field's completion list is a window of its own: closing the dialog with Return
    // while it shows leaves it mapped (where no window manager tidies up), over the picture and
    // catching the next click.
    QObject::connect(selectfile, &QDialog::finished, selectfile, [this] {
        for (QCompleter* completer : selectfile->findChildren<QCompleter*>()) {
            if (completer->popup() != nullptr) completer->popup()->hide();
        }
    });

    speedmenu = new QMenu(window_);
    speedmenu->setObjectName(QStringLiteral("speedmenu"));
    for (const SpeedItem& item : kSpeedItems) {
        QAction* action = speedmenu->addAction(tr(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
    }
    speedmenu->addSeparator();
    QAction* simplify = speedmenu->addAction(tr("拖动时简化路径"));
    simplify->setObjectName(QStringLiteral("speedsimplify"));
    simplify->setCheckable(true);
    simplify->setChecked(frame_->simplifieddrags);
    QObject::connect(simplify, &QAction::toggled, simplify,
                     [this](bool on) { frame_->simplifieddrags = on; });
    QObject::connect(speedmenu, &QMenu::triggered, speedmenu,
                     [this](QAction* item) { speedmenuselect(item); });

    panelmouse_ = new PanelMouse(panel, parts.logo);
    panelmouse_->backgroundpressed = [this](Qt::MouseButton button, QPoint at) {
        panelMouseDown(button, at.x(), at.y());
    };
    panelmouse_->logoclicked = [this] { logoClick(); };

    QObject::connect(parts.openbutton, &QAbstractButton::clicked, parts.openbutton,
                     [this] { SpeedButton1Click(); });
    QObject::connect(parts.exitbutton, &QAbstractButton::clicked, parts.exitbutton,
                     [this] { SpeedButton4Click(); });
    QObject::connect(parts.helpbutton, &QAbstractButton::clicked, parts.helpbutton,
                     [this] { SpeedButton6Click(); });
}

void PanelCommands::SpeedButton1Click() {
    // Options are set on every use; the dialog keeps its folder from one use to the next.
    selectfile->setAcceptMode(QFileDialog::AcceptOpen);
    selectfile->setFileMode(QFileDialog::ExistingFile);
    selectfile->setOption(QFileDialog::HideNameFilterDetails);
    const QString allfiles = tr("所有文件") + QStringLiteral(" (*)");
    // After the classic entry, the program types the desktop knows this viewer for.
    selectfile->setNameFilters(
        {tr("nc文件") + QStringLiteral(" (*.nc *.b* *.mr*)"),
         tr("NC programs") + QStringLiteral(" (*.nc *.ngc *.tap *.cnc *.gcode)"), allfiles});
    selectfile->selectNameFilter(allfiles);
    // Next to the program shown, however it was opened (command line, drop, recent files).
    const QString shown = hooks_.shownfile();
    if (!shown.isEmpty()) selectfile->setDirectory(QFileInfo(shown).absolutePath());
    // The folders of the recent files, newest first, are the dialog's history.
    QStringList folders;
    for (const QString& file : hooks_.recentlist()) {
        const QString folder = QFileInfo(file).absolutePath();
        if (!folders.contains(folder)) folders << folder;
    }
    selectfile->setHistory(folders);
    if (selectfile->exec() != QDialog::Accepted || selectfile->selectedFiles().isEmpty()) return;
    hooks_.openpath(selectfile->selectedFiles().constFirst());
}

void PanelCommands::SpeedButton4Click() {
    window_->close();
}

void PanelCommands::SpeedButton6Click() {
    const QString manual = datafile(bigfivehelp ? QStringLiteral("man/vorlix_manual_big5.htm")
                                                : QStringLiteral("man/vorlix_manual.htm"));
    // A missing manual is not reported; the desktop is not even asked, so it shows no error.
    if (manual.isEmpty() || !QFileInfo(manual).isFile()) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void PanelCommands::logoClick() {
    QApplication::beep();
}

void PanelCommands::panelMouseDown(Qt::MouseButton button, int x, int y) {
    if (button != Qt::RightButton) return;
    speedmenu->popup(panel->mapToGlobal(QPoint(x, y)));
}

void PanelCommands::speedmenuselect(QAction* item) {
    // The items of a submenu are its own business, not speeds.
    if (item != nullptr && item->parent() != speedmenu) return;
    bool frontbuffer = wrkscreen->frontbuffer();
    int32_t stepdelay = drawer_->stepdelay;
    const QString name = item ? item->objectName().toUpper() : QString();
    // Switches of their own (and the panel rows offered here): the speed and title stay.
    if (name == QStringLiteral("SPEEDSIMPLIFY") || !name.startsWith(QStringLiteral("SPEED"))) {
        return;
    }
    for (const SpeedItem& speed : kSpeedItems) {
        // The heading sets nothing; the title below still reports the settings in force.
        if (name == QString::fromLatin1(speed.name).toUpper() &&
            name != QStringLiteral("SPEEDSHOW")) {
            frontbuffer = speed.frontbuffer;
            stepdelay = speed.stepdelay;
        }
    }
    hooks_.speedchosen(frontbuffer, stepdelay);
}
