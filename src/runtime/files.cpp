// The player's files: regular files only, read without blocking, replaced through
// an exclusive temporary file so that the old contents survive any failure.
#include "runtime/files.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

ssize_t (*fileWriteCall)(int fd, const void* data, size_t size) = ::write;
int (*fileSyncCall)(int fd) = ::fsync;

namespace {

constexpr int kMaxLinkHops = 40;  // the kernel's own limit on links in a path
constexpr char kTempSuffix[] = ".tmp-XXXXXX";

bool Failed(const char** why) {
    *why = std::strerror(errno);
    return false;
}

// Follows links from `path` to the name they end at, which may not exist yet.
// *exists and *st describe that final name.
bool FollowLinks(const char* path, char* out, bool* exists, struct stat* st, const char** why) {
    const size_t length = std::strlen(path);
    if (length == 0 || length >= PATH_MAX) {
        errno = length ? ENAMETOOLONG : ENOENT;
        return Failed(why);
    }
    std::memcpy(out, path, length + 1);
    for (int hop = 0; hop < kMaxLinkHops; hop++) {
        if (lstat(out, st) != 0) {
            *exists = false;
            return errno == ENOENT ? true : Failed(why);
        }
        *exists = true;
        if (!S_ISLNK(st->st_mode)) return true;
        char link[PATH_MAX];
        const ssize_t n = readlink(out, link, sizeof link - 1);
        if (n < 0) return Failed(why);
        link[n] = '\0';
        // a relative link is read from the folder that holds it
        const char* slash = link[0] == '/' ? nullptr : std::strrchr(out, '/');
        const size_t keep = slash ? size_t(slash - out) + 1 : 0;
        if (keep + size_t(n) >= PATH_MAX) {
            errno = ENAMETOOLONG;
            return Failed(why);
        }
        std::memcpy(out + keep, link, size_t(n) + 1);
    }
    errno = ELOOP;
    return Failed(why);
}

// The old file may be replaced only where a plain rewrite could have opened it:
// a regular file this process may both read and write.
bool MayReplace(const char* target, const struct stat& st, const char** why) {
    if (!S_ISREG(st.st_mode)) {
        *why = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        return false;
    }
    const int fd = open(target, O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return Failed(why);
    close(fd);
    return true;
}

// The new file keeps the old one's mode and, where allowed, its owner; a new file
// gets the mode a plain create would give it.
void TakeOverMode(int fd, bool exists, const struct stat& old) {
    if (exists) {
        if (old.st_uid != geteuid() || old.st_gid != getegid()) {
            const int given = fchown(fd, old.st_uid, old.st_gid);  // only root may give a file away
            (void)given;
        }
        fchmod(fd, old.st_mode & 07777);
        return;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
}

bool WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = fileWriteCall(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        p += n;
        size -= size_t(n);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing.
void SyncFolder(const char* target) {
    char folder[PATH_MAX];
    const char* slash = std::strrchr(target, '/');
    if (!slash) {
        std::strcpy(folder, ".");
    } else {
        const size_t keep = slash == target ? 1 : size_t(slash - target);
        std::memcpy(folder, target, keep);
        folder[keep] = '\0';
    }
    const int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::FILE* OpenRegularFile(const char* path) {
    struct stat st;
    // checked before opening, so that a FIFO or device is never opened at all
    if (!path || stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* f = fdopen(fd, "rb");
    if (!f) close(fd);
    return f;
}

bool ReadWholeFile(const char* path, size_t maxBytes, std::string* text, std::string* error) {
    text->clear();
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        *error = std::string("cannot open ") + path + ": " + std::strerror(errno);
        return false;
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        text->append(buffer, n);
        if (text->size() > maxBytes) {
            std::fclose(f);
            *error = std::string(path) + ": larger than " + std::to_string(maxBytes >> 20) + " MB";
            return false;
        }
    }
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) *error = std::string("cannot read ") + path + ": " + std::strerror(err);
    return !failed;
}

bool ReplaceFileSafely(const char* path, const void* data, size_t size, const char** why) {
    const char* unused;
    if (!why) why = &unused;
    char target[PATH_MAX];
    bool exists;
    struct stat old;
    if (!path || !FollowLinks(path, target, &exists, &old, why)) return false;
    if (exists && !MayReplace(target, old, why)) return false;

    char temp[PATH_MAX + sizeof kTempSuffix];
    std::memcpy(temp, target, std::strlen(target));
    std::memcpy(temp + std::strlen(target), kTempSuffix, sizeof kTempSuffix);
    // a new name, created exclusively: never an existing file or link
    const int fd = mkostemp(temp, O_CLOEXEC);
    if (fd < 0) return Failed(why);
    TakeOverMode(fd, exists, old);
    bool ok = WriteAll(fd, data, size) && fileSyncCall(fd) == 0;
    int err = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && rename(temp, target) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        unlink(temp);
        errno = err;
        return Failed(why);
    }
    SyncFolder(target);
    return true;
}
