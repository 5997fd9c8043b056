// The settings file behind the recent files, and a start without a display: the parts of the
// desktop habits that need no window of their own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/recentfiles.h"

TEST(RecentFiles, TenKeptSettingsFileSurvivesDamageAndHugeListsAndCanBeSwitchedOff) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("korven.ini"));
    {
        RecentFiles recent(ini);
        for (int i = 0; i < 12; ++i) recent.add(QStringLiteral("/parts/%1.nc").arg(i));
        recent.add(QStringLiteral("/parts/3.nc"));
    }
    const QStringList kept = RecentFiles(ini).files();
    ASSERT_EQ(kept.size(), RecentFiles::kMax);
    EXPECT_EQ(kept[0], QStringLiteral("/parts/3.nc"));
    EXPECT_EQ(kept[1], QStringLiteral("/parts/11.nc"));
    EXPECT_EQ(kept[9], QStringLiteral("/parts/2.nc"));

    const auto writeraw = [&](const QByteArray& bytes) {
        QFile file(ini);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    };
    QByteArray huge = "[recent]\nfiles=";
    for (int i = 0; i < 10000; ++i) huge += (i ? ", /p/" : "/p/") + QByteArray::number(i) + ".nc";
    writeraw(huge + "\n");
    EXPECT_EQ(RecentFiles(ini).files().size(), RecentFiles::kMax);
    QFile rewritten(ini);
    ASSERT_TRUE(rewritten.open(QIODevice::ReadOnly));
    EXPECT_LT(rewritten.size(), 1000);  // written back cut to ten
    rewritten.close();

    writeraw(QByteArray("[recent\n\0\xff\xfe files=@Variant(\0\0\x7f", 28) + "\n=\n[[[");
    {
        RecentFiles recent(ini);
        EXPECT_TRUE(recent.files().isEmpty());
        recent.add(QStringLiteral("/parts/c.nc"));
    }
    EXPECT_EQ(RecentFiles(ini).files(), QStringList({QStringLiteral("/parts/c.nc")}));

    // The tests themselves run with KORVEN_NO_SETTINGS=1.
    EXPECT_TRUE(RecentFiles::usersettingsfile(false).isEmpty());
    const QByteArray old = qgetenv("KORVEN_NO_SETTINGS");
    const auto restore = qScopeGuard([&] { qputenv("KORVEN_NO_SETTINGS", old); });
    qunsetenv("KORVEN_NO_SETTINGS");
    EXPECT_FALSE(RecentFiles::usersettingsfile(false).isEmpty());
    EXPECT_TRUE(RecentFiles::usersettingsfile(true).isEmpty());
}

TEST(RecentFiles, APipeAtTheSettingsPathNeitherHangsNorIsWrittenAndGarbageIsRewrittenClean) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("korven.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    // Were the pipe opened, a writer at its other end lets the test end instead of hanging.
    std::atomic<bool> done{false};
    std::thread unblock([&] {
        for (int i = 0; i < 300 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        for (int i = 0; i < 100 && !done; ++i) {
            const int fd = ::open(QFile::encodeName(ini).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    const auto start = std::chrono::steady_clock::now();
    {
        RecentFiles recent(ini);
        recent.add(QStringLiteral("/parts/a.nc"));
        EXPECT_EQ(recent.files(), QStringList({QStringLiteral("/parts/a.nc")}));
    }
    done = true;
    unblock.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    QFileInfo info(ini);
    EXPECT_FALSE(info.isFile());  // still the pipe

    const QString garbage = dir.filePath(QStringLiteral("garbage.ini"));
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("bogus=1\n[other]\nkey=noise\n[recent]\nfiles=/parts/b.nc\n");
    }
    {
        RecentFiles recent(garbage);
        EXPECT_EQ(recent.files(), QStringList({QStringLiteral("/parts/b.nc")}));
    }
    QFile rewritten(garbage);
    ASSERT_TRUE(rewritten.open(QIODevice::ReadOnly));
    const QByteArray text = rewritten.readAll();
    EXPECT_FALSE(text.contains("noise"));
    EXPECT_FALSE(text.contains("bogus"));
    EXPECT_TRUE(text.contains("/parts/b.nc"));
}

TEST(StartUp, NoDisplayIsOneLineNamingItAndExitStatusOne) {
    QProcess viewer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":987"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    viewer.setProcessEnvironment(env);
    viewer.start(QStringLiteral(KORVEN_VIEWER), {});
    ASSERT_TRUE(viewer.waitForFinished(30000));
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);  // not an abort
    EXPECT_EQ(viewer.exitCode(), 1);
    const QStringList lines =
        QString::fromLocal8Bit(viewer.readAllStandardError()).trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 1) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral(":987")));
}
