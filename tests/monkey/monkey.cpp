#include "tests/monkey/monkey.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>
#include <array>
#include <cmath>
#include <cstdio>

#include "app/desktopopen.h"
#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "tests/monkey/monkeyfiles.h"
#include "tests/monkey/monkeyguard.h"
#include "tests/monkey/monkeyinput.h"

namespace monkey {

Monkey::Monkey(Tvorlixform& window, const MonkeyFiles& files, uint64_t seed, MonkeyLimits limits)
    : window_(window),
      files_(files),
      limits_(limits),
      rng_(seed),
      watch_(window, files, seed, limits.jobseconds) {}

void Monkey::run() {
    QElapsedTimer clock;
    clock.start();
    check(0);
    for (int burst = 1; clock.elapsed() < int64_t{limits_.seconds} * 1000; ++burst) {
        for (int i = 0; i < limits_.burst && clock.elapsed() < int64_t{limits_.seconds} * 1000;
             ++i) {
            heartbeat();
            watch_.newstep();
            if (QWidget* popup = QApplication::activePopupWidget()) {
                gestures_.popupstep(*popup);
            } else {
                act();
            }
            QApplication::processEvents();
        }
        check(burst);
        if (burst % 10 == 0) {
            std::fprintf(stderr, "monkey: %lld actions, %lld s\n",
                         static_cast<long long>(actioncount()),
                         static_cast<long long>(clock.elapsed() / 1000));
        }
    }
    closeduringjob();
}

void Monkey::closeduringjob() {
    QString largest;
    qint64 size = -1;
    for (const QString& path : files_.programs()) {
        const qint64 n = QFileInfo(path).size();
        if (n > size) {
            size = n;
            largest = path;
        }
    }
    record("last: a close request while " + describe(largest) + " is read");
    watch_.closeinnextjob();
    window_.openfile(largest);
    if (!watch_.closesent()) {
        // Read before a close could be asked: asked now.
        QCloseEvent request;
        QCoreApplication::sendEvent(window_.windowHandle(), &request);
    }
    runfor(100);
    if (window_.isVisible()) fail("the window stays open after a close request");
}

void Monkey::act() {
    // Weights: the keys and gestures the user uses most come most often.
    static const std::array<int, 13> weights{20, 8, 8, 12, 5, 14, 7, 6, 4, 3, 4, 2, 3};
    int total = 0;
    for (const int w : weights) total += w;
    int r = roll(total);
    size_t choice = 0;
    while (r >= weights[choice]) r -= weights[choice++];
    switch (choice) {
        case 0:
            gestures_.viewkey();
            break;
        case 1:
            gestures_.otherkey();
            break;
        case 2:
            gestures_.pictureclick();
            break;
        case 3:
            gestures_.picturedrag();
            break;
        case 4:
            gestures_.wheelturn();
            break;
        case 5:
            gestures_.widgetclick();
            break;
        case 6:
            gestures_.widgetdrag();
            break;
        case 7:
            openprogram();
            break;
        case 8:
            resize();
            break;
        case 9:
            speedmenu();
            break;
        case 10:
            pane();
            break;
        case 11:
            reading();
            break;
        default:
            follow();
            break;
    }
}

void Monkey::openprogram() {
    const QString path = files_.pick(rng_);
    const int how = roll(10);
    if (window_.jobrunning()) {
        record("open skipped: a job runs");
        return;
    }
    if (how < 5) {
        record("openfile " + describe(path));
        window_.openfile(path);
    } else if (how < 8) {
        record("openchecked " + describe(path));
        window_.desktop().openchecked(path);
    } else {
        const QPoint at = gestures_.anywhere();
        record("drop " + describe(path) + " at " + describe(at));
        dropfile(window_, at, path);
    }
}

void Monkey::resize() {
    static const std::array<QSize, 5> sizes{QSize(700, 453), QSize(800, 500), QSize(1024, 600),
                                            QSize(1280, 800), QSize(1280, 1024)};
    QSize size = sizes[static_cast<size_t>(roll(static_cast<int>(sizes.size())))];
    if (roll(3) == 0) size = QSize(700 + roll(581), 453 + roll(572));
    record("resize to " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
    window_.resize(size);
    runfor(roll(60));
}

void Monkey::speedmenu() {
    // The speed menu opens on the panel's bare background only.
    QWidget* panel = window_.panel;
    for (int tries = 0; tries < 40; ++tries) {
        const QPoint local(roll(std::max(1, panel->width())), roll(std::max(1, panel->height())));
        if (panel->childAt(local) != nullptr) continue;
        const QPoint at = panel->mapTo(&window_, local);
        record("right click on the bare panel at " + describe(at));
        click(window_, Qt::RightButton, Qt::NoModifier, at);
        // Half the time straight back to the default speed (the second item): a slowed drawing
        // would otherwise stay for most of the run and leave little time for anything else.
        QWidget* menu = QApplication::activePopupWidget();
        if (menu != nullptr && roll(2) == 0) {
            record("  the default speed: Down x2, Return");
            presskey(*menu, Qt::Key_Down);
            presskey(*menu, Qt::Key_Down);
            presskey(*menu, Qt::Key_Return);
        }
        return;
    }
}

void Monkey::pane() {
    auto* programpane = window_.findChild<QWidget*>(QStringLiteral("programpane"));
    if (programpane == nullptr || !programpane->isVisible() || roll(3) == 0) {
        record("key F6");
        presskey(*keytarget(window_), Qt::Key_F6);
        return;
    }
    const QPoint at = programpane->mapTo(
        &window_,
        QPoint(roll(std::max(1, programpane->width())), roll(std::max(1, programpane->height()))));
    const Qt::KeyboardModifiers mods = roll(3) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
    record("click " + describe(mods) + "into the program pane at " + describe(at));
    click(window_, Qt::LeftButton, mods, at);
    static const std::array<Qt::Key, 9> keys{Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                             Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End,
                                             Qt::Key_Escape,   Qt::Key_F1,   Qt::Key_Right};
    for (int n = roll(4); n > 0; --n) {
        const Qt::Key key = keys[static_cast<size_t>(roll(static_cast<int>(keys.size())))];
        const Qt::KeyboardModifiers keymods = roll(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        record("  key " + describe(keymods) + keyname(key));
        presskey(*keytarget(window_), key, keymods);
    }
}

void Monkey::reading() {
    auto* box = window_.findChild<QComboBox*>(QStringLiteral("readingbox"));
    if (box == nullptr || !box->isVisible()) return;
    const QPoint at = box->mapTo(&window_, QPoint(box->width() / 2, box->height() / 2));
    record("click on the reading box at " + describe(at));
    click(window_, Qt::LeftButton, Qt::NoModifier, at);
}

void Monkey::follow() {
    const int what = roll(4);
    if (what == 0 && !window_.jobrunning()) {
        record("openfile the followed program");
        window_.openfile(files_.followed());
    } else if (what == 1 && window_.followfilecheckbox != nullptr &&
               window_.followfilecheckbox->isVisible()) {
        const QPoint at = window_.followfilecheckbox->mapTo(&window_, QPoint(6, 6));
        record("click on the follow check box at " + describe(at));
        click(window_, Qt::LeftButton, Qt::NoModifier, at);
    } else {
        record("the followed program becomes " + describe(files_.changefollowed(rng_)));
        runfor(roll(300));
    }
}

void Monkey::check(int burst) {
    // Settle: popups closed, dialogs answered (by the watch), jobs ended (Escape, by the
    // ticker, if they run long).
    QElapsedTimer busy;
    busy.start();
    const int64_t bound = int64_t{limits_.answerms} + int64_t{limits_.jobseconds} * 1000 + 5000;
    while (window_.jobrunning() || QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr) {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            record("(check) Escape in the popup");
            presskey(*popup, Qt::Key_Escape);
        }
        runfor(20);
        if (busy.elapsed() > bound) {
            fail("the window is still busy " + std::to_string(busy.elapsed() / 1000) +
                 " s after burst " + std::to_string(burst));
        }
    }
    // Answer: what is queued (frames asked for, a re-read) is done within the bound.
    QElapsedTimer answer;
    answer.start();
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
    if (answer.elapsed() > limits_.answerms) {
        fail("the window took " + std::to_string(answer.elapsed()) + " ms to answer after burst " +
             std::to_string(burst));
    }
    if (!window_.isVisible()) fail("the window closed during burst " + std::to_string(burst));
    // No job runs: every panel button answers again, whatever way the last job ended.
    for (size_t i = 1; i < window_.SpeedButton.size(); ++i) {
        if (window_.SpeedButton[i] != nullptr && !window_.SpeedButton[i]->isEnabled()) {
            fail("SpeedButton" + std::to_string(i) + " is still disabled after burst " +
                 std::to_string(burst) + ", with no job running");
        }
    }
    // The view keeps a picture that can be drawn, whatever the program or the gestures did.
    const ViewState& view = window_.view;
    const bool drawable = std::isfinite(view.viewscale) && view.viewscale > 0 &&
                          std::isfinite(view.viewcenter.x) && std::isfinite(view.viewcenter.y) &&
                          std::isfinite(view.viewcenter.z) && std::isfinite(view.rotx) &&
                          std::isfinite(view.roty) && std::isfinite(view.rotz);
    if (!drawable) {
        char state[200];
        std::snprintf(state, sizeof state, "scale %g, centre (%g, %g, %g), angles (%g, %g, %g)",
                      view.viewscale, view.viewcenter.x, view.viewcenter.y, view.viewcenter.z,
                      view.rotx, view.roty, view.rotz);
        fail("the view can no longer be drawn after burst " + std::to_string(burst) + ": " + state);
    }
    if (window_.surfacedrag.dragmode != SurfaceDrag::None || window_.paneldrag.dragging()) {
        fail("a drag is still under way after every button was released (burst " +
             std::to_string(burst) + "): surface drag mode " +
             std::to_string(window_.surfacedrag.dragmode) + ", panel drag zoom " +
             std::to_string(window_.paneldrag.dragzoom) + " pan " +
             std::to_string(window_.paneldrag.dragpan) + " rotate " +
             std::to_string(window_.paneldrag.dragrotate));
    }
}

}  // namespace monkey
