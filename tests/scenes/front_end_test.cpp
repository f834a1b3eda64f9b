// The front end through the main loop's frame function: the title's menu, the screens it
// opens while the game's frames are held, the options applied and saved, the pause menu
// ending a run as a quit does, and the replays recorded meanwhile playing back alike.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenes/front_end_fixture.h"
#include "scenes/scenes.h"
#include "shell/front_end.h"
#include "shell/input.h"
#include "shell/replay.h"
#include "shell/run_recorder.h"
#include "shell/save_files.h"
#include "shell/settings.h"
#include "shell/state_hash.h"

namespace {

namespace fs = std::filesystem;

class FrontEnd : public FrontEndGame {
protected:
    std::string Contents(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // RETRY and QUIT TO TITLE: nothing in the table, the run so far kept, and that replay
    // plays back to the very state the run was left in. `downs`: the entry under RESUME.
    void EndRunThroughThePauseMenu(int downs, int32_t sceneAfter) {
        Frame(PadButton1);
        for (int f = 0; f < 400; f++) Frame(f % 3 ? PadButton1 | PadUp : PadRight);
        ASSERT_EQ(currentScene, ScenePlay);
        const uint64_t left = StateHash();
        SetHeadlessKey(KeyP, true);
        Frame();
        SetHeadlessKey(KeyP, false);
        ASSERT_TRUE(PauseMenuOpen());
        for (int i = 0; i < downs; i++) {
            Frame(PadDown);
            Frame();
        }
        Frame(PadButton1);
        EXPECT_FALSE(PauseMenuOpen());
        Frame();
        EXPECT_EQ(currentScene, sceneAfter);
        EXPECT_EQ(newRankIndex, 9999);
        EXPECT_EQ(highScores[0], kDefaultHighScores[0]);
        EXPECT_FALSE(fs::exists(save));  // the table was not saved either
        Replay kept;
        std::string error;
        ASSERT_TRUE(ReadReplayFile((dir / "replays" / "last.replay").c_str(), &kept, &error)) << error;
        EXPECT_TRUE(kept.titleMenu);
        EnableFrontEnd(false);
        EnableRunRecording(false);
        BeginReplay(kept);
        for (uint8_t b : kept.buttons) Frame(b);
        EXPECT_EQ(StateHash(), left) << "the kept run plays back to where it was left";
    }

};

TEST_F(FrontEnd, FireOnTheTitlesFirstFrameStartsStageOne) {
    Frame(PadButton1);
    EXPECT_EQ(currentScene, ScenePlay);
    EXPECT_EQ(stageNumber, 1);
}

TEST_F(FrontEnd, EveryTitleEntryStandsOnStartAndUpDownRestartTheIdleCount) {
    ToShownTitle();
    ASSERT_EQ(stagePhase, 2);
    Tap(PadDown);
    Tap(PadDown);
    EXPECT_EQ(menuTitle.cursor, TitleReplays);
    EXPECT_LE(sceneTimer, 2);  // counted again from the last move
    Frames(290);
    EXPECT_EQ(currentScene, SceneTitle);  // 300 idle frames from the move, not from the start
    Frames(15);
    ASSERT_EQ(currentScene, SceneRanking);
    Tap(PadButton1);  // back from the ranking: a new title entry, the cursor on START
    Frame(PadButton1);
    EXPECT_EQ(currentScene, ScenePlay);
}

TEST_F(FrontEnd, OtherEntriesHoldTheGameAndTheTitleGoesOnAsIfNothingHappened) {
    ToShownTitle();
    Tap(PadDown);
    Tap(PadDown);
    Tap(PadDown);
    ASSERT_EQ(menuTitle.cursor, TitleOptions);
    const uint64_t before = StateHash();
    const int32_t timer = sceneTimer;
    Frame(PadButton1);  // OPTIONS opens: no game frame runs
    Frames(40, PadRight);
    Frames(40);
    EXPECT_EQ(StateHash(), before);
    EXPECT_EQ(sceneTimer, timer);
    Tap(PadButton2);  // back; the title runs again once the button is up
    EXPECT_EQ(currentScene, SceneTitle);
    EXPECT_EQ(sceneTimer, timer + 1);  // one frame on from where the title was left
    EXPECT_EQ(menuTitle.cursor, TitleOptions);
}

TEST_F(FrontEnd, OptionsChangeTheSettingsAndWriteBothFiles) {
    ToShownTitle();
    for (int i = 0; i < 3; i++) Tap(PadDown);
    Tap(PadButton1);  // OPTIONS, its cursor on SCREEN
    Tap(PadRight);    // full screen
    Tap(PadDown);     // WINDOW SCALE
    Tap(PadRight);    // 1X
    Tap(PadDown);     // MUSIC VOLUME
    Tap(PadLeft);
    Tap(PadLeft);
    Tap(PadDown);  // EFFECTS VOLUME
    Tap(PadLeft);
    EXPECT_EQ(settings.screenMode, 1);
    EXPECT_EQ(settings.windowScale, 1);
    EXPECT_EQ(settings.musicVolume, 8);
    EXPECT_EQ(settings.effectsVolume, 9);
    Settings read;
    ReadSettings(&read);
    EXPECT_EQ(read.musicVolume, 8);
    EXPECT_EQ(read.effectsVolume, 9);
    EXPECT_EQ(read.windowScale, 1);
    EXPECT_EQ(read.screenMode, 1);
    EXPECT_EQ(fs::file_size(config), 8u);
    // the volume stops at the end of its range
    Tap(PadUp);
    for (int i = 0; i < 12; i++) Tap(PadLeft);
    EXPECT_EQ(settings.musicVolume, 0);
}

TEST_F(FrontEnd, ANewDifficultyBeginsTheTitlesRunAgain) {
    ToShownTitle();
    ASSERT_EQ(difficultySetting, 2);
    for (int i = 0; i < 3; i++) Tap(PadDown);
    Tap(PadButton1);
    for (int i = 0; i < 4; i++) Tap(PadDown);  // DIFFICULTY
    Tap(PadRight);
    EXPECT_EQ(settings.difficulty, 3);
    Tap(PadButton2);  // back: the next game frame enters the title again
    EXPECT_EQ(sceneJustEntered, 1);
    EXPECT_EQ(difficultySetting, 3);
    EXPECT_EQ(rank, 80);
    Frame(PadButton1);
    EXPECT_EQ(currentScene, ScenePlay);
}

TEST_F(FrontEnd, ARebindingSwapsAndTheGameReadsTheNewKey) {
    ToShownTitle();
    for (int i = 0; i < 3; i++) Tap(PadDown);
    Tap(PadButton1);                           // OPTIONS
    for (int i = 0; i < 6; i++) Tap(PadDown);  // KEYBOARD
    Tap(PadButton1);
    Tap(PadDown);     // BOMB
    Tap(PadButton1);  // waiting for the key
    TapKey(0x2C);     // Z, fire's key: fire takes X in exchange
    EXPECT_EQ(settings.keys[KeyActionBomb], 0x2C);
    EXPECT_EQ(settings.keys[KeyActionFire], 0x2D);
    Settings read;
    ReadSettings(&read);
    EXPECT_EQ(read.keys[KeyActionFire], 0x2D);
    for (int i = 0; i < 3; i++) Tap(PadButton2);  // back to the title
    Frames(3);
    ASSERT_EQ(currentScene, SceneTitle);
    menuTitle.cursor = TitleStart;
    SetHeadlessKey(0x2D, true);  // X now fires: the run starts
    Frame();
    SetHeadlessKey(0x2D, false);
    EXPECT_EQ(currentScene, ScenePlay);
}

TEST_F(FrontEnd, EscapePausesARunAndQuitsElsewhere) {
    Frame(PadButton1);
    Frames(30);
    ASSERT_EQ(currentScene, ScenePlay);
    const uint64_t before = StateHash();
    SetHeadlessKey(KeyEscape, true);
    EXPECT_TRUE(RunFrame());  // the pause menu, the program lives on
    SetHeadlessKey(KeyEscape, false);
    Frames(20, PadButton1 | PadUp);
    EXPECT_TRUE(PauseMenuOpen());
    EXPECT_EQ(StateHash(), before);
    TapKey(KeyEscape);  // Escape again resumes
    EXPECT_FALSE(PauseMenuOpen());
    EXPECT_NE(StateHash(), before);

    // on the ranking (and the title) Escape ends the program at once
    EndRunFromPause(false);
    Frames(500);
    ASSERT_EQ(currentScene, SceneRanking);
    SetHeadlessKey(KeyEscape, true);
    EXPECT_FALSE(RunFrame());
}

TEST_F(FrontEnd, QuitOnTheTitleEndsTheProgram) {
    ToShownTitle();
    for (int i = 0; i < 5; i++) Tap(PadDown);
    ASSERT_EQ(menuTitle.cursor, TitleQuit);
    SetHeadlessPad(PadButton1);
    EXPECT_FALSE(RunFrame());
}

TEST_F(FrontEnd, RetryEndsTheRunAsAQuitDoesAndStartsStageOne) {
    EndRunThroughThePauseMenu(1, ScenePlay);
}

TEST_F(FrontEnd, QuitToTitleEndsTheRunAsAQuitDoes) {
    EndRunThroughThePauseMenu(3, SceneTitle);
}

// A run recorded through the menus (cursor moved, OPTIONS opened and left, the pause
// used) verifies: the menus never reach the replay. It begins on a title left by an earlier
// run of the process, whose stage still lingers in the stage's tables until the next one.
TEST_F(FrontEnd, ARunPlayedThroughTheMenusVerifies) {
    ToShownTitle();
    Tap(PadDown);
    Tap(PadDown);
    Tap(PadDown);
    Tap(PadButton1);  // OPTIONS
    Frames(10, PadDown);
    Tap(PadButton2);
    Frames(4);
    Tap(PadUp);
    Tap(PadUp);
    Tap(PadUp);
    ASSERT_EQ(menuTitle.cursor, TitleStart);
    Frame(PadButton1);
    ASSERT_EQ(currentScene, ScenePlay);
    for (int f = 0; f < 300; f++) {
        if (f == 150) TapKey(KeyP), Frames(30, PadLeft), TapKey(KeyP);
        Frame(f % 2 ? PadButton1 : PadDown);
    }
    const uint64_t reached = StateHash();
    TapKey(KeyP);
    EndRunFromPause(false);
    Replay kept;
    std::string error;
    ASSERT_TRUE(ReadReplayFile((dir / "replays" / "last.replay").c_str(), &kept, &error)) << error;
    EnableFrontEnd(false);
    EnableRunRecording(false);
    BeginReplay(kept);
    size_t next = 0;
    int bad = 0;
    for (size_t i = 0; i < kept.buttons.size(); i++) {
        Frame(kept.buttons[i]);
        if (next < kept.checkpoints.size() && kept.checkpoints[next].frame == int32_t(i + 1))
            if (StateHash() != kept.checkpoints[next++].hash) {
                bad++;
                ADD_FAILURE() << "frame " << i + 1 << " scene " << currentScene << " timer " << sceneTimer;
            }
    }
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(next, kept.checkpoints.size());
    EXPECT_EQ(StateHash(), reached);
}

// An older replay that walked the title keeps its own rule: up and down there never
// restarted the idle count.
TEST_F(FrontEnd, OlderReplaysKeepTheTitlesOldRule) {
    EnableFrontEnd(false);
    EnableRunRecording(false);
    Replay old;
    old.titleMenu = false;
    old.buttons.assign(92 + 32 + 320, 0);
    old.buttons[92 + 32 + 100] = PadDown;
    BeginReplay(old);
    for (uint8_t b : old.buttons) Frame(b);
    EXPECT_EQ(currentScene, SceneRanking);  // the idle count ran on through the press
    Replay now = old;
    now.titleMenu = true;
    BeginReplay(now);
    for (uint8_t b : now.buttons) Frame(b);
    EXPECT_EQ(currentScene, SceneTitle);  // today's rule: counted again from the press
}

}  // namespace
