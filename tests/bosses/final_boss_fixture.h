// A fixture for the bosses of the final stages: a fresh game with the ship's centre at
// a known point, update passes as the play frame runs them, and counts of what a
// boss has put on the screen.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "actors/actor.h"
#include "bosses/boss_state.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "support/headless_game.h"

class FinalBoss : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartSharedHeadlessGame(1));
        ResetNewGame();
        rank = 0;
        bossState = 0;
        stagePhase = 0;
        playerCenterX = 100;
        playerCenterY = 240;
    }

public:

    static void Pass() {
        UpdateActors();
        DrawActors();
        SweepDeadActors();
    }
    static void Passes(int n) {
        for (int i = 0; i < n; i++) Pass();
    }
    // Live records of a group, in list order.
    static std::vector<Actor*> Live(int32_t group) {
        std::vector<Actor*> out;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->alive && a->group == group) out.push_back(a);
        return out;
    }
    static int Shots() { return static_cast<int>(Live(GroupEnemyShot).size()); }
    // Enemy shots leave the pool, so long runs do not fill it.
    static void ClearShots() {
        for (Actor* a : Live(GroupEnemyShot)) a->alive = 0;
        SweepDeadActors();
    }
    static int CountSized(int32_t w, int32_t h) {
        int n = 0;
        for (Actor* a : Live(GroupEnemy)) n += a->width == w && a->height == h;
        return n;
    }
    // The body's death: its last life ends in the next pass.
    static void Destroy(Actor* a) { a->hp = 0; }
};
