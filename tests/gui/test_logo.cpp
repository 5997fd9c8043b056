// The start-up logo on real GL: the fly-in in the window, lit in gold and settled centred in
// the top view; hostile custom logo files compiled without a crash or a GL error; a logo file
// that cannot be read reported while the built-in logo stands in.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QTemporaryDir>
#include <QTimer>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "render/logo/logodesign.h"
#include "render/logo/logofile.h"
#include "render/logo/logoflyin.h"
#include "render/logobuilder.h"
#include "render/logoreport.h"
#include "tests/gui/support_viewer.h"

using namespace guitest;

namespace {

// Lit by the light from the viewer's side, a face square to the view is this gold.
bool gold(QRgb p) {
    return qRed(p) > 200 && qGreen(p) > 150 && qGreen(p) < 235 && qBlue(p) < 120;
}
// Any lit face of the logo, walls at a slant included: a dim or bright gold.
bool goldish(QRgb p) {
    return qRed(p) > 40 && qRed(p) >= qGreen(p) && qGreen(p) > qBlue(p);
}

int countif(const QImage& image, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

// Points the data folder at a temporary one for the life of the object.
class DataFolder {
  public:
    DataFolder() { qputenv("HOLVARIN_HOME", dir_.path().toLocal8Bit()); }
    ~DataFolder() { qunsetenv("HOLVARIN_HOME"); }
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;
    QString logofile() const { return dir_.filePath(QStringLiteral("holvarin.cfg")); }

  private:
    QTemporaryDir dir_;
};

}  // namespace

TEST(StartupLogo, FliesInLitInGoldAndSettlesCentredInTheTopView) {
    const DataFolder none;
    Tvorlixform w(commandline({}));
    w.logotiming = LogoFlyinTiming{1000, 0.5, 0};  // the pace itself is tested without GL
    w.show();
    ASSERT_TRUE(waituntil([&] { return !w.firstidle; }));
    EXPECT_GE(w.logoframesshown, 1);
    EXPECT_LE(w.logoframesshown, 1000);
    std::printf("fly-in frames shown: %d/1000\n", w.logoframesshown);
    EXPECT_DOUBLE_EQ(w.job.xmin, -10);
    EXPECT_DOUBLE_EQ(w.job.xmax, 210);
    EXPECT_DOUBLE_EQ(w.job.ymin, -154.686);
    EXPECT_DOUBLE_EQ(w.job.ymax, 7.366);
    EXPECT_EQ(w.job.zmin, -11);
    EXPECT_EQ(w.job.zmax, 1);
    EXPECT_EQ(w.view.rotx, 360);
    EXPECT_EQ(w.view.roty, 360);

    const QImage settled = w.wrkscreen->currentPicture();
    savepicture(settled, "logo_settled");
    // Only top faces face the viewer: gold on black, nothing else.
    const int area = settled.width() * settled.height();
    EXPECT_GT(countif(settled, gold), area / 10);
    EXPECT_LT(countothers(settled, {qRgb(0, 0, 0)}) - countif(settled, gold), area / 1000);
    const QRect box = drawnbox(settled);
    EXPECT_NEAR(box.center().x(), settled.width() / 2, 3);
    EXPECT_NEAR(box.center().y(), settled.height() / 2, 3);
    // The framed box reaches the edges of the tighter direction, the logo 5 % of it inside.
    EXPECT_TRUE(box.left() > 0 && box.top() > 0 && box.right() < settled.width() - 1 &&
                box.bottom() < settled.height() - 1);

    // On its way in the logo is seen from below and at a slant: lit all the same.
    const double h0 = w.view.viewscale;
    for (const int k : {60, 250, 500, 750, 900}) {
        const LogoFlyinPose pose = logoflyinpose(k, 1000, h0);
        w.view.viewscale = pose.viewscale;
        w.view.setviewangles(pose.rotx, pose.roty, pose.rotz);
        w.renderframe();
        const QImage picture = w.wrkscreen->currentPicture();
        savepicture(picture, "logo_flyin_" + std::to_string(k));
        const int lit = countif(picture, goldish);
        EXPECT_GT(lit, countothers(picture, {qRgb(0, 0, 0)}) * 9 / 10) << k;
        EXPECT_GT(lit, 30) << k;
    }

    // Before any file the view commands work on the logo's box; the stock block is drawn
    // unlit, in plain white, around the gold logo.
    w.drawrangeblockcheckbox->setChecked(true);
    w.SpeedButtonClick(w.SpeedButton[13]);
    const QImage boxed = w.wrkscreen->currentPicture();
    savepicture(boxed, "logo_preset_box");
    EXPECT_TRUE(w.logoshown);
    EXPECT_GT(countcolor(boxed, qRgb(255, 255, 255)), 500);
    EXPECT_GT(countif(boxed, goldish), area / 20);
    const QRect framed = drawnbox(boxed);
    EXPECT_NEAR(framed.center().x(), boxed.width() / 2, 3);
    EXPECT_NEAR(framed.center().y(), boxed.height() / 2, 3);
}

TEST(StartupLogo, FrameCountRestsCentredOnTheFootOfThePanel) {
    // On a scaled desktop the same layout in as many more device pixels.
    for (const int ratio : {1, 2}) {
        const QImage report = paintlogoreport(140, 75, 37, 1000, ratio);
        ASSERT_EQ(report.size(), QSize(140, 75) * ratio);
        QRect ink;
        for (int y = 0; y < report.height(); ++y) {
            for (int x = 0; x < report.width(); ++x) {
                if (qGray(report.pixel(x, y)) < 96) ink |= QRect(x, y, 1, 1);
            }
        }
        EXPECT_EQ(report.pixel(0, 0), qRgb(192, 192, 192));
        EXPECT_NEAR(ink.center().x(), 70 * ratio, 2 * ratio);
        EXPECT_GE(ink.top(), (75 - 17) * ratio);
        EXPECT_GT(ink.width(), 80 * ratio);  // "GL: 37/1000", eleven characters
    }
}

TEST(StartupLogo, UnreadableLogoFileIsReportedAndTheBuiltInLogoStandsIn) {
    const DataFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.logofile()));  // exists, but a folder cannot be read
    MessageAnswerer closer({}, 50);
    Tvorlixform w(commandline({}));
    w.show();
    ASSERT_TRUE(waituntil([&] { return !w.firstidle; }));
    const QString shown = closer.texts.empty() ? QString() : closer.texts.back();
    EXPECT_TRUE(shown.contains(QStringLiteral("holvarin.cfg"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("directory"))) << shown.toStdString();
    EXPECT_DOUBLE_EQ(w.job.ymin, -154.686);  // the built-in third section's extents
    EXPECT_GT(countif(w.wrkscreen->currentPicture(), gold), 1000);
}

