// The state hash: equal runs hash equal, and a change anywhere in the state shows.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "actors/behaviours.h"
#include "bosses/boss_state.h"
#include "player/player.h"
#include "shell/replay.h"
#include "shell/state_hash.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"
#include "support/headless_game.h"

namespace {

using PartDigests = std::vector<std::pair<std::string, uint64_t>>;

PartDigests Parts() {
    PartDigests parts;
    ForEachStateDigest(
        [](const char* name, uint64_t digest, void* ctx) {
            static_cast<PartDigests*>(ctx)->emplace_back(name, digest);
        },
        &parts);
    return parts;
}

// The names of the parts two snapshots disagree on, for the failure message.
std::string Differences(const PartDigests& a, const PartDigests& b) {
    std::string out;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        if (a[i].second != b[i].second) out += a[i].first + " ";
    return out;
}

class StateHash : public HeadlessGame {
protected:
    // Stage 1 from its start, fire held and the ship weaving, hashed every 30 frames.
    static std::vector<uint64_t> PlayStage1(uint32_t seed, int frames, PartDigests* first = nullptr) {
        BeginRun(seed, 2, 1);
        std::vector<uint64_t> hashes;
        for (int f = 1; f <= frames; f++) {
            Frame(PadButton1 | ((f / 40) % 2 ? PadUp : PadDown));
            if (f % 30 == 0) hashes.push_back(::StateHash());
            if (f == 1 && first) *first = Parts();
        }
        return hashes;
    }
};

TEST_F(StateHash, SameSeedAndButtonsGiveTheSameHashes) {
    PartDigests firstParts, secondParts;
    std::vector<uint64_t> first = PlayStage1(7, 600, &firstParts);
    std::vector<uint64_t> second = PlayStage1(7, 600, &secondParts);
    EXPECT_EQ(Differences(firstParts, secondParts), "") << "after the first frame";
    EXPECT_EQ(first, second);
    // and the state really moves: no two checkpoints alike
    EXPECT_EQ(std::set<uint64_t>(first.begin(), first.end()).size(), first.size());
}

TEST_F(StateHash, AnotherSeedPartsTheRuns) {
    std::vector<uint64_t> a = PlayStage1(7, 600);
    std::vector<uint64_t> b = PlayStage1(8, 600);
    EXPECT_NE(a.back(), b.back());
}

TEST_F(StateHash, EachKindOfStateCounts) {
    BeginRun(3, 2, 1);
    Frames(200, PadButton1);
    ASSERT_NE(playerShip, nullptr);
    uint64_t base = ::StateHash();
    auto changes = [&](const char* what, auto poke) {
        poke(+1);
        uint64_t h = ::StateHash();
        poke(-1);
        EXPECT_NE(h, base) << what << " is not in the hash";
        EXPECT_EQ(::StateHash(), base) << what << " did not come back";
    };
    changes("score", [](int d) { score += d; });
    changes("bossState", [](int d) { bossState += d; });
    changes("scriptLine", [](int d) { scriptLine += d; });
    changes("a map cell", [](int d) { StageMap[46][2047] = static_cast<uint8_t>(StageMap[46][2047] + d); });
    changes("mapSubX", [](int d) { mapSubX += static_cast<float>(d) * 0.5f; });
    changes("the ship's position", [](int d) { playerShip->x += static_cast<float>(d); });
    changes("a work word nobody uses", [](int d) { playerShip->work[127].i += d; });
    // a number drawn and not yet used already makes the runs differ
    uint64_t beforeDraw = ::StateHash();
    RandomUpTo(3);
    EXPECT_NE(::StateHash(), beforeDraw) << "the random generator is not in the hash";
    base = ::StateHash();
    changes("the free list order", [](int d) {
        // swap the first two free records and back
        (void)d;
        Actor* a = freeList->next;
        Actor* b = a->next;
        a->next = b->next;
        b->next = a;
        freeList->next = b;
    });
}

void UnlistedBehaviour(Actor*) {}
void OtherUnlistedBehaviour(Actor*) {}

// Slots hash by the registered name alone, so no build's addresses can enter the hash.
TEST_F(StateHash, FunctionSlotsHashByRegisteredName) {
    BeginRun(3, 2, 1);
    Frames(2);
    ASSERT_NE(playerShip, nullptr);
    EXPECT_STREQ(BehaviourNameOf(reinterpret_cast<const void*>(playerShip->update)), "ShipEnter");
    EXPECT_STREQ(BehaviourNameOf(reinterpret_cast<const void*>(playerShip->draw)), "DrawShip");

    const uint64_t base = ::StateHash();
    ActorFn old = playerShip->update;
    playerShip->update = ShipDying;
    EXPECT_NE(::StateHash(), base);
    playerShip->update = old;
    EXPECT_EQ(::StateHash(), base);

    // every unregistered function hashes alike, whatever its address
    EXPECT_EQ(BehaviourNameOf(reinterpret_cast<const void*>(&UnlistedBehaviour)), nullptr);
    playerShip->update = UnlistedBehaviour;
    const uint64_t unlisted = ::StateHash();
    EXPECT_NE(unlisted, base);
    playerShip->update = OtherUnlistedBehaviour;
    EXPECT_EQ(::StateHash(), unlisted);
    playerShip->update = old;
}

// A run begun from the title after another that fought a boss hashes its title frames as a
// fresh program does: the game's own recording of a second run verifies in the simulator.
TEST_F(StateHash, ARunFromTheTitleAfterABossFightHashesAsAFreshProgram) {
    Replay before, from;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(ZORBEX_SOURCE_DIR "/tests/golden/stage1.replay", &before, &error)) << error;
    ASSERT_TRUE(ReadReplayFile(ZORBEX_SOURCE_DIR "/tests/golden/game-run.replay", &from, &error)) << error;
    BeginReplay(before);
    for (uint8_t pad : before.buttons) Frame(pad);  // to stage 1's boss and past it
    BeginReplay(from);
    size_t next = 0;
    for (size_t i = 0; i < from.buttons.size() && next < from.checkpoints.size(); i++) {
        Frame(from.buttons[i]);
        if (from.checkpoints[next].frame != static_cast<int32_t>(i + 1)) continue;
        ASSERT_EQ(::StateHash(), from.checkpoints[next].hash) << "frame " << i + 1;
        next++;
    }
    EXPECT_EQ(next, from.checkpoints.size());
}

