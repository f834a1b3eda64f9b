// The settings record with its two files, reader and writer side by side.
#include "shell/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "runtime/files.h"
#include "runtime/media.h"
#include "shell/save_files.h"

Settings settings;

const char* const kKeySettingNames[kKeyActionCount] = {
    "key-fire", "key-bomb", "key-continue", "key-pause", "key-up", "key-down", "key-left", "key-right",
};
const char* const kPadSettingNames[kPadActionCount] = {"pad-fire", "pad-bomb", "pad-continue", "pad-pause"};
const char* const kLanguageNames[kLanguageCount] = {"system", "en", "ja"};
const int32_t kDefaultKeys[kKeyActionCount] = {KeyZ, KeyX, KeyC, KeyP, KeyUp, KeyDown, KeyLeft, KeyRight};
const int32_t kDefaultPadButtons[kPadActionCount] = {PadA, PadB, PadX, PadStart};

constexpr std::string_view kOptionsMagic = "zorbex-options 1";
constexpr size_t kMaxOptionsBytes = 64 * 1024;
constexpr size_t kMaxKeptLines = 256;

Settings::Settings() {
    std::copy(std::begin(kDefaultKeys), std::end(kDefaultKeys), keys);
    std::copy(std::begin(kDefaultPadButtons), std::end(kDefaultPadButtons), padButtons);
}

// ---- config.dat

void ParseConfigBytes(const unsigned char* bytes, size_t size, Settings* s) {
    int32_t values[2] = {0, 0};
    for (int i = 0; i < 2 && size >= size_t(4 * i + 4); i++) {
        const unsigned char* b = bytes + 4 * i;
        values[i] = static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                         uint32_t(b[3]) << 24);
    }
    s->screenMode = values[0];
    s->difficulty = values[1];
}

static void FormatConfigBytes(const Settings& s, unsigned char out[8]) {
    const uint32_t v[2] = {uint32_t(s.screenMode), uint32_t(s.difficulty)};
    for (int i = 0; i < 2; i++)
        for (int k = 0; k < 4; k++) out[4 * i + k] = static_cast<unsigned char>(v[i] >> (8 * k));
}

// ---- options.cfg

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool SmallNumber(std::string_view v, int32_t lo, int32_t hi, int32_t* out) {
    if (v.empty() || v.size() > 3) return false;
    int32_t n = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    if (n < lo || n > hi) return false;
    *out = n;
    return true;
}

int Find(const char* const* names, int count, std::string_view key) {
    for (int i = 0; i < count; i++)
        if (key == names[i]) return i;
    return -1;
}

// One `key = value` line into the record; nullptr when taken, else why not. An unknown
// key is no damage: it is kept for the next write.
const char* TakeLine(std::string_view key, std::string_view value, Settings* s, bool* unknown) {
    char name[64];
    if (value.size() >= sizeof name) return "value too long";
    std::memcpy(name, value.data(), value.size());
    name[value.size()] = '\0';
    *unknown = false;
    if (key == "music-volume") return SmallNumber(value, 0, kVolumeSteps, &s->musicVolume) ? nullptr : "not 0 to 10";
    if (key == "effects-volume") return SmallNumber(value, 0, kVolumeSteps, &s->effectsVolume) ? nullptr : "not 0 to 10";
    if (key == "window-scale") {
        if (value == "auto") {
            s->windowScale = 0;
            return nullptr;
        }
        return SmallNumber(value, 1, kMaxWindowScale, &s->windowScale) ? nullptr : "not auto or 1 to 4";
    }
    if (key == "language") {
        const int l = Find(kLanguageNames, kLanguageCount, value);
        if (l < 0) return "not system, en or ja";
        s->language = l;
        return nullptr;
    }
    if (int k = Find(kKeySettingNames, kKeyActionCount, key); k >= 0) {
        const int code = KeyFromName(name);
        if (code < 0) return "no such key";
        BindKey(s, k, code);  // as the menu does: one key never serves two buttons
        return nullptr;
    }
    if (int p = Find(kPadSettingNames, kPadActionCount, key); p >= 0) {
        const int button = PadButtonFromName(name);
        if (button < 0) return "no such pad button";
        BindPadButton(s, p, button);
        return nullptr;
    }
    *unknown = true;
    return nullptr;
}

}  // namespace

void ParseOptionsText(const char* text, size_t size, Settings* s,
                      void (*warn)(int line, const char* why, void* context), void* context) {
    auto tell = [&](int line, const char* why) {
        if (warn) warn(line, why, context);
    };
    s->otherLines.clear();
    const char* p = text;
    const char* end = text + size;
    int number = 0;
    bool headerSeen = false;
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        std::string_view raw(p, size_t((nl ? nl : end) - p));
        p = nl ? nl + 1 : end;
        number++;
        const std::string_view line = Trim(raw);
        if (number == 1) {
            headerSeen = line == kOptionsMagic;
            if (headerSeen) continue;
            tell(1, "the first line is not \"zorbex-options 1\"");
        }
        if (line.empty() || line.front() == '#') {
            if (headerSeen && s->otherLines.size() < kMaxKeptLines) s->otherLines.emplace_back(line);
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            tell(number, "not a key = value line");
            continue;
        }
        const std::string_view key = Trim(line.substr(0, eq));
        const std::string_view value = Trim(line.substr(eq + 1));
        bool unknown = false;
        if (const char* why = TakeLine(key, value, s, &unknown)) {
            tell(number, why);
        } else if (unknown && s->otherLines.size() < kMaxKeptLines && line.size() < 1024) {
            s->otherLines.emplace_back(line);
        }
    }
}

