/* Exits 0 when the X pointer the server draws now has a visible pixel, 1 when
 * it is blank (a window's invisible cursor). Usage: pointer_shown */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

int main(void) {
    Display* display = XOpenDisplay(NULL);
    if (!display) return 2;
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) return 2;
    int shown = 0;
    for (int i = 0; i < image->width * image->height; ++i)
        if (image->pixels[i] >> 24) shown = 1;
    XFree(image);
    XCloseDisplay(display);
    return shown ? 0 : 1;
}
