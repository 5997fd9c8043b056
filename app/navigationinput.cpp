#include "app/navigationinput.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWindow>
#include <chrono>
#include <cstdlib>

#include "app/panelbutton.h"
#include "app/programlink.h"
#include "app/programpane.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "render/rubberband.h"
#include "view/navigationkeys.h"

namespace {

// Click durations are measured on a clock that never jumps.
double monotonicseconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

MouseButton surfacebutton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return MouseButton::Other;
    }
}

struct KeyStep {
    int key;
    bool keypadonly;  // Shift+8 and the main minus key are ordinary keys
    NavigationKey step;
};

constexpr KeyStep kKeySteps[] = {
    {Qt::Key_F1, false, NavigationKey::F1},
    {Qt::Key_F2, false, NavigationKey::F2},
    {Qt::Key_F3, false, NavigationKey::F3},
    {Qt::Key_F4, false, NavigationKey::F4},
    {Qt::Key_Right, false, NavigationKey::Right},
    {Qt::Key_Clear, false, NavigationKey::Clear},
    {Qt::Key_Left, false, NavigationKey::Left},
    {Qt::Key_Up, false, NavigationKey::Up},
    {Qt::Key_Down, false, NavigationKey::Down},
    {Qt::Key_PageUp, false, NavigationKey::PageUp},
    {Qt::Key_Asterisk, true, NavigationKey::KeypadMultiply},
    {Qt::Key_Minus, true, NavigationKey::KeypadMinus},
};

NavigationKey navigationkey(const QKeyEvent& event) {
    const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
    for (const KeyStep& k : kKeySteps) {
        if (k.key == event.key() && (keypad || !k.keypadonly)) return k.step;
    }
    return NavigationKey::None;
}

// A Shift+left release this close to its press picks; further away it zooms, as a window
// zoom's click does.
constexpr int kPickClickPixels = 6;

bool ismousebuttonevent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
}

}  // namespace

NavigationInput::NavigationInput(Tvorlixform& form) : form_(form) {
    Tglimage* surface = form_.wrkscreen;
    form_.surfacedrag.rubberbandhook = [surface](PixelPoint a, PixelPoint from, PixelPoint to) {
        invertoutlines(*surface, {a.x, a.y, from.x, from.y}, {a.x, a.y, to.x, to.y});
    };
    // Moves without a button held arrive too: that is how a release lost elsewhere shows.
    surface->setMouseTracking(true);
    for (const int number : {2, 3, 9}) {
        form_.SpeedButton[static_cast<size_t>(number)]->setMouseTracking(true);
    }
    // The application's filter alone sees every event of the surface and the drag buttons;
    // a second filter on the controls themselves would act on each of them twice.
    qApp->installEventFilter(this);
}

NavigationInput::~NavigationInput() {
    form_.surfacedrag.rubberbandhook = nullptr;
}

bool NavigationInput::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        formkey(watched, *static_cast<QKeyEvent*>(event));
        return false;
    }
    if (losesmouse(watched, *event)) {
        enddrags();
        return false;
    }
    if (event->type() == QEvent::Leave && watched == form_.wrkscreen) {
        form_.programlink().hidepickreadout();  // it tells about the point under the pointer only
        return false;
    }
    if (!ismousebuttonevent(event->type())) return false;
    if (watched == form_.wrkscreen) return surfacemouse(event);
    for (const int number : {2, 3, 9}) {
        PanelButton* button = form_.SpeedButton[static_cast<size_t>(number)];
        if (watched == button && button->isEnabled()) return dragbuttonmouse(button, event);
    }
    return false;
}

bool NavigationInput::losesmouse(QObject* watched, const QEvent& event) const {
    switch (event.type()) {
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
            return watched == &form_ || watched == form_.windowHandle();
        case QEvent::UngrabMouse:
            return watched == form_.wrkscreen || watched == form_.SpeedButton[2] ||
                   watched == form_.SpeedButton[3] || watched == form_.SpeedButton[9];
        case QEvent::Show:
            // A pop-up takes the pointer, and the release with it.
            return watched->isWidgetType() &&
                   static_cast<QWidget*>(watched)->windowType() == Qt::Popup;
        default:
            return false;
    }
}

