// The boss sequence: warning, time limit, boss 0, death, banner and the final tally.
#include <string>
#include <vector>

#include "boss_fight.h"

namespace {

// The sequence keeps the new game's starting rank.
class BossSequence : public BossFight {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(BossFight::SetUp());
        rank = StartingRank();
    }
    static int CountWhere(bool (*pred)(const Actor*)) {
        int n = 0;
        for (Actor* a : Live()) n += pred(a) ? 1 : 0;
        return n;
    }
    // Boss 0's body, the one record 202 wide.
    static Actor* BossBody() {
        std::vector<Actor*> bodies = Live(GroupEnemy, 202);
        return bodies.empty() ? nullptr : bodies[0];
    }
    static std::string Music() { return CurrentMusicFile(); }
};

bool IsEnemy(const Actor* a) { return a->group == GroupEnemy; }
bool IsEnemyShot(const Actor* a) { return a->group == GroupEnemyShot; }
bool IsEffect(const Actor* a) { return a->group == GroupEffect; }

TEST_F(BossSequence, WarningBlinksForThirtyFramesAndBringsBossZeroInUpdate330) {
    PlayMusicFile("data/Sound03.mp3", 1);
    StartWarning(0);
    EXPECT_EQ(Music(), "data/SoundWarning.mp3");
    Actor* warning = activeList->prev;
    int shown = 0;
    for (int update = 1; update <= 329; update++) {
        Pass();
        ASSERT_TRUE(warning->alive) << update;
        bool visible = warning->work[2].i == 0;
        EXPECT_EQ(visible, (update / 30) % 2 == 0) << update;
        shown += visible;
    }
    EXPECT_EQ(CountWhere(IsEnemy), 0);
    Pass();  // update 330: the boss, its music and its clock
    EXPECT_FALSE(warning->alive);
    EXPECT_EQ(Music(), "data/Sound08.mp3");
    ASSERT_NE(BossBody(), nullptr);
    // body, turret, gun, shield and the time limit
    EXPECT_EQ(CountWhere(IsEnemy), 5);
    EXPECT_EQ(shown, 29 + 30 * 5);
}

TEST_F(BossSequence, UnknownBossIndexGivesBossZeroWithoutMusicOrClock) {
    StartWarning(40);
    for (int i = 0; i < 330; i++) Pass();
    EXPECT_EQ(Music(), "data/SoundWarning.mp3");
    EXPECT_EQ(CountWhere(IsEnemy), 4);
}

TEST_F(BossSequence, TimeLimitReleasesItsFirstPressureEnemyInUpdateLimitTimesSixtyPlusOne) {
    StartBossTimeLimit(2);
    auto pressure = [] {
        int n = 0;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->alive && a->group == GroupEnemy && a->scoreValue == -100) n++;
        return n;
    };
    int released = 0;
    int firstUpdate = 0;
    std::vector<int> releaseUpdates;
    for (int update = 1; update <= 121 + 11 * 121 + 21 * 61 + 2; update++) {
        UpdateActors();
        // count creations, then clear them so the pool stays small
        int n = pressure();
        if (n > 0) {
            if (!firstUpdate) firstUpdate = update;
            releaseUpdates.push_back(update);
            released += n;
        }
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (a->scoreValue == -100 || a->group == GroupEnemyShot) a->alive = 0;
        SweepDeadActors();
    }
    EXPECT_EQ(firstUpdate, 121);
    ASSERT_GE(releaseUpdates.size(), 13u);
    EXPECT_EQ(releaseUpdates[1] - releaseUpdates[0], 121);
    EXPECT_EQ(releaseUpdates[11] - releaseUpdates[10], 121);
    EXPECT_EQ(releaseUpdates[12] - releaseUpdates[11], 61);  // the second flood stage
}

TEST_F(BossSequence, PressureEnemyCostsPointsButNotBelowZero) {
    SpawnPressureEnemy(300, 200, 180);
    Actor* p = activeList->prev;
    score = 40;
    p->hp = 0;
    Pass();
    EXPECT_EQ(score, 0);
}

TEST_F(BossSequence, BossZeroHitPointsFollowRank) {
    rank = 0;
    SpawnBoss00();
    Actor* body = activeList->next;
    Actor* turret = body->next;
    Actor* gun = turret->next;
    EXPECT_EQ(body->hp, 500);
    EXPECT_EQ(turret->hp, 800);
    EXPECT_EQ(gun->hp, 800);
    ReleaseAllActors();
    rank = 255;
    SpawnBoss00();
    body = activeList->next;
    EXPECT_EQ(body->hp, 585);
    EXPECT_EQ(body->next->hp, 825);
    EXPECT_EQ(body->next->next->hp, 1055);
}

