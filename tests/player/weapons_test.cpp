// The main weapon and the missiles: cadence, live-count caps, volley shapes and flight.
#include "player/ship_fixture.h"

#include <set>
#include <vector>

#include "shell/game.h"
#include "shell/input.h"

namespace {

class Weapons : public ShipInPlay {
protected:
    // The records of `group` created by the frame just run.
    static std::vector<Actor*> FrameAndCollect(int pad, int32_t group) {
        std::set<Actor*> before;
        for (Actor* a = activeList->next; a != activeList; a = a->next) before.insert(a);
        Frame(pad);
        std::vector<Actor*> made;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->group == group && !before.count(a)) made.push_back(a);
        return made;
    }
};

constexpr int kShotWidth[5] = {32, 91, 28, 36, 48};

TEST_F(Weapons, VolleysEveryThirdOrFifthFrame) {
    UntilFlying();
    std::vector<int> volleyFrames;
    for (int f = 1; f <= 16; f++)
        if (!FrameAndCollect(PadButton1, GroupPlayerShot).empty()) volleyFrames.push_back(f);
    EXPECT_EQ(volleyFrames, (std::vector<int>{1, 4, 7, 10, 13, 16}));
    Frames(40);  // let the volleys leave
    Word(kShotLevel) = 4;
    volleyFrames.clear();
    std::vector<int> missileFrames;
    for (int f = 1; f <= 16; f++) {
        std::set<Actor*> before;
        for (Actor* a = activeList->next; a != activeList; a = a->next) before.insert(a);
        Frame(PadButton1);
        bool shot = false, missile = false;
        for (Actor* a = activeList->next; a != activeList; a = a->next) {
            if (before.count(a)) continue;
            shot |= a->group == GroupPlayerShot;
            missile |= a->group == GroupPlayerMissile;
        }
        if (shot) volleyFrames.push_back(f);
        if (missile) missileFrames.push_back(f);
    }
    EXPECT_EQ(volleyFrames, (std::vector<int>{1, 6, 11, 16}));
    // level 0 missiles: one at a time, never sooner than every fifth frame
    ASSERT_FALSE(missileFrames.empty());
    for (size_t i = 1; i < missileFrames.size(); i++)
        EXPECT_GE(missileFrames[i] - missileFrames[i - 1], 5);
}

TEST_F(Weapons, LiveCountsFollowTheShotsAndCapTheLeadingKind) {
    struct Case {
        int level, limitKind, limit, perVolley;
        bool blocks;
    };
    const Case cases[] = {
        {0, 0, 12, 1, false}, {2, 0, 12, 3, true},  {5, 1, 12, 3, true},  {7, 2, 8, 1, true},
        {8, 2, 18, 3, true},  {11, 3, 6, 1, true},  {14, 4, 6, 1, true},
    };
    UntilFlying();
    for (const Case& c : cases) {
        Frames(60);  // the previous level's shots leave
        Ship()->x = 0;
        Word(kShotLevel) = c.level;
        int maxLive = 0, blockedFrames = 0;
        for (int f = 0; f < 150; f++) {
            // the ship updates first, so the count it tests is the one of the last frame
            int countSeen = liveShotCount[c.limitKind];
            std::vector<Actor*> made = FrameAndCollect(PadButton1, GroupPlayerShot);
            for (int k = 0; k < 5; k++)
                ASSERT_EQ(liveShotCount[k], CountShots(kShotWidth[k])) << "level " << c.level;
            maxLive = std::max(maxLive, liveShotCount[c.limitKind]);
            if (Word(kShotCooldown) == 0) {
                blockedFrames++;
                EXPECT_TRUE(made.empty());  // side shots are held back too
                EXPECT_GE(countSeen, c.limit);
            } else if (!made.empty()) {
                EXPECT_LT(countSeen, c.limit);
            }
        }
        EXPECT_LE(maxLive, c.limit + c.perVolley - 1) << "level " << c.level;
        EXPECT_EQ(blockedFrames > 0, c.blocks) << "level " << c.level;
    }
}

TEST_F(Weapons, VolleyShapesOfTheSpreadLevels) {
    UntilFlying();
    Ship()->x = 100;
    Ship()->y = 200;
    Word(kShotLevel) = 8;
    std::vector<Actor*> made = FrameAndCollect(PadButton1, GroupPlayerShot);
    ASSERT_EQ(made.size(), 3u);
    const float want8[3][3] = {{132, 210, 357}, {132, 198, 3}, {132, 204, 0}};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(made[i]->width, 28);
        EXPECT_FLOAT_EQ(made[i]->x, want8[i][0]);
        EXPECT_FLOAT_EQ(made[i]->y, want8[i][1]);
        EXPECT_EQ(made[i]->work[kDir].i, static_cast<int>(want8[i][2]));
    }
    Frames(40);
    Word(kShotLevel) = 13;
    made = FrameAndCollect(PadButton1, GroupPlayerShot);
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(made[0]->width, 48);
    EXPECT_FLOAT_EQ(made[0]->y, 166);
    EXPECT_EQ(made[1]->width, 32);
    EXPECT_EQ(made[1]->work[kDir].i, 355);
    EXPECT_FLOAT_EQ(made[1]->y, 240);
    EXPECT_EQ(made[2]->work[kDir].i, 5);
    EXPECT_FLOAT_EQ(made[2]->y, 188);
}

