// The panel's commands in the real window: the open dialog, the manual and its data folder,
// exit, and the speed menu on the bare panel.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/datafolder.h"
#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

// Runs fn once on the first modal widget of type T to appear; modal dialogs run their own event
// loop, so this is how a test answers them.
template <typename T>
void whenmodal(std::function<void(T&)> fn) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, fn] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            fn(*widget);
        }
    });
    poll->start(20);
}

std::unique_ptr<Tvorlixform> emptywindow() {
    auto w = std::make_unique<Tvorlixform>(commandline({}));
    w->job.arcDataError = [] {};
    w->selectfile->setOption(QFileDialog::DontUseNativeDialog);
    w->show();
    waituntil([&] { return !w->firstidle; });
    return w;
}

// Types the file's name into the dialog as a user would. selectFile alone leaves a name field
// that has the focus untouched, and whether the dialog's window has been given the focus by
// then depends on the display's timing.
void choosefile(QFileDialog& dialog, const QString& path) {
    dialog.selectFile(path);
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        name->setText(QFileInfo(path).fileName());
    }
}

// Picks the file in the open dialog and waits for its job to end.
void openthroughdialog(Tvorlixform& w, const std::string& path) {
    whenmodal<QFileDialog>([path](QFileDialog& dialog) {
        choosefile(dialog, QString::fromStdString(path));
        static_cast<QDialog&>(dialog).accept();
        if (dialog.isVisible()) {  // refused: fail instead of waiting for a user
            ADD_FAILURE() << "the open dialog did not take " << path;
            dialog.reject();
        }
    });
    QTest::mouseClick(w.SpeedButton[1], Qt::LeftButton);
    waituntil([&] { return jobdone(w); });
}

// Sets (a null value: removes) an environment variable until the returned guard goes.
auto scopedenv(const char* name, const QString& value) {
    const bool had = qEnvironmentVariableIsSet(name);
    const QByteArray old = qgetenv(name);
    value.isNull() ? qunsetenv(name) : qputenv(name, value.toUtf8());
    return qScopeGuard([=] { had ? qputenv(name, old) : qunsetenv(name); });
}

// Records the URLs the desktop is asked to open instead of opening them.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

}  // namespace

TEST(PanelCommands, OpenDialogOffersBothFiltersRefusesMissingFilesAndCancelChangesNothing) {
    const std::string path = writeprogram("twotools.nc", kTwoToolProgram);
    auto w = openwindow({path});
    w->selectfile->setOption(QFileDialog::DontUseNativeDialog);
    const int nodes = w->job.nodes.lastnode();
    const QString title = w->windowTitle();

    QStringList filters;
    QStringList shown;
    QString preselected;
    bool existingonly = false;
    bool refused = false;
    QString folder;
    whenmodal<QFileDialog>([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        folder = dialog.directory().absolutePath();
        // The filter list names the kinds; the patterns stay behind them.
        const auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; combo != nullptr && i < combo->count(); ++i) shown << combo->itemText(i);
        preselected = dialog.selectedNameFilter();
        existingonly = dialog.fileMode() == QFileDialog::ExistingFile;
        // A name that does not exist is refused and the dialog stays open.
        whenmodal<QMessageBox>([](QMessageBox& box) { box.accept(); });
        choosefile(dialog, QDir::tempPath() + QStringLiteral("/korven-no-such-file.nc"));
        static_cast<QDialog&>(dialog).accept();
        refused = dialog.isVisible();
        dialog.reject();
    });
    QTest::mouseClick(w->SpeedButton[1], Qt::LeftButton);
    runloop(50);

    // The classic entry first, the program types the desktop registers next, all files last.
    ASSERT_EQ(filters.size(), 3);
    EXPECT_EQ(filters[0], QStringLiteral("nc文件 (*.nc *.b* *.mr*)"));
    EXPECT_TRUE(filters[1].endsWith(QStringLiteral(" (*.nc *.ngc *.tap *.cnc *.gcode)")));
    EXPECT_EQ(filters[2], QStringLiteral("所有文件 (*)"));
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0], QStringLiteral("nc文件"));
    EXPECT_EQ(shown[2], QStringLiteral("所有文件"));
    // The file was named on the command line; the dialog starts beside it.
    EXPECT_EQ(folder, QFileInfo(QString::fromStdString(path)).absolutePath());
    EXPECT_EQ(preselected, QStringLiteral("所有文件"));
    EXPECT_TRUE(existingonly);
    EXPECT_TRUE(refused);
    EXPECT_EQ(w->windowTitle(), title);
    EXPECT_EQ(w->ncpath, path);
    EXPECT_EQ(w->job.nodes.lastnode(), nodes);
    EXPECT_FALSE(w->WorkingBar->isVisible());
}