TEST_F(BossSequence, BossZeroFallsToItsHoverAndFiresOnTheFirstAndSeventhHoverFrames) {
    SpawnBoss00();
    Actor* body = activeList->next;
    int frames = 0;
    while (bossState != 1 && frames < 200) {
        Pass();
        frames++;
    }
    ASSERT_EQ(bossState, 1);
    EXPECT_NEAR(body->y, 280.0f, 1.01f);
    // the hover's first frame already ran the turret: one large shot
    EXPECT_EQ(CountWhere(IsEnemyShot), 1);
    for (int i = 0; i < 6; i++) Pass();
    EXPECT_EQ(CountWhere(IsEnemyShot), 1 + 1);  // the gun's first shot in its 7th frame
    for (int i = 0; i < 84; i++) Pass();
    EXPECT_EQ(bossState, 1);
    Pass();  // the 91st hover frame starts a glide
    EXPECT_EQ(bossState, 0);
    EXPECT_EQ(CountWhere(IsEnemyShot), 1 + 13);
}

TEST_F(BossSequence, DeathTakes126FramesThenTheBannerTakes275) {
    stageNumber = 5;
    SpawnBoss00();
    StartBossTimeLimit(60);
    Actor* body = activeList->next;
    Pass();
    score = 0;
    body->hp = 0;
    Pass();  // the body sees its hp run out: score, then the death update from the next frame
    EXPECT_EQ(score, 100000);
    int deathFrames = 0;
    while (body->alive && deathFrames < 500) {
        Pass();
        deathFrames++;
        if (deathFrames == 1) {
            EXPECT_EQ(bossState, BossStateDestroyed);
            EXPECT_EQ(Music(), "");
        }
    }
    EXPECT_EQ(deathFrames, 126);
    EXPECT_EQ(CountWhere(IsEnemy), 0);  // turret, gun, shield and clock were cleared
    EXPECT_EQ(Music(), "data/SoundSelect01.mp3");
    // the banner was made before the last records of the list, so it has run once already
    Actor* banner = activeList->prev;
    while (banner != activeList && banner->group != GroupEffect) banner = banner->prev;
    ASSERT_NE(banner, activeList);
    EXPECT_EQ(banner->work[0].i, 1);
    int bannerFrames = 1;
    while (stagePhase != PhaseStageWon && bannerFrames < 500) {
        Pass();
        bannerFrames++;
    }
    EXPECT_EQ(bannerFrames, 275);
    EXPECT_EQ(CountWhere(IsEffect), 0);
}

TEST_F(BossSequence, ClearMusicFollowsTheStage) {
    stageNumber = 18;
    SpawnStageClear();
    EXPECT_EQ(Music(), "data/SoundSelect02.mp3");
    stageNumber = 22;
    SpawnStageClear();
    EXPECT_EQ(Music(), "data/Sound11.mp3");
}

TEST_F(BossSequence, FinalTallyBonuses) {
    stageNumber = 25;
    lives = 3;
    bombs = 2;
    kind110Destroyed = 1;
    hasContinued = 0;
    score = 1000;
    SpawnFinalTally();
    Actor* tally = activeList->prev;
    EXPECT_EQ(score, 1000 + 6600000);
    EXPECT_EQ(tally->work[9].i, 6600000);
    for (int i = 0; i < 359; i++) Pass();
    EXPECT_EQ(stagePhase, 0);
    Pass();
    EXPECT_EQ(stagePhase, PhaseStageWon);

    hasContinued = 1;
    score = 500;
    SpawnFinalTally();
    EXPECT_EQ(score, 500);  // no bonus at all after a continue
}

// The total row of a tally, as pixels.
std::vector<uint32_t> TotalRowPixels() {
    std::vector<uint32_t> out;
    for (int y = 398; y < 410; y++) {
        for (int x = 124; x < 208; x++) {
            out.push_back(ReadBackBufferPixel(x, y));
        }
    }
    return out;
}

TEST_F(BossSequence, TallyTotalAboveSevenDigitsShowsItsLastSeven) {
    hasContinued = 0;
    kind110Destroyed = 1;
    lives = 9;
    bombs = 9;
    score = 0;
    SpawnFinalTally();  // 14700000
    EXPECT_EQ(score, 14700000);
    ClearBackBuffer();
    DrawActors();
    auto big = TotalRowPixels();
    ReleaseAllActors();
    kind110Destroyed = 0;
    lives = 2;
    SpawnFinalTally();  // 4700000
    ClearBackBuffer();
    DrawActors();
    EXPECT_EQ(big, TotalRowPixels());
    ReleaseAllActors();
    lives = 3;
    SpawnFinalTally();  // 5700000 differs in its seventh digit
    ClearBackBuffer();
    DrawActors();
    if (MissingAssetCount() == 0) {
        EXPECT_NE(big, TotalRowPixels());
    }
}

}  // namespace
