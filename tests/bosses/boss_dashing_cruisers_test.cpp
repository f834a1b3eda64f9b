// The dashing cruisers: set-up of both, the dash and its direction margins, needle
// volleys, flyers, the later cruiser's formations, and death.
#include <gtest/gtest.h>

#include <cmath>

#include "actors/actor.h"
#include "actors/spawners.h"
#include "boss_fight.h"
#include "bosses/boss_common.h"
#include "bosses/bosses.h"
#include "stages/enemies.h"

namespace {

class Cruisers : public BossFight {
protected:
    static Actor* Spawn(void (*setUp)()) {
        setUp();
        std::vector<Actor*> bodies = EnemiesSized(308, 225);
        return bodies.empty() ? nullptr : bodies[0];
    }
    static std::vector<Actor*> Flyers(const std::vector<Actor*>& actors) {
        std::vector<Actor*> out;
        for (Actor* a : actors)
            if (a->group == GroupEnemy && a->width == 116 && a->height == 98) out.push_back(a);
        return out;
    }
    // A flyer made in this pass has made one step at 3.3 already, unless its maker was
    // the last record of the list (then it waits a pass, still at its first speed).
    static float FlyerStartX(const Actor* f) {
        return f->speed == 3.3f ? f->x : f->x - cosTable[f->work[kDir].i] * 3.3f;
    }
    static float FlyerStartY(const Actor* f) {
        return f->speed == 3.3f ? f->y : f->y + sinTable[f->work[kDir].i] * 3.3f;
    }
    // Passes until a dash begins (speed jumps up); the count.
    static int PassesUntilDash(Actor* body, int limit = 100) {
        for (int n = 1; n <= limit; n++) {
            float before = body->speed;
            Pass();
            if (body->speed > before) return n;
        }
        return -1;
    }
    // Directions of `count` dashes begun at (x, y).
    static std::vector<int32_t> DashDirsFrom(Actor* body, float x, float y, int count) {
        std::vector<int32_t> dirs;
        for (int i = 0; i < count; i++) {
            body->x = x;
            body->y = y;
            body->speed = 0.1f;  // this frame's drag ends the dash
            Pass();
            dirs.push_back(body->work[kDir].i);
            ClearShots();
        }
        return dirs;
    }
};

TEST_F(Cruisers, BothSetUpOnOneHullWithTheirOwnHitPointsAndScores) {
    bossScratch[0] = 7;
    bossScratch[9] = 7;
    shotSoundLatch = 1;
    Actor* body = Spawn(SpawnBoss12);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->x, 704.0f);
    EXPECT_EQ(body->y, 255.0f);
    EXPECT_EQ(body->speed, 3.0f);
    EXPECT_EQ(body->work[kDir].i, 180);
    EXPECT_EQ(body->hp, 5000);
    EXPECT_EQ(body->scoreValue, 170000);
    EXPECT_EQ(body->hitRectCount, 5);
    EXPECT_EQ(body->hitRects[4].left, 7.0f);
    EXPECT_EQ(body->hitRects[2].bottom, 212.0f);
    EXPECT_EQ(bossScratch[0], 0);
    EXPECT_EQ(bossScratch[9], 0);
    EXPECT_EQ(shotSoundLatch, 0);
    EXPECT_EQ(Live().size(), 1u);  // no parts, no shields
    ReleaseAllActors();
    rank = 255;
    EXPECT_EQ(Spawn(SpawnBoss12)->hp, 7550);
    ReleaseAllActors();
    Actor* later = Spawn(SpawnBoss15);
    EXPECT_EQ(later->hp, 30500);
    EXPECT_EQ(later->scoreValue, 250000);
    ReleaseAllActors();
    rank = 0;
    EXPECT_EQ(Spawn(SpawnBoss15)->hp, 5000);
}

