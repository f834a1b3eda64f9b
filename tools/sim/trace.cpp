// --trace: one JSON object per frame with the state a tester looks at first.
#include <cerrno>
#include <cinttypes>
#include <cstring>

#include "input_file.h"
#include "probes.h"
#include "session.h"
#include "shell/game.h"

namespace {

const char* const kGroupNames[8] = {"player", "playerShot", "playerMissile", "enemy",
                                    "enemyShot", "item", "effect", "blast"};
int firstError;  // errno of the first write that failed, 0 while none did

}  // namespace

bool WriteTraceLine(std::FILE* f, int64_t frame, int buttons) {
    std::fprintf(f,
                 "{\"frame\":%" PRId64 ",\"scene\":%d,\"stagePhase\":%d,\"stageNumber\":%d,"
                 "\"scriptLine\":%d,\"score\":%d,\"lives\":%d,\"bombs\":%d,\"rank\":%d,\"bossState\":%d,",
                 frame, currentScene, stagePhase, stageNumber, ScriptLineNow(), score, lives, bombs, rank,
                 BossStateNow());
    if (const Actor* ship = FindShip())
        std::fprintf(f, "\"shipX\":%.3f,\"shipY\":%.3f,", static_cast<double>(ship->x),
                     static_cast<double>(ship->y));
    else
        std::fputs("\"shipX\":null,\"shipY\":null,", f);
    GroupCounts counts = CountLiveActors();
    std::fputs("\"actors\":{", f);
    for (int g = 0; g < 8; g++) std::fprintf(f, "%s\"%s\":%d", g ? "," : "", kGroupNames[g], counts.byGroup[g]);
    std::fprintf(f, "},\"buttons\":\"%s\"}\n", ButtonNames(buttons).c_str());
    if (std::ferror(f) && !firstError) firstError = errno ? errno : EIO;
    return !std::ferror(f);
}

bool CloseTrace(std::FILE* f, const char* path) {
    const bool failed = std::ferror(f) != 0;
    if (std::fclose(f) != 0 && !firstError) firstError = errno ? errno : EIO;
    if (!failed && !firstError) return true;
    std::fprintf(stderr, "zorbex-sim: cannot write %s: %s\n", path, std::strerror(firstError ? firstError : EIO));
    return false;
}
