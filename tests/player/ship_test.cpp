// The ship: entering, eight-way steering and clamps, contact, death, respawn and fly-out.
#include "player/ship_fixture.h"

#include "bosses/boss_state.h"
#include "shell/game.h"

namespace {

class PlayerShip : public ShipInPlay {};

TEST_F(PlayerShip, CreatedFirstOnPlaysEntryFrameAndGlidesInFor48Frames) {
    EXPECT_EQ(activeList->next, Ship());
    EXPECT_EQ(shipCreated, 1);
    EXPECT_FLOAT_EQ(Ship()->x, -60);  // moved once in its creation frame
    EXPECT_FLOAT_EQ(Ship()->y, 208);
    EXPECT_FLOAT_EQ(playerCenterX, -28);
    EXPECT_FLOAT_EQ(playerCenterY, 240);
    EXPECT_EQ(Word(kBlinkPhase), 0);
    for (int i = 2; i <= 47; i++) {
        Frame(PadButton1 | PadRight);  // no steering, no fire while entering
        // hidden in frames 2 and 3, shown in 4 and 5, and so on
        ASSERT_EQ(Word(kBlinkPhase), (i - 2) / 2 % 2 == 0 ? 1 : 0) << "frame " << i;
    }
    EXPECT_EQ(Ship()->update, ShipEnter);
    EXPECT_FLOAT_EQ(Ship()->x, 124);
    EXPECT_EQ(CountGroup(GroupPlayerShot), 0);
    Frame();
    EXPECT_EQ(Ship()->update, ShipUpdate);
    EXPECT_FLOAT_EQ(Ship()->x, 128);
    EXPECT_EQ(Word(kRespawnGrace), 120);
}

TEST_F(PlayerShip, DiagonalRulesTakeTheFirstMatchingPair) {
    UntilFlying();
    struct Case {
        int pad;
        int dir;
    };
    const Case cases[] = {
        {PadUp | PadRight, 45},          {PadUp | PadLeft, 135},
        {PadDown | PadLeft, 225},        {PadDown | PadRight, 315},
        {PadUp | PadDown | PadRight, 45}, {PadUp | PadLeft | PadRight, 45},
        {PadLeft | PadRight, 180},       {PadUp | PadDown, 90},
        {PadDown, 270},                  {PadRight, 0},
    };
    for (const Case& c : cases) {
        Ship()->x = 300;
        Ship()->y = 200;
        Frame(c.pad);
        float x = 300, y = 200;
        x += cosTable[c.dir] * 4.2f;
        y -= sinTable[c.dir] * 4.2f;
        EXPECT_EQ(Ship()->x, x) << "pad " << c.pad;
        EXPECT_EQ(Ship()->y, y) << "pad " << c.pad;
    }
    Ship()->x = 300;
    Frame();
    EXPECT_EQ(Ship()->x, 300);
}

TEST_F(PlayerShip, StaysInsideTheScreen) {
    UntilFlying();
    Frames(200, PadRight | PadDown);
    EXPECT_EQ(Ship()->x, 576);
    EXPECT_EQ(Ship()->y, 416);
    EXPECT_FLOAT_EQ(playerCenterX, 608);
    Frames(200, PadLeft | PadUp);
    EXPECT_EQ(Ship()->x, 0);
    EXPECT_EQ(Ship()->y, 0);
}

TEST_F(PlayerShip, ProtectedWhileEnteringAndFor120FramesAfter) {
    Obstacle(GroupEnemy)->hitRects[0] = HitRect{-1000, 1000, 0, 64};  // across the entry path
    UntilFlying();
    Frames(119);
    EXPECT_EQ(Ship()->hp, 1);
    EXPECT_EQ(Word(kRespawnGrace), 1);
    Frame();  // the last protected frame
    EXPECT_EQ(Ship()->hp, 1);
    Frame();
    EXPECT_EQ(Ship()->update, ShipDying);
}

TEST_F(PlayerShip, NoContactDuringABombOrAfterTheBossIsDestroyed) {
    UntilVulnerable();
    bossState = BossStateDestroyed;
    Obstacle(GroupEnemyShot);
    Frames(5);
    EXPECT_EQ(Ship()->update, ShipUpdate);
    bossState = 0;
    bombActive = 1;
    Frames(5);
    EXPECT_EQ(Ship()->update, ShipUpdate);
    bombActive = 0;
    Frame();
    EXPECT_EQ(Ship()->update, ShipDying);
}

TEST_F(PlayerShip, WallsDestroyTheShip) {
    UntilVulnerable();
    // the cell under the ship's hit rectangle's top-left corner (x + 11, y + 22)
    int column = mapLeftColumn + static_cast<int>((mapSubX + Ship()->x + 11) / 32);
    int row = mapTopRow + static_cast<int>((mapSubY + Ship()->y + 22) / 32);
    StageMap[row][column] = 'q';
    Frame();
    EXPECT_EQ(Ship()->update, ShipDying);
}

TEST_F(PlayerShip, DeathTakes28FramesThenARespawnWithLowerLevels) {
    UntilVulnerable();
    Word(kShotLevel) = 5;
    Word(kMissileLevel) = 0;
    Word(kArmLevel) = 1;
    shotGauge = missileGauge = armGauge = 2;
    bombs = 0;
    rank = 50;
    int booms = Starts(WavMyBomb);
    Actor* enemy = Obstacle(GroupEnemy);
    Frame();
    EXPECT_EQ(Ship()->update, ShipDying);
    EXPECT_EQ(Ship()->draw, DrawShipDeath);
    EXPECT_EQ(rank, 30);
    EXPECT_EQ(Starts(WavMyBomb), booms + 1);
    enemy->alive = 0;
    Frames(27);
    EXPECT_EQ(Word(kDeathFrame), 13);
    EXPECT_EQ(lives, 3);
    Frame();
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(Ship()->update, ShipEnter);
    EXPECT_EQ(Ship()->draw, DrawShip);
    EXPECT_FLOAT_EQ(Ship()->x, -64);
    EXPECT_FLOAT_EQ(Ship()->y, 208);
    EXPECT_EQ(Ship()->hp, 1);
    EXPECT_EQ(Word(kShotLevel), 4);
    EXPECT_EQ(Word(kMissileLevel), 0);  // already at 0
    EXPECT_EQ(Word(kArmLevel), 1);      // arms keep their level
    EXPECT_EQ(shotGauge + missileGauge + armGauge, 0);
    EXPECT_EQ(bombs, 3);
}

TEST_F(PlayerShip, LastShipStaysOnItsLastCellUnderTheGameOverPrompt) {
    UntilVulnerable();
    lives = 0;
    Obstacle(GroupEnemy);
    Frame();
    Frames(28);
    EXPECT_EQ(stagePhase, PhaseGameOverPrompt);  // 900 became 901 in the same frame
    EXPECT_EQ(Ship()->draw, DrawShipDeath);
    EXPECT_EQ(Word(kDeathFrame), 14);
    Frames(10);
    EXPECT_EQ(Word(kDeathFrame), 14);
    // a continue brings the ship back on the next update
    Frame(PadButton3);
    EXPECT_EQ(stagePhase, 0);
    Frame();
    EXPECT_EQ(Ship()->update, ShipEnter);
    EXPECT_EQ(lives, 2);
}

TEST_F(PlayerShip, RankIsClampedInEveryFlyingFrame) {
    UntilFlying();
    rank = 300;
    Frame();
    EXPECT_EQ(rank, 255);
    rank = -7;
    Frame();
    EXPECT_EQ(rank, 0);
}

TEST_F(PlayerShip, FliesOutAtStageEndAndClearsEverythingElse) {
    UntilFlying();
    Ship()->x = 300;
    Obstacle(GroupItem, 1, 0)->x = 10;
    Actor* enemy = Obstacle(GroupEnemy);
    enemy->x = 600;
    stagePhase = PhaseStageWon;
    Frame();
    EXPECT_EQ(Ship()->update, ShipExit);
    float x = Ship()->x, speed = 4.2f;
    int frames = 0;
    while (stagePhase == PhaseStageWon && frames < 100) {
        Frame();
        frames++;
        if (stagePhase == PhaseStageWon) {
            speed += 0.2f;
            x += speed;
            ASSERT_EQ(Ship()->x, x);
        }
    }
    EXPECT_GT(x + speed + 0.2f, 660);
    EXPECT_EQ(currentScene, SceneStageSelect);  // the play frame saw 200 and moved on
    EXPECT_FLOAT_EQ(Ship()->x, -64);
    EXPECT_EQ(Ship()->update, ShipEnter);
    EXPECT_EQ(CountActiveActors(), 1);
    EXPECT_EQ(activeList->next, Ship());
}

}  // namespace
