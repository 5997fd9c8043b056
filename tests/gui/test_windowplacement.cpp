// The window comes up maximised and "Restore" gives its design size, centred: on the bare test
// display, where the window maximises itself, and (run by with-window-manager.sh) where a real
// window manager does it.
#include <gtest/gtest.h>

#include <QScreen>
#include <QTest>

#include "app/vorlixmain.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

TEST(WindowPlacement, MaximisedAtStartAndRestoredToTheCentredDesignSize) {
    const bool managed = qEnvironmentVariableIsSet("KORVEN_TEST_WINDOW_MANAGER");
    Tvorlixform w(commandline({}));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect screen = w.screen()->geometry();
    const QRect free = w.screen()->availableGeometry();
    auto where = [&] {
        const QRect g = w.geometry();
        return QStringLiteral("%1,%2 %3x%4")
            .arg(g.x())
            .arg(g.y())
            .arg(g.width())
            .arg(g.height())
            .toStdString();
    };

    // Maximised: the frame (the window itself where nobody adds one) fills the free area.
    EXPECT_TRUE(waituntil([&] { return w.frameGeometry() == free; }, 5000)) << where();
    EXPECT_TRUE(w.isMaximized());
    EXPECT_EQ(w.normalGeometry().size(), QSize(700, 453));

    w.showNormal();
    EXPECT_TRUE(waituntil([&] { return w.size() == QSize(700, 453); }, 5000)) << where();
    EXPECT_FALSE(w.isMaximized());
    const QPoint offcentre = w.geometry().center() - screen.center();
    if (managed) {
        // The window manager's frame may shift the window by the width of its decorations.
        EXPECT_LE(offcentre.manhattanLength(), 40) << where();
    } else {
        EXPECT_EQ(w.pos(), QPoint((screen.width() - 700) / 2, (screen.height() - 453) / 2));
    }
}
