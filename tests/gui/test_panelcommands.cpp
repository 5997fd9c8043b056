// The panel's commands in the real window: the open dialog, the manual and its data folder,
// exit, and the speed menu on the bare panel.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/datafolder.h"
#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
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

// Picks the file in the open dialog and waits for its job to end.
void openthroughdialog(Tvorlixform& w, const std::string& path) {
    whenmodal<QFileDialog>([path](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString(path));
        static_cast<QDialog&>(dialog).accept();
    });
    QTest::mouseClick(w.SpeedButton[1], Qt::LeftButton);
    waituntil([&] { return jobdone(w); });
}

// Sets an environment variable for one scope and restores it afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QString& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value.toUtf8());
        }
    }
    ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

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
    QString preselected;
    bool existingonly = false;
    bool refused = false;
    whenmodal<QFileDialog>([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        preselected = dialog.selectedNameFilter();
        existingonly = dialog.fileMode() == QFileDialog::ExistingFile;
        // A name that does not exist is refused and the dialog stays open.
        whenmodal<QMessageBox>([](QMessageBox& box) { box.accept(); });
        dialog.selectFile(QDir::tempPath() + QStringLiteral("/korven-no-such-file.nc"));
        static_cast<QDialog&>(dialog).accept();
        refused = dialog.isVisible();
        dialog.reject();
    });
    QTest::mouseClick(w->SpeedButton[1], Qt::LeftButton);
    runloop(50);

    EXPECT_EQ(filters, QStringList({QStringLiteral("nc文件 (*.nc *.b* *.mr*)"),
                                    QStringLiteral("所有文件 (*)")}));
    EXPECT_EQ(preselected, QStringLiteral("所有文件 (*)"));
    EXPECT_TRUE(existingonly);
    EXPECT_TRUE(refused);
    EXPECT_EQ(w->windowTitle(), title);
    EXPECT_EQ(w->ncpath, path);
    EXPECT_EQ(w->job.nodes.lastnode(), nodes);
    EXPECT_FALSE(w->WorkingBar->isVisible());
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

    const QStringList names = {"speedshow",     "speednormal",    "speedwait0",
                               "speedwait1",    "speedwait10",    "speedwait100",
                               "speedwait1000", "speedwait10000", "speedwait100000"};
    const QStringList captions = {"精度由小到大", "默认", "0",   "0.00001", "0.0001",
                                  "0.001",        "0.01", "0.1", "1"};
    const QList<QAction*> items = w->speedmenu->actions();
    ASSERT_EQ(items.size(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(items[i]->objectName(), names[i]);
        EXPECT_EQ(items[i]->text(), captions[i]);
    }

    const QPoint bare(70, 236);  // below the buttons, above the check box
    auto choose = [&](int item) {
        QTest::mousePress(w->panel, Qt::RightButton, {}, bare);
        EXPECT_TRUE(waituntil([&] { return w->speedmenu->isVisible(); }, 2000));
        QTest::mouseClick(w->speedmenu, Qt::LeftButton, {},
                          w->speedmenu->actionGeometry(items[item]).center());
        runloop(20);
        return w->windowTitle();
    };
    QTest::mousePress(w->panel, Qt::RightButton, {}, bare);
    ASSERT_TRUE(waituntil([&] { return w->speedmenu->isVisible(); }, 2000));
    EXPECT_EQ(w->speedmenu->pos(), w->panel->mapToGlobal(bare));
    w->speedmenu->hide();

    EXPECT_EQ(choose(6), QStringLiteral("Front Buffer : 1000"));
    EXPECT_EQ(choose(0), QStringLiteral("Front Buffer : 1000"));  // the heading keeps the speed
    EXPECT_EQ(choose(2), QStringLiteral("Front Buffer : 0"));
    EXPECT_EQ(choose(8), QStringLiteral("Front Buffer : 100000"));
    EXPECT_EQ(choose(1), QStringLiteral("Back Buffer"));
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
        ScopedEnv home("HOLVARIN_HOME", shipped);
        QTest::mouseClick(w->SpeedButton[6], Qt::LeftButton);
        w->bigfivehelp = true;
        QTest::mouseClick(w->SpeedButton[6], Qt::LeftButton);
    }
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0].toLocalFile(), shipped + QStringLiteral("/man/vorlix_manual.htm"));
    EXPECT_EQ(catcher.opened[1].toLocalFile(),
              shipped + QStringLiteral("/man/vorlix_manual_big5.htm"));

    QTemporaryDir empty;
    ScopedEnv home("HOLVARIN_HOME", empty.path());
    QTest::mouseClick(w->SpeedButton[6], Qt::LeftButton);
    runloop(50);
    EXPECT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(PanelCommands, DataFolderIsHolvarinHomeOrTheFirstXdgFolderThatHasOne) {
    QTemporaryDir root;
    const QString home = root.path() + QStringLiteral("/home");
    const QString dir1 = root.path() + QStringLiteral("/dir1");
    const QString dir2 = root.path() + QStringLiteral("/dir2");
    ASSERT_TRUE(QDir().mkpath(dir2 + QStringLiteral("/holvarin")));
    ScopedEnv holvarin("HOLVARIN_HOME", QString());
    ScopedEnv datahome("XDG_DATA_HOME", home);
    ScopedEnv datadirs("XDG_DATA_DIRS", dir1 + QLatin1Char(':') + dir2);
    EXPECT_EQ(datafolder(), dir2 + QStringLiteral("/holvarin"));
    EXPECT_EQ(datafile(QStringLiteral("man/vorlix_manual.htm")),
              dir2 + QStringLiteral("/holvarin/man/vorlix_manual.htm"));

    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/holvarin")));
    EXPECT_EQ(datafolder(), home + QStringLiteral("/holvarin"));
    {
        // Named by the user, it wins even before it exists.
        ScopedEnv named("HOLVARIN_HOME", root.path() + QStringLiteral("/mine/"));
        EXPECT_EQ(datafolder(), root.path() + QStringLiteral("/mine"));
    }
    ASSERT_TRUE(QDir(home).removeRecursively());
    ASSERT_TRUE(QDir(dir2).removeRecursively());
    EXPECT_EQ(datafolder(), QString());
    EXPECT_EQ(datafile(QStringLiteral("man/vorlix_manual.htm")), QString());
}

TEST(PanelCommands, ExitClosesTheWindow) {
    auto w = emptywindow();
    QTest::mouseClick(w->SpeedButton[4], Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
}

#include "test_panelcommands.moc"
