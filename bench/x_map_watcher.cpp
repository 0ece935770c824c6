// Prints a CLOCK_MONOTONIC stamp for every top-level window mapped on the X display, for
// bench/startup_timer.py: it selects SubstructureNotify on the root window, so the X server tells
// it of each MapNotify as it maps the window (Xvfb has no window manager to delay or redirect the
// map). The time a program's main window is mapped is then seen from the server, not from the
// program's own event loop, which reads its copy of the event later.
//
//   x_map_watcher      prints "ready" once it listens, then "mapped window=ID at=NS" per map
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fputs("x_map_watcher: cannot connect to the X display\n", stderr);
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the server has taken the selection before "ready" is printed.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    std::puts("ready");
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            std::printf("mapped window=%u at=%lld\n", unsigned(map->window),
                        static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
            std::fflush(stdout);
        }
        std::free(event);
    }
    xcb_disconnect(connection);
    return 0;
}