TEST(PanelCommands, ADeviceChosenInTheDialogIsRefusedNotRead) {
    const std::string path = writeprogram("twotools.nc", kTwoToolProgram);
    auto w = openwindow({path});
    w->selectfile->setOption(QFileDialog::DontUseNativeDialog);
    const int nodes = w->job.nodes.lastnode();
    const QString title = w->windowTitle();
    MessageAnswerer answers;
    whenmodal<QFileDialog>([](QFileDialog& dialog) {
        choosefile(dialog, QStringLiteral("/dev/zero"));
        static_cast<QDialog&>(dialog).accept();
        if (dialog.isVisible()) dialog.reject();
    });
    QTest::mouseClick(w->SpeedButton[1], Qt::LeftButton);
    ASSERT_TRUE(waituntil([&] { return !answers.texts.empty() && jobdone(*w); }));
    EXPECT_TRUE(answers.texts[0].contains(QStringLiteral("not a regular file")));
    EXPECT_EQ(w->windowTitle(), title);
    EXPECT_EQ(w->ncpath, path);
    EXPECT_EQ(w->job.nodes.lastnode(), nodes);
}

TEST(PanelCommands, OpenedFilesShowInIso1UntilTheUserPicksAView) {
    auto w = emptywindow();
    w->view.rotz = 7.0;  // turned by a panel drag, which picks no view
    const std::string first = writeprogram("first.nc", kTwoToolProgram);
    openthroughdialog(*w, first);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("KORVEN : ") + QString::fromStdString(first));
    EXPECT_GT(w->job.nodes.lastnode(), 10);
    EXPECT_EQ(w->view.rotx, -60.0);
    EXPECT_EQ(w->view.rotz, -30.0);
    EXPECT_TRUE(w->view.viewchosen);

    QTest::mouseClick(w->SpeedButton[11], Qt::LeftButton);  // front view
    openthroughdialog(*w, writeprogram("second.nc", kTwoToolProgram));
    EXPECT_EQ(w->view.rotx, -90.0);
    EXPECT_EQ(w->view.rotz, 0.0);
}

TEST(PanelCommands, NoPopUpOfTheOpenDialogOutlivesIt) {
    auto w = emptywindow();
    const std::string path = writeprogram("completed.nc", kTwoToolProgram);
    bool listed = false;
    MessageAnswerer answerer;  // a box the test did not expect must not hold it up
    whenmodal<QFileDialog>([&](QFileDialog& dialog) {
        // The name typed, its completion list open (as the folder is read, it fills), and
        // Return pressed while the list shows.
        choosefile(dialog, QString::fromStdString(path));
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QCompleter* completer = name != nullptr ? name->completer() : nullptr;
        if (completer == nullptr) return dialog.reject();
        listed = waituntil(
            [completer, name] {
                completer->setCompletionPrefix(name->text());
                completer->complete();
                return completer->popup()->isVisible();
            },
            5000);
        QTest::keyClick(name, Qt::Key_Return);
        if (dialog.isVisible()) {  // fail instead of waiting for a user
            ADD_FAILURE() << "Return did not take " << path;
            dialog.reject();
        }
    });
    QTest::mouseClick(w->SpeedButton[1], Qt::LeftButton);
    waituntil([&] { return jobdone(*w) && w->ncpath == path; });
    ASSERT_TRUE(listed) << "the completion list never opened";
    EXPECT_EQ(w->ncpath, path);
    EXPECT_TRUE(answerer.texts.empty());
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(top->isVisible() && top->windowType() == Qt::Popup)
            << top->metaObject()->className() << " still shown";
    }
}

