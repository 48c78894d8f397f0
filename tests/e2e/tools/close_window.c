/* Presses a window's close button the way a window manager does: sends it the
 * WM_DELETE_WINDOW message. Usage: close_window WINDOW_ID */
#include <X11/Xlib.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    Display* display = argc == 2 ? XOpenDisplay(NULL) : NULL;
    if (!display) return 2;
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = (Window)strtoul(argv[1], NULL, 0);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
