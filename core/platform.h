// The few operating-system calls the game makes on files, kept in one place so
// the rest of the code reads as plain C++.
#pragma once

#include <cstddef>
#include <string>

// The folder of the running executable with a trailing slash, links
// resolved; empty when the system will not say.
std::string executableFolder();
std::string currentFolder();
// Makes the folder the current one; a refusal is one line on stderr.
void enterFolder(const std::string& folder);
bool mayReadFile(const std::string& path);

// Replaces the file at `target` (not a link) with the bytes: a temporary file
// beside it with the old file's permissions, flushed, renamed over it, and the
// rename flushed too. 0 on success, otherwise why not (errno); a failure
// leaves the old file untouched.
int replaceFileSafely(const std::string& target, const unsigned char* data, size_t size);

// The file a chain of symbolic links ends at, even one that does not exist
// yet, so a save replaces the target and the link stays.
std::string linkChainEnd(std::string path);

// Takes an exclusive lock on the folder that holds `path`, waiting for it;
// gives the handle for unlockFolder, or -1 when the folder cannot be opened.
int lockFolderOf(const std::string& path);
void unlockFolder(int handle);

// Opening a named pipe for reading would block until some other program
// writes to it, so readers ask first.
bool isNamedPipe(const std::string& path);
// True when something exists at the path, or it cannot be told (not ENOENT).
bool pathMayExist(const std::string& path);
// The size of the file at the path, or -1 when it cannot be read.
long long fileSize(const std::string& path);
// Whether this process may write the existing file; errno tells why not.
bool mayWriteFile(const std::string& path);
