// The simulator's own high-score file: in a scratch folder made for the run and removed
// after it, also when the run is stopped by SIGINT, SIGTERM, SIGHUP or SIGQUIT, so a run
// starts from the default table and never touches the player's "zorbexG.dat".
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "session.h"
#include "shell/save_files.h"

namespace {

char scratchDir[4096];
std::string savePath;
volatile sig_atomic_t made;
char removeOnStop[4096];  // a file of the run's own, "" for none
const int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Empties and removes the folder with system calls only, so a signal handler may
// call it: the save and any temporary file the save writer was caught with.
void RemoveScratchFolder() {
    const int dir = open(scratchDir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        alignas(8) char entries[4096];
        ssize_t n;
        while ((n = getdents64(dir, entries, sizeof entries)) > 0) {
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const struct dirent64*>(entries + at);
                if (e->d_type != DT_DIR) unlinkat(dir, e->d_name, 0);
                at += e->d_reclen;
            }
        }
        close(dir);
    }
    rmdir(scratchDir);
}

void StopOnSignal(int signal) {
    if (made) RemoveScratchFolder();
    if (removeOnStop[0]) unlink(removeOnStop);
    made = 0;
    // ended by the signal after all, as the caller expects
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    sigaction(signal, &standard, nullptr);
    raise(signal);
}

void CatchStopSignals() {
    for (int signal : kStopSignals) {
        struct sigaction old = {};
        sigaction(signal, nullptr, &old);
        if (old.sa_handler == SIG_IGN) continue;  // started to ignore it (nohup): keep that
        struct sigaction stop = {};
        stop.sa_handler = StopOnSignal;
        sigemptyset(&stop.sa_mask);
        for (int other : kStopSignals) sigaddset(&stop.sa_mask, other);
        sigaction(signal, &stop, nullptr);
    }
}

}  // namespace

// Held off while the folder is made or removed, so a signal never finds it half done.
// Holds nest: the signals come through when the outermost hold ends.
void HoldStopSignals(bool hold) {
    static int holds = 0;
    if (hold ? ++holds > 1 : --holds > 0) return;
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kStopSignals) sigaddset(&set, signal);
    sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

bool UseScratchSaveFile() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zorbex-sim-XXXXXX";
    if (pattern.size() >= sizeof scratchDir) pattern = "/tmp/zorbex-sim-XXXXXX";
    pattern.copy(scratchDir, pattern.size());
    scratchDir[pattern.size()] = '\0';
    CatchStopSignals();
    HoldStopSignals(true);
    made = mkdtemp(scratchDir) != nullptr;
    HoldStopSignals(false);
    if (!made) {
        std::perror("zorbex-sim: cannot make a scratch folder");
        return false;
    }
    savePath = std::string(scratchDir) + "/zorbexG.dat";
    saveFileName = savePath.c_str();
    ReadSaveFile();  // no file yet: the default table
    return true;
}

void RemoveScratchSaveFile() {
    HoldStopSignals(true);
    if (made) RemoveScratchFolder();
    made = 0;
    HoldStopSignals(false);
}

void RemoveOnStopSignal(const char* path) {
    HoldStopSignals(true);
    std::snprintf(removeOnStop, sizeof removeOnStop, "%s", path ? path : "");
    HoldStopSignals(false);
}
