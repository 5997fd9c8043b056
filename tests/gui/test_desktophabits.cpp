// Desktop habits in the real window: files dropped on it, the shown file followed on disk while
// other programs rewrite it, and the recent files with their settings file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/desktopopen.h"
#include "app/filefollower.h"
#include "app/panelbutton.h"
#include "app/recentfiles.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

// A program of n feed moves along X after one rapid.
std::string linesprogram(int n) {
    std::string text = "G0 X0 Y0 Z1\nG1 Z-1 F100\n";
    for (int i = 1; i <= n; ++i) text += "X" + std::to_string(i) + ".\n";
    return text;
}

// Nodes the program gives when read afresh.
int32_t freshnodes(const std::string& text) {
    NcJob job;
    job.InitPlot(0);
    job.interpreting = true;
    job.PlotMemory(text);
    return job.nodes.lastnode();
}

void drop(Tvorlixform& w, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = w.wrkscreen->geometry().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    QDropEvent release(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &release);
}

QUrl fileurl(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

// Writes whole through a second name and renames it over the first, as many writers save.
void replacebyrename(const std::string& path, const std::string& text) {
    const std::string fresh = writeprogram("replacement.tmp", text);
    ASSERT_EQ(std::rename(fresh.c_str(), path.c_str()), 0);
}

struct SavedView {
    double scale, cx, cy, cz, rx, ry, rz;
    explicit SavedView(const ViewState& v)
        : scale(v.viewscale),
          cx(v.viewcenter.x),
          cy(v.viewcenter.y),
          cz(v.viewcenter.z),
          rx(v.rotx),
          ry(v.roty),
          rz(v.rotz) {}
    bool operator==(const SavedView& o) const {
        return scale == o.scale && cx == o.cx && cy == o.cy && cz == o.cz && rx == o.rx &&
               ry == o.ry && rz == o.rz;
    }
};

}  // namespace

