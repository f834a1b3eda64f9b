// Boss 13, the fading fortress: set-up, the fixed cycle of travels, waits and
// barrages by rank, the fade with its mines, and the death.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bosses/boss_common.h"
#include "bosses/boss_fight.h"
#include "bosses/bosses.h"
#include "stages/enemies.h"

namespace {

struct Made {
    int32_t group, width, dir;
    float x, y, speed;
};

struct Phase {
    int passes = 0;
    std::vector<Made> made;
    int32_t guardMode = 0;  // during the phase's first pass
};

class FadingFortress : public BossFight {
protected:
    Actor* Spawn() {
        Actor* before = activeList->prev;
        SpawnBoss13();
        return before->next;
    }
    // Runs the body's current phase to its end: the pass that installs another.
    static Phase Run(Actor* body) {
        Phase phase;
        ActorFn update = body->update;
        while (body->update == update && phase.passes < 5000) {
            for (Actor* a : Pass())
                phase.made.push_back({a->group, a->width, a->work[kDir].i, a->x, a->y, a->speed});
            if (phase.passes == 0) phase.guardMode = body->guardMode;
            phase.passes++;
            ClearShotsAndSmallFry(body);
        }
        return phase;
    }
    static std::vector<Made> Of(const Phase& p, int32_t group, int32_t width) {
        std::vector<Made> out;
        for (const Made& m : p.made)
            if (m.group == group && m.width == width) out.push_back(m);
        return out;
    }
    static void ExpectArrived(const Actor* body, int32_t x, int32_t y) {
        EXPECT_LE(std::abs(static_cast<int32_t>(body->x) - x), 2);
        EXPECT_LE(std::abs(static_cast<int32_t>(body->y) - y), 2);
    }
    static void ExpectRandomTarget(const Actor* body) {
        EXPECT_GE(body->work[kBossTargetX].i, 0);
        EXPECT_LE(body->work[kBossTargetX].i, 278);
        EXPECT_GE(body->work[kBossTargetY].i, 0);
        EXPECT_LE(body->work[kBossTargetY].i, 165);
    }
};

TEST_F(FadingFortress, SetUpTakesHitPointsFromRankAndClearsTheScratchWords) {
    bossScratch[5] = 7;
    rank = 255;
    Actor* body = Spawn();
    EXPECT_EQ(body->hp, 55900);
    EXPECT_EQ(bossScratch[5], 0);
    EXPECT_EQ(body->x, 640.0f);
    EXPECT_EQ(body->y, 82.0f);
    EXPECT_EQ(body->width, 362);
    EXPECT_EQ(body->height, 315);
    EXPECT_EQ(body->scoreValue, 300000);
    ASSERT_EQ(body->hitRectCount, 6);
    EXPECT_EQ(body->hitRects[2].left, 13);
    EXPECT_EQ(body->hitRects[2].right, 349);
    EXPECT_EQ(body->hitRects[5].bottom, 301);
    rank = 0;
    EXPECT_EQ(Spawn()->hp, 10000);
}

TEST_F(FadingFortress, CycleRunsItsMovesBarragesAndFadeInOrderByRank) {
    for (int r : {0, 255}) {
        SCOPED_TRACE(r);
        rank = r;
        for (Actor* a : Live()) a->alive = 0;
        SweepDeadActors();
        Actor* body = Spawn();
        // in from the right at one pixel a frame, to within 2 of (278, 82)
        EXPECT_EQ(Run(body).passes, 360);
        ExpectArrived(body, 278, 82);
        EXPECT_EQ(Run(body).passes, 60);

        Phase pairs = Run(body);
        int pairFirings = r / 10 + 81;
        EXPECT_EQ(pairs.passes, pairFirings * 2);
        std::vector<Made> small = Of(pairs, GroupEnemyShot, 16);
        EXPECT_EQ(static_cast<int>(small.size()), pairFirings * 2);
        for (const Made& m : small) {
            float base = 1.8f + static_cast<float>(r / 100);
            EXPECT_GE(m.speed, base);
            EXPECT_LE(m.speed, base + 2.0f + 0.001f);
        }
        EXPECT_EQ(Run(body).passes, 120);
        ExpectRandomTarget(body);
        Run(body);  // travel to the random target
        EXPECT_EQ(Run(body).passes, 60);

        Phase stream = Run(body);
        EXPECT_EQ(static_cast<int>(Of(stream, GroupEnemyShot, 32).size()), r / 10 + 91);
        EXPECT_EQ(stream.passes, (r / 10 + 91) * 2);
        EXPECT_EQ(Run(body).passes, 120);
        Run(body);  // to the centre
        ExpectArrived(body, 139, 82);
        EXPECT_EQ(Run(body).passes, 60);

        Phase spiral = Run(body);
        std::vector<Made> needles = Of(spiral, GroupEnemyShot, 24);
        ASSERT_EQ(static_cast<int>(needles.size()), r / 10 + 361);
        // 180 + 0.2, + 0.4, + 0.6: ever faster, always within one turn
        EXPECT_EQ(needles[0].dir, 180);
        EXPECT_EQ(needles[1].dir, 180);
        EXPECT_EQ(needles[2].dir, 181);
        for (const Made& n : needles) {
            EXPECT_GE(n.dir, 0);
            EXPECT_LT(n.dir, 360);
            EXPECT_EQ(n.speed, 5.0f);
        }
        EXPECT_EQ(Run(body).passes, 120);
        Run(body);  // travel
        EXPECT_EQ(Run(body).passes, 60);

        Phase fadeOut = Run(body);
        EXPECT_EQ(fadeOut.passes, 128);
        EXPECT_EQ(fadeOut.guardMode, GuardIntangible);
        Phase vanished = Run(body);
        EXPECT_EQ(vanished.guardMode, GuardIntangible);
        int every = 28 - r / 25, mines = r / 20 + 51;
        EXPECT_EQ(vanished.passes, every * mines);
        std::vector<Made> sown = Of(vanished, GroupEnemy, 32);
        ASSERT_EQ(static_cast<int>(sown.size()), mines);
        for (const Made& m : sown) {
            int32_t mx = static_cast<int32_t>(m.x), my = static_cast<int32_t>(m.y);
            EXPECT_EQ(mx % 32, 0);
            EXPECT_EQ(my % 32, 0);
            EXPECT_LE(mx, 608);
            EXPECT_LE(my, 448);
        }
        Phase fadeIn = Run(body);
        EXPECT_EQ(fadeIn.passes, 255);
        EXPECT_EQ(fadeIn.guardMode, GuardIntangible);
        EXPECT_EQ(body->guardMode, GuardNormal);
        EXPECT_EQ(Run(body).passes, 120);
        ExpectRandomTarget(body);
        Run(body);  // travel
        EXPECT_EQ(Run(body).passes, 60);
        EXPECT_EQ(static_cast<int>(Of(Run(body), GroupEnemyShot, 16).size()), pairFirings * 2);
    }
}

TEST_F(FadingFortress, DeathAddsItsScoreAndLiftsBossStateByTheAddVariant) {
    Actor* body = Spawn();
    Pass();
    score = 0;
    body->hp = -5;
    Pass();
    EXPECT_EQ(score, 300000);
    Pass();
    EXPECT_EQ(bossState, 5000);
}

}  // namespace
