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

// Reads all of a file or stream (pipes too), at most maxBytes. False with a message
// naming the file when it cannot be opened or read, or is larger.
bool ReadWholeFile(const char* path, size_t maxBytes, std::string* text, std::string* error);

// Replaces the file at `path` with `size` bytes: written to a new temporary file in
// the same folder, synced and renamed over it. A link is written through (the link
// stays, its target gets the bytes). An existing target that is not a regular file,
// or that cannot be opened for both reading and writing, is left alone. On failure
// *why (when given) says what went wrong and the old file is untouched.
bool ReplaceFileSafely(const char* path, const void* data, size_t size, const char** why);

// The writer's system calls, so that tests can make them fail as a full disk does.
extern ssize_t (*fileWriteCall)(int fd, const void* data, size_t size);
extern int (*fileSyncCall)(int fd);
