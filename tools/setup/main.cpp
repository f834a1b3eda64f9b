// zorbex-setup: the game reads "config.dat" and never writes it; this writes it, in the
// folder the game will read it from (the working directory beside a build, the XDG data
// folder for an installed game), and shows what the game will use.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/files.h"
#include "shell/game.h"
#include "shell/player_folder.h"
#include "shell/save_files.h"

namespace {

const char* kUsage =
    "usage: zorbex-setup [--window | --fullscreen] [--difficulty N] [--show]\n"
    "Writes the game's settings file, config.dat, where the game reads it.\n"
    "  --window         start the game in a window\n"
    "  --fullscreen     start the game full screen (the default without a settings file)\n"
    "  --difficulty N   1 easy, 2 normal (the default), 3 hard\n"
    "  --show           print the settings file's place and the settings the game will use\n"
    "Alt+Enter switches between window and full screen while the game runs.\n";

struct Options {
    int screenMode = -1;  // -1 unchanged, else the value to write
    int difficulty = -1;
    bool show = false;
};

int Refuse(const char* message, const char* what) {
    std::fprintf(stderr, "zorbex-setup: %s%s%s\n", message, what ? " " : "", what ? what : "");
    std::fprintf(stderr, "%s", kUsage);
    return 2;
}

// 0 when the options are good, else the exit status after a message.
int ParseOptions(int argc, char** argv, Options* o) {
    if (argc < 2) return Refuse("nothing to do:", "give a setting or --show");
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            std::printf("%s", kUsage);
            std::exit(0);
        } else if (std::strcmp(a, "--window") == 0 || std::strcmp(a, "--fullscreen") == 0) {
            const int mode = a[2] == 'w' ? 0 : 1;
            if (o->screenMode != -1 && o->screenMode != mode)
                return Refuse("--window and --fullscreen exclude each other", nullptr);
            o->screenMode = mode;
        } else if (std::strcmp(a, "--difficulty") == 0) {
            if (i + 1 >= argc) return Refuse("--difficulty needs a value: 1, 2 or 3", nullptr);
            const char* v = argv[++i];
            if (std::strlen(v) != 1 || v[0] < '1' || v[0] > '3')
                return Refuse("--difficulty must be 1, 2 or 3, not", v);
            o->difficulty = v[0] - '0';
        } else if (std::strcmp(a, "--show") == 0) {
            o->show = true;
        } else {
            return Refuse("unknown option", a);
        }
    }
    return 0;
}

void PutInt(unsigned char* out, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int k = 0; k < 4; k++) out[k] = static_cast<unsigned char>(v >> (8 * k));
}

// Written as the game's save file is: whole or not at all, through the player's own
// links, never over a file the player could not rewrite nor through a planted link.
bool WriteConfig(const char* path, int32_t screenMode, int32_t difficulty, const char** why) {
    unsigned char bytes[8];
    PutInt(bytes, screenMode);
    PutInt(bytes + 4, difficulty);
    return ReplaceFileSafely(path, bytes, sizeof bytes, why);
}

void Show(const char* path) {
    const bool exists = access(path, F_OK) == 0;
    char where[4200];
    if (path[0] == '/') {
        std::snprintf(where, sizeof where, "%s", path);
    } else {
        char cwd[4096];
        std::snprintf(where, sizeof where, "%s/%s", getcwd(cwd, sizeof cwd) ? cwd : ".", path);
    }
    std::printf("settings file: %s%s\n", where, exists ? "" : " (none yet: the game's defaults)");
    std::printf("screen mode: %s\n", screenModeSetting == 1 ? "full screen" : "window");
    std::printf("difficulty: %d (starting rank %d)\n", difficultySetting, StartingRank());
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (int status = ParseOptions(argc, argv, &o)) return status;
    const bool writes = o.screenMode != -1 || o.difficulty != -1;
    UsePlayerFolder(writes);  // showing alone makes no folder
    ReadConfig();  // the settings as the game would read them now
    if (writes) {
        const int32_t mode = o.screenMode != -1 ? o.screenMode : screenModeSetting;
        const int32_t difficulty = o.difficulty != -1 ? o.difficulty : difficultySetting;
        const char* why = nullptr;
        if (!WriteConfig(configFileName, mode, difficulty, &why)) {
            std::fprintf(stderr, "zorbex-setup: cannot write %s: %s\n", configFileName, why);
            return 1;
        }
        ReadConfig();
        if (!o.show) std::printf("wrote %s\n", configFileName);
    }
    if (o.show) Show(configFileName);
    return 0;
}
