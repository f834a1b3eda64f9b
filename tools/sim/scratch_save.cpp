// The simulator's own high-score file: in a scratch folder made for the run and
// removed after it, so a run starts from the default table and never touches the
// player's "zorbexG.dat" (nor anything else: the file is replaced by renaming).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "session.h"
#include "shell/save_files.h"

namespace {

char scratchDir[] = "/tmp/zorbex-sim-XXXXXX";
std::string savePath;
bool made;

}  // namespace

bool UseScratchSaveFile() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zorbex-sim-XXXXXX";
    if (pattern.size() >= sizeof scratchDir) pattern = "/tmp/zorbex-sim-XXXXXX";
    pattern.copy(scratchDir, pattern.size());
    scratchDir[pattern.size()] = '\0';
    if (!mkdtemp(scratchDir)) {
        std::perror("zorbex-sim: cannot make a scratch folder");
        return false;
    }
    made = true;
    savePath = std::string(scratchDir) + "/zorbexG.dat";
    saveFileName = savePath.c_str();
    ReadSaveFile();  // no file yet: the default table
    return true;
}

void RemoveScratchSaveFile() {
    if (!made) return;
    std::remove(savePath.c_str());
    std::remove((savePath + ".tmp").c_str());
    rmdir(scratchDir);
    made = false;
}
