// Test harness for boss fights: an empty stage played through the game's own frame
// function, the ship taken away so nothing aims at a moving target, and one boss
// set up as the warning would.
#pragma once

#include <cstring>
#include <vector>

#include "actors/actor.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "shell/game.h"
#include "stages/enemies.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"
#include "support/headless_game.h"

class PlayedBossFight : public HeadlessGame {
protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        SetDrawingEnabled(false);
        SeedRandom(1);
        ResetNewGame();
        stageNumber = 2;
        StartStage();
        currentScene = ScenePlay;
        std::memset(StageScriptTable, 0, sizeof StageScriptTable);
        std::strcpy(StageScriptTable[0], "end");
        std::memset(StageMap, 0, sizeof StageMap);
        Frame();  // the first play frame creates the ship ...
        playerShip->alive = 0;  // ... which these tests do without
        SweepDeadActors();
        rank = 0;
        score = 0;
        AimAt(100, 240);
    }

    static void AimAt(float x, float y) {
        playerCenterX = x;
        playerCenterY = y;
    }

    // Runs the set-up; the boss's records are the ones it appended, body first.
    static std::vector<Actor*> StartBoss(void (*setUp)()) {
        Actor* last = activeList->prev;
        setUp();
        std::vector<Actor*> made;
        for (Actor* a = last->next; a != activeList; a = a->next) made.push_back(a);
        return made;
    }

    static std::vector<Actor*> Live(int group, int width = 0) {
        std::vector<Actor*> found;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->alive && a->group == group && (width == 0 || a->width == width)) found.push_back(a);
        return found;
    }
    static int Count(int group, int width = 0) { return static_cast<int>(Live(group, width).size()); }

    // Frames until `done` holds (at most `limit`); -1 if it never does.
    template <typename Done>
    static int FramesUntil(Done done, int limit) {
        for (int n = 1; n <= limit; n++) {
            Frame();
            if (done()) return n;
        }
        return -1;
    }

    // Enemy shots are cleared so a long test keeps the pool small; returns how many.
    static int ClearShots(int width = 0) {
        int n = 0;
        for (Actor* a : Live(GroupEnemyShot, width)) {
            a->alive = 0;
            n++;
        }
        SweepDeadActors();
        return n;
    }
};
