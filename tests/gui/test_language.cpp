// The panel in the user's language: which translation the desktop's languages choose, what is
// translated and what is data, captions that fit their buttons, tooltips, and the panel's
// picture in English and in Traditional Chinese against the pictures checked by eye.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSlider>

#include "app/desktopopen.h"
#include "app/panelbutton.h"
#include "app/programpane.h"
#include "app/readingnoticerow.h"
#include "app/translations.h"
#include "app/programlink.h"
#include "app/vorlixmain.h"
#include "nc/readingnotice.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

const QStringList kFolders = {QStringLiteral(KORVEN_TRANSLATIONS_DIR)};

// Share of pixels whose channels differ by more than a rounding step of the text renderer.
double differentshare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    int different = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            different += std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40 ||
                         std::abs(qBlue(p) - qBlue(q)) > 40;
        }
    }
    return static_cast<double>(different) / (a.width() * a.height());
}

// The panel from the logo down to the rows below the step window, with a program shown.
QImage panelpicture(Tvorlixform& w) {
    return w.panel->grab(QRect(0, 0, w.panel->width(), 420))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void expectpanellike(Tvorlixform& w, const QString& name) {
    const QImage shot = panelpicture(w);
    savepicture(shot, "panel_" + name.toStdString());
    const QImage stored(
        QStringLiteral(KORVEN_SOURCE_DIR "/tests/gui/baselines/panel_%1.png").arg(name));
    ASSERT_FALSE(stored.isNull()) << "no stored picture for " << name.toStdString();
    EXPECT_LT(differentshare(shot, stored.convertToFormat(QImage::Format_RGB32)), 0.01)
        << name.toStdString();
}

QString translated(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

// Every text a widget or an action of the window shows, tooltips included.
QStringList showntexts(const Tvorlixform& w) {
    QStringList texts;
    for (const QWidget* widget : w.findChildren<QWidget*>()) {
        texts << widget->toolTip();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(widget)) texts << group->title();
    }
    for (const QAction* action : w.findChildren<QAction*>()) texts << action->text() << action->toolTip();
    return texts;
}

}  // namespace

TEST(Language, TheDesktopsLanguagesChooseTheTranslation) {
    // LANG=C and POSIX give "C"; simplified Chinese is the language of the source captions.
    EXPECT_EQ(translationlanguage({QStringLiteral("C")}), QString());
    EXPECT_EQ(translationlanguage(QLocale(QStringLiteral("zh_CN")).uiLanguages()), QString());
    EXPECT_EQ(translationlanguage(QLocale(QStringLiteral("de_DE")).uiLanguages()), QString());
    EXPECT_EQ(translationlanguage(QLocale(QStringLiteral("en_GB")).uiLanguages()), "en");
    EXPECT_EQ(translationlanguage(QLocale(QStringLiteral("zh_TW")).uiLanguages()), "zh_TW");
    EXPECT_EQ(translationlanguage({QStringLiteral("zh-Hant-HK")}), "zh_TW");
    // A language without a translation gives way to the next the user listed.
    EXPECT_EQ(translationlanguage({QStringLiteral("de-DE"), QStringLiteral("zh-TW")}), "zh_TW");
    EXPECT_EQ(installtranslation({QStringLiteral("en-US")}, {QStringLiteral("/nonexistent")}),
              QString());
    // Help follows the panel's language; untranslated, the installed fonts decide.
    EXPECT_TRUE(bigfivemanual(QStringLiteral("zh_TW"), false));
    EXPECT_FALSE(bigfivemanual(QStringLiteral("en"), true));
    EXPECT_TRUE(bigfivemanual(QString(), true));
}

