// A boss fight without a ship: the game set up headless, the ship's centre placed by
// hand, and the actor passes run one at a time.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "actors/actor.h"
#include "bosses/boss_state.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "support/headless_game.h"

class BossFight : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartSharedHeadlessGame(1));
        ResetNewGame();
        bossState = 0;
        stagePhase = 0;
        rank = 0;
        playerCenterX = 100;
        playerCenterY = 240;
    }
    // One update pass, drawn and swept as the play frame does; returns the records
    // the pass created (a record freed in the sweep is only reused by a later pass).
    static std::vector<Actor*> Pass() {
        std::vector<Actor*> before = Live();
        UpdateActors();
        DrawActors();
        SweepDeadActors();
        std::vector<Actor*> made;
        for (Actor* a : Live())
            if (std::find(before.begin(), before.end(), a) == before.end()) made.push_back(a);
        return made;
    }
    static std::vector<Actor*> Live() {
        std::vector<Actor*> all;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->alive) all.push_back(a);
        return all;
    }
    static std::vector<Actor*> InGroup(const std::vector<Actor*>& actors, int32_t group) {
        std::vector<Actor*> out;
        for (Actor* a : actors)
            if (a->group == group) out.push_back(a);
        return out;
    }
    static std::vector<Actor*> Shots(const std::vector<Actor*>& actors, int32_t width) {
        std::vector<Actor*> out;
        for (Actor* a : InGroup(actors, GroupEnemyShot))
            if (a->width == width) out.push_back(a);
        return out;
    }
    // The live GroupEnemy records of a given size, in list order.
    static std::vector<Actor*> EnemiesSized(int32_t w, int32_t h) {
        std::vector<Actor*> out;
        for (Actor* a : Live())
            if (a->group == GroupEnemy && a->width == w && a->height == h) out.push_back(a);
        return out;
    }
    // Ends every enemy shot so long runs keep the pool small.
    static void ClearShots() {
        for (Actor* a : Live())
            if (a->group == GroupEnemyShot) a->alive = 0;
        SweepDeadActors();
    }
    static std::vector<int32_t> Dirs(const std::vector<Actor*>& shots) {
        std::vector<int32_t> dirs;
        for (Actor* s : shots) dirs.push_back(s->work[kDir].i);
        return dirs;
    }
};
