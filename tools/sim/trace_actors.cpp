// --trace-actors: one JSON object per frame listing every live actor of the chosen
// groups in list order, with functions by their registered behaviour names.
#include "trace_actors.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "actors/actor.h"
#include "actors/behaviours.h"
#include "probes.h"
#include "shell/game.h"

namespace {

std::FILE* traceFile;
uint8_t traceGroups = kAllTraceGroups;
bool writeFailed;

// One actor's line part fits easily; names are cut rather than overflow.
constexpr size_t kEntryBytes = 1024;
char entry[kEntryBytes];

// A behaviour name as a JSON string (null when the slot is empty or unregistered).
size_t PutName(char* out, size_t room, ActorFn fn) {
    const char* name = fn ? BehaviourNameOf(reinterpret_cast<const void*>(fn)) : nullptr;
    if (!name) return static_cast<size_t>(std::snprintf(out, room, "null"));
    size_t n = 0;
    auto put = [&](char c) {
        if (n + 1 < room) out[n] = c;
        n++;
    };
    put('"');
    for (const char* s = name; *s && n + 8 < room; s++) {
        unsigned char c = static_cast<unsigned char>(*s);
        if (c == '"' || c == '\\') {
            put('\\');
            put(static_cast<char>(c));
        } else if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", c);
            for (const char* h = hex; *h; h++) put(*h);
        } else {
            put(static_cast<char>(c));
        }
    }
    put('"');
    if (n < room) out[n] = '\0';
    return n < room ? n : room - 1;
}

// Three decimals, or null for a position that is not a number.
size_t PutCoordinate(char* out, size_t room, float v) {
    if (!std::isfinite(v)) return static_cast<size_t>(std::snprintf(out, room, "null"));
    return static_cast<size_t>(std::snprintf(out, room, "%.3f", static_cast<double>(v)));
}

void WriteActor(const Actor* a, bool first) {
    size_t n = 0;
    auto room = [&]() { return n < kEntryBytes ? kEntryBytes - n : 0; };
    auto advance = [&](int written) {
        if (written > 0) n += static_cast<size_t>(written);
        if (n >= kEntryBytes) n = kEntryBytes - 1;
    };
    advance(std::snprintf(entry + n, room(), "%s{\"slot\":%td,\"group\":%d,\"x\":", first ? "" : ",",
                          a - actorPool, a->group));
    n += PutCoordinate(entry + n, room(), a->x);
    advance(std::snprintf(entry + n, room(), ",\"y\":"));
    n += PutCoordinate(entry + n, room(), a->y);
    advance(std::snprintf(entry + n, room(),
                          ",\"w\":%d,\"h\":%d,\"hp\":%d,\"attack\":%d,\"guard\":%d,\"scoreValue\":%d,"
                          "\"update\":",
                          a->width, a->height, a->hp, a->attack, a->guardMode, a->scoreValue));
    n += PutName(entry + n, room(), a->update);
    advance(std::snprintf(entry + n, room(), ",\"draw\":"));
    n += PutName(entry + n, room(), a->draw);
    advance(std::snprintf(entry + n, room(), "}"));
    if (std::fwrite(entry, 1, n, traceFile) != n) writeFailed = true;
}

}  // namespace

bool ParseTraceGroups(const char* text, uint8_t* mask) {
    if (!text || !*text) return false;
    uint8_t bits = 0;
    const char* p = text;
    for (;;) {
        if (*p < '0' || *p > '7') return false;
        bits |= static_cast<uint8_t>(1u << (*p - '0'));
        p++;
        if (*p == '\0') break;
        if (*p != ',') return false;  // one digit per group: "10" is no group
        p++;
    }
    *mask = bits;
    return true;
}

bool OpenActorTrace(const char* path, uint8_t groups) {
    traceFile = std::fopen(path, "w");
    if (!traceFile) return false;
    // a whole boss fight is tens of megabytes: write it in large blocks
    std::setvbuf(traceFile, nullptr, _IOFBF, 1 << 20);
    traceGroups = groups;
    writeFailed = false;
    return true;
}

void WriteActorTraceLine(int64_t frame) {
    if (!traceFile) return;
    std::fprintf(traceFile,
                 "{\"frame\":%" PRId64 ",\"stageNumber\":%d,\"rank\":%d,\"score\":%d,\"bossState\":%d,"
                 "\"actors\":[",
                 frame, stageNumber, rank, score, BossStateNow());
    bool first = true;
    if (actorPool) {
        for (const Actor* a = activeList->next; a != activeList; a = a->next) {
            if (!a->alive || a->group < 0 || a->group > 7) continue;
            if (!(traceGroups & (1u << a->group))) continue;
            WriteActor(a, first);
            first = false;
        }
    }
    if (std::fputs("]}\n", traceFile) < 0) writeFailed = true;
}

bool CloseActorTrace() {
    if (!traceFile) return true;
    bool ok = !writeFailed && !std::ferror(traceFile);
    if (std::fclose(traceFile) != 0) ok = false;
    traceFile = nullptr;
    return ok;
}
