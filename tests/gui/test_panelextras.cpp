// The rows added below the step window against the design's own panel: the information panel
// stays whole at every size, and a row without room is still reachable from the panel's menu.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include "app/panelextras.h"
#include "app/programpane.h"
#include "app/readingchoice.h"
#include "app/readingnoticerow.h"
#include "app/vorlixmain.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

// Two tools, and words the default reading passes over: every row has something to show.
const char* const kNoticeProgram =
    "G21 G90\n"
    "T1 M6\n"
    "G0 X0 Y0 Z5.\n"
    "G1 Z-1. F100.\n"
    "G1 X40. Y0.\n"
    "G81 X10. Y10. Z-1. R1.\n"
    "T2 M6\n"
    "G1 X40. Y30. F250.\n"
    "G1 Z-2 F100.\n";

void resizeclient(Tvorlixform& w, int width, int height) {
    w.showNormal();
    w.resize(width, height);
    ASSERT_TRUE(waituntil([&] { return w.width() == width && w.height() == height && jobdone(w); }));
    runloop(300);
}

}  // namespace

TEST(PanelExtras, RowsNeverCoverTheInformationPanel) {
    auto w = openwindow({writeprogram("extras.nc", kNoticeProgram)});
    ASSERT_TRUE(w->noticerow->text().size() > 0);
    for (const QSize client : {QSize(700, 453), QSize(800, 500), QSize(1280, 800)}) {
        resizeclient(*w, client.width(), client.height());
        const QRect info = w->optimage->geometry();
        const QImage with = w->panel->grab(info).toImage();
        w->panelextras->hide();
        const QImage without = w->panel->grab(info).toImage();
        w->panelextras->relayout();
        EXPECT_EQ(differingpixels(with, without), 0) << client.width() << "x" << client.height();
        EXPECT_LE(w->panelextras->geometry().bottom(), info.top()) << client.height();
        savepicture(w->panel->grab().toImage(),
                    "panelextras_" + std::to_string(client.height()));
    }
    // Room for every row at 1280 x 800; the stock-block box's left edge for the new check box.
    for (int row = 0; row < PanelExtras::RowCount; ++row) {
        EXPECT_FALSE(w->panelextras->folded(static_cast<PanelExtras::Row>(row))) << row;
    }
    EXPECT_EQ(w->programcheckbox->mapTo(w->panel, QPoint(0, 0)).x(),
              w->drawrangeblockcheckbox->x());
    // A row that grows pushes the rows below it down.
    QWidget* reading = w->panelextras->row(PanelExtras::Reading);
    const int before = reading->mapTo(w->panel, QPoint(0, 0)).y();
    w->followfilenotice->setText(QStringLiteral("文件不见了"));
    w->followfilenotice->show();
    ASSERT_TRUE(waituntil([&] { return reading->mapTo(w->panel, QPoint(0, 0)).y() > before; }, 2000));
    EXPECT_GE(reading->mapTo(w->panel, QPoint(0, 0)).y(),
              w->followfilenotice->mapTo(w->panel, QPoint(0, w->followfilenotice->height())).y());
}

TEST(PanelExtras, RowsWithoutRoomAreOfferedOnThePanelMenu) {
    auto w = openwindow({writeprogram("extras.nc", kNoticeProgram)});
    resizeclient(*w, 700, 453);
    const QString title = w->windowTitle();
    emit w->speedmenu->aboutToShow();
    const auto entry = [&](const QString& text) -> QAction* {
        for (QAction* action : w->speedmenu->actions()) {
            if (action->text() == text || (action->menu() && action->menu()->title() == text)) {
                return action;
            }
        }
        return nullptr;
    };
    int folded = 0;
    if (w->panelextras->folded(PanelExtras::ProgramPane)) {
        ++folded;
        ASSERT_NE(entry(w->programcheckbox->text()), nullptr);
        entry(w->programcheckbox->text())->trigger();
        EXPECT_TRUE(w->programpane->isVisible());
    }
    if (w->panelextras->folded(PanelExtras::FollowFile)) {
        ++folded;
        ASSERT_NE(entry(w->followfilecheckbox->text()), nullptr);
        entry(w->followfilecheckbox->text())->trigger();
        EXPECT_FALSE(w->followfilecheckbox->isChecked());
    }
    if (w->panelextras->folded(PanelExtras::Reading)) {
        ++folded;
        QAction* reading = entry(QStringLiteral("读法"));
        ASSERT_NE(reading, nullptr);
        reading->menu()->actions().value(1)->trigger();
        auto* choice = static_cast<ReadingChoice*>(w->panelextras->row(PanelExtras::Reading));
        EXPECT_EQ(choice->dialect(), NcDialect::Ngc);
        ASSERT_TRUE(waituntil([&] { return jobdone(*w); }));
    }
    if (w->panelextras->folded(PanelExtras::Notice)) {
        ++folded;
        EXPECT_NE(entry(w->noticerow->summary().value(0)), nullptr);
    }
    EXPECT_GT(folded, 0) << "every row fits at 700 x 453: nothing is tested";
    // The rows' entries are no speed choice: the title stays.
    EXPECT_EQ(w->windowTitle(), title);
}