TEST(Language, TraditionalChinesePanelTranslatesCaptionsNotData) {
    const auto restore = qScopeGuard([] { installtranslation({}, {}); });
    ASSERT_EQ(installtranslation(QLocale(QStringLiteral("zh_TW")).uiLanguages(), kFolders),
              "zh_TW");
    const std::string path = writeprogram("language.nc", kTwoToolProgram);
    auto w = openwindow({path});
    EXPECT_EQ(w->SpeedButton[1]->text(), QStringLiteral("打開"));
    EXPECT_EQ(w->SpeedButton[5]->text(), QStringLiteral("全螢幕"));
    EXPECT_EQ(w->SpeedButton[13]->text(), QStringLiteral("ISO1"));
    EXPECT_EQ(w->drawrangeblockcheckbox->text(), QStringLiteral("顯示程式的毛坯"));
    EXPECT_EQ(w->followfilecheckbox->text(), QStringLiteral("自動重新載入"));
    EXPECT_EQ(w->showpartgroupbox->title(), QStringLiteral("NC 步數 : 全部"));
    EXPECT_EQ(w->speedmenu->actions().value(1)->text(), QStringLiteral("預設"));
    EXPECT_EQ(w->speedmenu->actions().value(6)->text(), QStringLiteral("0.01"));
    EXPECT_EQ(w->job.timetext.rfind("Time: ", 0), 0U);
    EXPECT_TRUE(w->SpeedButton[10]->toolTip().contains(QStringLiteral("F1")));
    expectpanellike(*w, QStringLiteral("zh_TW"));

    // A message and the toolkit's button under it, in the same language.
    QString button;
    MessageAnswerer answers([&](QMessageBox& box, int) {
        button = box.button(QMessageBox::Ok)->text();
        box.accept();
    });
    w->desktop().openchecked(QStringLiteral("/nonexistent/part.nc"));
    ASSERT_EQ(answers.texts.size(), 1U);
    EXPECT_EQ(answers.texts[0], QStringLiteral("/nonexistent/part.nc 不存在。"));
    EXPECT_EQ(button, QStringLiteral("確定"));
}

TEST(Language, EnglishPanelCaptionsFitTheirButtonsAndEveryControlSaysItsKey) {
    const auto restore = qScopeGuard([] { installtranslation({}, {}); });
    ASSERT_EQ(installtranslation(QLocale(QStringLiteral("en_US")).uiLanguages(), kFolders), "en");
    const std::string path = writeprogram("language.nc", kTwoToolProgram);
    auto w = openwindow({path});
    EXPECT_EQ(w->SpeedButton[1]->text(), QStringLiteral("Open"));
    EXPECT_EQ(w->showpartgroupbox->title(), QStringLiteral("NC Steps : ALL"));
    for (int i = 1; i <= 16; ++i) {
        const PanelButton* button = w->SpeedButton[static_cast<size_t>(i)];
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), 34)
            << button->text().toStdString();
        EXPECT_FALSE(button->toolTip().isEmpty()) << i;
    }
    // "Enlarge" is wider than the button at the design's 11 pixels.
    EXPECT_LT(w->SpeedButton[7]->font().pixelSize(), 11);
    EXPECT_EQ(w->SpeedButton[1]->font().pixelSize(), 11);
    for (const QString& key : {QStringLiteral("F1"), QStringLiteral("F2"), QStringLiteral("F3"),
                               QStringLiteral("F4"), QStringLiteral("Page Up")}) {
        bool named = false;
        for (int i = 1; i <= 16; ++i)
            named |= w->SpeedButton[static_cast<size_t>(i)]->toolTip().contains(key);
        EXPECT_TRUE(named) << key.toStdString();
    }
    EXPECT_TRUE(w->followfilecheckbox->toolTip().contains(QStringLiteral("F5")));
    for (QWidget* control : {static_cast<QWidget*>(w->drawrangeblockcheckbox),
                             static_cast<QWidget*>(w->shownumberscrollbar),
                             static_cast<QWidget*>(w->showstartscrollbar)}) {
        EXPECT_FALSE(control->toolTip().isEmpty());
    }
    expectpanellike(*w, QStringLiteral("en"));
}

