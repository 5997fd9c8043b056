// Where the main window sits: centred at its design size as the normal geometry, maximised at
// start. Maximising is a window manager's work; on a display without one the window does it.
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "app/vorlixmain.h"

#if defined(KORVEN_HAVE_XCB) && QT_CONFIG(xcb)
#define KORVEN_X11_CHECK
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
#endif

namespace {

#ifdef KORVEN_X11_CHECK
xcb_atom_t internatom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The 32-bit items of a property (windows, atoms); none when it is missing or the window gone.
std::vector<uint32_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                               xcb_atom_t type, uint32_t maxitems) {
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, maxitems);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::vector<uint32_t> items;
    if (reply != nullptr && reply->format == 32) {
        items.resize(static_cast<size_t>(xcb_get_property_value_length(reply)) / 4);
        std::memcpy(items.data(), xcb_get_property_value(reply), items.size() * 4);
    }
    std::free(reply);
    return items;
}

// A window manager that follows the desktop conventions names its check window on the root
// window, and the check window names itself (a name left by one that has exited does not);
// it lists the maximised state among what it supports.
bool x11windowmanager() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return true;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t check = internatom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto child = property(connection, root, check, XCB_ATOM_WINDOW, 1);
    if (child.empty() || property(connection, child[0], check, XCB_ATOM_WINDOW, 1) != child) {
        return false;
    }
    const auto supported =
        property(connection, root, internatom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    const xcb_atom_t maximised = internatom(connection, "_NET_WM_STATE_MAXIMIZED_VERT");
    return std::find(supported.begin(), supported.end(), maximised) != supported.end();
}
#endif

// Whether something other than this window will act on its maximise request.
bool windowmanagermaximises() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
#ifdef KORVEN_X11_CHECK
        return x11windowmanager();
#else
        return true;
#endif
    }
    // Displays whose windows nobody arranges: a virtual screen, a framebuffer.
    for (const char* bare : {"offscreen", "minimal", "vnc", "linuxfb", "vkkhrdisplay"}) {
        if (platform == QLatin1String(bare)) return false;
    }
    return true;
}

}  // namespace

void Tvorlixform::placewindow() {
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    normalrect_ = geometry();
    selfmaximise_ = !windowmanagermaximises();
    setWindowState(windowState() | Qt::WindowMaximized);
}

void Tvorlixform::setVisible(bool visible) {
    QWidget::setVisible(visible);
    if (visible && (windowState() & Qt::WindowMaximized)) fillscreen();
}

void Tvorlixform::fillscreen() {
    // Resizing the platform window keeps the widget maximised with its normal geometry, where
    // resizing the widget would make the screen's size the normal one.
    if (!selfmaximise_ || !isVisible() || windowHandle() == nullptr || screen() == nullptr) return;
    windowHandle()->setGeometry(screen()->availableGeometry());
}

void Tvorlixform::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !selfmaximise_) return;
    const Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    const Qt::WindowStates now = windowState();
    if ((now & Qt::WindowMaximized) && !(before & Qt::WindowMaximized)) {
        normalrect_ = normalGeometry();
        fillscreen();
    } else if ((before & Qt::WindowMaximized) && now == Qt::WindowNoState) {
        setGeometry(normalrect_);
    }
}
