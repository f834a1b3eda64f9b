// The replay file: a short text header, the buttons as runs of equal frames, and
// the state hashes. Versioned; anything unexpected is refused with its line number.
#include "shell/replay.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "player/player.h"
#include "runtime/files.h"

namespace {

constexpr std::string_view kMagic = "zorbex-replay";
constexpr int32_t kLastStage = 28;
constexpr uint32_t kButtonMask = 0x7F;

// Reads a buffer line by line; a line ends at '\n' (a '\r' before it is dropped).
struct LineReader {
    const char* p;
    const char* end;
    int number = 0;

    bool Next(std::string_view* line) {
        if (p >= end) return false;
        const char* start = p;
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        const char* stop = nl ? nl : end;
        p = nl ? nl + 1 : end;
        if (stop > start && stop[-1] == '\r') stop--;
        *line = std::string_view(start, static_cast<size_t>(stop - start));
        number++;
        return true;
    }
};

// Splits off the next space-separated word.
std::string_view Word(std::string_view* rest) {
    size_t i = 0;
    while (i < rest->size() && (*rest)[i] == ' ') i++;
    size_t j = i;
    while (j < rest->size() && (*rest)[j] != ' ') j++;
    std::string_view w = rest->substr(i, j - i);
    *rest = rest->substr(j);
    return w;
}

bool Decimal(std::string_view s, int64_t lo, int64_t hi, int64_t* out) {
    if (s.empty() || s.size() > 19) return false;
    bool negative = s[0] == '-';
    if (negative) s.remove_prefix(1);
    if (s.empty()) return false;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > (int64_t(1) << 40)) return false;
    }
    if (negative) v = -v;
    if (v < lo || v > hi) return false;
    *out = v;
    return true;
}

bool Hex(std::string_view s, size_t maxDigits, uint64_t* out) {
    if (s.empty() || s.size() > maxDigits) return false;
    uint64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * 16 + static_cast<uint64_t>(d);
    }
    *out = v;
    return true;
}

struct Parser {
    LineReader lines;
    std::string* error;

    bool Fail(const char* what) {
        if (error) {
            char buf[160];
            std::snprintf(buf, sizeof buf, "line %d: %s", lines.number, what);
            *error = buf;
        }
        return false;
    }

    // The next line, which must begin with `key`; *rest is what follows it.
    bool KeyLine(std::string_view key, std::string_view* rest) {
        if (!lines.Next(rest)) return Fail("the file ends too early");
        if (Word(rest) == key) return true;
        std::string msg = "expected \"" + std::string(key) + "\"";
        return Fail(msg.c_str());
    }

    bool BadValue(std::string_view key) {
        std::string msg = "bad value for \"" + std::string(key) + "\"";
        return Fail(msg.c_str());
    }

    // A line "key value" with a decimal value in [lo, hi].
    bool KeyNumber(std::string_view key, int64_t lo, int64_t hi, int64_t* out) {
        std::string_view rest;
        if (!KeyLine(key, &rest)) return false;
        if (!Decimal(Word(&rest), lo, hi, out) || !Word(&rest).empty()) return BadValue(key);
        return true;
    }