bool NavigationInput::surfacemouse(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = form_.wrkscreen->devicepixel(mouse->position());
    SurfaceDrag& drag = form_.surfacedrag;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // The picture's keys are the view's again once the user works on the picture.
            if (form_.focusWidget() == form_.programpane) form_.dummyscrollbar->setFocus();
            form_.programlink().hidepickreadout();
            // A left press is a window zoom whatever else is held; with Shift, one released
            // where it went down picks the line instead (decided at the release).
            shiftpick_ = mouse->button() == Qt::LeftButton &&
                         drag.dragmode == SurfaceDrag::None &&
                         (mouse->modifiers() & Qt::ShiftModifier) != 0 &&
                         (mouse->modifiers() & Qt::ControlModifier) == 0;
            drag.SurfaceMouseDown(surfacebutton(mouse->button()),
                                  (mouse->modifiers() & Qt::ControlModifier) != 0, at.x(), at.y(),
                                  monotonicseconds());
            break;
        case QEvent::MouseMove:
            if (mouse->buttons() == Qt::NoButton) {
                if (drag.dragmode != SurfaceDrag::None) {
                    endsurfacedrag();
                } else {
                    form_.programlink().pickat(at.x(), at.y(), false);
                }
            } else if (drag.SurfaceMouseMove(at.x(), at.y())) {
                form_.view.render();
            }
            break;
        default:
            if (shiftpick_ && mouse->button() == Qt::LeftButton && drag.nearanchor() &&
                std::abs(at.x() - drag.anchorpoint.x) <= kPickClickPixels &&
                std::abs(at.y() - drag.anchorpoint.y) <= kPickClickPixels) {
                const PixelPoint press = drag.anchorpoint;
                shiftpick_ = false;
                drag.abandon(monotonicseconds());
                form_.view.render();  // takes away what the rubber band drew
                form_.programlink().pickat(press.x, press.y, true);
            } else {
                endsurfacedrag();
            }
            break;
    }
    return true;
}

void NavigationInput::endsurfacedrag() {
    shiftpick_ = false;
    form_.surfacedrag.SurfaceMouseUp(monotonicseconds());
    form_.view.render();
}

bool NavigationInput::dragbuttonmouse(QWidget* button, QEvent* event) {
    // The panel keeps logical pixels: its travel and the surface height it is scaled by are
    // both logical, so a drag turns the view alike at any ratio.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    PanelDrag& drag = form_.paneldrag;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // Where the press happened, not where the pointer is by the time a busy window
            // gets to it: that is where it goes back to.
            const QPoint cursor = mouse->globalPosition().toPoint();
            drag.SpeedButtonMouseDown(button->objectName().toStdString(), at.x(), at.y(),
                                      {cursor.x(), cursor.y()});
            // The button shows itself pressed for the left button; other buttons must not
            // reach the panel underneath, whose right press opens a menu.
            return mouse->button() != Qt::LeftButton;
        }
        case QEvent::MouseMove:
            if (mouse->buttons() == Qt::NoButton) {
                if (drag.dragging()) endpaneldrag();
            } else {
                drag.SpeedButtonMouseMove(at.x(), at.y(), form_.wrkscreen->height());
            }
            return false;
        default:
            // After a drag already ended by a lost mouse the late release changes nothing.
            if (drag.dragging()) endpaneldrag();
            return mouse->button() != Qt::LeftButton;
    }
}

void NavigationInput::endpaneldrag() {
    const ScreenPoint back = form_.paneldrag.SpeedButtonMouseUp();
    QCursor::setPos(back.x, back.y);
}

void NavigationInput::enddrags() {
    if (form_.surfacedrag.dragmode != SurfaceDrag::None) endsurfacedrag();
    if (form_.paneldrag.dragging()) endpaneldrag();
}

void NavigationInput::formkey(QObject* receiver, const QKeyEvent& event) {
    // A key travels from the window to the focused control and on to its parents while they
    // ignore it; it is taken once, at the control it is meant for.
    if (!receiver->isWidgetType()) return;
    auto* widget = static_cast<QWidget*>(receiver);
    if (widget->window() != &form_) return;
    // The window's own focus control, active or not: the one the window hands its keys to.
    const QWidget* focus = form_.focusWidget();
    if (widget != (focus != nullptr ? focus : &form_)) return;
    if (form_.programlink().programkey(event.key(), event.modifiers())) return;
    // Up, Down and Page Up move the program pane's selection while it has the focus.
    if (focus != nullptr && focus == form_.programpane &&
        (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down ||
         event.key() == Qt::Key_PageUp)) {
        return;
    }
    const NavigationKey key = navigationkey(event);
    if (key == NavigationKey::None) return;
    form_.dummyscrollbar->setFocus();
    form_.renderlater([this, key] { FormKeyDown(form_.view, key, form_.extents()); });
}
