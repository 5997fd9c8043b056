// The Notice row in the real window: shown after a job whose reading passed something over,
// the whole list on a click, an entry's click asks for its first line, and gone for a file
// with nothing to say.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

#include "app/panelextras.h"
#include "app/programpane.h"
#include "app/readingnoticerow.h"
#include "app/vorlixmain.h"
#include "nc/readingnotice.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

TEST(ReadingNoticeRow, ShortNoticeListAndClearedForTheNextFile) {
    const std::string path = writeprogram("notice.nc",
                                          "G21 G90\n"
                                          "G0 X0 Y0 Z5.\n"
                                          "G81 X10. Y10. Z-1. R1.\n"
                                          "G81 X20. Y10. Z-1. R1.\n"
                                          "G1 Z-2 F100.\n");
    auto w = openwindow({path});
    ReadingNoticeRow* row = w->noticerow;
    ASSERT_EQ(w->panelextras->row(PanelExtras::Notice), row);
    ASSERT_TRUE(row->isVisible());
    EXPECT_TRUE(row->text().startsWith(QStringLiteral("未执行: G21 ×1, G81 ×2")))
        << row->text().toStdString();
    EXPECT_TRUE(row->text().contains(QStringLiteral("无小数点 ×1: Z-2=-0.002")))
        << row->text().toStdString();
    // Cut to the panel, never wider.
    EXPECT_LE(row->fontMetrics().horizontalAdvance(row->text().split('\n')[0]),
              row->contentsRect().width());
    savepicture(w->panel->grab().toImage(), "readingnotice_panel");

    QTest::mouseClick(row, Qt::LeftButton);
    auto* list = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(list, nullptr);
    QStringList texts;
    for (QAction* action : list->actions()) texts << action->text();
    const QStringList expected{QStringLiteral("ignored: G21 1 time, first at line 1"),
                               QStringLiteral("ignored: G81 2 times, first at line 3"),
                               QStringLiteral("thousandths: 1 number, first Z-2 at line 5 "
                                              "read as -0.002")};
    EXPECT_EQ(texts, expected);
    savepicture(list->grab().toImage(), "readingnotice_list");
    // An entry goes to its first line in the program pane.
    list->actions()[1]->trigger();
    EXPECT_TRUE(w->programpane->isVisible());
    EXPECT_EQ(w->programpane->currentline(), 3);
    list->actions()[2]->trigger();
    EXPECT_EQ(w->programpane->currentline(), 5);
    list->close();

    w->ncfilename = w->ncpath = writeprogram("clean.nc", "G0 X0 Y0 Z5.\nG1 Z-1. F100.\n");
    w->opensequence();
    waituntil([&] { return jobdone(*w); });
    EXPECT_FALSE(row->isVisible());
    EXPECT_TRUE(row->entries().isEmpty());
}

TEST(ReadingNoticeRow, ManyProblemsListOnlyAsManyAsAMenuCanShow) {
    ReadingNotice notice;
    for (int line = 1; line <= 250; ++line) notice.problem(line, "unknown code");
    ReadingNoticeRow row;
    row.resize(140, 20);
    row.shownotice(notice);
    EXPECT_EQ(row.text(), QStringLiteral("问题: 250"));
    EXPECT_EQ(row.entries().size(), 250);
    row.openlist();
    auto* list = row.findChild<QMenu*>(QStringLiteral("readingnoticelist"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->actions().size(), ReadingNoticeRow::kMaxListed + 1);
    EXPECT_EQ(list->actions()[0]->text(), QStringLiteral("line 1: unknown code"));
    EXPECT_EQ(list->actions().back()->text(), QStringLiteral("… 50 more"));
    EXPECT_FALSE(list->actions().back()->isEnabled());
    list->close();
}

TEST(ReadingNoticeRow, ProblemsPastTheListedAreCountedAndTheirSummaryGoesNowhere) {
    ReadingNotice notice;
    for (int line = 1; line <= 3; ++line) notice.problem(line, "unknown code");
    notice.unlistedproblems(5);
    ReadingNoticeRow row;
    row.resize(140, 20);
    row.shownotice(notice);
    EXPECT_EQ(row.text(), QStringLiteral("问题: 8"));
    row.openlist();
    auto* list = row.findChild<QMenu*>(QStringLiteral("readingnoticelist"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->actions().size(), 4);
    EXPECT_TRUE(list->actions()[2]->isEnabled());
    EXPECT_EQ(list->actions()[3]->text(), QStringLiteral("5 more problems not listed"));
    EXPECT_FALSE(list->actions()[3]->isEnabled());
    list->close();
}
