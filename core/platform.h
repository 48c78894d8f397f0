// The few operating-system calls the game makes (files, signals, the sound
// system's probe), kept in one place so the rest of the code reads as plain C++.
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

// Ctrl+C, a kill and a closed terminal (SIGINT, SIGTERM, SIGHUP) call the
// handler; one the game was started with ignored (nohup, a background job)
// stays ignored. Call again whenever a library may have put in its own.
void catchQuitSignals(void (*handler)(int));
// A write over a file-size limit then fails and is reported instead of killing the game.
void ignoreFileSizeSignal();

// ALSA's own error lines while the sound system is being probed. On a machine
// with no sound card at all, every attempt to open ALSA's default device
// prints eight lines of library errors. The game is simply silent there, so
// those lines are held back during the probe and dropped; anywhere else (a
// card exists, or the sound did start) they are printed as ALSA would.
void holdAlsaMessages();
void releaseAlsaMessages(bool sound_installed);