TEST_F(Cruisers, FirstMoveGlidesLeftThenDashesDecelerateByFifteenHundredths) {
    Actor* body = Spawn(SpawnBoss12);
    Pass();
    EXPECT_FLOAT_EQ(body->x, 701.0f);
    EXPECT_FLOAT_EQ(body->speed, 2.85f);
    int glide = PassesUntilDash(body) + 1;
    EXPECT_GE(glide, 20);  // 3.0 in steps of 0.15, in float
    EXPECT_LE(glide, 21);
    EXPECT_EQ(body->speed, 6.0f);
    float x = body->x, y = body->y;
    int32_t dir = body->work[kDir].i;
    Pass();
    EXPECT_FLOAT_EQ(body->x, x + cosTable[dir] * 6.0f);
    EXPECT_FLOAT_EQ(body->y, y - sinTable[dir] * 6.0f);
    int dash = PassesUntilDash(body) + 1;
    EXPECT_GE(dash, 40);
    EXPECT_LE(dash, 41);

    ReleaseAllActors();
    body = Spawn(SpawnBoss15);
    PassesUntilDash(body);
    EXPECT_EQ(body->speed, 3.0f);  // the later cruiser dashes at half speed
}

TEST_F(Cruisers, DashDirectionsKeepInsideTheMargins) {
    Actor* body = Spawn(SpawnBoss12);
    body->hp = 1000000;
    auto inRange = [](const std::vector<int32_t>& dirs, int lo, int hi) {
        for (int32_t d : dirs)
            if (d < lo || d > hi) return false;
        return true;
    };
    // top-left corner: only right and down
    EXPECT_TRUE(inRange(DashDirsFrom(body, 100, -10, 60), 271, 359));
    // low on the screen: nothing from 180 up
    std::vector<int32_t> low = DashDirsFrom(body, 250, 300, 60);
    EXPECT_TRUE(inRange(low, 0, 179));
    // low and near the right edge: only up and to the left
    EXPECT_TRUE(inRange(DashDirsFrom(body, 400, 300, 60), 91, 179));
    // near the left edge only: the right half of the circle
    std::vector<int32_t> left = DashDirsFrom(body, 150, 100, 80);
    for (int32_t d : left) EXPECT_TRUE(d < 90 || d > 270) << d;
    // in the open every quarter is drawn
    std::vector<int32_t> open = DashDirsFrom(body, 250, 100, 120);
    int quarters[4] = {0, 0, 0, 0};
    for (int32_t d : open) quarters[d / 90]++;
    for (int q : quarters) EXPECT_GT(q, 0);
}

TEST_F(Cruisers, TwelveFiresThreeNeedleVolleysInTheThirdSixthAndNinthFramesOfADash) {
    rank = 255;
    Actor* body = Spawn(SpawnBoss12);
    std::vector<int> volleyFrames;
    int frame = 0;
    bool started = false;
    for (int n = 0; n < 80 && volleyFrames.size() < 3; n++) {
        float before = body->speed;
        std::vector<Actor*> needles = Shots(Pass(), 24);
        if (body->speed > before) started = true;
        if (!started) {
            EXPECT_TRUE(needles.empty());  // the first glide fires nothing
            continue;
        }
        frame++;
        if (needles.empty()) continue;
        volleyFrames.push_back(frame);
        ASSERT_EQ(needles.size(), 3u);
        EXPECT_EQ(Dirs(needles), (std::vector<int32_t>{180, 150, 210}));
        EXPECT_FLOAT_EQ(needles[0]->speed, 7.2f);  // 255 / 80 + 4.2
    }
    // the dash's first frame is the one that drew its direction
    EXPECT_EQ(volleyFrames, (std::vector<int>{3, 6, 9}));
}

TEST_F(Cruisers, FifteenFiresOneVolleyAsEachDashBegins) {
    Actor* body = Spawn(SpawnBoss15);
    for (int n = 0; n < 200; n++) {
        float before = body->speed;
        float x = body->x, y = body->y;
        int32_t dir = body->work[kDir].i;
        std::vector<Actor*> needles = Shots(Pass(), 24);
        bool dashBegan = body->speed > before;
        EXPECT_EQ(needles.size(), dashBegan ? 3u : 0u) << n;
        if (dashBegan) {
            // from the bow after this frame's move
            float bx = x + cosTable[dir] * before, by = y - sinTable[dir] * before;
            float cx = CentreX(needles[1]) - cosTable[150] * needles[1]->speed;
            EXPECT_NEAR(cx, bx + 4, 0.01f);
            EXPECT_NEAR(CentreY(needles[1]) + sinTable[150] * needles[1]->speed, by + 43, 0.01f);
        }
        ClearShots();
    }
}

