#include "app/vorlixmain.h"

#include <QAbstractEventDispatcher>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWindow>

#include "app/jobinput.h"
#include "app/workingbar.h"
#include "render/glimage.h"

void Tvorlixform::FormCreate() {
    job.nodes.initnodedata();
    job.nodes.resetnodedata();
    view.renderhook = [this] { renderframe(); };
    frame_->slowframe = false;
    view.startwindow();
    setWindowTitle(QStringLiteral("Holvarin : KORVEN"));
    placewindow();
    drawpreseticons();

    ncfilename.clear();
    ncpath.clear();
    firstidle = true;
    openatidle = false;
    zupperlimit = 99.999;
    zlowerlimit = -99.999;
    const StartupParameters start = interpretpositional(cmd_);
    if (start.zlimitsgiven) {
        zupperlimit = start.zupperlimit;
        zlowerlimit = start.zlowerlimit;
    } else if (start.openatidle) {
        ncfilename = start.ncfilename;
        ncpath = start.ncpath;
        openatidle = true;
    }

    initscreen();
    clearscreen();
    tcary = calctcary();
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &Tvorlixform::AppIdle);
    dummyscrollbar->setFocus();
    WorkingBar->hide();
    setlabelsvisible(false);
}

void Tvorlixform::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    panel->setGeometry(width() - panel->width(), 0, panel->width(), height());
    FormResize();
}

void Tvorlixform::FormResize() {
    const int imagetop = showpartgroupbox->y() + showpartgroupbox->height() + 8;
    optimage->setGeometry(2, imagetop, panel->width() - 2 * 2, height() - imagetop - 2);
    wrkscreen->setGeometry(1, 1, width() - panel->width() - 2, height() - 2);
    if (layoutpane_) layoutpane_();
    WorkingBar->setGeometry(wrkscreen->x() + 8, wrkscreen->y() + 8, wrkscreen->width() - 20, 24);
    infodirty = true;
    // A frame now would end the job's state (buttons, bar, half-made statistics) before the
    // job ends: the new size is drawn once it has.
    if (jobinprogress()) {
        resizedduringjob_ = true;
        return;
    }
    if (view.renderhook) view.renderhook();
}

void Tvorlixform::AppIdle() {
    // The queue has run empty. Work waits until the surface has been shown and painted once,
    // because fitting needs its size; nested event loops (message boxes) must not re-enter.
    if (inidle_ || !isVisible() || !wrkscreen->paintedonce()) return;
    // Shown is not yet on screen: until the display server has exposed the window nothing
    // drawn can appear, and a job started now would run unseen to its end.
    if (windowHandle() == nullptr || !windowHandle()->isExposed()) return;
    inidle_ = true;
    if (firstidle) {
        firstidle = false;
        logoshown = true;
        showgllogo();
    }
    if (openatidle) {
        openatidle = false;
        opensequence();
    }
    if (renderpending_ && !jobinprogress()) {
        renderpending_ = false;
        renderframe();
    }
    inidle_ = false;
}

void Tvorlixform::renderlater(const std::function<void()>& step) {
    std::function<void()> hook = [this] { renderpending_ = true; };
    view.renderhook.swap(hook);
    step();
    view.renderhook.swap(hook);
}
