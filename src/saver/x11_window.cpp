#include "x11_window.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>

#include <xcb/xcb.h>

namespace quillo {

bool x11WindowSize(uint64_t id, QSize& size)
{
    if (id == 0 || id > 0xFFFFFFFFu) return false; // X window ids are 32 bits
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, xcb_drawable_t(id)), &error);
    std::free(error);
    if (!reply) return false;
    size = QSize(reply->width, reply->height);
    std::free(reply);
    return true;
}

} // namespace quillo