TEST(DropToOpen, FirstFileOfSeveralOpensAndBadDropsOnlySaySo) {
    const std::string first = writeprogram("dropfirst.nc", kTwoToolProgram);
    const std::string second = writeprogram("dropsecond.nc", linesprogram(5));
    auto w = openwindow({});
    drop(*w, {fileurl(first), fileurl(second)});
    // The drop has returned before anything was read: the file opens after it.
    EXPECT_TRUE(w->ncpath.empty());
    ASSERT_TRUE(waituntil([&] { return w->ncpath == first && jobdone(*w); }));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("KORVEN : ") + QString::fromStdString(first));
    EXPECT_EQ(w->job.nodes.lastnode(), freshnodes(kTwoToolProgram));
    // The Open command's view rule: a window whose view was never chosen shows ISO1.
    EXPECT_TRUE(w->view.viewchosen);
    EXPECT_EQ(w->desktop().recentfiles().files().value(0), QString::fromStdString(first));

    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.nc"));
    QFile(empty).open(QIODevice::WriteOnly);
    const QString fifo = dir.filePath(QStringLiteral("pipe.nc"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString locked = dir.filePath(QStringLiteral("locked.nc"));
    QFile lockedfile(locked);
    lockedfile.open(QIODevice::WriteOnly);
    lockedfile.write("G1 X1 F100\n");
    lockedfile.close();
    ::chmod(QFile::encodeName(locked).constData(), 0);
    const bool canlock = ::geteuid() != 0;  // the superuser reads it all the same

    const int32_t nodes = w->job.nodes.lastnode();
    const QString title = w->windowTitle();
    MessageAnswerer answers;
    const auto dropone = [&](const QUrl& url) {
        const size_t before = answers.texts.size();
        drop(*w, {url});
        ASSERT_TRUE(waituntil([&] { return answers.texts.size() == before + 1; }));
    };
    dropone(QUrl(QStringLiteral("https://example.org/part.nc")));
    dropone(QUrl::fromLocalFile(dir.path()));
    dropone(QUrl::fromLocalFile(empty));
    dropone(QUrl::fromLocalFile(fifo));
    if (canlock) dropone(QUrl::fromLocalFile(locked));
    // A character device is no program either, though it reads without end.
    dropone(QUrl::fromLocalFile(QStringLiteral("/dev/zero")));
    ASSERT_EQ(answers.texts.size(), canlock ? 6U : 5U);
    EXPECT_TRUE(answers.texts.back().contains(QStringLiteral("not a regular file")));
    EXPECT_TRUE(answers.texts[0].contains(QStringLiteral("https://example.org/part.nc")));
    EXPECT_TRUE(answers.texts[1].contains(QStringLiteral("folder")));
    EXPECT_TRUE(answers.texts[2].contains(QStringLiteral("empty")));
    EXPECT_TRUE(answers.texts[3].contains(QStringLiteral("not a regular file")));
    if (canlock) {
        EXPECT_TRUE(answers.texts[4].contains(QStringLiteral("cannot be read")));
    }
    EXPECT_EQ(w->job.nodes.lastnode(), nodes);
    EXPECT_EQ(w->windowTitle(), title);
    EXPECT_EQ(w->ncpath, first);
    EXPECT_EQ(w->desktop().recentfiles().files().size(), 1);
}

TEST(DropToOpen, DropDuringAJobIsRefused) {
    const std::string first = writeprogram("dropjob.nc", kTwoToolProgram);
    const std::string second = writeprogram("dropjob2.nc", linesprogram(5));
    auto w = openwindow({});
    // The drop arrives while the job reports progress, as it would from a nested event loop.
    bool dropped = false;
    const WorkingCallback inner = w->job.working;
    w->job.working = [&](const std::string& text, double fraction) {
        if (!dropped) {
            dropped = true;
            drop(*w, {fileurl(second)});
        }
        inner(text, fraction);
    };
    drop(*w, {fileurl(first)});
    ASSERT_TRUE(waituntil([&] { return w->ncpath == first && jobdone(*w); }));
    runloop(100);
    EXPECT_TRUE(dropped);
    EXPECT_EQ(w->ncpath, first);
    EXPECT_EQ(w->job.nodes.lastnode(), freshnodes(kTwoToolProgram));
}

TEST(FollowFile, ReReadKeepsWhatTheUserSetUpAndAGoneFileKeepsThePicture) {
    const std::string path = writeprogram("followed.nc", linesprogram(40));
    auto w = openwindow({path});
    ASSERT_TRUE(w->followfilecheckbox->isChecked());
    QTest::mouseClick(w->SpeedButton[11], Qt::LeftButton);  // front view
    QTest::mouseClick(w->SpeedButton[7], Qt::LeftButton);   // magnified
    w->drawrangeblockcheckbox->click();
    w->shownumberscrollbar->setValue(3);
    w->showstartscrollbar->setValue(30);
    const SavedView view(w->view);
    const QString title = w->windowTitle();

    replacebyrename(path, linesprogram(60));
    ASSERT_TRUE(waituntil([&] { return w->job.nodes.lastnode() == freshnodes(linesprogram(60)); }));
    ASSERT_TRUE(waituntil([&] { return jobdone(*w); }));
    EXPECT_TRUE(SavedView(w->view) == view);
    EXPECT_EQ(w->shownumberscrollbar->value(), 3);
    EXPECT_EQ(w->showstartscrollbar->value(), 30);
    EXPECT_TRUE(w->showstartscrollbar->isVisible());
    EXPECT_TRUE(w->drawrangeblockcheckbox->isChecked());
    EXPECT_EQ(w->windowTitle(), title);

    // A shorter program: the start comes back inside its range (nodes 0..n give starts up to n-1).
    writeprogram("followed.nc", linesprogram(10));
    const int32_t shortnodes = freshnodes(linesprogram(10));
    ASSERT_TRUE(waituntil([&] { return w->job.nodes.lastnode() == shortnodes && jobdone(*w); }));
    EXPECT_EQ(w->showstartscrollbar->value(), shortnodes - 1);

    QFile::remove(QString::fromStdString(path));
    ASSERT_TRUE(waituntil([&] { return w->followfilenotice->isVisible(); }));
    runloop(50);
    savepicture(w->panel->grab().toImage(), "followgone");
    EXPECT_EQ(w->job.nodes.lastnode(), shortnodes);
    EXPECT_EQ(w->windowTitle(), title);

    writeprogram("followed.nc", linesprogram(20));
    ASSERT_TRUE(waituntil([&] { return w->job.nodes.lastnode() == freshnodes(linesprogram(20)); }));
    ASSERT_TRUE(waituntil([&] { return jobdone(*w); }));
    EXPECT_FALSE(w->followfilenotice->isVisible());

    // Switched off, a change waits for F5; switched on again, it is read.
    w->followfilecheckbox->click();
    writeprogram("followed.nc", linesprogram(25));
    runloop(3 * FileFollower::kSettleMs);
    EXPECT_EQ(w->job.nodes.lastnode(), freshnodes(linesprogram(20)));
    w->activateWindow();
    QApplication::setActiveWindow(w.get());
    QTest::keyClick(w.get(), Qt::Key_F5);
    ASSERT_TRUE(waituntil([&] { return w->job.nodes.lastnode() == freshnodes(linesprogram(25)); }));
    writeprogram("followed.nc", linesprogram(30));
    w->followfilecheckbox->click();
    EXPECT_TRUE(waituntil([&] { return w->job.nodes.lastnode() == freshnodes(linesprogram(30)); }));
}

TEST(FollowFile, AFileRewrittenFiftyTimesASecondIsReadOnceItSettlesNeverHalfWritten) {
    const std::string path = writeprogram("storm.nc", linesprogram(50));
    auto w = openwindow({path});
    int reads = 0;
    const auto inner = w->desktop().follower().changed;
    w->desktop().follower().changed = [&] {
        ++reads;
        return inner();
    };
    // Each rewrite leaves a half-written file on disk for a moment before the rest follows.
    const std::string whole = linesprogram(200);
    int writes = 0;
    QTimer writer;
    QObject::connect(&writer, &QTimer::timeout, [&] {
        QFile file(QString::fromStdString(path));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(whole.data(), static_cast<qint64>(whole.size() / 2));
        file.flush();
        file.write(whole.data() + whole.size() / 2,
                   static_cast<qint64>(whole.size() - whole.size() / 2));
        ++writes;
    });
    writer.start(20);
    runloop(10000);
    writer.stop();
    ASSERT_TRUE(waituntil([&] { return reads > 0 && jobdone(*w); }));
    runloop(3 * FileFollower::kSettleMs);
    EXPECT_GT(writes, 100);
    EXPECT_LE(reads, 3);
    EXPECT_EQ(w->job.nodes.lastnode(), freshnodes(whole));
}

TEST(RecentFiles, OpenedFilesNewestFirstUnderARightPressOnOpenAndGoneEntries) {
    auto w = openwindow({});
    const std::string a = writeprogram("recenta.nc", linesprogram(2));
    const std::string b = writeprogram("recentb.nc", linesprogram(3));
    for (const std::string& path : {a, b, a}) {
        drop(*w, {fileurl(path)});
        ASSERT_TRUE(waituntil([&] { return w->ncpath == path && jobdone(*w); }));
    }
    EXPECT_EQ(w->desktop().recentfiles().files(),
              QStringList({QString::fromStdString(a), QString::fromStdString(b)}));

    // A right press on Open lists them; the speed menu of the bare panel stays shut.
    QFile::remove(QString::fromStdString(b));
    QTest::mousePress(w->SpeedButton[1], Qt::RightButton);
    ASSERT_TRUE(waituntil([&] { return w->recentmenu->isVisible(); }, 5000));
    EXPECT_FALSE(w->speedmenu->isVisible());
    const QList<QAction*> items = w->recentmenu->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_FALSE(items[0]->property("korvenmissing").toBool());
    EXPECT_TRUE(items[1]->property("korvenmissing").toBool());
    MessageAnswerer answers;
    items[1]->trigger();
    w->recentmenu->hide();
    ASSERT_EQ(answers.texts.size(), 1U);
    EXPECT_TRUE(answers.texts[0].contains(QStringLiteral("no longer exists")));
    EXPECT_EQ(w->desktop().recentfiles().files(), QStringList({QString::fromStdString(a)}));
    EXPECT_EQ(w->ncpath, a);
}

TEST(FollowFile, AnEmptiedOrMovelessFileKeepsThePictureAndAPipeIsNoRegularFile) {
    const std::string path = writeprogram("followkept.nc", linesprogram(40));
    auto w = openwindow({path});
    const int32_t nodes = w->job.nodes.lastnode();
    const std::string zmin = w->job.zmintext;
    ASSERT_GT(nodes, 1);

    const auto keptwith = [&](const QString& text) {
        return waituntil([&] {
            return w->followfilenotice->isVisible() &&
                   w->followfilenotice->accessibleName() == text;
        });
    };
    const QString nomoves = QStringLiteral("re-read gave no toolpath; picture kept");
    QFile(QString::fromStdString(path)).resize(0);  // as `: > f.nc` does
    ASSERT_TRUE(keptwith(nomoves));
    EXPECT_EQ(w->job.nodes.lastnode(), nodes);
    EXPECT_EQ(w->job.zmintext, zmin);

    writeprogram("followkept.nc", "(only a comment)\nM30\n");
    runloop(3 * FileFollower::kSettleMs);
    ASSERT_TRUE(keptwith(nomoves));
    EXPECT_EQ(w->job.nodes.lastnode(), nodes);
    EXPECT_EQ(w->job.zmintext, zmin);

    // Read again as soon as it gives a toolpath again.
    writeprogram("followkept.nc", linesprogram(10));
    ASSERT_TRUE(waituntil([&] { return w->job.nodes.lastnode() == freshnodes(linesprogram(10)); }));
    ASSERT_TRUE(waituntil([&] { return jobdone(*w) && !w->followfilenotice->isVisible(); }));

    QFile::remove(QString::fromStdString(path));
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const auto removefifo = qScopeGuard([&] { QFile::remove(QString::fromStdString(path)); });
    ASSERT_TRUE(keptwith(QStringLiteral("not a regular file")));
    EXPECT_EQ(w->job.nodes.lastnode(), freshnodes(linesprogram(10)));
}