TEST_F(StateHash, EveryPartWithItsOwnDigestIsKeptBySnapshots) { EXPECT_TRUE(EveryHashedPartKept()); }

TEST_F(StateHash, BehaviourTablesAreSound) {
    EXPECT_EQ(BehaviourRegistryFault(), nullptr) << BehaviourRegistryFault();
    // the families' tables together: ship, shots, enemies, map objects, bosses, stars
    EXPECT_GT(BehaviourCount(), 250);
    for (const char* name : {"UpdateFortressGlide", "DrawEnemyShotCell<10>", "MyShotUpdate<4>", "UpdateStar"}) {
        const void* fn = FindBehaviour(name);
        ASSERT_NE(fn, nullptr) << name;
        EXPECT_STREQ(BehaviourNameOf(fn), name);
    }
    EXPECT_EQ(FindBehaviour("NoSuchBehaviour"), nullptr);
}

TEST_F(StateHash, PartsHaveDistinctNames) {
    std::set<std::string> names;
    int parts = 0;
    ForEachStateDigest(
        [](const char* name, uint64_t, void* ctx) { static_cast<std::set<std::string>*>(ctx)->insert(name); },
        &names);
    ForEachStateDigest([](const char*, uint64_t, void* ctx) { ++*static_cast<int*>(ctx); }, &parts);
    EXPECT_EQ(static_cast<int>(names.size()), parts);
    for (const char* must : {"actors", "stars", "StageMap", "score", "bossState", "scriptLine"})
        EXPECT_TRUE(names.count(must)) << must;
}

}  // namespace