TEST(PanelCommands, SpeedMenuOpensAtTheRightPressAndItsItemsSetTheTitle) {
    auto w = emptywindow();
    w->showNormal();
    w->setGeometry(100, 100, 700, 453);
    runloop(100);
    int frames = 0;
    const auto afterframe = w->frame()->afterframe;
    w->frame()->afterframe = [&] {
        ++frames;
        afterframe();
    };

    // The speeds, a separator, the drag switch, the machine profile's and compensation's
    // submenus; a separator and the solid view's three items (its stock dialog's the last).
    ASSERT_EQ(w->speedmenu->actions().size(), 17);
    const QPoint bare(70, 236);  // below the buttons, above the check box
    auto choose = [&](const char* name, const char* caption) {
        QTest::mousePress(w->panel, Qt::RightButton, {}, bare);
        EXPECT_TRUE(waituntil([&] { return w->speedmenu->isVisible(); }, 2000));
        EXPECT_EQ(w->speedmenu->pos(), w->panel->mapToGlobal(bare));
        auto* item = w->speedmenu->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_EQ(item->text(), QString::fromUtf8(caption));
        QTest::mouseClick(w->speedmenu, Qt::LeftButton, {},
                          w->speedmenu->actionGeometry(item).center());
        return w->windowTitle();
    };
    EXPECT_EQ(choose("speedwait1000", "0.01"), QStringLiteral("Front Buffer : 1000"));
    // The heading keeps the speed but still reports it.
    EXPECT_EQ(choose("speedshow", "精度由小到大"), QStringLiteral("Front Buffer : 1000"));
    EXPECT_EQ(choose("speedwait0", "0"), QStringLiteral("Front Buffer : 0"));
    EXPECT_EQ(choose("speedwait100000", "1"), QStringLiteral("Front Buffer : 100000"));
    EXPECT_EQ(choose("speednormal", "默认"), QStringLiteral("Back Buffer"));
    EXPECT_EQ(w->drawer()->stepdelay, 1);
    // The drag switch flips on each choice and touches neither the speed nor the title.
    ASSERT_TRUE(w->frame()->simplifieddrags);
    EXPECT_EQ(choose("speedsimplify", "拖动时简化路径"), QStringLiteral("Back Buffer"));
    EXPECT_FALSE(w->frame()->simplifieddrags);
    choose("speedsimplify", "拖动时简化路径");
    EXPECT_TRUE(w->frame()->simplifieddrags);
    EXPECT_EQ(w->drawer()->stepdelay, 1);
    EXPECT_EQ(frames, 0);
}

TEST(PanelCommands, OnlyARightPressOnTheBarePanelOpensTheMenu) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    QTest::mousePress(w->panel, Qt::LeftButton, {}, QPoint(70, 236));
    QTest::mouseRelease(w->panel, Qt::LeftButton, {}, QPoint(70, 236));
    QTest::mouseClick(w->logo, Qt::LeftButton);  // beeps only
    QTest::mousePress(w->logo, Qt::RightButton);
    QTest::mousePress(w->SpeedButton[5], Qt::RightButton);
    QTest::mousePress(w->SpeedButton[9], Qt::RightButton);
    QTest::mousePress(w->optimage, Qt::RightButton);
    QTest::mousePress(w->showpartgroupbox, Qt::RightButton, {}, QPoint(2, 2));
    runloop(100);
    EXPECT_FALSE(w->speedmenu->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(PanelCommands, HelpOpensTheManualOfTheFontsLanguageAndIsSilentWithoutOne) {
    const QString shipped = QStringLiteral(KORVEN_SOURCE_DIR "/share/holvarin");
    ASSERT_TRUE(QFile::exists(shipped + QStringLiteral("/man/vorlix_manual.htm")));
    ASSERT_TRUE(QFile::exists(shipped + QStringLiteral("/man/vorlix_manual_big5.htm")));
    auto w = emptywindow();
    UrlCatcher catcher;
    {
        const auto home = scopedenv("HOLVARIN_HOME", shipped);
        QTest::mouseClick(w->SpeedButton[6], Qt::LeftButton);
        w->bigfivehelp = true;
        QTest::mouseClick(w->SpeedButton[6], Qt::LeftButton);
    }
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0].toLocalFile(), shipped + QStringLiteral("/man/vorlix_manual.htm"));
    EXPECT_EQ(catcher.opened[1].toLocalFile(),
              shipped + QStringLiteral("/man/vorlix_manual_big5.htm"));

    QTemporaryDir empty;
    const auto home = scopedenv("HOLVARIN_HOME", empty.path());
    QTest::mouseClick(w->SpeedButton[6], Qt::LeftButton);
    runloop(50);
    EXPECT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(PanelCommands, DataFolderIsHolvarinHomeOrTheFirstXdgFolderThatHasOne) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "one fixed folder on Windows";
