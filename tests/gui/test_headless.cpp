// Pictures without a window: korven-info --png and korven-thumbnailer run as programs with no
// display, against the real window's surface picture and against bad input.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

const std::string kBracket = KORVEN_SOURCE_DIR "/examples/bracket.nc";

struct ToolRun {
    int status = -1;
    QString out, err;
};

// Runs a tool with no display, as on a server or inside a file manager's thumbnailer.
ToolRun runtool(const char* exe, const QStringList& args, const QStringList& extraenv = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    for (const QString& setting : extraenv) {
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QString::fromUtf8(exe), args);
    ToolRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString outpath(const QString& name) {
    return QStringLiteral(KORVEN_GUI_OUT_DIR "/") + name;
}

QImage headless(const QString& view, int w, int h, const std::string& program = kBracket) {
    const QString png = outpath(QStringLiteral("headless_%1_%2x%3.png").arg(view).arg(w).arg(h));
    QFile::remove(png);
    const ToolRun run =
        runtool(KORVEN_INFO_EXE, {QString::fromStdString(program), "--png", png, "--size",
                                  QStringLiteral("%1x%2").arg(w).arg(h), "--view", view});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

int differingpixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFFU) != (b.pixel(x, y) & 0xFFFFFFU);
    }
    return n;
}

}  // namespace

TEST(HeadlessPicture, EqualsTheWindowSurfacePicture) {
    auto w = openwindow({kBracket});
    ASSERT_TRUE(jobdone(*w));
    w->showNormal();
    struct Case {
        int button;  // the preset's panel button
        const char* view;
        int width, height;
    };
    for (const Case& c :
         {Case{11, "front", 800, 600}, Case{13, "iso1", 801, 457}, Case{16, "iso4", 300, 300}}) {
        // The surface is the window less the panel and a 1-pixel frame.
        w->resize(c.width + 144 + 2, c.height + 2);
        waituntil([&] { return w->wrkscreen->size() == QSize(c.width, c.height); }, 5000);
        runloop(100);
        w->SpeedButton[static_cast<size_t>(c.button)]->click();
        runloop(50);
        const QImage window = w->wrkscreen->currentPicture().convertToFormat(QImage::Format_RGB32);
        const QImage png = headless(c.view, c.width, c.height);
        const std::string saved = savepicture(window, std::string("window_") + c.view);
        ASSERT_EQ(window.size(), QSize(c.width, c.height)) << saved;
        EXPECT_GT(countothers(png, {qRgb(0, 0, 0)}), 500) << c.view;
        EXPECT_EQ(differingpixels(window, png), 0) << c.view << " " << saved;
    }
}

TEST(HeadlessPicture, AnySizeAndTheEmptyProgram) {
    for (const QSize size : {QSize(1, 1), QSize(4096, 4096), QSize(333, 77)}) {
        const QImage png = headless("iso1", size.width(), size.height());
        EXPECT_EQ(png.size(), size);
    }
    const std::string empty = writeprogram("empty.nc", "");
    const QImage black = headless("top", 64, 48, empty);
    ASSERT_EQ(black.size(), QSize(64, 48));
    EXPECT_EQ(countothers(black, {qRgb(0, 0, 0)}), 0);
}

TEST(HeadlessPicture, ReportUnchangedAndFailuresReported) {
    const QString png = outpath("failure.png");
    const ToolRun plain = runtool(KORVEN_INFO_EXE, {QString::fromStdString(kBracket)});
    const ToolRun withpng =
        runtool(KORVEN_INFO_EXE, {QString::fromStdString(kBracket), "--png", png});
    EXPECT_EQ(withpng.status, 0);
    EXPECT_EQ(withpng.out, plain.out);
    EXPECT_EQ(QImage(png).size(), QSize(800, 600));

    // Usage errors: exit 2, nothing written.
    QFile::remove(png);
    const QString bracket = QString::fromStdString(kBracket);
    for (const QStringList& args :
         {QStringList{bracket, "--png", png, "--size", "0x10"},
          QStringList{bracket, "--png", png, "--size", "800"},
          QStringList{bracket, "--png", png, "--size", "8193x10"},
          QStringList{bracket, "--png", png, "--size", "-5x10"},
          QStringList{bracket, "--png", png, "--view", "back"},
          QStringList{bracket, "--size", "10x10"}, QStringList{bracket, "--png"}}) {
        const ToolRun run = runtool(KORVEN_INFO_EXE, args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(png)) << args.join(' ').toStdString();
    }
    // An unreadable program as without --png.
    const ToolRun missing = runtool(KORVEN_INFO_EXE, {"/nonexistent/x.nc", "--png", png});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(QFile::exists(png));
    // Neither a display nor an EGL platform (no EGL driver, or no GL driver behind it): one
    // line, exit 1, the report as ever.
    for (const QString& setting :
         {QStringLiteral("__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json"),
          QStringLiteral("LIBGL_DRIVERS_PATH=/nonexistent")}) {
        const ToolRun noegl = runtool(KORVEN_INFO_EXE, {bracket, "--png", png}, {setting});
        EXPECT_EQ(noegl.status, 1) << setting.toStdString();
        // (after what the reading passed over, as without --png)
        EXPECT_TRUE(noegl.err.startsWith(plain.err)) << noegl.err.toStdString();
        EXPECT_EQ(noegl.err.count(QLatin1Char('\n')), plain.err.count(QLatin1Char('\n')) + 1)
            << noegl.err.toStdString();
        EXPECT_EQ(noegl.out, plain.out);
        EXPECT_FALSE(QFile::exists(png));
    }
    // An output that cannot be written.
    const ToolRun unwritable =
        runtool(KORVEN_INFO_EXE, {bracket, "--png", "/nonexistent/dir/x.png"});
    EXPECT_EQ(unwritable.status, 1);
}

TEST(Thumbnailer, SquarePicturesAndNoFileForABadProgram) {
    const QString bracket = QString::fromStdString(kBracket);
    for (const int size : {128, 256, 1}) {
        const QString png = outpath(QStringLiteral("thumb_%1.png").arg(size));
        const ToolRun run =
            runtool(KORVEN_THUMBNAILER_EXE, {"-s", QString::number(size), bracket, png});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(QImage(png).size(), QSize(size, size));
    }
    // The thumbnail is the fitted ISO1 picture of the headless tool at that size.
    const QImage iso = headless("iso1", 256, 256);
    EXPECT_EQ(differingpixels(
                  QImage(outpath("thumb_256.png")).convertToFormat(QImage::Format_RGB32), iso),
              0);

    const QString png = outpath("thumb_bad.png");
    QFile::remove(png);
    for (const QStringList& args :
         {QStringList{"-s", "128", "/nonexistent/x.nc", png}, QStringList{"-s", "0", bracket, png},
          QStringList{"-s", "128", bracket}}) {
        EXPECT_NE(runtool(KORVEN_THUMBNAILER_EXE, args).status, 0) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(png));
    }
}
