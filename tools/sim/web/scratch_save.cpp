// The simulator's own high-score file under Node: in a scratch folder made for the run
// and removed after it, so a run starts from the default table and never touches the
// player's "zorbexG.dat". Node itself ends the process on a stop signal.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "session.h"
#include "shell/save_files.h"

namespace {

std::string scratchDir;
std::string savePath;

}  // namespace

bool UseScratchSaveFile() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zorbex-sim-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("zorbex-sim: cannot make a scratch folder");
        return false;
    }
    scratchDir = pattern;
    savePath = scratchDir + "/zorbexG.dat";
    saveFileName = savePath.c_str();
    ReadSaveFile();  // no file yet: the default table
    return true;
}

void RemoveScratchSaveFile() {
    if (scratchDir.empty()) return;
    if (DIR* dir = opendir(scratchDir.c_str())) {
        while (const dirent* e = readdir(dir))
            if (e->d_type != DT_DIR) unlink((scratchDir + "/" + e->d_name).c_str());
        closedir(dir);
    }
    rmdir(scratchDir.c_str());
    scratchDir.clear();
}

void RemoveOnStopSignal(const char*) {}
