// Test harness for stages: play frames of a chosen stage, scripts and maps of the
// test's own, and looks at the actor list by group.
#pragma once

#include <cstring>
#include <initializer_list>
#include <vector>

#include "actors/actor.h"
#include "player/player.h"
#include "shell/game.h"
#include "stages/enemies.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"
#include "support/headless_game.h"

class StageTest : public HeadlessGame {
protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        SetDrawingEnabled(false);
        SeedRandom(1);
        ReleaseAllActors();
        rank = 1;
        score = 0;
        hasContinued = 0;
        playerCenterX = 100;
        playerCenterY = 240;
        mapScrollDX = mapScrollDY = 0;
    }

    // The next frame is the first play frame of `stage`, entered as the scenes do.
    static void EnterStage(int stage) {
        stageNumber = stage;
        StartStage();
        currentScene = ScenePlay;
    }

    // Replaces the loaded script with the given lines, from the start.
    static void UseScript(std::initializer_list<const char*> lines) {
        int i = 0;
        for (const char* line : lines) {
            std::strncpy(StageScriptTable[i], line, kScriptLineBytes - 1);
            StageScriptTable[i][kScriptLineBytes - 1] = '\0';
            i++;
        }
        for (; i < kScriptLines; i++) StageScriptTable[i][0] = '\0';
        scriptLine = 0;
        scriptWait = 0;
        scriptEnded = 0;
    }

    static void ClearMap() { std::memset(StageMap, 0, sizeof StageMap); }

    static std::vector<Actor*> Group(int group) {
        std::vector<Actor*> found;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->group == group && a->alive) found.push_back(a);
        return found;
    }
    static int CountGroup(int group) { return static_cast<int>(Group(group).size()); }
    static Actor* Newest() { return activeList->prev == activeList ? nullptr : activeList->prev; }

    // Runs the actor's own update n times (or until it ends), outside the play frame.
    static void Updates(Actor* a, int n) {
        for (int i = 0; i < n && a->alive; i++) a->update(a);
    }
};
