// An X11 notification area that takes an icon in at once and puts it in its place only later, as
// LXQt's panel does when it starts after the program: it holds the icon in a window of its own
// at the screen's top-left corner, 128x128, and moves it into its panel, a dock at the bottom
// right of the screen, some time after. It reports on standard output, a line each:
//   ready                         it owns the notification area and waits for icons
//   docked <icon>                 it took the icon window in, at the corner
//   placed <icon> <x> <y>         it put the icon in its panel, at that place on the screen
//   tarvex-test-late-panel MILLISECONDS
#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
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
constexpr std::uint16_t kPanelWidth = 64;
constexpr std::uint16_t kPanelHeight = 32;
constexpr std::uint16_t kIconSize = 24;

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};

xcb_atom_t atom(xcb_connection_t *connection, const std::string &name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr));
    return reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void sendClientMessage(xcb_connection_t *connection, xcb_window_t to, xcb_window_t about,
                       xcb_atom_t type, std::array<std::uint32_t, 5> data, std::uint32_t mask)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = about;
    message.type = type;
    std::memcpy(message.data.data32, data.data(), sizeof message.data.data32);
    xcb_send_event(connection, 0, to, mask, reinterpret_cast<const char *>(&message));
}

void report(const std::string &line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: tarvex-test-late-panel MILLISECONDS\n", stderr);
        return EXIT_FAILURE;
    }
    const std::chrono::milliseconds delay(std::atoi(argv[1]));
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        std::fputs("cannot open the display\n", stderr);
        return EXIT_FAILURE;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_screen_t &screen = *screens.data;

    // The panel: a dock at the bottom right, which also owns the notification area.
    const xcb_window_t panel = xcb_generate_id(connection);
    const std::uint32_t background = screen.white_pixel;
    const auto panelX = static_cast<std::int16_t>(screen.width_in_pixels - kPanelWidth);
    const auto panelY = static_cast<std::int16_t>(screen.height_in_pixels - kPanelHeight);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, panel, screen.root, panelX, panelY,
                      kPanelWidth, kPanelHeight, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen.root_visual, XCB_CW_BACK_PIXEL, &background);
    const xcb_atom_t dock = atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, panel,
                        atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &dock);
    xcb_map_window(connection, panel);

    // The corner where icons wait: a window of the panel's own that no window manager frames.
    const xcb_window_t corner = xcb_generate_id(connection);
    const std::array<std::uint32_t, 2> cornerValues{background, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, corner, screen.root, 0, 0, 128, 128, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, cornerValues.data());
    xcb_map_window(connection, corner);

    const std::string selectionName = "_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber);
    const xcb_atom_t selection = atom(connection, selectionName);
    const xcb_atom_t opcode = atom(connection, "_NET_SYSTEM_TRAY_OPCODE");
    const xcb_atom_t xembed = atom(connection, "_XEMBED");
    xcb_set_selection_owner(connection, panel, selection, XCB_CURRENT_TIME);
    sendClientMessage(connection, screen.root, screen.root, atom(connection, "MANAGER"),
                      {XCB_CURRENT_TIME, selection, panel, 0, 0}, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    xcb_flush(connection);
    report("ready");

    xcb_window_t icon = XCB_WINDOW_NONE;
    bool waiting = false;
    std::chrono::steady_clock::time_point placeAt{};
    pollfd display{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (auto *event = xcb_poll_for_event(connection)) {
            const std::unique_ptr<xcb_generic_event_t, FreeReply> owned(event);
            if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
                continue;
            const auto *message = reinterpret_cast<xcb_client_message_event_t *>(event);
            if (message->type != opcode || message->data.data32[1] != kRequestDock ||
                icon != XCB_WINDOW_NONE)
                continue;
            icon = message->data.data32[2];
            xcb_reparent_window(connection, icon, corner, 0, 0);
            xcb_map_window(connection, icon);
            sendClientMessage(connection, icon, icon, xembed,
                              {XCB_CURRENT_TIME, kEmbeddedNotify, 0, corner, 0},
                              XCB_EVENT_MASK_NO_EVENT);
            xcb_flush(connection);
            waiting = true;
            placeAt = std::chrono::steady_clock::now() + delay;
            report("docked " + std::to_string(icon));
        }
        if (xcb_connection_has_error(connection) != 0)
            return EXIT_FAILURE;
        if (waiting && std::chrono::steady_clock::now() >= placeAt) {
            constexpr std::int16_t inset = (kPanelHeight - kIconSize) / 2;
            const std::array<std::uint32_t, 2> size{kIconSize, kIconSize};
            xcb_reparent_window(connection, icon, panel, inset, inset);
            xcb_configure_window(connection, icon,
                                 XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size.data());
            xcb_map_window(connection, icon);
            xcb_flush(connection);
            waiting = false;
            report("placed " + std::to_string(icon) + " " + std::to_string(panelX + inset) + " " +
                   std::to_string(panelY + inset));
        }
        int timeout = -1;
        if (waiting)
            timeout = static_cast<int>(
                std::max<std::int64_t>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                              placeAt - std::chrono::steady_clock::now())
                                              .count()));
        poll(&display, 1, timeout);
    }
}
