// The boss fight fixture: a fresh game at rank 0 with the ship's centre at a known
// point, and the picks of what a boss has put on the screen. By default a fight runs
// by update passes, drawn and swept as the play frame does; a fixture made with
// BossDrive::PlayFrames plays an empty stage through the game's own frame function
// instead, its ship taken away so that nothing aims at a moving target.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "actors/actor.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "stages/enemies.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"
#include "support/headless_game.h"

enum class BossDrive {
    Passes,      // update passes one at a time (Pass)
    PlayFrames,  // whole frames of an empty stage 2 without a ship (Frame)
};

class BossFight : public HeadlessGame {
protected:
    explicit BossFight(BossDrive drive = BossDrive::Passes) : drive_(drive) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(HeadlessGame::SetUp());
        if (drive_ == BossDrive::PlayFrames) {
            ASSERT_NO_FATAL_FAILURE(StartEmptyStage());
        } else {
            ResetNewGame();
            bossState = 0;
            stagePhase = 0;
        }
        rank = 0;
        AimAt(100, 240);
    }

private:
    void StartEmptyStage() {
        SetDrawingEnabled(false);
        SeedRandom(1);
        ResetNewGame();
        stageNumber = 2;
        StartStage();
        currentScene = ScenePlay;
        std::memset(StageScriptTable, 0, sizeof StageScriptTable);
        std::strcpy(StageScriptTable[0], "end");
        std::memset(StageMap, 0, sizeof StageMap);
        Frame();                // the first play frame creates the ship ...
        playerShip->alive = 0;  // ... which these fights do without
        SweepDeadActors();
        score = 0;
    }

    BossDrive drive_;

public:
    static void AimAt(float x, float y) {
        playerCenterX = x;
        playerCenterY = y;
    }

    // Runs a boss's set-up; its records are the ones it appended, body first.
    static std::vector<Actor*> StartBoss(void (*setUp)()) {
        Actor* last = activeList->prev;
        setUp();
        std::vector<Actor*> made;
        for (Actor* a = last->next; a != activeList; a = a->next) made.push_back(a);
        return made;
    }

    // One update pass, drawn and swept as the play frame does; returns the records the
    // pass created and left alive (new records join the end of the list, and a record
    // freed in the sweep is only reused by a later pass).
    static std::vector<Actor*> Pass() {
        Actor* last = activeList->prev;
        UpdateActors();
        DrawActors();
        std::vector<Actor*> made;
        for (Actor* a = last->next; a != activeList; a = a->next)
            if (a->alive) made.push_back(a);
        SweepDeadActors();
        return made;
    }
    static void Passes(int n) {
        for (int i = 0; i < n; i++) Pass();
    }

    // Frames until `done` holds (at most `limit`); -1 if it never does.
    template <typename Done>
    static int FramesUntil(Done done, int limit) {
        for (int n = 1; n <= limit; n++) {
            Frame();
            if (done()) return n;
        }
        return -1;
    }

    // ---- picks ----------------------------------------------------------------------

    // Every live record, in list order.
    static std::vector<Actor*> Live() {
        std::vector<Actor*> all;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->alive) all.push_back(a);
        return all;
    }
    // The live records of a group, of one width (any for 0), in list order.
    static std::vector<Actor*> Live(int32_t group, int32_t width = 0) { return Only(Live(), group, width); }
    static int Count(int32_t group, int32_t width = 0) { return static_cast<int>(Live(group, width).size()); }
    // Of `actors`, those of `group` and `width` (any width for 0).
    static std::vector<Actor*> Only(const std::vector<Actor*>& actors, int32_t group, int32_t width = 0) {
        std::vector<Actor*> out;
        for (Actor* a : actors)
            if (a->group == group && (width == 0 || a->width == width)) out.push_back(a);
        return out;
    }
    static std::vector<Actor*> InGroup(const std::vector<Actor*>& actors, int32_t group) {
        return Only(actors, group);
    }
    // Of `actors`, the enemy shots of one width.
    static std::vector<Actor*> Shots(const std::vector<Actor*>& actors, int32_t width) {
        return Only(actors, GroupEnemyShot, width);
    }
    // The live enemy shots.
    static int Shots() { return Count(GroupEnemyShot); }
    // The live GroupEnemy records of a given size, in list order.
    static std::vector<Actor*> EnemiesSized(int32_t w, int32_t h) {
        std::vector<Actor*> out;
        for (Actor* a : Live(GroupEnemy))
            if (a->height == h && a->width == w) out.push_back(a);
        return out;
    }
    static int CountSized(int32_t w, int32_t h) { return static_cast<int>(EnemiesSized(w, h).size()); }
    // Of `actors`, the records drawn by `draw` (one kind).
    static std::vector<Actor*> OfKind(const std::vector<Actor*>& actors, ActorFn draw) {
        std::vector<Actor*> out;
        for (Actor* a : actors)
            if (a->draw == draw) out.push_back(a);
        return out;
    }
    // The draw function of a kind, from a record made and dropped at once.
    template <typename Spawn>
    static ActorFn DrawOf(Spawn spawn) {
        spawn();
        Actor* a = activeList->prev;
        ActorFn draw = a->draw;
        a->alive = 0;
        SweepDeadActors();
        return draw;
    }
    // The armoured, invisible hit boxes that ride on the body.
    static std::vector<Actor*> Shields() {
        std::vector<Actor*> out;
        for (Actor* a : Live(GroupEnemy))
            if (a->guardMode == GuardArmoured && a->hp == 9999) out.push_back(a);
        return out;
    }
    static std::vector<int32_t> Dirs(const std::vector<Actor*>& shots) {
        std::vector<int32_t> dirs;
        for (Actor* s : shots) dirs.push_back(s->work[kDir].i);
        return dirs;
    }

    // ---- keeping long fights small ------------------------------------------------

    // Ends the enemy shots (of one width, any for 0) so long runs keep the pool small;
    // returns how many.
    static int ClearShots(int32_t width = 0) {
        int n = 0;
        for (Actor* a : Live(GroupEnemyShot, width)) {
            a->alive = 0;
            n++;
        }
        SweepDeadActors();
        return n;
    }
    // Ends every enemy shot and every small enemy.
    static void ClearShotsAndSmallFry(const Actor* body) {
        for (Actor* a : Live())
            if (a->group == GroupEnemyShot || (a->group == GroupEnemy && a != body && a->hp != 9999))
                a->alive = 0;
        SweepDeadActors();
    }
    // The body's death: its last life ends in the next pass.
    static void Destroy(Actor* a) { a->hp = 0; }
};