#endif
    QTemporaryDir root;
    const QString home = root.path() + QStringLiteral("/home");
    const QString dir1 = root.path() + QStringLiteral("/dir1");
    const QString dir2 = root.path() + QStringLiteral("/dir2");
    ASSERT_TRUE(QDir().mkpath(dir2 + QStringLiteral("/holvarin")));
    const auto holvarin = scopedenv("HOLVARIN_HOME", QString());
    const auto datahome = scopedenv("XDG_DATA_HOME", home);
    const auto datadirs = scopedenv("XDG_DATA_DIRS", dir1 + QLatin1Char(':') + dir2);
    EXPECT_EQ(datafolder(), dir2 + QStringLiteral("/holvarin"));
    EXPECT_EQ(datafile(QStringLiteral("man/vorlix_manual.htm")),
              dir2 + QStringLiteral("/holvarin/man/vorlix_manual.htm"));

    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/holvarin")));
    EXPECT_EQ(datafolder(), home + QStringLiteral("/holvarin"));
    {
        // Named by the user, it wins even before it exists.
        const auto named = scopedenv("HOLVARIN_HOME", root.path() + QStringLiteral("/mine/"));
        EXPECT_EQ(datafolder(), root.path() + QStringLiteral("/mine"));
    }
    ASSERT_TRUE(QDir(home).removeRecursively());
    ASSERT_TRUE(QDir(dir2).removeRecursively());
    EXPECT_EQ(datafolder(), QString());
    EXPECT_EQ(datafile(QStringLiteral("man/vorlix_manual.htm")), QString());
}

TEST(PanelCommands, ZoomButtonsFitAndTheStockBlockRedrawTheToolpath) {
    auto w = openwindow({writeprogram("twotools.nc", kTwoToolProgram)});
    const double fitted = w->view.viewscale;
    const QImage fittedpicture = w->wrkscreen->currentPicture();
    QTest::mouseClick(w->SpeedButton[7], Qt::LeftButton);  // enlarge
    EXPECT_EQ(w->view.viewscale, fitted * 0.5);
    EXPECT_GT(drawnbox(w->wrkscreen->currentPicture()).width(), drawnbox(fittedpicture).width());
    QTest::mouseClick(w->SpeedButton[8], Qt::LeftButton);  // reduce
    EXPECT_EQ(w->view.viewscale, fitted);
    EXPECT_EQ(w->wrkscreen->currentPicture(), fittedpicture);
    QTest::mouseClick(w->SpeedButton[8], Qt::LeftButton);
    QTest::mouseClick(w->SpeedButton[5], Qt::LeftButton);  // fit
    EXPECT_EQ(w->view.viewscale, fitted);

    const QRgb white = qRgb(255, 255, 255);
    EXPECT_EQ(countcolor(fittedpicture, white), 0);
    QTest::mouseClick(w->drawrangeblockcheckbox, Qt::LeftButton);
    const QImage boxed = w->wrkscreen->currentPicture();
    const std::string saved = savepicture(boxed, "window_stockblock");
    EXPECT_GT(countcolor(boxed, white), 200) << saved;
    QTest::mouseClick(w->drawrangeblockcheckbox, Qt::LeftButton);
    EXPECT_EQ(w->wrkscreen->currentPicture(), fittedpicture);
}

TEST(PanelCommands, ExitClosesTheWindow) {
    auto w = emptywindow();
    QTest::mouseClick(w->SpeedButton[4], Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
}

#include "test_panelcommands.moc"
