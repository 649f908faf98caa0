// An X11 notification area that takes an icon in at once and puts it in its place only later, as
// LXQt's panel does when it starts after the program: it holds the icon in a window of its own
// at the screen's top-left corner, 128x128, and moves it into its panel, a dock at the bottom
// right of the screen, MILLISECONDS after. It reports "docked" and then "placed", a line each.
//   tarvex-test-late-panel MILLISECONDS
#include <xcb/xcb.h>

#include <poll.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::uint32_t kRequestDock = 0;
constexpr std::uint32_t kEmbeddedNotify = 0;
constexpr std::uint16_t kPanelSize = 32;
constexpr std::uint32_t kIconSize = 24;

xcb_connection_t *connection = nullptr;

xcb_atom_t atom(const std::string &name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
            nullptr),
        &std::free);
    return reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void send(xcb_window_t to, xcb_atom_t type, std::array<std::uint32_t, 5> data, std::uint32_t mask)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = to;
    message.type = type;
    std::memcpy(message.data.data32, data.data(), sizeof message.data.data32);
    xcb_send_event(connection, 0, to, mask, reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

xcb_window_t window(const xcb_screen_t &screen, int x, int y, std::uint16_t size, bool managed)
{
    const xcb_window_t id = xcb_generate_id(connection);
    const std::array<std::uint32_t, 2> values{screen.white_pixel, managed ? 0U : 1U};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, id, screen.root,
                      static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), size, size, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values.data());
    xcb_map_window(connection, id);
    return id;
}

} // namespace

int main(int argc, char *argv[])
{
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (argc != 2 || xcb_connection_has_error(connection) != 0) {
        std::fputs("usage: tarvex-test-late-panel MILLISECONDS, on an X display\n", stderr);
        return EXIT_FAILURE;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_screen_t &screen = *screens.data;

    // The panel, a dock that owns the notification area, and the corner where icons wait, a
    // window of the panel's own that no window manager frames.
    const xcb_window_t panel = window(screen, screen.width_in_pixels - kPanelSize,
                                      screen.height_in_pixels - kPanelSize, kPanelSize, true);
    const xcb_atom_t dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, panel, atom("_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &dock);
    const xcb_window_t corner = window(screen, 0, 0, 128, false);
    const xcb_atom_t selection = atom("_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber));
    xcb_set_selection_owner(connection, panel, selection, XCB_CURRENT_TIME);
    send(screen.root, atom("MANAGER"), {XCB_CURRENT_TIME, selection, panel, 0, 0},
         XCB_EVENT_MASK_STRUCTURE_NOTIFY);

    const xcb_atom_t opcode = atom("_NET_SYSTEM_TRAY_OPCODE");
    xcb_window_t icon = XCB_WINDOW_NONE;
    while (icon == XCB_WINDOW_NONE) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
            xcb_wait_for_event(connection), &std::free);
        if (event == nullptr)
            return EXIT_FAILURE;
        const auto *message = reinterpret_cast<xcb_client_message_event_t *>(event.get());
        if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE && message->type == opcode &&
            message->data.data32[1] == kRequestDock)
            icon = message->data.data32[2];
    }
    xcb_reparent_window(connection, icon, corner, 0, 0);
    xcb_map_window(connection, icon);
    send(icon, atom("_XEMBED"), {XCB_CURRENT_TIME, kEmbeddedNotify, 0, corner, 0},
         XCB_EVENT_MASK_NO_EVENT);
    std::puts("docked");
    std::fflush(stdout);

    // Waits out the delay while the display connection is served.
    const auto placeAt =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(argv[1]));
    pollfd display{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (auto now = std::chrono::steady_clock::now(); now < placeAt;
         now = std::chrono::steady_clock::now()) {
        poll(&display, 1,
             static_cast<int>(
                 std::chrono::duration_cast<std::chrono::milliseconds>(placeAt - now).count()));
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection))
            std::free(event);
    }
    constexpr std::int16_t inset = (kPanelSize - kIconSize) / 2;
    const std::array<std::uint32_t, 2> size{kIconSize, kIconSize};
    xcb_reparent_window(connection, icon, panel, inset, inset);
    xcb_configure_window(connection, icon, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size.data());
    xcb_map_window(connection, icon);
    xcb_flush(connection);
    std::puts("placed");
    std::fflush(stdout);
    while (xcb_connection_has_error(connection) == 0)
        std::free(xcb_wait_for_event(connection));
    return EXIT_SUCCESS;
}