    bool Header(Replay* r) {
        std::string_view line;
        if (!lines.Next(&line)) return Fail("empty file");
        std::string_view rest = line;
        if (Word(&rest) != kMagic) return Fail("not a replay file");
        int64_t version;
        if (!Decimal(Word(&rest), 0, INT32_MAX, &version) || !Word(&rest).empty())
            return Fail("bad format version");
        if (version < kReplayVersion || version > kReplayVersionPractice) {
            char buf[120];
            std::snprintf(buf, sizeof buf,
                          "replay format version %" PRId64 " is not supported (this build reads versions %d to %d)",
                          version, kReplayVersion, kReplayVersionPractice);
            return Fail(buf);
        }
        r->titleMenu = version >= kReplayVersionMenu;
        int64_t v;
        r->hashScheme = 1;
        if (version >= kReplayVersionSchemed) {
            if (!KeyNumber("hash-scheme", 1, INT32_MAX, &v)) return false;
            r->hashScheme = static_cast<int32_t>(v);
        }
        if (!KeyNumber("seed", 0, UINT32_MAX, &v)) return false;
        r->seed = static_cast<uint32_t>(v);
        if (!KeyNumber("difficulty", INT32_MIN, INT32_MAX, &v)) return false;
        r->difficulty = static_cast<int32_t>(v);
        if (!KeyNumber("stage", 0, kLastStage, &v)) return false;
        r->startStage = static_cast<int32_t>(v);
        if (!Options(r)) return false;
        // version 5 is written for practices only
        if (version == kReplayVersionPractice && !(r->options & RunPractice))
            return Fail("a version 5 replay is a practice");
        if ((r->options & RunPractice) && (version < kReplayVersionPractice || !Practice(r))) {
            return version < kReplayVersionPractice ? Fail("a practice needs format version 5") : false;
        }
        if (version < kReplayVersionHeld) return true;
        if (!KeyNumber("held", 0, kButtonMask, &v)) return false;
        r->heldAtStart = static_cast<uint8_t>(v);
        if (!KeyNumber("truncated", 0, 1, &v)) return false;
        r->truncated = v != 0;
        return KeyNumbers("scores", &r->tableScores) && KeyNumbers("score-stages", &r->tableStages);
    }

    // A line "key v1 .. v10" of int32 values, as the save file may hold any.
    bool KeyNumbers(std::string_view key, HighScoreList* out) {
        std::string_view rest;
        if (!KeyLine(key, &rest)) return false;
        for (int32_t& value : *out) {
            int64_t v;
            if (!Decimal(Word(&rest), INT32_MIN, INT32_MAX, &v)) return BadValue(key);
            value = static_cast<int32_t>(v);
        }
        if (!Word(&rest).empty()) return Fail("more than ten values");
        return true;
    }

    bool Options(Replay* r) {
        std::string_view line;
        if (!lines.Next(&line)) return Fail("the file ends too early");
        std::string_view rest = line;
        if (Word(&rest) != "options") return Fail("expected \"options\"");
        r->options = 0;
        for (std::string_view w = Word(&rest); !w.empty(); w = Word(&rest)) {
            if (w == "invincible") r->options |= RunInvincible;
            else if (w == "power-max") r->options |= RunPowerMax;
            else if (w == "practice") r->options |= RunPractice;
            else if (w != "none") return Fail("unknown option");
        }
        return true;
    }

    // "practice STAGE start|boss" and "power SHOT MISSILE ARMS BOMBS"; a practice is only
    // ever that (no other option goes with it) and its stage is the header's stage.
    bool Practice(Replay* r) {
        if (r->options != RunPractice) return Fail("a practice takes no other option");
        std::string_view rest;
        int64_t v;
        if (!KeyLine("practice", &rest)) return false;
        if (!Decimal(Word(&rest), 1, kLastStage, &v) || v != r->startStage) return BadValue("practice");
        r->practice.stage = static_cast<int32_t>(v);
        const std::string_view where = Word(&rest);
        if ((where != "start" && where != "boss") || !Word(&rest).empty()) return BadValue("practice");
        r->practice.boss = where == "boss";
        if (!KeyLine("power", &rest)) return false;
        const int64_t top[4] = {kTopShotLevel, kTopMissileLevel, kPracticeTopArms, kPracticeTopBombs};
        int32_t* fields[4] = {&r->practice.shotLevel, &r->practice.missileLevel, &r->practice.arms,
                              &r->practice.bombs};
        for (int i = 0; i < 4; i++) {
            if (!Decimal(Word(&rest), 0, top[i], &v)) return BadValue("power");
            *fields[i] = static_cast<int32_t>(v);
        }
        if (!Word(&rest).empty()) return BadValue("power");
        return true;
    }

