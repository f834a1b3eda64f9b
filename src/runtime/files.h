// The player's files: opened only when they are plain files, read whole, and
// replaced so that a crash, a full disk or a planted link never destroys them.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdio>
#include <string>

// Opens a regular file for binary reading, following links. A directory, FIFO or
// device is refused at once (a FIFO without a writer never blocks the caller).
std::FILE* OpenRegularFile(const char* path);

// Reads all of a regular file, a pipe, or standard input ("-"), at most maxBytes.
// A FIFO that no program is writing to, a device, a folder or anything else is
// refused at once. False with one line naming the file when it cannot be opened or
// read, or is larger.
bool ReadWholeFile(const char* path, size_t maxBytes, std::string* text, std::string* error);

// A file being replaced: its new contents go to `fd`, a file of a new name beside
// the one the path's links end at (`target`), renamed over it once complete.
struct FileReplacement {
    int fd = -1;
    std::string target;
    std::string temporary;
};

// Starts replacing the file at `path`. A link is written through (the link stays,
// its target gets the bytes), except one the kernel's rule for shared folders would
// refuse: a link in a sticky, world-writable folder made by neither this user nor
// the folder's owner. An existing target that is not a regular file, or that cannot
// be opened for both reading and writing, is left alone. The new file keeps the old
// one's mode. `suffix` starts the temporary name (".tmp", ".part").
bool BeginReplacement(const char* path, const char* suffix, FileReplacement* r, const char** why);
// Syncs the new file and renames it over the old one; on failure the old one stays
// and the new one is removed. Either way the replacement is over.
bool FinishReplacement(FileReplacement* r, const char** why);
// Stops a replacement: the new file is removed, the old one stays.
void AbandonReplacement(FileReplacement* r);

// Replaces the file at `path` with `size` bytes, under the rules of BeginReplacement.
// On failure *why (when given) says what went wrong and the old file is untouched.
bool ReplaceFileSafely(const char* path, const void* data, size_t size, const char** why);

// An exclusive lock on the folder that `path` is replaced in, so that another program
// updating the same file cannot interleave its read, change and replace with ours.
// -1 when none could be had within a couple of seconds: the caller goes on without.
int LockFileFolder(const char* path);
void UnlockFileFolder(int lock);

// The writer's system calls, so that tests can make them fail as a full disk does.
extern ssize_t (*fileWriteCall)(int fd, const void* data, size_t size);
extern int (*fileSyncCall)(int fd);
