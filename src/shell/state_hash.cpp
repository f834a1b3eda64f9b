// The state hash and the snapshot: every game global and every actor record, in one
// list. A global that changes play and is missing here lets two different runs look
// alike and a restored snapshot play otherwise, so each new global is added to kParts
// below as it appears.
#include "shell/state_hash.h"

#include <cstring>

#include "actors/actor.h"
#include "actors/behaviours.h"
#include "actors/spawners.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "scenes/scenes.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/practice.h"
#include "shell/save_files.h"
#include "stages/enemies.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"

namespace {

struct Digest {
    uint64_t h = 0x9e3779b97f4a7c15ull;

    void Word(uint64_t w) {
        h ^= w;
        h *= 0xff51afd7ed558ccdull;
        h ^= h >> 33;
    }
    void Bytes(const void* data, size_t size) {
        const unsigned char* p = static_cast<const unsigned char*>(data);
        Word(size);
        while (size >= 8) {
            uint64_t w;
            std::memcpy(&w, p, 8);
            Word(w);
            p += 8;
            size -= 8;
        }
        uint64_t tail = 0;
        std::memcpy(&tail, p, size);
        Word(tail);
    }
    template <typename T>
    void Value(const T& v) {
        Bytes(&v, sizeof v);
    }
};

// Pointers into the pool hash as record numbers, so the pool's address does not count.
int64_t RecordNumber(const Actor* a) {
    if (!a) return -1;
    return a - actorPool;
}

void DigestActor(Digest& d, const Actor* a) {
    d.Word(static_cast<uint64_t>(RecordNumber(a)));
    d.Word(BehaviourIdentity(reinterpret_cast<const void*>(a->update)));
    d.Word(BehaviourIdentity(reinterpret_cast<const void*>(a->draw)));
    d.Value(a->blastTag);
    d.Value(a->alive);
    d.Value(a->x);
    d.Value(a->y);
    d.Value(a->speed);
    d.Value(a->attack);
    d.Value(a->hp);
    d.Value(a->width);
    d.Value(a->height);
    d.Value(a->hitRects);
    d.Value(a->hitRectCount);
    d.Value(a->group);
    d.Value(a->guardMode);
    d.Value(a->deathKind);
    d.Value(a->scoreValue);
    d.Value(a->work);
}

// The live records in list order, then the order of the free list, which decides
// which record the next creation gets. A damaged list ends the walk, not the program.
void DigestActors(Digest& d) {
    if (!actorPool) return;
    int steps = 0;
    for (const Actor* a = activeList->next; a != activeList && steps <= kActorPoolSize; a = a->next) {
        DigestActor(d, a);
        steps++;
    }
    d.Word(0xac7u);
    steps = 0;
    for (const Actor* a = freeList->next; a != freeList && steps <= kActorPoolSize; a = a->next) {
        d.Word(static_cast<uint64_t>(RecordNumber(a)));
        steps++;
    }
}

// The live stars in list order, then the free order, as for the actors.
void DigestStars(Digest& d) {
    if (!starList) return;
    int steps = 0;
    for (const Star* s = starList->next; s != starList && steps <= kStarPoolSize; s = s->next) {
        d.Word(static_cast<uint64_t>(s - starList));
        d.Word(BehaviourIdentity(reinterpret_cast<const void*>(s->update)));
        d.Word(BehaviourIdentity(reinterpret_cast<const void*>(s->draw)));
        d.Value(s->alive);
        d.Value(s->x);
        d.Value(s->y);
        d.Value(s->vx);
        d.Value(s->vy);
        d.Value(s->color);
        steps++;
    }
    d.Word(0x57a2u);
    steps = 0;
    for (const Star* s = starFreeList->next; s != starFreeList && steps <= kStarPoolSize; s = s->next) {
        d.Word(static_cast<uint64_t>(s - starList));
        steps++;
    }
}

// The generator's state is its seed and how many numbers were drawn since.
void DigestRandom(Digest& d) { d.Word(RandomDrawCount()); }

void DigestPlayerShip(Digest& d) { d.Word(static_cast<uint64_t>(RecordNumber(playerShip))); }

// Parts that are not plain bytes are kept by copying what they stand for: both pools
// whole (links, free records and the contents a reused record keeps), the generator.
constexpr size_t kActorPoolBytes = sizeof(Actor) * (kActorPoolSize + 2);
constexpr size_t kStarPoolBytes = sizeof(Star) * (kStarPoolSize + 2);

void KeepActors(unsigned char* to) { std::memcpy(to, actorPool, kActorPoolBytes); }
void BringBackActors(const unsigned char* from) { std::memcpy(actorPool, from, kActorPoolBytes); }
void KeepStars(unsigned char* to) { std::memcpy(to, starList, kStarPoolBytes); }
void BringBackStars(const unsigned char* from) { std::memcpy(starList, from, kStarPoolBytes); }
void KeepPlayerShip(unsigned char* to) { std::memcpy(to, &playerShip, sizeof playerShip); }
void BringBackPlayerShip(const unsigned char* from) { std::memcpy(&playerShip, from, sizeof playerShip); }

// One piece of the game's state. Plain bytes are hashed and kept as they are; any
// other part says how it is hashed and how it is kept, both or the build fails.
// A part that is kept but not hashed changes no recorded hash: it is state that the
// hash reads through another part, but that a snapshot cannot do without.
struct HashedPart {
    const char* name;
    void* data;
    size_t size;
    void (*digest)(Digest&) = nullptr;
    void (*keep)(unsigned char*) = nullptr;
    void (*bringBack)(const unsigned char*) = nullptr;
    bool hashed = true;
};

#define GLOBAL(g) HashedPart{#g, &(g), sizeof(g)}
#define WALKED(name, size, digest, keep, bringBack) HashedPart{name, nullptr, size, digest, keep, bringBack}

// Globals of the game code that are not state between frames, each with its reason.
// A test compares the program's data symbols with kParts and this list, so a new
// global has to be placed in one or the other. A trailing '*' matches a prefix.
const char* const kLeftOut[] = {
    "Img*", "Wav*",                          // picture and sound handles, fixed at set-up
    "sinTable", "cosTable",                  // filled once at set-up
    "actorPool", "activeList", "freeList",   // walked record by record as "actors"
    "InitActorPool()::pool",
    "starList", "starFreeList",              // walked as "stars"
    "InitStarPool()::pool",
    "lastFrameMillis",                       // the pacing clock, not the game's
    "screenModeSetting",                     // used before the runtime starts, never after
    "configFileName", "saveFileName",        // where the files are, for tests and tools
    "kButtons",                              // the key table of the input sampler
    "kLevelTexts", "kEpilogueFiles",         // level data compiled in
    "kStageLayouts", "kBossTable",
    "writtenEpilogues", "epiloguesLaidOut",  // the ending's decoded texts, made at set-up
    "shownEpilogues", "shownEndingText",     // the words the player reads, in their language
    "laidOutForChange", "lineWidths",        // and their measured widths
    "(anonymous namespace)::language*",      // the player's language, never the game's
    "pause*",                                // the pause sits outside the game's frames
    "playerFolder*",                         // where the player's files are
    "reached*",                              // the stages this player reached, for practice
    "savesHeld",                             // a replay watched writes none of the player's files
    "runRecording",                          // the replay recorder watches, never steers
    "settings", "optionsPath", "padUsed",    // the player's settings and devices, never the game's
    "frontEnd*", "menu*",                    // the menus and their screens sit outside the game's frames
    "drawnMenus",                            // where the menus were drawn, for taps on them
    "(anonymous namespace)::remembered",     // the replays list's summaries, by file
    "titleIdleRestartsOnMove",               // a rule fixed for a run by its replay's version
    "(anonymous namespace)::behaviours",     // each file's behaviour names, fixed at start
    "(anonymous namespace)::theatre",        // the replay theatre watches a run, outside it
    "theatre*",
};

constexpr HashedPart kParts[] = {
    // scene switch and the run
    GLOBAL(currentScene),
    GLOBAL(sceneJustEntered),
    GLOBAL(stagePhase),
    GLOBAL(sceneTimer),
    GLOBAL(stageNumber),
    GLOBAL(score),
    GLOBAL(lives),
    GLOBAL(bombs),
    GLOBAL(shotGauge),
    GLOBAL(missileGauge),
    GLOBAL(armGauge),
    GLOBAL(rank),
    GLOBAL(hasContinued),
    GLOBAL(newRankIndex),
    GLOBAL(shipCreated),
    GLOBAL(explosionSoundRequest),
    // buttons
    GLOBAL(fireHeld),
    GLOBAL(firePressed),
    GLOBAL(bombHeld),
    GLOBAL(bombPressed),
    GLOBAL(continueHeld),
    GLOBAL(continuePressed),
    GLOBAL(upHeld),
    GLOBAL(upPressed),
    GLOBAL(downHeld),
    GLOBAL(downPressed),
    GLOBAL(leftHeld),
    GLOBAL(leftPressed),
    GLOBAL(rightHeld),
    GLOBAL(rightPressed),
    // settings and the high-score table
    GLOBAL(difficultySetting),
    GLOBAL(highScores),
    GLOBAL(highScoreStages),
    // player
    WALKED("playerShip", sizeof(Actor*), DigestPlayerShip, KeepPlayerShip, BringBackPlayerShip),
    GLOBAL(playerCenterX),
    GLOBAL(playerCenterY),
    GLOBAL(bombActive),
    GLOBAL(liveShotCount),
    GLOBAL(liveMissileCount),
    // enemies, shots and bosses
    GLOBAL(shotSoundLatch),
    GLOBAL(kind110Destroyed),
    GLOBAL(bossState),
    GLOBAL(bossX),
    GLOBAL(bossY),
    GLOBAL(bossScratch),
    GLOBAL(bossEventRequested),
    GLOBAL(bossEventIndex),
    // stage script
    GLOBAL(StageScriptTable),
    GLOBAL(scriptLine),
    GLOBAL(scriptWait),
    GLOBAL(scriptEnded),
    // scenes
    GLOBAL(titleFade),
    GLOBAL(stageCleared),
    GLOBAL(nextNode),
    GLOBAL(nodeX),
    GLOBAL(nodeY),
    GLOBAL(selectChoice),
    GLOBAL(selectedNode),
    GLOBAL(selectBlinkPhase),
    GLOBAL(selectBlinkTimer),
    GLOBAL(selectConfirmTimer),
    GLOBAL(selectConfirmed),
    GLOBAL(endingText),
    GLOBAL(endingScrollY),
    // map and camera
    GLOBAL(StageMap),
    GLOBAL(mapLeftColumn),
    GLOBAL(mapTopRow),
    GLOBAL(mapSubX),
    GLOBAL(mapSubY),
    GLOBAL(scrollSpeed),
    GLOBAL(scrollTargetSpeed),
    GLOBAL(scrollDir),
    GLOBAL(scrollOn),
    GLOBAL(scrollStopping),
    GLOBAL(mapScrollDX),
    GLOBAL(mapScrollDY),
    // the random generator
    WALKED("random", kRandomStateBytes, DigestRandom, SaveRandomState, RestoreRandomState),
    // the two pools
    WALKED("actors", kActorPoolBytes, DigestActors, KeepActors, BringBackActors),
    WALKED("stars", kStarPoolBytes, DigestStars, KeepStars, BringBackStars),
    // kept only: the hash sees a scene entry through sceneJustEntered, the next frame
    // decides it from this
    HashedPart{"previousScene", &previousScene, sizeof previousScene, nullptr, nullptr, nullptr, false},
    // kept only: the same for the whole of a run, and no run recorded before it had one
    HashedPart{"practiceRun", &practiceRun, sizeof practiceRun, nullptr, nullptr, nullptr, false},
};

#undef GLOBAL
#undef WALKED


uint64_t DigestPart(const HashedPart& part) {
    Digest d;
    if (part.digest)
        part.digest(d);
    else
        d.Bytes(part.data, part.size);
    return d.h;
}

}  // namespace