    bool Buttons(Replay* r, int64_t frames) {
        int64_t runs = 0;
        if (!KeyNumber("buttons", 1, frames, &runs)) return false;
        r->buttons.reserve(static_cast<size_t>(frames));
        for (int64_t i = 0; i < runs; i++) {
            std::string_view line;
            if (!lines.Next(&line)) return Fail("the file ends inside the buttons");
            std::string_view rest = line;
            int64_t count;
            uint64_t bits;
            if (!Decimal(Word(&rest), 1, frames, &count) || !Hex(Word(&rest), 2, &bits) ||
                bits > kButtonMask || !Word(&rest).empty())
                return Fail("bad run of buttons");
            if (static_cast<int64_t>(r->buttons.size()) + count > frames)
                return Fail("more frames of buttons than the replay has");
            r->buttons.insert(r->buttons.end(), static_cast<size_t>(count), static_cast<uint8_t>(bits));
        }
        if (static_cast<int64_t>(r->buttons.size()) != frames)
            return Fail("fewer frames of buttons than the replay has");
        return true;
    }

    bool Hashes(Replay* r, int64_t frames) {
        int64_t count = 0;
        if (!KeyNumber("hashes", 0, frames, &count)) return false;
        r->checkpoints.reserve(static_cast<size_t>(count));
        int64_t previous = 0;
        for (int64_t i = 0; i < count; i++) {
            std::string_view line;
            if (!lines.Next(&line)) return Fail("the file ends inside the hashes");
            std::string_view rest = line;
            int64_t frame;
            uint64_t hash;
            if (!Decimal(Word(&rest), 1, frames, &frame) || !Hex(Word(&rest), 16, &hash) ||
                !Word(&rest).empty())
                return Fail("bad hash line");
            if (frame <= previous) return Fail("hash frames must ascend");
            previous = frame;
            r->checkpoints.push_back({static_cast<int32_t>(frame), hash});
        }
        return true;
    }

    bool Parse(Replay* r) {
        *r = Replay{};
        if (!Header(r)) return false;
        int64_t frames = 0;
        if (!KeyNumber("frames", 1, INT32_MAX, &frames)) return false;
        if (frames > kReplayMaxFrames) {
            char buf[120];
            std::snprintf(buf, sizeof buf, "%" PRId64 " frames: longer than any run the game records (%d at most)",
                          frames, kReplayMaxFrames);
            return Fail(buf);
        }
        if (!Buttons(r, frames) || !Hashes(r, frames)) return false;
        std::string_view line;
        if (!lines.Next(&line) || line != "end") return Fail("expected \"end\"");
        while (lines.Next(&line))
            if (!line.empty()) return Fail("text after \"end\"");
        return true;
    }
};

}  // namespace

bool ParseReplay(const char* text, size_t size, Replay* replay, std::string* error) {
    Parser parser{{text, text + size}, error};
    if (parser.Parse(replay)) return true;
    *replay = Replay{};
    return false;
}

static void AppendNumbers(const char* key, const HighScoreList& values, std::string* out) {
    *out += key;
    char buf[16];
    for (int32_t v : values) {
        std::snprintf(buf, sizeof buf, " %d", v);
        *out += buf;
    }
}

