#include "core/platform.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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
