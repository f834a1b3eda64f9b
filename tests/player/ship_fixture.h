// Test harness for the ship: a headless run on a quiet stage (no script, an empty
// map, nothing scrolling), driven through the main loop's frame function.
#pragma once

#include <cstring>

#include "support/headless_game.h"

#include "player/player.h"
#include "shell/assets.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"

class ShipInPlay : public HeadlessGame {
protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        Frame(PadButton1);  // fire on the title starts stage 1
        ASSERT_EQ(currentScene, ScenePlay);
        QuietStage();
        Frame();  // play's entry frame creates the ship and moves it once
        ASSERT_NE(playerShip, nullptr);
    }

    // Nothing of the stage may disturb the ship: no script, no walls, no scrolling.
    static void QuietStage() {
        scriptEnded = 1;
        std::memset(StageMap, ' ', sizeof StageMap);
        scrollOn = 0;
        scrollSpeed = scrollTargetSpeed = 0;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->group != GroupPlayer) a->alive = 0;
    }

    static Actor* Ship() { return playerShip; }
    static int32_t& Word(int i) { return playerShip->work[i].i; }

    // Runs frames until the ship has entered and flies; its protection then runs 120 frames.
    static void UntilFlying() {
        for (int i = 0; i < 60 && Ship()->update != ShipUpdate; i++) Frame();
        ASSERT_EQ(Ship()->update, ShipUpdate);
    }
    // Flying and no longer protected.
    static void UntilVulnerable() {
        UntilFlying();
        while (Word(kRespawnGrace) > 0) Frame();
    }

    // A motionless actor of `group` whose one rectangle covers the ship's.
    static Actor* Obstacle(int32_t group, int32_t hp = 1000, int32_t attack = 1) {
        Actor* a = AcquireActor(ActorNoOp, ActorNoOp, group);
        a->x = Ship()->x;
        a->y = Ship()->y;
        a->width = a->height = 64;
        a->hp = hp;
        a->attack = attack;
        a->hitRects[0] = HitRect{0, 64, 0, 64};
        a->hitRectCount = 1;
        a->scoreValue = 0;
        return a;
    }

    static int CountGroup(int32_t group) {
        int n = 0;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            n += a->alive && a->group == group;
        return n;
    }
    // Player shots of one kind, told apart by width.
    static int CountShots(int32_t width) {
        int n = 0;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            n += a->alive && a->group == GroupPlayerShot && a->width == width;
        return n;
    }

    static int Starts(int handle) {
        return SoundStartCount(handle, 0) + SoundStartCount(handle, 1) + SoundStartCount(handle, 2);
    }
};