std::string FormatReplay(const Replay& r) {
    std::string out;
    char buf[96];
    const bool practice = (r.options & RunPractice) != 0;
    std::snprintf(buf, sizeof buf, "%s %d\nhash-scheme %d\nseed %u\ndifficulty %d\nstage %d\noptions",
                  kMagic.data(),
                  practice ? kReplayVersionPractice : r.titleMenu ? kReplayVersionMenu : kReplayVersionSchemed,
                  r.hashScheme, r.seed, r.difficulty, r.startStage);
    out += buf;
    if (practice) {
        // a practice is only that: the board refuses it by this line
        const PracticeStart& p = r.practice;
        std::snprintf(buf, sizeof buf, " practice\npractice %d %s\npower %d %d %d %d", r.startStage,
                      p.boss ? "boss" : "start", p.shotLevel, p.missileLevel, p.arms, p.bombs);
        out += buf;
    } else {
        if (r.options == 0) out += " none";
        if (r.options & RunInvincible) out += " invincible";
        if (r.options & RunPowerMax) out += " power-max";
    }
    std::snprintf(buf, sizeof buf, "\nheld %d\ntruncated %d", r.heldAtStart & kButtonMask, r.truncated ? 1 : 0);
    out += buf;
    AppendNumbers("\nscores", r.tableScores, &out);
    AppendNumbers("\nscore-stages", r.tableStages, &out);
    std::snprintf(buf, sizeof buf, "\nframes %zu\n", r.buttons.size());
    out += buf;

    std::string runs;
    size_t runCount = 0;
    for (size_t i = 0; i < r.buttons.size();) {
        size_t j = i;
        while (j < r.buttons.size() && r.buttons[j] == r.buttons[i]) j++;
        std::snprintf(buf, sizeof buf, "%zu %02x\n", j - i, r.buttons[i] & kButtonMask);
        runs += buf;
        runCount++;
        i = j;
    }
    std::snprintf(buf, sizeof buf, "buttons %zu\n", runCount);
    out += buf;
    out += runs;
    std::snprintf(buf, sizeof buf, "hashes %zu\n", r.checkpoints.size());
    out += buf;
    for (const ReplayCheckpoint& c : r.checkpoints) {
        std::snprintf(buf, sizeof buf, "%d %016" PRIx64 "\n", c.frame, c.hash);
        out += buf;
    }
    out += "end\n";
    return out;
}

bool ReadReplayFile(const char* path, Replay* replay, std::string* error) {
    std::string text, why;
    // a replay of the longest run allowed is a few megabytes; more is not a replay
    if (!ReadWholeFile(path, kReplayMaxBytes, &text, &why)) {
        if (error) *error = why;
        return false;
    }
    if (!ParseReplay(text.data(), text.size(), replay, &why)) {
        if (error) *error = std::string(path) + ": " + why;
        return false;
    }
    return true;
}

bool WriteReplayFile(const char* path, const Replay& replay, std::string* error) {
    std::string text = FormatReplay(replay);
    // never half a replay, never through a planted temporary link
    const char* why = nullptr;
    if (ReplaceFileSafely(path, text.data(), text.size(), &why)) return true;
    if (error) *error = std::string("cannot write ") + path + ": " + why;
    return false;
}

bool IsReplayCheckpoint(int32_t frame, int32_t lastFrame) {
    return frame % kReplayHashInterval == 0 || frame == lastFrame;
}

bool ReplayHashesCanBeChecked(const Replay& r, std::string* why) {
    if (r.hashScheme < kStateHashScheme) {
        *why = "recorded by an older build of the game: its state hashes cannot be checked";
        return false;
    }
    if (r.hashScheme > kStateHashScheme) {
        *why = "recorded by a newer build of the game (state hash scheme " + std::to_string(r.hashScheme) +
               "; this build makes scheme " + std::to_string(kStateHashScheme) + ")";
        return false;
    }
    // exactly the hashes the recorder writes: no fewer, and none elsewhere
    const int32_t last = static_cast<int32_t>(r.buttons.size());
    size_t next = 0;
    bool covered = true;
    for (int32_t frame = 1; frame <= last && covered; frame++) {
        if (!IsReplayCheckpoint(frame, last)) continue;
        covered = next < r.checkpoints.size() && r.checkpoints[next++].frame == frame;
    }
    if (covered && next == r.checkpoints.size()) return true;
    *why = "its hash lines do not cover the run (one after every " + std::to_string(kReplayHashInterval) +
           "th frame and one after the last, as the game records them)";
    return false;
}
