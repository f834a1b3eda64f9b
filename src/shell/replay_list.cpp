// The list of replays: the files read as the list opens, their summaries remembered by
// name, size and modification time, and KEEP's copy into saved/.
#include "shell/replay_list.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "runtime/files.h"
#include "shell/language.h"
#include "shell/save_files.h"

namespace {

constexpr size_t kRememberedSummaries = 128;
constexpr int kMaxKeptOfOneSecond = 99;

struct RememberedSummary {
    std::string path;
    int64_t bytes;
    int64_t writtenNanos;
    ReplaySummary summary;
};

// newest last; the oldest goes when it is full
std::vector<RememberedSummary> remembered;

int64_t Nanos(const struct timespec& t) { return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

const RememberedSummary* FindRemembered(const ListedReplay& l) {
    for (const RememberedSummary& r : remembered)
        if (r.path == l.path && r.bytes == l.bytes && r.writtenNanos == l.writtenNanos) return &r;
    return nullptr;
}

void Remember(const ListedReplay& l) {
    remembered.erase(std::remove_if(remembered.begin(), remembered.end(),
                                    [&](const RememberedSummary& r) { return r.path == l.path; }),
                     remembered.end());
    if (remembered.size() >= kRememberedSummaries) remembered.erase(remembered.begin());
    remembered.push_back({l.path, l.bytes, l.writtenNanos, l.summary});
}

void AddListed(std::vector<ListedReplay>* out, const std::string& path, const std::string& label, bool isMsgid) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || out->size() >= kMaxListedReplays) return;
    ListedReplay l;
    l.path = path;
    l.label = label;
    l.labelIsMsgid = isMsgid;
    l.written = st.st_mtime;
    l.bytes = static_cast<int64_t>(st.st_size);
    l.writtenNanos = Nanos(st.st_mtim);
    std::string error;
    // a link, a folder or a file too large is read no further than its name
    l.readable = S_ISREG(st.st_mode) && static_cast<size_t>(st.st_size) <= kReplayMaxBytes &&
                 ReadReplayFile(path.c_str(), &l.replay, &error);
    if (const RememberedSummary* r = l.readable ? FindRemembered(l) : nullptr) {
        l.summary = r->summary;
        l.summarised = true;
    }
    out->push_back(std::move(l));
}

bool HasReplayEnding(const std::string& name) {
    return name.size() > 7 && name.compare(name.size() - 7, 7, ".replay") == 0;
}

bool SameBytes(const std::string& path, const std::string& bytes) {
    std::string text, why;
    return ReadWholeFile(path.c_str(), kReplayMaxBytes, &text, &why) && text == bytes;
}

}  // namespace

void ListReplayFiles(const std::string& folder, std::vector<ListedReplay>* out) {
    out->clear();
    AddListed(out, folder + "last.replay", N_("LAST RUN"), true);
    for (int row = 1; row <= 10; row++) {
        char name[32];
        std::snprintf(name, sizeof name, "rank%02d", row);
        AddListed(out, folder + name + ".replay", name, false);
    }
    std::vector<std::string> kept;
    if (DIR* dir = opendir((folder + "saved").c_str())) {
        while (dirent* e = readdir(dir))
            if (HasReplayEnding(e->d_name)) kept.push_back(e->d_name);
        closedir(dir);
    }
    std::sort(kept.begin(), kept.end());
    for (const std::string& name : kept)
        AddListed(out, folder + "saved/" + name, name.substr(0, name.size() - 7), false);
}

bool SummariseListed(ListedReplay* l, SummaryRun* run, SummaryFrameRunner frame, int64_t frames) {
    if (!l->readable || l->summarised) return true;
    if (run->replay != &l->replay) BeginSummary(run, l->replay);
    HoldSaves(true);
    const bool whole = SummariseSome(run, frame, frames);
    HoldSaves(false);
    if (!whole) return false;
    l->summary = run->summary;
    l->summarised = true;
    run->replay = nullptr;
    Remember(*l);
    return true;
}

void ForgetReplaySummaries() { remembered.clear(); }

bool KeepListedReplay(const std::string& folder, const ListedReplay& l, std::string* keptAs) {
    std::string bytes, why;
    if (!ReadWholeFile(l.path.c_str(), kReplayMaxBytes, &bytes, &why)) return false;
    const std::string saved = folder + "saved";
    mkdir(saved.c_str(), 0700);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", std::localtime(&l.written));
    // the first free name of that second; the same replay kept before is kept once
    struct stat st;
    for (int n = 1; n <= kMaxKeptOfOneSecond; n++) {
        char name[48];
        if (n == 1)
            std::snprintf(name, sizeof name, "%s.replay", stamp);
        else
            std::snprintf(name, sizeof name, "%s-%d.replay", stamp, n);
        const std::string target = saved + "/" + name;
        *keptAs = name;
        if (lstat(target.c_str(), &st) == 0) {
            if (S_ISREG(st.st_mode) && SameBytes(target, bytes)) return true;
            continue;
        }
        const char* failed = nullptr;
        if (!ReplaceFileSafely(target.c_str(), bytes.data(), bytes.size(), &failed)) return false;
        // the copy keeps the run's date: listed, and kept again, under the same one
        const time_t seconds = static_cast<time_t>(l.writtenNanos / 1'000'000'000);
        const long nanos = static_cast<long>(l.writtenNanos % 1'000'000'000);
        const struct timespec times[2] = {{0, UTIME_OMIT}, {seconds, nanos}};
        utimensat(AT_FDCWD, target.c_str(), times, 0);
        return true;
    }
    return false;
}