void PrepareStateHash() { PrepareBehaviourNames(); }

uint64_t StateHash() {
    PrepareStateHash();
    Digest all;
    for (const HashedPart& part : kParts)
        if (part.hashed) all.Word(DigestPart(part));
    return all.h;
}

void ForEachStateGlobal(void (*visit)(const char* name, bool covered, void* context), void* context) {
    for (const HashedPart& part : kParts) visit(part.name, true, context);
    for (const char* name : kLeftOut) visit(name, false, context);
}

void ForEachStateDigest(void (*visit)(const char* name, uint64_t digest, void* context),
                        void* context) {
    PrepareStateHash();
    for (const HashedPart& part : kParts)
        if (part.hashed) visit(part.name, DigestPart(part), context);
}

size_t StateSnapshotBytes() {
    size_t total = 0;
    for (const HashedPart& part : kParts) total += part.size;
    return total;
}

void TakeStateSnapshot(unsigned char* record) {
    for (const HashedPart& part : kParts) {
        if (part.keep)
            part.keep(record);
        else
            std::memcpy(record, part.data, part.size);
        record += part.size;
    }
}

void RestoreStateSnapshot(const unsigned char* record) {
    for (const HashedPart& part : kParts) {
        if (part.bringBack)
            part.bringBack(record);
        else
            std::memcpy(part.data, record, part.size);
        record += part.size;
    }
}

// A part with its own digest has its own way of being kept too (a function's address is no
// constant under the sanitizers, so this is asked by a test rather than at compile time).
bool EveryHashedPartKept() {
    for (const HashedPart& part : kParts)
        if ((part.digest || part.keep || part.bringBack) && !(part.digest && part.keep && part.bringBack))
            return false;
    return true;
}