std::string FormatOptionsText(const Settings& s) {
    std::string out(kOptionsMagic);
    out += '\n';
    char line[128];
    auto put = [&](const char* key, const char* value) {
        std::snprintf(line, sizeof line, "%s = %s\n", key, value ? value : "");
        out += line;
    };
    auto number = [&](const char* key, int32_t v) {
        char n[16];
        std::snprintf(n, sizeof n, "%d", int(v));
        put(key, n);
    };
    number("music-volume", s.musicVolume);
    number("effects-volume", s.effectsVolume);
    if (s.windowScale == 0)
        put("window-scale", "auto");
    else
        number("window-scale", s.windowScale);
    put("language", kLanguageNames[std::clamp<int32_t>(s.language, 0, kLanguageCount - 1)]);
    for (int k = 0; k < kKeyActionCount; k++) put(kKeySettingNames[k], KeyNameOf(s.keys[k]));
    for (int p = 0; p < kPadActionCount; p++) put(kPadSettingNames[p], PadButtonNameOf(s.padButtons[p]));
    for (const std::string& other : s.otherLines) {
        out += other;
        out += '\n';
    }
    return out;
}

// ---- the files

static char optionsPath[4200];

const char* OptionsFileName() {
    const char* slash = std::strrchr(configFileName, '/');
    const int dir = slash ? int(slash - configFileName) + 1 : 0;
    std::snprintf(optionsPath, sizeof optionsPath, "%.*soptions.cfg", dir, configFileName);
    return optionsPath;
}

static void WarnOnStderr(int line, const char* why, void* path) {
    std::fprintf(stderr, "zorbex: %s line %d: %s; that setting keeps its default\n",
                 static_cast<const char*>(path), line, why);
}

void ReadSettings(Settings* s) {
    *s = Settings();
    if (FILE* f = OpenRegularFile(configFileName)) {
        unsigned char bytes[8];
        const size_t got = std::fread(bytes, 1, sizeof bytes, f);
        std::fclose(f);
        ParseConfigBytes(bytes, got, s);
    }
    const char* path = OptionsFileName();
    FILE* probe = OpenRegularFile(path);
    if (!probe) return;  // none yet: the defaults
    std::fclose(probe);
    std::string text, error;
    if (!ReadWholeFile(path, kMaxOptionsBytes, &text, &error)) {
        std::fprintf(stderr, "zorbex: %s: %s; the options keep their defaults\n", path, error.c_str());
        return;
    }
    ParseOptionsText(text.data(), text.size(), s, WarnOnStderr, const_cast<char*>(path));
}

bool WriteConfigFile(const Settings& s, const char** why) {
    unsigned char bytes[8];
    FormatConfigBytes(s, bytes);
    return ReplaceFileSafely(configFileName, bytes, sizeof bytes, why);
}

bool WriteOptionsFile(const Settings& s, const char** why) {
    const std::string text = FormatOptionsText(s);
    return ReplaceFileSafely(OptionsFileName(), text.data(), text.size(), why);
}

// ---- changes

void BindKey(Settings* s, int action, int32_t scanCode) {
    if (action < 0 || action >= kKeyActionCount || !KeyNameOf(scanCode)) return;
    for (int other = 0; other < kKeyActionCount; other++)
        if (other != action && s->keys[other] == scanCode) s->keys[other] = s->keys[action];
    s->keys[action] = scanCode;
}

void BindPadButton(Settings* s, int action, int32_t button) {
    if (action < 0 || action >= kPadActionCount || !PadButtonNameOf(button)) return;
    for (int other = 0; other < kPadActionCount; other++)
        if (other != action && s->padButtons[other] == button) s->padButtons[other] = s->padButtons[action];
    s->padButtons[action] = button;
}

void ResetKeys(Settings* s) { std::copy(std::begin(kDefaultKeys), std::end(kDefaultKeys), s->keys); }

void ResetPadButtons(Settings* s) {
    std::copy(std::begin(kDefaultPadButtons), std::end(kDefaultPadButtons), s->padButtons);
}

void ResetKeysAndButtons(Settings* s) {
    ResetKeys(s);
    ResetPadButtons(s);
}

void ApplySettings(const Settings& s) {
    SetAudioVolumes(s.musicVolume, s.effectsVolume);
    BindPadButtons(s.padButtons[PadActionFire], s.padButtons[PadActionBomb], s.padButtons[PadActionContinue],
                   s.padButtons[PadActionPause]);
    SetWindowScale(s.windowScale);
}
