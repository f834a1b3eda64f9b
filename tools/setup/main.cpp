// zorbex-setup: changes the game's settings (config.dat and options.cfg) from a command
// line, in the folder the game will read them from (the working directory beside a
// build, the XDG data folder for an installed game), and shows what the game will use.
// The game's own OPTIONS screen changes the same record.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/media.h"
#include "shell/game.h"
#include "shell/player_folder.h"
#include "shell/save_files.h"
#include "shell/settings.h"

namespace {

const char* kUsage =
    "usage: zorbex-setup [OPTION...] [--show]\n"
    "Changes the game's settings (config.dat and options.cfg) where the game reads them.\n"
    "  --window | --fullscreen   start the game in a window or full screen (the default)\n"
    "  --difficulty N            1 easy, 2 normal (the default), 3 hard\n"
    "  --music-volume N          0 (silent) to 10 (the default)\n"
    "  --effects-volume N        0 (silent) to 10 (the default)\n"
    "  --window-scale N          auto (the default: the largest that fits) or 1 to 4\n"
    "  --key-fire NAME           the key for fire, by its SDL scancode name (\"Z\", \"Space\",\n"
    "                            \"Left Shift\"); also --key-bomb, --key-continue, --key-pause,\n"
    "                            --key-up, --key-down, --key-left, --key-right\n"
    "  --pad-fire NAME           the pad's button for fire, by its SDL name (\"a\", \"rightshoulder\");\n"
    "                            also --pad-bomb, --pad-continue, --pad-pause\n"
    "  --reset-controls          every key and pad button back to its default\n"
    "  --show                    print where the settings are and every setting the game will use\n"
    "A key or button already in use by another action swaps with it.\n"
    "Alt+Enter switches between window and full screen while the game runs.\n";

int Refuse(const char* message, const char* what) {
    std::fprintf(stderr, "zorbex-setup: %s%s%s\n", message, what ? " " : "", what ? what : "");
    std::fprintf(stderr, "%s", kUsage);
    return 2;
}

bool Number(const char* v, int lo, int hi, int32_t* out) {
    if (!v || !*v || std::strlen(v) > 2) return false;
    int n = 0;
    for (const char* p = v; *p; p++) {
        if (*p < '0' || *p > '9') return false;
        n = n * 10 + (*p - '0');
    }
    if (n < lo || n > hi) return false;
    *out = n;
    return true;
}

// One change, made to the record as the option says; a value it cannot take refuses.
int Change(const char* a, const char* v, Settings* s) {
    char flag[64];
    if (std::strcmp(a, "--difficulty") == 0)
        return Number(v, 1, 3, &s->difficulty) ? 0 : Refuse("--difficulty must be 1, 2 or 3, not", v);
    if (std::strcmp(a, "--music-volume") == 0)
        return Number(v, 0, kVolumeSteps, &s->musicVolume) ? 0 : Refuse("--music-volume must be 0 to 10, not", v);
    if (std::strcmp(a, "--effects-volume") == 0)
        return Number(v, 0, kVolumeSteps, &s->effectsVolume) ? 0 : Refuse("--effects-volume must be 0 to 10, not", v);
    if (std::strcmp(a, "--window-scale") == 0) {
        if (std::strcmp(v, "auto") == 0) {
            s->windowScale = 0;
            return 0;
        }
        return Number(v, 1, kMaxWindowScale, &s->windowScale) ? 0 : Refuse("--window-scale must be auto or 1 to 4, not", v);
    }
    for (int k = 0; k < kKeyActionCount; k++) {
        std::snprintf(flag, sizeof flag, "--%s", kKeySettingNames[k]);
        if (std::strcmp(a, flag) != 0) continue;
        const int code = KeyFromName(v);
        if (code < 0) return Refuse("no key of that SDL scancode name:", v);
        BindKey(s, k, code);
        return 0;
    }
    for (int p = 0; p < kPadActionCount; p++) {
        std::snprintf(flag, sizeof flag, "--%s", kPadSettingNames[p]);
        if (std::strcmp(a, flag) != 0) continue;
        const int button = PadButtonFromName(v);
        if (button < 0) return Refuse("no pad button of that SDL name:", v);
        BindPadButton(s, p, button);
        return 0;
    }
    return Refuse("unknown option", a);
}

// 0 when every option was good (the record changed as they say), else the exit status.
int ParseOptions(int argc, char** argv, Settings* s, bool* writes, bool* show) {
    if (argc < 2) return Refuse("nothing to do:", "give a setting or --show");
    int screenMode = -1;
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            std::printf("%s", kUsage);
            std::exit(0);
        } else if (std::strcmp(a, "--window") == 0 || std::strcmp(a, "--fullscreen") == 0) {
            const int mode = a[2] == 'w' ? 0 : 1;
            if (screenMode != -1 && screenMode != mode)
                return Refuse("--window and --fullscreen exclude each other", nullptr);
            screenMode = mode;
            s->screenMode = mode;
            *writes = true;
        } else if (std::strcmp(a, "--show") == 0) {
            *show = true;
        } else if (std::strcmp(a, "--reset-controls") == 0) {
            ResetKeysAndButtons(s);
            *writes = true;
        } else {
            if (std::strncmp(a, "--", 2) != 0) return Refuse("unknown option", a);
            if (i + 1 >= argc) return Refuse(a, "needs a value");
            if (int status = Change(a, argv[++i], s)) return status;
            *writes = true;
        }
    }
    return 0;
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
    std::printf("music volume: %d\n", settings.musicVolume);
    std::printf("effects volume: %d\n", settings.effectsVolume);
    if (settings.windowScale == 0)
        std::printf("window scale: auto\n");
    else
        std::printf("window scale: %d\n", settings.windowScale);
    std::printf("language: %s\n", kLanguageNames[settings.language]);
    for (int k = 0; k < kKeyActionCount; k++) std::printf("%s: %s\n", kKeySettingNames[k], KeyNameOf(settings.keys[k]));
    for (int p = 0; p < kPadActionCount; p++)
        std::printf("%s: %s\n", kPadSettingNames[p], PadButtonNameOf(settings.padButtons[p]));
}

}  // namespace

int main(int argc, char** argv) {
    bool writes = false, show = false;
    // the options apply to the settings as the game would read them now; nothing is
    // written unless every option was good
    UsePlayerFolder(false);
    ReadConfig();
    Settings changed = settings;
    if (int status = ParseOptions(argc, argv, &changed, &writes, &show)) return status;
    if (writes) {
        UsePlayerFolder(true);
        const char* why = nullptr;
        if (!WriteConfigFile(changed, &why)) {
            std::fprintf(stderr, "zorbex-setup: cannot write %s: %s\n", configFileName, why);
            return 1;
        }
        if (!WriteOptionsFile(changed, &why)) {
            std::fprintf(stderr, "zorbex-setup: cannot write %s: %s\n", OptionsFileName(), why);
            return 1;
        }
        ReadConfig();
        if (!show) std::printf("wrote %s and %s\n", configFileName, OptionsFileName());
    }
    if (show) Show(configFileName);
    return 0;
}
