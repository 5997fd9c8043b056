#include "render/glimage.h"

#include <GL/gl.h>
#include <QtGui/qguiapplication_platform.h>
#include <dlfcn.h>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>
#include <QSurfaceFormat>
#include <algorithm>
#include <cmath>

namespace {

QSurfaceFormat surfaceformat() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setDepthBufferSize(24);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return f;
}

}  // namespace

Tglimage::Tglimage(QWidget* parent, bool rambuffer) : QWidget(parent), rambuffer_(rambuffer) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Tglimage::~Tglimage() {
    if (offcontext_) {
        offcontext_->makeCurrent(offsurface_.get());
        bitmap_.reset();
        offcontext_->doneCurrent();
    }
}

void Tglimage::beginoffscreen() {
    if (!offcontext_) {
        offsurface_ = std::make_unique<QOffscreenSurface>();
        offsurface_->setFormat(surfaceformat());
        offsurface_->create();
        offcontext_ = std::make_unique<QOpenGLContext>();
        offcontext_->setFormat(surfaceformat());
        offcontext_->create();
    }
    offcontext_->makeCurrent(offsurface_.get());
    if (!bitmap_ || pixelwidth() != bitmapwidth_ || pixelheight() != bitmapheight_) {
        // A new target of the new size; the context carries on drawing into it.
        bitmap_.reset();
        bitmapwidth_ = pixelwidth();
        bitmapheight_ = pixelheight();
        bitmap_ = std::make_unique<QOpenGLFramebufferObject>(
            std::max(1, bitmapwidth_), std::max(1, bitmapheight_), QOpenGLFramebufferObject::Depth);
    }
    bitmap_->bind();
}

void Tglimage::BeginGL() {
    beginoffscreen();
    if (contextnew_ && QOpenGLContext::currentContext() != nullptr) {
        contextnew_ = false;
        InitView(color_);
    }
}

void Tglimage::EndGL() {
    if (offcontext_) offcontext_->doneCurrent();
}

void Tglimage::ShowFrame() {
    if (!bitmap_) return;
    takeshownpicture();
    presentnow();
    // Painting may leave another context current; the caller's frame goes on in ours.
    offcontext_->makeCurrent(offsurface_.get());
    bitmap_->bind();
}

QPoint Tglimage::devicepixel(const QPointF& logical) const {
    // Positions reach us divided down from the display's pixels (pixel 1 at a ratio of 1.25
    // is 0.8); the tiny lift brings them back to that pixel, not one short through rounding.
    const double r = devicepixelratio();
    return {static_cast<int>(std::floor(logical.x() * r + 1e-6)),
            static_cast<int>(std::floor(logical.y() * r + 1e-6))};
}

void Tglimage::takeshownpicture() {
    // Read straight in the window's own pixel layout (0xAARRGGBB words), so that painting it
    // is a plain copy; the framebuffer's rows run bottom up. Device pixels; the ratio lets
    // the painter lay it over the widget's logical size.
    constexpr GLenum kBgra = 0x80E1;             // GL_BGRA
    constexpr GLenum kWordsReversed = 0x8367;    // GL_UNSIGNED_INT_8_8_8_8_REV
    QImage picture(bitmapwidth_, bitmapheight_, QImage::Format_RGB32);
    if (picture.isNull()) return;
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, bitmapwidth_, bitmapheight_, kBgra, kWordsReversed, picture.bits());
    shown_ = std::move(picture).mirrored();
    shown_.setDevicePixelRatio(devicepixelratio());
}

void Tglimage::presentnow() {
    showingframe_ = true;
    // Marked, then painted and flushed once by the update request below (a repaint here
    // would copy the whole picture to the display a second time).
    update();
    flushdisplay(this);
    showingframe_ = false;
}

void Tglimage::flushdisplay(QWidget* widget) {
    // The toolkit may turn repaints that follow each other within a display frame into
    // deferred updates (it does for windows composed by GL), and those wait for the event
    // loop; the update request is therefore handed to the window here, which paints and
    // flushes what is dirty at once.
    if (widget != nullptr && widget->isVisible()) {
        // The update() that marked the area also posted a request, which would flush the
        // window again once the event loop runs. The request sent now paints all that is
        // dirty, and anything marked after it posts a request of its own.
        QCoreApplication::removePostedEvents(widget->window(), QEvent::UpdateRequest);
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(widget->window(), &request);
    }
#if QT_CONFIG(xcb)
    // Requests queue in the client library until the event loop flushes them. The flush
    // functions are taken from the libraries the platform plugin has already loaded.
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr) return;
    using Flush = int (*)(void*);
    static const auto xflush = reinterpret_cast<Flush>(dlsym(RTLD_DEFAULT, "XFlush"));
    static const auto xcbflush = reinterpret_cast<Flush>(dlsym(RTLD_DEFAULT, "xcb_flush"));
    if (x11->display() != nullptr && xflush != nullptr) {
        xflush(x11->display());
    } else if (x11->connection() != nullptr && xcbflush != nullptr) {
        xcbflush(x11->connection());
    }
#endif
}

void Tglimage::recordareasize() {
    paintedonce_ = true;
    if (areasizechanged) areasizechanged(pixelwidth(), pixelheight());
}

