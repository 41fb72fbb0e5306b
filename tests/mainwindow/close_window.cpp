// Finds the top-level window with the given caption on the X display, checks its size
// and asks it to close as a window manager's close button does (WM_DELETE_WINDOW).
// Usage: close_window CAPTION WIDTH HEIGHT ("-" for WIDTH and HEIGHT skips the size check)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

bool HasCaption(Display *display, Window window, const std::string &caption)
{
    XTextProperty property;
    if (!XGetWMName(display, window, &property) || !property.value)
        return false;
    const bool same = caption == reinterpret_cast<const char *>(property.value);
    XFree(property.value);
    return same;
}

Window FindWindow(Display *display, Window parent, const std::string &caption)
{
    Window root = 0, parentReturn = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentReturn, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (HasCaption(display, children[i], caption) &&
            XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            found = children[i];
        else
            found = FindWindow(display, children[i], caption);
    }
    if (children)
        XFree(children);
    return found;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: close_window CAPTION WIDTH HEIGHT\n");
        return 64;
    }
    const std::string caption = argv[1];
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "close_window: no X display\n");
        return 2;
    }

    // The program needs a moment to start; give up after thirty seconds.
    Window window = 0;
    for (int attempt = 0; attempt < 300 && !window; ++attempt) {
        window = FindWindow(display, DefaultRootWindow(display), caption);
        if (!window)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!window) {
        std::fprintf(stderr, "close_window: no window captioned \"%s\"\n", caption.c_str());
        return 1;
    }

    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    std::printf("found \"%s\" %dx%d\n", caption.c_str(), attributes.width, attributes.height);
    const bool anySize = std::strcmp(argv[2], "-") == 0 && std::strcmp(argv[3], "-") == 0;
    const bool sizeMatches =
        attributes.width == std::atoi(argv[2]) && attributes.height == std::atoi(argv[3]);
    const int status = anySize || sizeMatches ? 0 : 3;

    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return status;
}
