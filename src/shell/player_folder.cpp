// Where the player's files live. An installed game started from a menu has no
// meaningful working directory, so it keeps them in the XDG data folder.
#include "shell/player_folder.h"

#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/media.h"
#include "shell/save_files.h"

constexpr size_t kPathSize = 4096;
static char playerFolderPath[kPathSize];
static bool playerFolderChosen = false;
static bool playerFolderMade = false;
static char playerFolderConfig[kPathSize];
static char playerFolderSave[kPathSize];

bool ChoosePlayerFolder(bool installed, const char* xdgDataHome, const char* home, char* out,
                        size_t size) {
    if (size == 0) return false;
    out[0] = '\0';
    if (!installed) return true;
    int n;
    // relative values are to be ignored, as the base directory rules say
    if (xdgDataHome && xdgDataHome[0] == '/') {
        const size_t len = std::strlen(xdgDataHome);
        const char* sep = xdgDataHome[len - 1] == '/' ? "" : "/";
        n = std::snprintf(out, size, "%s%szorbex/", xdgDataHome, sep);
    } else if (home && home[0] == '/') {
        const size_t len = std::strlen(home);
        const char* sep = home[len - 1] == '/' ? "" : "/";
        n = std::snprintf(out, size, "%s%s.local/share/zorbex/", home, sep);
    } else {
        return false;
    }
    if (n < 0 || size_t(n) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}

static bool IsFolder(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakePlayerFolder(const char* folder) {
    char path[kPathSize];
    const size_t len = std::strlen(folder);
    if (len == 0 || len >= sizeof path) return false;
    std::memcpy(path, folder, len + 1);
    // each parent in turn, then the folder itself
    for (size_t i = 1; i <= len; i++) {
        if (path[i] != '/' && path[i] != '\0') continue;
        const char keep = path[i];
        path[i] = '\0';
        if (mkdir(path, 0700) != 0 && errno != EEXIST) return false;
        path[i] = keep;
    }
    return IsFolder(folder);
}

static const char* HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    const passwd* pw = getpwuid(getuid());
    return pw ? pw->pw_dir : nullptr;
}

// The folder, chosen on the first call; made on the first call with `create` (one that
// cannot be made means the working directory).
static const char* FindPlayerFolder(bool create) {
    if (!playerFolderChosen) {
        playerFolderChosen = true;
        if (!ChoosePlayerFolder(DataFolderInstalled(), std::getenv("XDG_DATA_HOME"), HomeFolder(),
                                playerFolderPath, sizeof playerFolderPath)) {
            std::fprintf(stderr, "zorbex: no home folder known; keeping files in the working directory\n");
            playerFolderPath[0] = '\0';
        }
    }
    if (create && !playerFolderMade && playerFolderPath[0]) {
        playerFolderMade = true;
        if (!MakePlayerFolder(playerFolderPath)) {
            std::fprintf(stderr, "zorbex: cannot create %s (%s); keeping files in the working directory\n",
                         playerFolderPath, std::strerror(errno));
            playerFolderPath[0] = '\0';
        }
    }
    return playerFolderPath;
}

const char* PlayerFolder() { return FindPlayerFolder(true); }

void UsePlayerFolder(bool create) {
    const char* folder = FindPlayerFolder(create);
    if (!folder[0]) return;  // the working directory: the names stay as they are
    const int a = std::snprintf(playerFolderConfig, sizeof playerFolderConfig, "%sconfig.dat", folder);
    const int b = std::snprintf(playerFolderSave, sizeof playerFolderSave, "%szorbexG.dat", folder);
    // the folder fits in kPathSize less the longest name, or the names are not changed
    if (a < 0 || b < 0 || size_t(a) >= kPathSize || size_t(b) >= kPathSize) return;
    configFileName = playerFolderConfig;
    saveFileName = playerFolderSave;
}