void Tglimage::paintEvent(QPaintEvent* event) {
    if (!showingframe_) recordareasize();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    QRegion uncovered = event->region();
    if (!shown_.isNull()) {
        painter.drawImage(0, 0, shown_);
        uncovered -= QRect(QPoint(0, 0), shown_.deviceIndependentSize().toSize());
    }
    // Until a frame of the new size is drawn, what the last one does not reach is background.
    const QColor background(static_cast<int>(color_ & 255U), static_cast<int>((color_ >> 8) & 255U),
                            static_cast<int>((color_ >> 16) & 255U));
    for (const QRect& r : uncovered) painter.fillRect(r, background);
}

void Tglimage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Told before anything is drawn at the new size: a frame drawn in answer to the resize
    // paints the area itself, and no paint request follows to tell it.
    if (shownonce_) recordareasize();
}

void Tglimage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shownonce_ = true;
    // The display server asks the top-level window, not this widget, to repaint what it
    // uncovers; a repeated install replaces the earlier one.
    if (rambuffer_ && window()->windowHandle() != nullptr) {
        window()->windowHandle()->installEventFilter(this);
    }
}

bool Tglimage::eventFilter(QObject* watched, QEvent* event) {
    // Uncovered parts are painted from the off-screen picture, as after every frame: a canvas
    // fill drawn over the window since (the black of a failed open) does not come back.
    if (event->type() == QEvent::Expose && !frontbuffer_ && isVisible()) {
        const auto* handle = qobject_cast<QWindow*>(watched);
        if (handle != nullptr && handle->isExposed()) recopyoffscreen();
    }
    return QWidget::eventFilter(watched, event);
}

void Tglimage::recopyoffscreen() {
    if (!bitmap_) return;
    // An expose can arrive inside a message box's loop, while another context is current.
    QOpenGLContext* previous = QOpenGLContext::currentContext();
    QSurface* previoussurface = previous != nullptr ? previous->surface() : nullptr;
    offcontext_->makeCurrent(offsurface_.get());
    takeshownpicture();
    if (previous == offcontext_.get()) {
        bitmap_->bind();  // a frame is being drawn: it goes on into the target
    } else if (previous != nullptr) {
        previous->makeCurrent(previoussurface);
    } else {
        offcontext_->doneCurrent();
    }
    update();
}

void Tglimage::InitView(uint32_t color) {
    float r = 0, g = 0, b = 0;
    ColorToGL(color, r, g, b);
    glClearColor(r, g, b, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const int w = std::max(1, pixelwidth());
    const int h = std::max(1, pixelheight());
    glViewport(0, 0, w, h);
    const SurfaceView v = currentview ? currentview() : SurfaceView{};
    const double aspect = static_cast<double>(w) / static_cast<double>(h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-v.viewscale * aspect, v.viewscale * aspect, -v.viewscale, v.viewscale, -99999.0,
            99999.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(static_cast<float>(v.rotx), 1, 0, 0);
    glRotatef(static_cast<float>(v.roty), 0, 1, 0);
    glRotatef(static_cast<float>(v.rotz), 0, 0, 1);
    glTranslatef(static_cast<float>(-v.centerx), static_cast<float>(-v.centery),
                 static_cast<float>(-v.centerz));
    glEnable(GL_DEPTH_TEST);
}

void Tglimage::fillCanvas(uint32_t color) {
    const QColor c(static_cast<int>(color & 255U), static_cast<int>((color >> 8) & 255U),
                   static_cast<int>((color >> 16) & 255U));
    if (!rambuffer_) {
        // The fill is the window's own: a frame drawn over what is shown (the start of a
        // drag) builds on it, and an uncovered part shows it again.
        if (!shownonce_) return;
        if (bitmap_) {
            QOpenGLContext* previous = QOpenGLContext::currentContext();
            QSurface* previoussurface = previous != nullptr ? previous->surface() : nullptr;
            offcontext_->makeCurrent(offsurface_.get());
            bitmap_->bind();
            glClearColor(static_cast<float>(c.redF()), static_cast<float>(c.greenF()),
                         static_cast<float>(c.blueF()), 1.0F);
            glClear(GL_COLOR_BUFFER_BIT);
            if (previous == offcontext_.get()) {
                // a frame is being drawn: it goes on into the target
            } else if (previous != nullptr) {
                previous->makeCurrent(previoussurface);
            } else {
                offcontext_->doneCurrent();
            }
        }
    }
    // RAM-buffer mode: the fill lands on the window copy, not on the off-screen target.
    if (shown_.size() != devicesize()) shown_ = QImage(devicesize(), QImage::Format_RGB32);
    shown_.setDevicePixelRatio(devicepixelratio());
    shown_.fill(c);
    if (isVisible()) presentnow();
}

QImage Tglimage::currentPicture() {
    if (!shownonce_ && !rambuffer_) return {};
    if (shown_.isNull()) {
        // Nothing drawn yet: the background the area is painted with.
        QImage blank(devicesize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        blank.setDevicePixelRatio(devicepixelratio());
        blank.fill(QColor(static_cast<int>(color_ & 255U), static_cast<int>((color_ >> 8) & 255U),
                          static_cast<int>((color_ >> 16) & 255U)));
        return blank;
    }
    return shown_;
}
