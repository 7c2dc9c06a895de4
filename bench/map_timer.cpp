// Starts a program and prints the milliseconds from its start until the X
// server maps its first top-level window (MapNotify on the root window),
// then kills it: start-up as a person sees it, on the real X11 platform.
//   map_timer PROGRAM [ARGUMENT...]      (run it on a display, e.g. Xvfb)
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: map_timer PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fputs("map_timer: no display\n", stderr);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    const auto start = std::chrono::steady_clock::now();
    const pid_t program = ::fork();
    if (program == 0) {
        ::execvp(argv[1], argv + 1);
        ::_exit(127);
    }
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool mapped =
            (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
            reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect == 0;
        std::free(event);
        if (mapped) {
            break;
        }
    }
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    std::printf("%.2f\n", elapsed.count());
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    xcb_disconnect(connection);
}
