// Pictures without a window: korven-info --png and korven-thumbnailer run as programs with no
// display, against the real window's surface picture and against bad input.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <cmath>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "render/headlesspicture.h"
#include "view/orientation.h"
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
    return outdir() + QLatin1Char('/') + name;
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

namespace {

// The exact and the simplified picture of a job in ISO1, compared pixel by pixel.
struct PictureDifference {
    int lit = 0;        // not the black background, in the exact picture
    int differing = 0;  // of another colour in the simplified one
    // Lit in one picture with nothing lit at most one pixel away in the other: chords within
    // a fraction of a pixel of the path move a rasterized line by at most one pixel.
    int uncovered = 0;
};

// Simplified as the tools draw large programs, or (forced) whatever its size.
PictureDifference simplifiedagainstexact(const NcJob& job, int width, int height, bool forced) {
    const ViewPreset& iso = viewpreset(ViewPresetId::Iso1);
    PictureDetail whole;
    whole.tolerancepixels = 0.0;
    PictureDetail simplified;
    if (forced) simplified.simplifyfrom = 0, simplified.nodesperpixel = 0.0;
    const HeadlessPicture exact = drawjobpicture(job, iso, width, height, whole);
    const HeadlessPicture simple = drawjobpicture(job, iso, width, height, simplified);
    PictureDifference d;
    EXPECT_EQ(exact.rgb.size(), simple.rgb.size());
    if (exact.rgb.size() != simple.rgb.size()) return d;
    auto color = [width](const HeadlessPicture& p, int x, int y) {
        const size_t i = 3 * (static_cast<size_t>(y) * static_cast<size_t>(width) +
                              static_cast<size_t>(x));
        return (p.rgb[i] << 16) | (p.rgb[i + 1] << 8) | p.rgb[i + 2];
    };
    auto nearlit = [&](const HeadlessPicture& p, int x, int y) {
        for (int v = std::max(0, y - 1); v <= std::min(height - 1, y + 1); ++v) {
            for (int u = std::max(0, x - 1); u <= std::min(width - 1, x + 1); ++u) {
                if (color(p, u, v) != 0) return true;
            }
        }
        return false;
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int e = color(exact, x, y), s = color(simple, x, y);
            d.lit += e != 0;
            d.differing += e != s;
            d.uncovered += (e != 0 && !nearlit(simple, x, y)) || (s != 0 && !nearlit(exact, x, y));
        }
    }
    return d;
}

}  // namespace

TEST(HeadlessPicture, SimplifiedPicturesStayWithinAPixelOfTheExactOnes) {
    // Small programs are drawn whole by the tools; here every program is simplified.
    std::vector<std::string> programs{kBracket};
    const QDir corpus(QStringLiteral(KORVEN_CORPUS));
    for (const QString& name : corpus.entryList(QDir::Files)) {
        if (!name.endsWith(QStringLiteral(".md"))) {
            programs.push_back(corpus.filePath(name).toStdString());
        }
    }
    for (const std::string& program : programs) {
        NcJob job;
        job.arcDataError = [] {};
        job.InitPlot(0);
        job.interpreting = true;
        job.PlotOnly(program);
        for (const QSize size : {QSize(256, 256), QSize(800, 600)}) {
            const PictureDifference d =
                simplifiedagainstexact(job, size.width(), size.height(), true);
            EXPECT_EQ(d.uncovered, 0) << program << " at " << size.width() << ": " << d.differing
                                      << " of " << d.lit << " lit pixels differ";
        }
    }
    // Two million nodes of circular pocket passes (chords of arcs, as programs hold them),
    // stepping down in Z with a tool change every pass: lines closer than a pixel everywhere.
    NcJob job;
    job.InitPlot(0);
    const double step = 2 * M_PI / 720;
    for (int32_t i = 0; i < 2000000; ++i) {
        const int pass = i / 100000;
        const double radius = 2 + 48.0 * (i % 100000) / 100000.0;
        job.nodes.pushnodedata(i, kSlotColorIndex[static_cast<size_t>(pass % 10)],
                               radius * std::cos(i * step), radius * std::sin(i * step),
                               -0.5 * pass);
    }
    job.xmin = job.ymin = -50, job.xmax = job.ymax = 50, job.zmin = -10, job.zmax = 0;
    for (const QSize size : {QSize(256, 256), QSize(1024, 768)}) {
        const PictureDifference d = simplifiedagainstexact(job, size.width(), size.height(), true);
        EXPECT_GT(d.lit, size.width() * size.height() / 20);
        EXPECT_EQ(d.uncovered, 0) << size.width() << ": " << d.differing << " of " << d.lit
                                  << " lit pixels differ";
    }
}
