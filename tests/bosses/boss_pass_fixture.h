// A boss on its own: the game set up headless without a ship, the ship's centre
// placed by hand, and the actor passes run one at a time.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "actors/actor.h"
#include "bosses/boss_state.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"

class BossPass : public ::testing::Test {
protected:
    void SetUp() override {
        EnableHeadless(1);
        ASSERT_EQ(StartRuntime(), 0);
        SetUpGame();
        ResetNewGame();
        bossState = 0;
        stagePhase = 0;
        rank = 0;
        score = 0;
        playerCenterX = 100;
        playerCenterY = 240;
    }
    void TearDown() override { StopRuntime(); }

    // One update pass, drawn and swept as the play frame does; the records it created
    // that are still alive after it.
    static std::vector<Actor*> Pass() {
        std::vector<Actor*> before = Live();
        UpdateActors();
        DrawActors();
        SweepDeadActors();
        std::vector<Actor*> made;
        for (Actor* a : Live()) {
            bool old = false;
            for (Actor* b : before) old = old || (a == b);
            if (!old) made.push_back(a);
        }
        return made;
    }
    static std::vector<Actor*> Live() {
        std::vector<Actor*> all;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->alive) all.push_back(a);
        return all;
    }
    // Of `actors`, those of `group` and `width` (any width for 0).
    static std::vector<Actor*> Only(const std::vector<Actor*>& actors, int32_t group, int32_t width = 0) {
        std::vector<Actor*> out;
        for (Actor* a : actors)
            if (a->group == group && (width == 0 || a->width == width)) out.push_back(a);
        return out;
    }
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
        for (Actor* a : Live())
            if (a->group == GroupEnemy && a->guardMode == GuardArmoured && a->hp == 9999) out.push_back(a);
        return out;
    }
    // Ends every enemy shot and every small enemy so long runs keep the pool small.
    static void ClearShotsAndSmallFry(const Actor* body) {
        for (Actor* a : Live())
            if (a->group == GroupEnemyShot || (a->group == GroupEnemy && a != body && a->hp != 9999))
                a->alive = 0;
        SweepDeadActors();
    }
};
