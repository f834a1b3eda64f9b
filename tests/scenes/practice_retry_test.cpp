// RETRY in a practice, through the front end: after the last ship is lost and from the
// pause menu, the same practice starts again at once (stage, difficulty, power, start),
// and the one just flown is kept as a practice replay that plays back to where it was left.
#include "actors/actor.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "front_end_game.h"
#include "scenes/scenes.h"
#include "scenes/screens.h"
#include "shell/replay.h"
#include "shell/state_hash.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"

namespace {

// What a practice's start is made of, as the game stands once it was chosen.
struct PracticeFacts {
    int32_t stage, difficulty, bombs, shot, missile, arm, armDurability;
    int32_t warned, scriptLine, mapLeftColumn, mapTopRow, scene, practice;
    bool operator==(const PracticeFacts&) const = default;
};

PracticeFacts Facts() {
    const Actor* ship = playerShip;
    return {stageNumber,
            difficultySetting,
            bombs,
            ship ? ship->work[kShotLevel].i : -1,
            ship ? ship->work[kMissileLevel].i : -1,
            ship ? ship->work[kArmLevel].i : -1,
            ship ? ship->work[kArmDurability].i : -1,
            bossEventRequested,
            scriptLine,
            mapLeftColumn,
            mapTopRow,
            currentScene,
            practiceRun};
}

class PracticeRetry : public FrontEndGame {
protected:
    void SetUp() override {
        FrontEndGame::SetUp();
        std::ofstream(dir / "reached.txt") << "zorbex-reached 1\n3\n";
        ReadReachedStages();
    }
    Replay LastReplay() const {
        Replay r;
        std::string error;
        EXPECT_TRUE(ReadReplayFile((dir / "replays" / "last.replay").c_str(), &r, &error)) << error;
        return r;
    }
    // The practice's header as the menu chose it: stage 3's boss on HARD, shot 2,
    // missile 1, arms 1, two bombs.
    static void ExpectThePractice(const Replay& r) {
        EXPECT_EQ(r.options, RunPractice);
        EXPECT_EQ(r.difficulty, 3);
        EXPECT_EQ(r.practice.stage, 3);
        EXPECT_TRUE(r.practice.boss);
        EXPECT_EQ(r.practice.shotLevel, 2);
        EXPECT_EQ(r.practice.missileLevel, 1);
        EXPECT_EQ(r.practice.arms, 1);
        EXPECT_EQ(r.practice.bombs, 2);
    }

};

TEST_F(PracticeRetry, RetryStartsTheSamePracticeAfterTheLastShipAndFromThePause) {
    Frames(92 + 32 + 2);
    Tap(PadDown);
    ASSERT_EQ(menuTitle.cursor, TitlePractice);
    Tap(PadButton1);
    Tap(PadRight);  // STAGE: 2 was never reached, 3 was
    Tap(PadDown);
    Tap(PadRight);  // DIFFICULTY: HARD
    Tap(PadDown);
    Tap(PadRight);
    Tap(PadRight);  // SHOT 2
    Tap(PadDown);
    Tap(PadRight);  // MISSILE 1
    Tap(PadDown);
    Tap(PadRight);  // ARMS 1
    Tap(PadDown);
    Tap(PadLeft);  // BOMBS 2
    Tap(PadDown);
    Tap(PadRight);  // START AT: BOSS
    Tap(PadDown);
    Frame(PadButton1);  // START
    const PracticeFacts chosen = Facts();
    EXPECT_EQ(chosen.stage, 3);
    EXPECT_EQ(chosen.difficulty, 3);
    EXPECT_EQ(chosen.bombs, 2);
    EXPECT_EQ(chosen.shot, 2);
    EXPECT_EQ(chosen.missile, 1);
    EXPECT_EQ(chosen.arm, 0);
    EXPECT_EQ(chosen.warned, 1);
    EXPECT_EQ(chosen.practice, 1);
    Frame();

    // nothing pressed: the boss takes every ship, and the practice's end offers RETRY
    int frames = 0;
    while (!FrontEndHolding() && frames < 60000) Frame(), frames++;
    ASSERT_TRUE(FrontEndHolding()) << "the practice never ended";
    ASSERT_TRUE(PracticeOver());
    Frame(PadButton1);  // RETRY, on the menu's first row
    EXPECT_EQ(Facts(), chosen) << "the same practice, at once";
    EXPECT_FALSE(PracticeOver());
    const Replay first = LastReplay();
    ExpectThePractice(first);
    // the frame after START played; the loop's last one opened the menu instead
    EXPECT_EQ(static_cast<int>(first.buttons.size()), frames) << "the whole of the first practice, kept";
    Frame();

    // RETRY from the pause menu, 300 frames into the second practice
    for (int f = 0; f < 300; f++) Frame(f % 2 ? PadButton1 : PadUp);
    ASSERT_EQ(currentScene, ScenePlay);
    const uint64_t left = StateHash();
    PressPause();
    ASSERT_TRUE(PauseMenuOpen());
    Tap(PadDown);  // RETRY
    Frame(PadButton1);
    EXPECT_FALSE(PauseMenuOpen());
    EXPECT_EQ(Facts(), chosen);
    const Replay second = LastReplay();
    ExpectThePractice(second);
    EXPECT_EQ(second.buttons.size(), 301u);
    EXPECT_NE(second.seed, first.seed) << "each practice is a run of its own";
    Frame();
    ASSERT_EQ(currentScene, ScenePlay);

    // the kept practice plays back to the very state it was left in
    EnableFrontEnd(false);
    EnableRunRecording(false);
    BeginReplay(second);
    for (uint8_t b : second.buttons) Frame(b);
    EXPECT_EQ(StateHash(), left);
}

}  // namespace
