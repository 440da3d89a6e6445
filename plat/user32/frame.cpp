// The frame a window manager will put around a window that is not on the screen yet. Windows
// knows a window's frame from its style at creation; under X the manager frames a window only
// when it maps it, but a manager that follows the desktop conventions says beforehand what
// frame it will give, when asked. Without a manager, or off X, a window has no frame.
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>
#include <xcb/xcb.h>
#include "user32/frame.h"

namespace {

xcb_atom_t atom(xcb_connection_t *c, const char *name) {
    xcb_intern_atom_reply_t *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), nullptr);
    xcb_atom_t a = r ? r->atom : (xcb_atom_t)XCB_ATOM_NONE;
    free(r);
    return a;
}

// The 32-bit values of a window's property (none when it has not got it).
std::vector<uint32_t> property(xcb_connection_t *c, xcb_window_t w, xcb_atom_t a,
                               xcb_atom_t type) {
    std::vector<uint32_t> values;
    xcb_get_property_reply_t *r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, a, type, 0, 1024), nullptr);
    if (r && r->format == 32) {
        const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(r));
        values.assign(v, v + xcb_get_property_value_length(r) / 4);
    }
    free(r);
    return values;
}

} // namespace

std::optional<QMargins> frame_estimate(const QWidget *window) {
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_window_t w = window ? (xcb_window_t)window->internalWinId() : 0;
    if (x11 == nullptr || w == 0) return std::nullopt;
    xcb_connection_t *c = x11->connection();
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    // Only a running manager that says it answers the question is asked.
    std::vector<uint32_t> check = property(c, root, atom(c, "_NET_SUPPORTING_WM_CHECK"),
                                           XCB_ATOM_WINDOW);
    std::vector<uint32_t> supported = property(c, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (check.empty() || std::find(supported.begin(), supported.end(), request) == supported.end())
        return std::nullopt;
    xcb_client_message_event_t ask{};
    ask.response_type = XCB_CLIENT_MESSAGE;
    ask.format = 32;
    ask.window = w;
    ask.type = request;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&ask));
    xcb_flush(c);
    // The manager answers by setting the property; a busy one may take a moment.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    do {
        std::vector<uint32_t> e = property(c, w, extents, XCB_ATOM_CARDINAL);
        if (e.size() == 4) // left, right, top, bottom
            return QMargins((int)e[0], (int)e[2], (int)e[1], (int)e[3]);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < until);
    return std::nullopt;
}
