#pragma once
// The drawing surface: one OpenGL context drawing into a target of the window area's size,
// whose picture is copied into the window at every ShowFrame. The window itself is painted
// by the toolkit's raster path: a window composed by GL instead would blend the whole of it
// (panel included) at every frame, which on a software rasterizer costs more than a drag
// frame's drawing. Callers bracket their GL calls with BeginGL/EndGL and present with
// ShowFrame; the surface itself never renders a scene, a paint request only shows the last
// frame again.

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "render/drawtarget.h"

class QOpenGLContext;
class QOffscreenSurface;
class QOpenGLFramebufferObject;

// The view the very first frame of a fresh context is set up with.
struct SurfaceView {
    double viewscale = 10.0;
    double rotx = 0, roty = 0, rotz = 0;
    double centerx = 0, centery = 0, centerz = 0;
};

class Tglimage : public QWidget, public DrawTarget {
    Q_OBJECT
  public:
    explicit Tglimage(QWidget* parent, bool rambuffer);
    ~Tglimage() override;

    // GL can be drawn: the area has been shown (so it has its size), or the RAM-buffer mode's
    // target serves before that.
    bool ready() const override { return rambuffer_ || shownonce_; }

    void BeginGL() override;
    void EndGL() override;
    void ShowFrame() override;
    // The picture is the widget's size in device pixels: on a scaled desktop (a ratio above
    // 1) the window system gives the widget that many pixels, and GL works in nothing else.
    int pixelwidth() const override { return devicesize().width(); }
    int pixelheight() const override { return devicesize().height(); }
    double devicepixelratio() const { return devicePixelRatioF(); }
    // An event's position (logical, relative to this widget) to the device pixel under it,
    // y downward: the one place where input meets the picture's pixels.
    QPoint devicepixel(const QPointF& logical) const;
    // One-time GL state of a fresh context: clear to the background, viewport, matrices.
    void InitView(uint32_t color);

    // Front-buffer mode: frames become visible while they are drawn; paint requests show
    // nothing new.
    bool frontbuffer() const override { return frontbuffer_; }
    void setFrontbuffer(bool on) { frontbuffer_ = on; }
    bool rambuffer() const { return rambuffer_; }

    // Background colour value (red in the low byte); black in the main window.
    uint32_t Color() const override { return color_; }
    void setColor(uint32_t color) { color_ = color; }

    std::function<SurfaceView()> currentview;
    // Told the area size (the picture's size in device pixels) at every paint request.
    std::function<void(int, int)> areasizechanged;
    // The area has been painted at least once (so its size is known).
    bool paintedonce() const { return paintedonce_; }

    // 2D fill over the last shown picture (the GDI-style canvas role), presented at once.
    void fillCanvas(uint32_t color);

    // Composes what has been painted in the widget's window on screen now and hands it to the
    // display server, without dispatching a single queued event: a job holds the thread, and
    // no input, resize or timer may run inside it.
    static void flushdisplay(QWidget* widget);

    // What the surface shows now (for tests and screenshots).
    QImage currentPicture();

    // Sizes of the off-screen target in RAM-buffer mode, device pixels (0 before the first
    // frame).
    int bitmapwidth() const { return bitmapwidth_; }
    int bitmapheight() const { return bitmapheight_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What the GL target measures: the widget's size in device pixels.
    QSize devicesize() const { return size() * devicePixelRatioF(); }
    void beginoffscreen();
    void recopyoffscreen();
    void takeshownpicture();
    void recordareasize();
    void presentnow();

    bool rambuffer_;
    bool frontbuffer_ = false;
    uint32_t color_ = 0;
    bool contextnew_ = true;
    bool paintedonce_ = false;
    bool showingframe_ = false;
    bool shownonce_ = false;
    // A context on an off-screen surface, a framebuffer of the area's size, and the picture
    // the window shows (the last frame, or a canvas fill over it).
    std::unique_ptr<QOffscreenSurface> offsurface_;
    std::unique_ptr<QOpenGLContext> offcontext_;
    std::unique_ptr<QOpenGLFramebufferObject> bitmap_;
    int bitmapwidth_ = 0;
    int bitmapheight_ = 0;
    QImage shown_;
};
