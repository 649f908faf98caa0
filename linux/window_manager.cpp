#include "linux/window_manager.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <span>
#include <thread>
#include <vector>

namespace tarvex::windowManager {

namespace {

// EWMH's source indication for requests from a task bar or pager.
constexpr std::uint32_t kSourcePager = 2;

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template<typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// The atoms, asked for all at once so that naming them costs one round trip.
template<std::size_t N>
std::array<xcb_atom_t, N> atoms(xcb_connection_t *connection,
                                const std::array<const char *, N> &names)
{
    std::array<xcb_intern_atom_cookie_t, N> cookies{};
    for (std::size_t i = 0; i < N; ++i)
        cookies[i] = xcb_intern_atom(connection, 0,
                                     static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, N> result{};
    for (std::size_t i = 0; i < N; ++i) {
        const ReplyPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr));
        result[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return result;
}

// A property of 32-bit values, empty when the window has none of that type.
std::vector<std::uint32_t> cardinals(xcb_connection_t *connection, xcb_window_t window,
                                     xcb_atom_t property, xcb_atom_t type, std::uint32_t count)
{
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, count), nullptr));
    if (reply == nullptr || reply->type != type || reply->format != 32)
        return {};
    const std::span values(
        static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get())),
        static_cast<std::size_t>(xcb_get_property_value_length(reply.get()) / 4));
    return {values.begin(), values.end()};
}

ReplyPtr<xcb_query_tree_reply_t> treeOf(xcb_connection_t *connection, xcb_window_t window)
{
    return ReplyPtr<xcb_query_tree_reply_t>(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
}

xcb_window_t rootOf(xcb_connection_t *connection, xcb_window_t window)
{
    const auto tree = treeOf(connection, window);
    return tree != nullptr ? tree->root : xcb_window_t{XCB_WINDOW_NONE};
}

// A client message about the window to the root window, as EWMH has clients ask the window
// manager.
void sendToWindowManager(xcb_connection_t *connection, xcb_window_t root, xcb_window_t window,
                         xcb_atom_t type, std::array<std::uint32_t, 5> data)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::ranges::copy(data, message.data.data32);
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

} // namespace

std::optional<QMargins> frameExtentsBeforeMapping(QWindow *window,
                                                  std::chrono::milliseconds patience)
{
    xcb_connection_t *connection = x11Connection();
    if (connection == nullptr || window == nullptr)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto [supported, request, extents] = atoms<3>(
        connection, {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"});
    const xcb_window_t root = rootOf(connection, id);
    // Without a window manager there is no frame; only one that says it answers the request
    // will answer it.
    const std::vector<std::uint32_t> features =
        cardinals(connection, root, supported, XCB_ATOM_ATOM, 1024);
    if (features.empty())
        return QMargins();
    if (std::ranges::find(features, request) == features.end())
        return std::nullopt;

    sendToWindowManager(connection, root, id, request, {});
    // Qt reads the window's events on a thread of its own, so the answer, a property set on
    // the window, is looked for rather than waited for.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    do {
        const std::vector<std::uint32_t> frame =
            cardinals(connection, id, extents, XCB_ATOM_CARDINAL, 4);
        if (frame.size() == 4) {
            // left, right, top, bottom, in device pixels
            const double ratio = window->devicePixelRatio();
            const auto dip = [ratio](std::uint32_t pixels) {
                return static_cast<int>(std::ceil(pixels / ratio));
            };
            return QMargins(dip(frame[0]), dip(frame[2]), dip(frame[1]), dip(frame[3]));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

bool activateAsPager(QWindow *window)
{
    xcb_connection_t *connection = x11Connection();
    if (connection == nullptr || window == nullptr)
        return false;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto [activeWindow] = atoms<1>(connection, {"_NET_ACTIVE_WINDOW"});
    sendToWindowManager(connection, rootOf(connection, id), id, activeWindow,
                        {kSourcePager, XCB_CURRENT_TIME, 0, 0, 0});
    return true;
}

bool isPlacedInPanel(QWindow *window)
{
    xcb_connection_t *connection = x11Connection();
    if (connection == nullptr || window == nullptr)
        return false;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), nullptr));
    if (attributes == nullptr || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return false;
    const ReplyPtr<xcb_get_geometry_reply_t> size(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    const xcb_window_t root = rootOf(connection, id);
    const ReplyPtr<xcb_get_geometry_reply_t> screen(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, root), nullptr));
    const ReplyPtr<xcb_translate_coordinates_reply_t> place(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr));
    if (size == nullptr || screen == nullptr || place == nullptr || place->dst_x < 0 ||
        place->dst_y < 0 || place->dst_x + size->width > screen->width ||
        place->dst_y + size->height > screen->height)
        return false;

    const auto [windowType, dock] =
        atoms<2>(connection, {"_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK"});
    for (auto tree = treeOf(connection, id); tree != nullptr && tree->parent != root;
         tree = treeOf(connection, tree->parent)) {
        const std::vector<std::uint32_t> types =
            cardinals(connection, tree->parent, windowType, XCB_ATOM_ATOM, 16);
        if (std::ranges::find(types, dock) != types.end())
            return true;
    }
    return false;
}

} // namespace tarvex::windowManager
