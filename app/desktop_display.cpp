#include "app/desktop_display.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/xf86vmode.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace {

// Allegro switches the full-screen mode through XFree86-VidMode, so the
// desktop's mode is recorded and put back through the same extension.
struct VideoMode {
    int width, height, total_width, total_height, dot_clock;
};

// The game's end of the pipe; -1 when no guardian runs.
int guardian_pipe = -1;

// An odd server that refuses one of the questions must not end the game
// through Xlib's default handler: the answer is then just "no".
int ignoreXError(Display*, XErrorEvent*) { return 0; }

Display* openQuietly() {
    Display* display = XOpenDisplay(nullptr);
    if (display) XSetErrorHandler(ignoreXError);
    return display;
}

void closeQuietly(Display* display) {
    XCloseDisplay(display);
    XSetErrorHandler(nullptr);
}

bool sameMode(const VideoMode& a, const VideoMode& b) {
    return a.width == b.width && a.height == b.height && a.total_width == b.total_width &&
           a.total_height == b.total_height && a.dot_clock == b.dot_clock;
}

VideoMode modeOf(const XF86VidModeModeInfo& info) {
    return {info.hdisplay, info.vdisplay, info.htotal, info.vtotal, static_cast<int>(info.dotclock)};
}

bool hasVidMode(Display* display) {
    int event_base, error_base;
    return XF86VidModeQueryExtension(display, &event_base, &error_base);
}

bool readCurrentMode(Display* display, VideoMode& mode) {
    int dot_clock;
    XF86VidModeModeLine line;
    if (!XF86VidModeGetModeLine(display, DefaultScreen(display), &dot_clock, &line)) return false;
    if (line.privsize > 0) XFree(line.c_private);
    mode = {line.hdisplay, line.vdisplay, line.htotal, line.vtotal, dot_clock};
    return true;
}

void switchToMode(Display* display, const VideoMode& mode) {
    int screen = DefaultScreen(display), count = 0;
    XF86VidModeModeInfo** modes = nullptr;
    if (!XF86VidModeGetAllModeLines(display, screen, &count, &modes)) return;
    for (int i = 0; i < count; ++i) {
        if (!sameMode(modeOf(*modes[i]), mode)) continue;
        XF86VidModeSwitchToMode(display, screen, modes[i]);
        XF86VidModeSetViewPort(display, screen, 0, 0);
        break;
    }
    XFree(modes);
}

// Run by the guardian once the game is gone without saying it restored the mode.
void restoreMode(const VideoMode& desktop) {
    Display* display = openQuietly();
    if (!display) return;
    VideoMode now;
    if (readCurrentMode(display, now) && !sameMode(now, desktop)) switchToMode(display, desktop);
    closeQuietly(display);
}

// The guardian holds nothing of the game's but the pipe: an inherited X
// connection would keep the game's windows alive after a kill.
void keepOnlyPipeAndTerminal(int pipe_in) {
    if (pipe_in > 3) close_range(3, pipe_in - 1, 0);
    close_range(pipe_in + 1, ~0U, 0);
}

// The terminal's Ctrl+C or hang-up ends the game, which then needs us.
void ignoreQuitSignals() {
    signal(SIGINT, SIG_IGN);
    signal(SIGTERM, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    signal(SIGPIPE, SIG_IGN);
}

[[noreturn]] void guardUntilGameEnds(int pipe_in, const VideoMode& desktop) {
    prctl(PR_SET_NAME, "zenvar-guardian", 0, 0, 0);
    ignoreQuitSignals();
    keepOnlyPipeAndTerminal(pipe_in);
    char note = 0;
    ssize_t got;
    do got = read(pipe_in, &note, 1);
    while (got < 0 && errno == EINTR);
    if (got != 1) restoreMode(desktop);
    _exit(0);
}

// Forked twice so that the guardian is nobody's child: the game never has to
// collect it, and it ends on its own when the pipe closes.
void forkGuardian(const VideoMode& desktop) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return;
    pid_t child = fork();
    if (child == 0) {
        close(ends[1]);
        if (fork() == 0) guardUntilGameEnds(ends[0], desktop);
        _exit(0);
    }
    close(ends[0]);
    if (child < 0) {
        close(ends[1]);
        return;
    }
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    guardian_pipe = ends[1];
}

bool hasExtension(Display* display, const char* name) {
    int opcode, event_base, error_base;
    return XQueryExtension(display, name, &opcode, &event_base, &error_base);
}

// Xwayland before 23.1 has no extension of its own, but names its outputs
// XWAYLAND0, XWAYLAND1...
bool hasXwaylandOutput(Display* display) {
    int event_base, error_base, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &event_base, &error_base) || !XRRQueryVersion(display, &major, &minor) ||
        major * 100 + minor < 103)
        return false;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources) return false;
    bool found = false;
    for (int i = 0; i < resources->noutput && !found; ++i) {
        XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[i]);
        if (!output) continue;
        found = std::strncmp(output->name, "XWAYLAND", 8) == 0;
        XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return found;
}

}  // namespace

void guardDesktopMode() {
    Display* display = openQuietly();
    if (!display) return;
    VideoMode desktop;
    bool switchable = hasVidMode(display) && readCurrentMode(display, desktop);
    closeQuietly(display);
    if (switchable) forkGuardian(desktop);
}

void releaseDesktopModeGuard() {
    if (guardian_pipe < 0) return;
    const char restored = 'R';
    ssize_t written;
    do written = write(guardian_pipe, &restored, 1);
    while (written < 0 && errno == EINTR);
    close(guardian_pipe);
    guardian_pipe = -1;
}

bool displayIsXwayland() {
    Display* display = openQuietly();
    if (!display) return false;
    bool xwayland = hasExtension(display, "XWAYLAND") || hasXwaylandOutput(display);
    closeQuietly(display);
    return xwayland;
}
