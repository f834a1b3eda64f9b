// The player's files: regular files only, read without blocking, replaced through
// an exclusive temporary file so that the old contents survive any failure.
#include "runtime/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

ssize_t (*fileWriteCall)(int fd, const void* data, size_t size) = ::write;
int (*fileSyncCall)(int fd) = ::fsync;

namespace {

constexpr int kMaxLinkHops = 40;  // the kernel's own limit on links in a path
constexpr size_t kReadChunk = 65536;
constexpr int kLockTries = 200;  // 10 ms apart: another game holds it for a moment only
constexpr useconds_t kLockWaitMicros = 10000;
constexpr char kPlantedLink[] = "a link another user made in a shared folder";

bool Failed(const char** why) {
    *why = std::strerror(errno);
    return false;
}

// The folder a resolved name sits in ("." for the working directory).
std::string FolderOf(const std::string& name) {
    const size_t slash = name.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : name.substr(0, slash);
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// ".." of a name without links is the folder it is in.
void StepUp(std::string* resolved) {
    if (*resolved == "/") return;
    if (resolved->empty() || *resolved == ".." ||
        (resolved->size() > 2 && resolved->compare(resolved->size() - 3, 3, "/..") == 0)) {
        *resolved = Join(*resolved, "..");
        return;
    }
    const size_t slash = resolved->rfind('/');
    if (slash == std::string::npos) resolved->clear();
    else resolved->resize(slash == 0 ? 1 : slash);
}

// The kernel's rule for links in shared folders (fs.protected_symlinks), kept whatever
// the machine's setting: in a sticky folder that anyone may write to, only a link made
// by this user or by the folder's owner is followed.
bool MayFollowLink(const std::string& folder, const struct stat& link) {
    struct stat st;
    if (stat(folder.empty() ? "." : folder.c_str(), &st) != 0) return false;
    const bool shared = (st.st_mode & S_ISVTX) && (st.st_mode & S_IWOTH);
    return !shared || link.st_uid == geteuid() || link.st_uid == st.st_uid;
}

bool ReadLink(const std::string& name, std::string* link, const char** why) {
    char buffer[4096];
    const ssize_t n = readlink(name.c_str(), buffer, sizeof buffer);
    if (n < 0) return Failed(why);
    if (n == 0 || size_t(n) == sizeof buffer) {
        errno = n ? ENAMETOOLONG : ENOENT;
        return Failed(why);
    }
    link->assign(buffer, size_t(n));
    return true;
}

// Follows `path` name by name, links included, to the name it ends at, which may not
// exist yet (*exists and *st describe it). Every link on the way is held to the rule
// for shared folders, the folders' links as much as the file's.
bool ResolvePath(const char* path, std::string* out, bool* exists, struct stat* st, const char** why) {
    if (!path[0]) {
        errno = ENOENT;
        return Failed(why);
    }
    std::string resolved = path[0] == '/' ? "/" : "";
    std::string rest = path;
    size_t at = 0;
    int hops = 0;
    *exists = true;
    for (;;) {
        while (at < rest.size() && rest[at] == '/') at++;
        if (at >= rest.size()) break;
        const size_t end = std::min(rest.find('/', at), rest.size());
        const std::string name = rest.substr(at, end - at);
        at = end;
        const bool last = rest.find_first_not_of('/', at) == std::string::npos;
        if (name == ".") continue;
        if (name == "..") {
            StepUp(&resolved);
            continue;
        }
        const std::string candidate = Join(resolved, name);
        if (lstat(candidate.c_str(), st) != 0) {
            if (errno != ENOENT || !last) return Failed(why);
            *exists = false;  // a file not made yet, as a plain write would make it
            *out = candidate;
            return true;
        }
        if (S_ISLNK(st->st_mode)) {
            if (++hops > kMaxLinkHops) {
                errno = ELOOP;
                return Failed(why);
            }
            if (!MayFollowLink(resolved, *st)) {
                *why = kPlantedLink;
                return false;
            }
            std::string link;
            if (!ReadLink(candidate, &link, why)) return false;
            // a relative link is read from the folder that holds it
            if (link[0] == '/') resolved.assign(1, '/');
            rest = link + "/" + rest.substr(at);
            at = 0;
            continue;
        }
        if (!last && !S_ISDIR(st->st_mode)) {
            errno = ENOTDIR;
            return Failed(why);
        }
        resolved = candidate;
    }
    *out = resolved.empty() ? "." : resolved;
    if (lstat(out->c_str(), st) != 0) return Failed(why);
    return true;
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
void SyncFolder(const std::string& target) {
    const int fd = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool Refuse(std::string* error, const char* doing, const char* path, const char* why) {
    *error = std::string(doing) + " " + path + ": " + why;
    return false;
}

// The kernel's number for its pipe file system (PIPEFS_MAGIC of linux/magic.h, a header
// the browser build's C library does not have).
constexpr long kPipeFsMagic = 0x50495045;

// A pipe made by a program (a shell's `|` or `<(...)`), not a FIFO in a folder.
bool IsAnonymousPipe(int fd) {
    struct statfs fs;
    return fstatfs(fd, &fs) == 0 && long(fs.f_type) == kPipeFsMagic;
}

bool IsRegularOrFifo(const struct stat& st) { return S_ISREG(st.st_mode) || S_ISFIFO(st.st_mode); }

// Regular files and pipes only. A FIFO is opened without waiting for a writer; the
// caller's first read tells whether it has one. -1 after saying why.
int OpenForReading(const char* path, bool* fifo, std::string* error) {
    struct stat st;
    if (stat(path, &st) != 0) {
        Refuse(error, "cannot open", path, std::strerror(errno));
        return -1;
    }
    if (!IsRegularOrFifo(st)) {
        Refuse(error, "cannot read", path, S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file or a pipe");
        return -1;
    }
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Refuse(error, "cannot open", path, std::strerror(errno));
        return -1;
    }
    // what was opened is checked again: the name may have changed in between
    if (fstat(fd, &st) != 0 || !IsRegularOrFifo(st)) {
        close(fd);
        Refuse(error, "cannot read", path, "not a regular file or a pipe");
        return -1;
    }
    *fifo = S_ISFIFO(st.st_mode);
    return fd;
}

ssize_t ReadSome(int fd, char* into, size_t size) {
    ssize_t n;
    do {
        n = read(fd, into, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

// Appends one read's worth; the text never holds more than `limit` bytes, nor takes
// more room than twice what it holds.
ssize_t ReadChunk(int fd, size_t limit, std::string* text) {
    const size_t want = std::min(kReadChunk, limit - text->size());
    if (text->capacity() < text->size() + want)
        text->reserve(std::min(std::max(2 * text->capacity(), text->size() + want), limit));
    const size_t at = text->size();
    text->resize(at + want);
    const ssize_t n = ReadSome(fd, text->data() + at, want);
    text->resize(at + size_t(std::max<ssize_t>(n, 0)));
    return n;
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
    const bool standardInput = std::strcmp(path, "-") == 0;
    bool fifo = false;
    const int fd = standardInput ? STDIN_FILENO : OpenForReading(path, &fifo, error);
    if (fd < 0) return false;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) text->reserve(std::min(size_t(st.st_size), maxBytes));
    ssize_t n = 1;
    if (fifo) {
        // Without a writer a FIFO reads as ended at once; with one it has data or makes
        // us wait. A pipe whose program already finished is merely empty.
        n = ReadChunk(fd, maxBytes, text);
        if (n == 0 && !IsAnonymousPipe(fd)) {
            close(fd);
            return Refuse(error, "cannot read", path, "a FIFO that no program is writing to");
        }
        if (n < 0 && errno == EAGAIN) n = 1;
    }
    if (!standardInput) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    while (n > 0 && text->size() < maxBytes) n = ReadChunk(fd, maxBytes, text);
    char more;
    const bool larger = n > 0 && (n = ReadSome(fd, &more, 1)) > 0;  // full: one byte more says larger
    const int err = errno;
    if (!standardInput) close(fd);
    if (larger) {
        text->clear();
        text->shrink_to_fit();
        return Refuse(error, "cannot read", path, ("larger than " + std::to_string(maxBytes >> 20) + " MB").c_str());
    }
    if (n < 0) return Refuse(error, "cannot read", path, std::strerror(err));
    return true;
}

bool BeginReplacement(const char* path, const char* suffix, FileReplacement* r, const char** why) {
    const char* unused;
    if (!why) why = &unused;
    r->fd = -1;
    r->temporary.clear();
    bool exists;
    struct stat old;
    if (!path || !ResolvePath(path, &r->target, &exists, &old, why)) return false;
    if (exists && !MayReplace(r->target.c_str(), old, why)) return false;
    // a new name, created exclusively: never an existing file or link
    std::string temporary = r->target + suffix + "-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return Failed(why);
    TakeOverMode(fd, exists, old);
    r->fd = fd;
    r->temporary = temporary;
    return true;
}

bool FinishReplacement(FileReplacement* r, const char** why) {
    const char* unused;
    if (!why) why = &unused;
    bool ok = fileSyncCall(r->fd) == 0;
    int err = errno;
    if (close(r->fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    r->fd = -1;
    if (ok && rename(r->temporary.c_str(), r->target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) unlink(r->temporary.c_str());
    r->temporary.clear();
    if (!ok) {
        errno = err;
        return Failed(why);
    }
    SyncFolder(r->target);
    return true;
}

void AbandonReplacement(FileReplacement* r) {
    if (r->fd >= 0) close(r->fd);
    r->fd = -1;
    if (!r->temporary.empty()) unlink(r->temporary.c_str());
    r->temporary.clear();
}

bool ReplaceFileSafely(const char* path, const void* data, size_t size, const char** why) {
    const char* unused;
    if (!why) why = &unused;
    FileReplacement r;
    if (!BeginReplacement(path, ".tmp", &r, why)) return false;
    if (!WriteAll(r.fd, data, size)) {
        const int err = errno;
        AbandonReplacement(&r);
        errno = err;
        return Failed(why);
    }
    return FinishReplacement(&r, why);
}

int LockFileFolder(const char* path) {
    std::string target;
    bool exists;
    struct stat st;
    const char* why;
    if (!path || !ResolvePath(path, &target, &exists, &st, &why)) return -1;
    const int fd = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    for (int tries = 0; tries < kLockTries; tries++) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        usleep(kLockWaitMicros);
    }
    close(fd);
    return -1;
}

void UnlockFileFolder(int lock) {
    if (lock >= 0) close(lock);  // the lock goes with the descriptor
}