TEST_F(Cruisers, FlyersComeEvery180To240FramesFromTheRightEdge) {
    Actor* body = Spawn(SpawnBoss12);
    body->hp = 1000000;
    std::vector<int> arrivals;
    for (int n = 1; n <= 1300; n++) {
        std::vector<Actor*> flyers = Flyers(Pass());
        if (flyers.empty()) continue;
        ASSERT_EQ(flyers.size(), 1u);
        arrivals.push_back(n);
        EXPECT_EQ(flyers[0]->work[kDir].i, 180);
        EXPECT_FLOAT_EQ(FlyerStartX(flyers[0]), 640.0f);
        EXPECT_GE(FlyerStartY(flyers[0]), 0.0f);
        EXPECT_LE(FlyerStartY(flyers[0]), 382.0f);
        ClearShots();
    }
    ASSERT_GE(arrivals.size(), 5u);
    EXPECT_GE(arrivals[0], 180);
    EXPECT_LE(arrivals[0], 240);
    for (size_t i = 1; i < arrivals.size(); i++) {
        EXPECT_GE(arrivals[i] - arrivals[i - 1], 180);
        EXPECT_LE(arrivals[i] - arrivals[i - 1], 240);
    }
}

TEST_F(Cruisers, FifteenLaunchesElevenFormationsInTurnEvery120Frames) {
    Actor* body = Spawn(SpawnBoss15);
    body->hp = 1000000;
    const size_t sizes[11] = {1, 2, 2, 1, 1, 3, 5, 3, 3, 3, 7};
    std::vector<size_t> launched;
    std::vector<int> frames;
    for (int n = 1; n <= 1321; n++) {
        std::vector<Actor*> flyers = Flyers(Pass());
        // formations leave at 1, 121, 241, ...; a called flyer may come with them
        if ((n - 1) % 120 == 0) {
            EXPECT_EQ(bossState, (static_cast<int>(launched.size()) + 1) % 11) << n;
            launched.push_back(flyers.size());
            if (launched.size() == 7) {
                // formation 6: five flyers one behind the other, 20 pixels apart
                std::vector<float> xs;
                for (Actor* f : flyers)
                    if (std::fabs(FlyerStartY(f) - 191.0f) < 0.01f) xs.push_back(FlyerStartX(f));
                EXPECT_EQ(xs, (std::vector<float>{640, 660, 680, 700, 720}));
            }
            if (launched.size() == 11) {
                EXPECT_FLOAT_EQ(FlyerStartX(flyers[6]), -98.0f);
                EXPECT_EQ(flyers[6]->work[kDir].i, 305);
            }
        }
        ClearShots();
        for (Actor* a : Live())
            if (a->width == 116) a->alive = 0;
        SweepDeadActors();
    }
    ASSERT_EQ(launched.size(), 12u);
    for (int i = 0; i < 12; i++) {
        EXPECT_GE(launched[i], sizes[i % 11]) << i;
        EXPECT_LE(launched[i], sizes[i % 11] + 1) << i;
    }
}

TEST_F(Cruisers, DeathAddsTheScoreOnceAndLiftsTheFormationIndexBy5000Twice) {
    Actor* body = Spawn(SpawnBoss15);
    for (int i = 0; i < 121; i++) Pass();
    EXPECT_EQ(bossState, 2);
    score = 0;
    body->hp = 0;
    Pass();
    EXPECT_EQ(score, 250000);
    Pass();
    Pass();
    EXPECT_EQ(bossState, 10002);
    Pass();
    EXPECT_EQ(score, 250000);
    EXPECT_TRUE(Flyers(Live()).empty());
}

}  // namespace
