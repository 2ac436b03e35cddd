// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboveFullScreen.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef ORDALIS_XCB
#include <xcb/xcb.h>
#endif

namespace ordalis {
namespace {

constexpr int WatchMs = 300;

#ifdef ORDALIS_XCB
template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a property, none when it is not set.
QList<uint32_t> values(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property,
                       xcb_atom_t type) {
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, type, 0, 64), nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return {};
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QList<uint32_t>(data, data + xcb_get_property_value_length(reply.get()) / 4);
}

// The active window when it is full screen and not `own`.
xcb_window_t activeFullScreenWindow(xcb_connection_t* x, xcb_window_t root, xcb_window_t own) {
    const QList<uint32_t> active = values(x, root, atom(x, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    if (active.isEmpty() || active.constFirst() == XCB_WINDOW_NONE || active.constFirst() == own)
        return XCB_WINDOW_NONE;
    const QList<uint32_t> states =
        values(x, active.constFirst(), atom(x, "_NET_WM_STATE"), XCB_ATOM_ATOM);
    if (!states.contains(atom(x, "_NET_WM_STATE_FULLSCREEN")))
        return XCB_WINDOW_NONE;
    return active.constFirst();
}
#endif

} // namespace

AboveFullScreen::AboveFullScreen(QWidget* window)
    : QObject(window)
    , m_window(window) {
    m_watch.setInterval(WatchMs);
    connect(&m_watch, &QTimer::timeout, this, &AboveFullScreen::follow);
#ifdef ORDALIS_XCB
    if (qGuiApp->nativeInterface<QNativeInterface::QX11Application>() != nullptr)
        m_watch.start();
#endif
}

void AboveFullScreen::follow() {
#ifdef ORDALIS_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!m_window->isVisible() || m_window->internalWinId() == 0)
        return;
    xcb_connection_t* x = x11->connection();
    const xcb_window_t own = xcb_window_t(m_window->internalWinId());
    const xcb_setup_t* setup = xcb_get_setup(x);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    const xcb_window_t owner = activeFullScreenWindow(x, root, own);
    if (owner == m_owner)
        return;
    m_owner = owner;
    if (owner != XCB_WINDOW_NONE)
        xcb_change_property(x, XCB_PROP_MODE_REPLACE, own, XCB_ATOM_WM_TRANSIENT_FOR,
                            XCB_ATOM_WINDOW, 32, 1, &owner);
    else
        xcb_delete_property(x, own, XCB_ATOM_WM_TRANSIENT_FOR);
    xcb_flush(x);
#endif
}

} // namespace ordalis