TEST_F(Weapons, SustainedFireRaisesRankEvery1500CountedFrames) {
    UntilFlying();
    Frame(PadButton1);
    EXPECT_EQ(Word(kFireFrames), 1);
    Frame(PadButton1);  // cooldown still running: not counted
    EXPECT_EQ(Word(kFireFrames), 1);
    Frames(10);  // released: not counted
    EXPECT_EQ(Word(kFireFrames), 1);
    // blocked by the live count, the frames still count
    Ship()->x = 0;
    Word(kShotLevel) = 2;
    int blocked = 0;
    for (int f = 0; f < 100 && blocked < 3; f++) {
        int before = Word(kFireFrames);
        Frame(PadButton1);
        if (Word(kShotCooldown) == 0) {
            blocked++;
            EXPECT_EQ(Word(kFireFrames), before + 1);
        }
    }
    EXPECT_EQ(blocked, 3);
    Frames(60);
    int32_t r = rank;
    Word(kFireFrames) = 1500;
    Frame(PadButton1);
    EXPECT_EQ(rank, r + 1);
    EXPECT_EQ(Word(kFireFrames), 0);
}

TEST_F(Weapons, MissileLaunchSpeedsFollowTheHeldArrow) {
    UntilFlying();
    Word(kMissileLevel) = 8;
    Word(kShotLevel) = 0;
    struct Case {
        int pad;
        float forward, backward;
    };
    const Case cases[] = {
        {0, 5.2f, -5.2f},
        {PadRight, 7.2f, -3.2f},
        {PadLeft, 3.2f, -7.2f},
        {PadLeft | PadRight, 7.2f, -3.2f},
    };
    for (const Case& c : cases) {
        Frames(60);
        Ship()->x = 300;
        Ship()->y = 200;
        std::vector<Actor*> made = FrameAndCollect(PadButton1 | c.pad, GroupPlayerMissile);
        ASSERT_EQ(made.size(), 4u);
        for (int type = 0; type < 4; type++) {
            const Actor* m = made[type];
            EXPECT_EQ(m->work[2].i, type);
            EXPECT_EQ(m->work[0].f, type < 2 ? c.forward : c.backward) << "pad " << c.pad;
            EXPECT_FLOAT_EQ(m->x - Ship()->x, type < 2 ? 34 : 4);
            EXPECT_FLOAT_EQ(m->y - Ship()->y, 28);
            EXPECT_EQ(m->work[1].f, type % 2 == 0 ? 0.4f : -0.4f);  // first update next frame
        }
        EXPECT_EQ(liveMissileCount, 4);
        Frames(60);
        EXPECT_EQ(liveMissileCount, 0);
    }
}

TEST_F(Weapons, MissileFallSpeedIsASawtoothBetween20And22) {
    rightHeld = leftHeld = 0;
    for (int type = 0; type < 2; type++) {
        SpawnMissile(type, 300, 200);
        Actor* m = activeList->prev;
        float sign = type == 0 ? 1.0f : -1.0f;
        std::vector<float> peaks;
        float previous = 0.4f;
        for (int i = 0; i < 130; i++) {
            m->x = 300;
            m->y = 200;
            m->update(m);
            float now = sign * m->work[1].f;
            if (now < previous) {
                // it passed 22 in this update and fell back to exactly 20
                EXPECT_EQ(now, 20.0f);
                peaks.push_back(previous);
            } else {
                EXPECT_NEAR(now - previous, 0.4f, 1e-5f);
            }
            previous = now;
        }
        ASSERT_GE(peaks.size(), 2u) << "type " << type;
        for (float p : peaks) {
            EXPECT_GT(p, 21.5f);
            EXPECT_LE(p, 22.0f);
        }
        m->alive = 0;
        liveMissileCount -= 1;
    }
}

TEST_F(Weapons, OnlyKind0And1StopAtWallsAndPiercingShotsHitOncePerFrame) {
    UntilFlying();
    // a wall column at screen x 320..352 over the whole height
    for (int r = 0; r < kMapRows; r++) StageMap[r][mapLeftColumn + 10] = 'w';
    SpawnMyShot1(200, 300);
    SpawnMyShot2(200, 100, 0);
    Frames(12);
    EXPECT_EQ(liveShotCount[1], 0);
    EXPECT_EQ(liveShotCount[2], 1);
    Frames(30);
    EXPECT_EQ(liveShotCount[2], 0);
    // a kind-3 laser over an enemy takes 2 hit points each frame it overlaps
    std::memset(StageMap, ' ', sizeof StageMap);
    Actor* enemy = Obstacle(GroupEnemy, 100);
    enemy->x = 400;
    enemy->y = 100;
    enemy->hitRects[0] = HitRect{0, 200, 0, 32};
    SpawnMyShot3(300, 50);
    int frames = 0;
    while (liveShotCount[3] > 0 && frames < 40) {
        Frame();
        frames++;
    }
    // its rectangle, x + 18 to x + 36, lies over 400..600 after updates 3 to 12
    EXPECT_EQ(100 - enemy->hp, 2 * 10);
}

}  // namespace
