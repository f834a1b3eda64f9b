// Boss 7, the bomb thrower: set-up, its stops, the bomb phases, the turret's spreads
// and what changes once the turret is lost.
#include "actors/collision.h"
#include "boss_fight.h"

namespace {

class BombThrower : public BossFight {
protected:
    BombThrower() : BossFight(BossDrive::PlayFrames) {}
    void SetUp() override {
        BossFight::SetUp();
        made = StartBoss(SpawnBoss07);
        ASSERT_EQ(made.size(), 2u);
        body = made[0];
        turret = made[1];
    }
    // Puts the body just on its next stop, so the next frame arrives there.
    void JumpToStop() {
        body->x = static_cast<float>(body->work[kBossTargetX].i);
        body->y = static_cast<float>(body->work[kBossTargetY].i);
    }
    // Frames (from 1) in which bombs appeared, over `frames` frames; bombs are cleared.
    std::vector<int> BombFrames(int frames) {
        std::vector<int> at;
        for (int f = 1; f <= frames; f++) {
            Frame();
            if (ClearShots(86) > 0) at.push_back(f);
        }
        return at;
    }
    // One whole bomb stop, so the next stop is the turret's turn.
    void PassBombStop() {
        JumpToStop();
        Frame();
        Frames(130);
        ClearShots();
    }
    std::vector<Actor*> made;
    Actor* body = nullptr;
    Actor* turret = nullptr;
};

TEST_F(BombThrower, SetUpNumbersFollowRank) {
    EXPECT_EQ(bossState, 0);
    EXPECT_EQ(body->x, 700.0f);
    EXPECT_EQ(body->y, 0.0f);
    EXPECT_EQ(body->width, 172);
    EXPECT_EQ(body->height, 151);
    EXPECT_EQ(body->speed, 1.8f);
    EXPECT_EQ(body->hp, 4000);
    EXPECT_EQ(body->scoreValue, 150000);
    EXPECT_EQ(body->hitRects[0].left, 16);
    EXPECT_EQ(body->hitRects[0].bottom, 138);
    EXPECT_EQ(body->work[kBossTargetX].i, 468);
    EXPECT_EQ(body->work[kBossTargetY].i, 329);
    EXPECT_EQ(turret->width, 54);
    EXPECT_EQ(turret->height, 54);
    EXPECT_EQ(turret->hp, 2500);
    EXPECT_EQ(turret->scoreValue, 50000);
    EXPECT_EQ(turret->hitRects[0].right, 49);
    EXPECT_EQ(turret->hitRects[0].top, 13);
    EXPECT_EQ(turret->work[kPartOffsetX].f, -26.0f);
    EXPECT_EQ(turret->work[kPartOffsetY].f, 50.0f);
    ReleaseAllActors();
    rank = 255;
    std::vector<Actor*> ranked = StartBoss(SpawnBoss07);
    EXPECT_EQ(ranked[0]->hp, 255 * 5 + 4000);
    EXPECT_EQ(ranked[1]->hp, 255 + 2500);
}

TEST_F(BombThrower, AStopIsReachedOnlyFromAboveOrLevel) {
    body->x = 468;
    body->y = 334;  // below: 332.2, 330.4 are within 4 but too low
    EXPECT_EQ(FramesUntil([&] { return body->work[kBossTargetX].i != 468; }, 10), 3);
    ReleaseAllActors();
    made = StartBoss(SpawnBoss07);
    body = made[0];
    body->x = 468;
    body->y = 322;  // above: 323.8 is too high, 325.6 is within reach
    EXPECT_EQ(FramesUntil([&] { return body->work[kBossTargetX].i != 468; }, 10), 2);
    int32_t tx = body->work[kBossTargetX].i, ty = body->work[kBossTargetY].i;
    EXPECT_GE(tx, 168);
    EXPECT_LE(tx, 468);
    EXPECT_GE(ty, 229);
    EXPECT_LE(ty, 329);
}

TEST_F(BombThrower, FirstStopThrowsThreeBombsThenTheNextStopIsTheTurretsTurn) {
    JumpToStop();
    Frame();  // arrives: a bomb phase
    std::vector<int> at = BombFrames(130);
    EXPECT_EQ(at, (std::vector<int>{41, 52, 63}));
    // the phase ends 61 frames after the last bomb; the body moves from the frame after
    EXPECT_EQ(bossState, 0);
    JumpToStop();
    Frame();
    EXPECT_EQ(bossState, 1);
}

TEST_F(BombThrower, TurretFiresSixSevenShotSpreadsInItsTurn) {
    rank = 60;  // spread speeds on top of 2
    PassBombStop();
    JumpToStop();
    Frame();
    ASSERT_EQ(bossState, 1);
    AimAt(0, turret->y + 28);  // straight left of the gun: aim 180
    ClearShots();
    std::vector<int> spreads;
    for (int f = 1; f <= 181; f++) {
        Frame();
        std::vector<Actor*> shots = Live(GroupEnemyShot, 16);
        if (shots.empty()) continue;
        spreads.push_back(f);
        ASSERT_EQ(shots.size(), 7u);
        const int dirs[7] = {180, 195, 210, 240, 165, 150, 135};
        const float speeds[7] = {6, 5, 4.5f, 4, 5, 4.5f, 4};
        for (int i = 0; i < 7; i++) {
            EXPECT_EQ(shots[i]->work[kDir].i, dirs[i]) << i;
            EXPECT_EQ(shots[i]->speed, speeds[i]) << i;
        }
        ClearShots();
    }
    EXPECT_EQ(spreads, (std::vector<int>{27, 55, 83, 111, 139, 167}));
    EXPECT_EQ(bossState, 0);  // the 181st frame ended the turn
}

TEST_F(BombThrower, WithoutItsTurretItMovesAtFourAndThrowsNineBombsAtEveryStop) {
    turret->hp = 0;
    Frame();
    EXPECT_EQ(bossState, 2);
    EXPECT_EQ(score, 50000);
    Frame();
    EXPECT_EQ(body->speed, 4.0f);
    for (int stop = 0; stop < 2; stop++) {
        JumpToStop();
        Frame();
        EXPECT_EQ(BombFrames(200).size(), 9u) << stop;
        EXPECT_EQ(bossState, 2);
    }
}

TEST_F(BombThrower, TurretLostDuringItsTurnLeavesTheTurnToRunOut) {
    PassBombStop();
    JumpToStop();
    Frame();
    ASSERT_EQ(bossState, 1);
    Frames(50);
    turret->hp = 0;
    Frame();
    EXPECT_EQ(bossState, 2);
    float x = body->x;
    Frames(130);  // 181 frames in all: it stands still until then
    EXPECT_EQ(body->x, x);
    Frame();
    EXPECT_NE(body->x, x);
    JumpToStop();
    Frame();
    EXPECT_EQ(BombFrames(200).size(), 9u);
}

TEST_F(BombThrower, BombPhaseAtTopRankThrowsFiveAndTheLastLifeScores) {
    ReleaseAllActors();
    rank = 255;
    made = StartBoss(SpawnBoss07);
    body = made[0];
    JumpToStop();
    Frame();
    EXPECT_EQ(BombFrames(130).size(), 5u);
    body->hp = -3;
    Frame();
    EXPECT_EQ(score, 150000);
    Frames(3);  // raised by 5000 twice; the turret, cleared without score, sets 2 between
    EXPECT_EQ(bossState, 10002);
    EXPECT_EQ(score, 150000);
}

}  // namespace
