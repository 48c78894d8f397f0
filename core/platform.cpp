#include "core/platform.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool writeAll(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// The new file keeps the permissions of the one it replaces; a first save
// gets what a plain create would give.
mode_t modeForNewFile(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Makes the rename itself survive a power cut. Best effort: the data is
// already safe in one of the two names whatever happens here.
void syncFolder(const std::string& path) {
    int fd = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool writeTempFile(int fd, const unsigned char* data, size_t size, mode_t mode) {
    bool ok = fchmod(fd, mode) == 0;
    ok = ok && writeAll(fd, data, size);
    ok = ok && fsync(fd) == 0;
    int error = ok ? 0 : errno;  // the first failure is the one to report
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    errno = error;
    return ok;
}

}  // namespace

std::string executableFolder() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) return "";
    std::string executable(path, static_cast<size_t>(length));
    return executable.substr(0, executable.rfind('/') + 1);
}

std::string currentFolder() {
    char path[PATH_MAX];
    return getcwd(path, sizeof(path)) ? path : ".";
}

void enterFolder(const std::string& folder) {
    if (chdir(folder.c_str()) != 0) std::perror(folder.c_str());
}

bool mayReadFile(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

int replaceFileSafely(const std::string& target, const unsigned char* data, size_t size) {
    std::string pattern = target + ".XXXXXX";
    std::vector<char> temp_path(pattern.begin(), pattern.end());
    temp_path.push_back('\0');
    mode_t mode = modeForNewFile(target);
    int fd = mkstemp(temp_path.data());
    if (fd < 0) return errno;
    bool ok = writeTempFile(fd, data, size, mode) && std::rename(temp_path.data(), target.c_str()) == 0;
    int error = ok ? 0 : (errno ? errno : EIO);
    if (!ok) unlink(temp_path.data());
    if (ok) syncFolder(target);
    return error;
}

// Stops after 40 hops, as the kernel does, so a circle of links ends.
std::string linkChainEnd(std::string path) {
    const int MAX_LINK_HOPS = 40;
    for (int hop = 0; hop < MAX_LINK_HOPS; ++hop) {
        char target[PATH_MAX];
        ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || length == static_cast<ssize_t>(sizeof target)) return path;
        std::string next(target, static_cast<size_t>(length));
        path = next[0] == '/' ? next : folderOf(path) + "/" + next;
    }
    return path;
}

int lockFolderOf(const std::string& path) {
    int fd = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) flock(fd, LOCK_EX);
    return fd;
}

void unlockFolder(int handle) {
    if (handle >= 0) close(handle);
}

bool isNamedPipe(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool pathMayExist(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 || errno != ENOENT;
}

long long fileSize(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

bool mayWriteFile(const std::string& path) { return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

namespace {
const int QUIT_SIGNALS[3] = {SIGINT, SIGTERM, SIGHUP};
bool quit_signals_noted = false;
bool quit_signal_ignored[3];
}  // namespace

// Allegro's allegro_init puts in handlers of its own that shut the library down
// under the running frame, hence the second call after it.
void catchQuitSignals(void (*handler)(int)) {
    struct sigaction action = {};
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) {
        if (!quit_signals_noted) {
            struct sigaction old;
            sigaction(QUIT_SIGNALS[i], nullptr, &old);
            quit_signal_ignored[i] = old.sa_handler == SIG_IGN;
        }
        action.sa_handler = quit_signal_ignored[i] ? SIG_IGN : handler;
        sigaction(QUIT_SIGNALS[i], &action, nullptr);
    }
    quit_signals_noted = true;
}

void ignoreFileSizeSignal() { signal(SIGXFSZ, SIG_IGN); }

// Allegro loads ALSA itself, as a plug-in; the game reaches the same library
// at run time rather than linking it, so a machine without it still starts.
namespace {
typedef void (*AlsaErrorHandler)(const char* file, int line, const char* function, int err,
                                 const char* format, ...);
typedef int (*SetErrorHandler)(AlsaErrorHandler handler);
typedef int (*NextCard)(int* card);
typedef const char* (*ErrorText)(int err);

void* alsa = nullptr;
SetErrorHandler set_error_handler = nullptr;
ErrorText error_text = nullptr;

// What ALSA said during the probe, as its own handler would have printed it.
char held[4096];
size_t held_length = 0;

void holdLine(const char* file, int line, const char* function, int err, const char* format, ...) {
    char text[512];
    int used = std::snprintf(text, sizeof text, "ALSA lib %s:%i:(%s) ", file, line, function);
    va_list args;
    va_start(args, format);
    if (used > 0 && size_t(used) < sizeof text) std::vsnprintf(text + used, sizeof text - used, format, args);
    va_end(args);
    size_t length = std::strlen(text);
    if (err && error_text) length += std::snprintf(text + length, sizeof text - length, ": %s", error_text(err));
    if (length >= sizeof text) length = sizeof text - 1;
    if (held_length + length + 1 >= sizeof held) return;
    std::memcpy(held + held_length, text, length);
    held_length += length;
    held[held_length++] = '\n';
}

bool anyAlsaCard() {
    NextCard next_card = reinterpret_cast<NextCard>(dlsym(alsa, "snd_card_next"));
    int card = -1;
    return !next_card || (next_card(&card) == 0 && card >= 0);
}
}  // namespace

void holdAlsaMessages() {
    held_length = 0;
    alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return;
    set_error_handler = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    error_text = reinterpret_cast<ErrorText>(dlsym(alsa, "snd_strerror"));
    if (set_error_handler) set_error_handler(holdLine);
}

void releaseAlsaMessages(bool sound_installed) {
    if (!alsa) return;
    if (set_error_handler) set_error_handler(nullptr);
    if (sound_installed || anyAlsaCard()) std::fwrite(held, 1, held_length, stderr);
    held_length = 0;
    dlclose(alsa);
    alsa = nullptr;
}