namespace {

// A current GL context of its own, for compiling logos without a window.
class OffscreenGL {
  public:
    OffscreenGL() {
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        surface_.setFormat(format);
        surface_.create();
        context_.setFormat(format);
        context_.create();
        context_.makeCurrent(&surface_);
    }
    ~OffscreenGL() { context_.doneCurrent(); }
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

  private:
    QOffscreenSurface surface_;
    QOpenGLContext context_;
};

std::string filewith(const std::function<void(std::string&)>& records) {
    std::string bytes = logofilebytes({});
    records(bytes);
    return bytes;
}

void polygon(std::string& out, const std::vector<std::pair<float, float>>& loop) {
    appendlogorecord(out, LogoOp::PolygonBegin, 0, 0, 1);
    appendlogorecord(out, LogoOp::ContourBegin);
    for (const auto& [x, y] : loop) appendlogorecord(out, LogoOp::TessVertex, x, y, 0);
    appendlogorecord(out, LogoOp::ContourEnd);
    appendlogorecord(out, LogoOp::PolygonEnd);
}

}  // namespace

TEST(StartupLogo, HostileLogoFilesCompileWithoutAGLError) {
    // The reader's own tests cover every kind of bad record; here GL sees the worst of them.
    const OffscreenGL gl;
    const std::pair<const char*, std::string> files[] = {
        {"out of order", filewith([](std::string& f) {
             for (const int op : {104, 101, 102, 103, 1, 2, 0, 0, 100, 2, 3, 100, 101, 100, 0})
                 appendlogorecord(f, static_cast<LogoOp>(op), 1, 2, 3);
         })},
        {"too many vertices", filewith([](std::string& f) {
             std::vector<std::pair<float, float>> loop;
             for (int i = 0; i < 12000; ++i) {
                 loop.emplace_back(static_cast<float>(i % 200), static_cast<float>(i / 200));
             }
             polygon(f, loop);
         })},
        {"crossing contours", filewith([](std::string& f) {
             polygon(f, {{0, 0}, {100, 100}, {100, 0}, {0, 100}});
             std::vector<std::pair<float, float>> star;
             for (int i = 0; i < 400; ++i) {
                 star.emplace_back(static_cast<float>((i * 37) % 101),
                                   static_cast<float>((i * 53) % 97));
             }
             polygon(f, star);
         })},
    };
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("holvarin.cfg")).toStdString();
    for (const auto& [name, bytes] : files) {
        FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        int beeps = 0;
        const LogoBuildResult built = buildlogo(10, path, [&] { ++beeps; });
        EXPECT_TRUE(built.customused) << name;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << name;
        glEnable(GL_LIGHTING);
        calllogo(10);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << name;
        EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << name;
        // Crossing contours are the tessellator's to resolve; everything else was mended.
        EXPECT_EQ(beeps > 0, std::string(name) != "crossing contours") << name;
    }

    const LogoBuildResult missing =
        buildlogo(10, dir.filePath(QStringLiteral("gone.cfg")).toStdString(), [] {});
    EXPECT_FALSE(missing.customused);
    EXPECT_FALSE(missing.customerror.empty());
    EXPECT_EQ(missing.extents.ymin, -147.32);

    // A header alone replaces the third section with nothing: the second section's box.
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(logofilebytes({}).data(), 1, kLogoHeaderBytes, out);
    std::fclose(out);
    const LogoBuildResult headeronly = buildlogo(10, path, [] {});
    EXPECT_TRUE(headeronly.customused);
    EXPECT_EQ(headeronly.extents.ymin, -124.616);
    EXPECT_EQ(headeronly.extents.xmax, 200);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
