// The bad-radius message on a program with many bad R words: every box answered, or the
// first answered "Ignore All" and one closing count; the picture must not differ.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

// 50 radii too short for their chords among good moves and arcs.
std::string badradiusprogram() {
    std::string text = "G0 X0 Y0 Z0\nG1 F100.\nG3 X-20. Y0 R10.\n";
    for (int k = 1; k <= 50; ++k) {
        text +=
            "G2 X" + std::to_string(k % 2 == 0 ? 0 : 20) + ". Y" + std::to_string(k) + ". R1.\n";
    }
    return text + "G2 X0 Y60. R-30.\n";
}

// Answers every modal box with answer(box, index) while the window opens its file, and
// returns the texts of the boxes in the order they came.
std::vector<QString> openanswering(Tvorlixform& w,
                                   const std::function<void(QMessageBox&, int)>& answer) {
    MessageAnswerer answerer(answer, 5);
    if (w.isVisible()) {
        w.opensequence();
    } else {
        w.show();
    }
    waituntil([&] { return jobdone(w) && QApplication::activeModalWidget() == nullptr; });
    return answerer.texts;
}

void click(QMessageBox& box, const QString& caption) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == caption) return button->click();
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
}

const QString kMessage = QStringLiteral("Error in Arc Datas....");

}  // namespace

TEST(ArcDataMessages, IgnoreAllLeavesOneCountingBoxAndTheSamePicture) {
    const std::string path = writeprogram("badradii.nc", badradiusprogram());

    // OK, Escape and the close button all answer OK: every word shows its box.
    Tvorlixform answered(commandline({path}));
    const auto all = openanswering(answered, [](QMessageBox& box, int index) {
        if (index % 3 == 0) click(box, QStringLiteral("OK"));
        if (index % 3 == 1) QTest::keyClick(&box, Qt::Key_Escape);
        if (index % 3 == 2) box.close();
    });
    ASSERT_EQ(all.size(), 50U);
    for (const QString& text : all) EXPECT_EQ(text, kMessage);
    const QImage expected = answered.wrkscreen->currentPicture();
    savepicture(expected, "arcdata_answered");

    Tvorlixform ignoring(commandline({path}));
    const auto ignoreall = [](QMessageBox& box, int index) {
        click(box, index == 0 ? QStringLiteral("Ignore All") : QStringLiteral("OK"));
    };
    const std::vector<QString> two{kMessage, kMessage + QStringLiteral(" (49 more ignored)")};
    EXPECT_EQ(openanswering(ignoring, ignoreall), two);
    const QImage picture = ignoring.wrkscreen->currentPicture();
    EXPECT_EQ(picture, expected) << savepicture(picture, "arcdata_ignored");
    EXPECT_EQ(ignoring.job.nodes.lastnode(), answered.job.nodes.lastnode());

    // The next job asks again and counts afresh.
    EXPECT_EQ(openanswering(ignoring, ignoreall), two);
}