TEST(Language, TheDefaultWindowSpeaksSimplifiedChineseThroughout) {
    const auto restore = qScopeGuard([] { installtranslation({}, {}); });
    // No translation chosen: the design's captions, and a Chinese form for every later text.
    for (const QString& language : {QStringLiteral("C"), QStringLiteral("zh-CN"), QStringLiteral("de-DE")}) {
        EXPECT_EQ(installtranslation({language}, kFolders), QString());
        EXPECT_NE(translated("Tvorlixform", "Open the manual"), QStringLiteral("Open the manual"));
    }
    // The toolkit's own dialogs too: the open dialog's "Look in:".
    EXPECT_NE(translated("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    const std::string path = writeprogram("language.nc",
                                          "G21 G90\nG0 X0 Y0 Z5.\nG81 X10. Y10. Z-1. R1.\n"
                                          "G1 X20. Z-2 F100.\nG1 Y20.\n");
    auto w = openwindow({path});
    w->programlink().gotoprogramline(4);
    const QStringList texts = showntexts(*w) + w->noticerow->entries();
    EXPECT_EQ(w->programpane->status(), QStringLiteral("第 4 行产生 1 个移动。"));
    EXPECT_EQ(w->noticerow->entries().value(0), QStringLiteral("未执行: G21 1 次，首次在第 1 行"));
    // The design's own English texts, key names and the readings' names are no prose.
    const QRegularExpression allowed(QStringLiteral(
        "NC Steps : ALL|Working\\.\\.\\.|KORVEN|RS274/NGC|ISO[1-4]|Page Up|Ctrl|F[1-6]|Escape"));
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (QString text : texts) {
        text.remove(allowed);
        EXPECT_FALSE(word.match(text).hasMatch()) << text.toStdString();
    }
}

TEST(Language, TheNoticeListIsTranslated) {
    const auto restore = qScopeGuard([] { installtranslation({}, {}); });
    ReadingNotice notice;
    notice.ignore("G81", 40, 12);
    notice.thousandth("Z15", 7, 0.015);
    notice.problem(9, "G2 needs I or J, or R");
    notice.problem(11, "G90 and G91 in one block: they exclude each other");
    ASSERT_EQ(installtranslation({QStringLiteral("zh-TW")}, kFolders), "zh_TW");
    ReadingNoticeRow row;
    row.shownotice(notice);
    EXPECT_EQ(row.entries(),
              QStringList({QStringLiteral("未執行: G81 12 次，首次在第 40 行"),
                           QStringLiteral("無小數點: 1 個數，首個 Z15 在第 7 行，讀作 0.015"),
                           QStringLiteral("第 9 行: G2 需要 I 或 J，或 R"),
                           QStringLiteral("第 11 行: G90 和 G91 在同一單節中：兩者互相排斥")}));
}

TEST(Language, TheRS274ReadingsProblemsReadInTheDefaultWindow) {
    const auto restore = qScopeGuard([] { installtranslation({}, {}); });
    installtranslation({QStringLiteral("C")}, kFolders);
    // One fault a line, of the kinds machinists meet in posted and hand-edited programs.
    const std::string path = writeprogram("faults.ngc",
                                          "G21 G90 G0 X0 Y0 Z5.\n"
                                          "G7.5\n"
                                          "G0 G1 X1.\n"
                                          "G1 X2. Y$\n"
                                          "G1 X\n"
                                          "G1 Q1. Q2.\n"
                                          "G4\n"
                                          "G10 L5\n"
                                          "G92\n"
                                          "G2 X1. Y1. F100.\n"
                                          "G2 X1. Y1. R1. I1.\n"
                                          "G81 X1. Y1. Z-1.\n"
                                          "G83 X1. Y1. Z-1. R1.\n"
                                          "G1 X3. (never closed\n");
    auto w = openwindow({"/DIALECT:NGC", path});
    const QStringList entries = w->noticerow->entries();
    EXPECT_GE(entries.size(), 10);
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (const QString& entry : entries) {
        EXPECT_FALSE(word.match(entry).hasMatch()) << entry.toStdString();
    }
}

TEST(Language, TheOffsetFilesFaultsReadInTheDefaultWindow) {
    const auto restore = qScopeGuard([] { installtranslation({}, {}); });
    installtranslation({QStringLiteral("C")}, kFolders);
    // Its own folder: offset.tbl beside it must not reach the other tests' programs.
    QDir().mkpath(outdir() + QStringLiteral("/offsetfaults"));
    writeprogram("offsetfaults/offset.tbl", "D1 R1\nD1 R3\nQ4\nD2 R1.5 X1\nD3 D+\nH1\n");
    const std::string program = writeprogram("offsetfaults/plate.nc",
                                             "G21 G90 G0 X-10. Y0 Z1.\n"
                                             "G41 D7 G1 X0 F100.\n"
                                             "G41 D1 X10.\n"
                                             "G40 X20.\n");
    auto w = openwindow({"/DIALECT:FANUC", program});
    const QStringList entries = w->noticerow->entries();
    EXPECT_EQ(entries.size(), 6);
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (QString entry : entries) {
        entry.remove(QStringLiteral("offset.tbl"));
        EXPECT_FALSE(word.match(entry).hasMatch()) << entry.toStdString();
    }
}
