// Taps on the menus: an entry is hit where the last frame drew it, a tap chooses it as fire
// would (a value's arrows step it), the title's START is the fire button itself, and a tap
// in play reaches neither the game nor its replay.
#include <filesystem>
#include <vector>

#include "front_end_game.h"
#include "runtime/headless.h"
#include "scenes/menu.h"
#include "scenes/scenes.h"
#include "shell/input.h"
#include "shell/replay.h"
#include "shell/settings.h"
#include "shell/state_hash.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTitleMenuTop = 282;  // as the title draws its menu, centred
constexpr int kOptionsLabelX = 130, kOptionsValueX = 360, kOptionsFirstY = 130;

// The middle of a menu's line `row` (of its shown entries) drawn from `top`.
int LineY(int top, int row) { return top + row * kMenuLineHeight + 6; }

class MenuTaps : public FrontEndGame {
protected:
    static void TapAt(int x, int y, int pad = 0) {
        SetHeadlessTap(x, y);
        Frame(pad);
    }
};

TEST_F(MenuTaps, TapsWalkTheTitleIntoOptionsChangeThemAndComeBack) {
    ToShownTitle();
    TapAt(320, LineY(kTitleMenuTop, TitleOptions));
    EXPECT_TRUE(FrontEndHolding());
    EXPECT_EQ(menuTitle.cursor, TitleOptions);
    // OPTIONS: SCREEN, WINDOW SCALE (where a window has a scale), MUSIC VOLUME ...
    const int music = CanQuit() ? 2 : 1;
    ASSERT_EQ(settings.musicVolume, 10);
    TapAt(kOptionsValueX + 2, LineY(kOptionsFirstY, music));  // the value's left arrow
    EXPECT_EQ(settings.musicVolume, 9);
    TapAt(kOptionsValueX + 2, LineY(kOptionsFirstY, music));
    EXPECT_EQ(settings.musicVolume, 8);
    TapAt(kOptionsValueX + 60, LineY(kOptionsFirstY, music));  // its right arrow
    EXPECT_EQ(settings.musicVolume, 9);
    ASSERT_EQ(settings.difficulty, 2);
    TapAt(kOptionsLabelX, LineY(kOptionsFirstY, music + 2));  // DIFFICULTY's label steps it, as fire does
    EXPECT_EQ(settings.difficulty, 3);
    TapAt(600, LineY(kOptionsFirstY, music + 2));  // beside the menu: nothing
    TapAt(kOptionsLabelX, 20);
    EXPECT_EQ(settings.difficulty, 3);
    EXPECT_TRUE(FrontEndHolding());
    Settings read;
    ReadSettings(&read);
    EXPECT_EQ(read.musicVolume, 9);
    TapAt(kOptionsLabelX, LineY(kOptionsFirstY, music + 6));  // BACK
    Frame();
    EXPECT_FALSE(FrontEndHolding());
    EXPECT_EQ(currentScene, SceneTitle);
    EXPECT_EQ(difficultySetting, 3);  // the new difficulty began the title's run again
}

TEST_F(MenuTaps, HelpClosesOnATapAnywhereAndNoTapActsBeforeTheMenuIsDrawn) {
    Frame();
    TapAt(320, LineY(kTitleMenuTop, TitleHelp));  // the logo on black: no menu drawn yet
    EXPECT_FALSE(FrontEndHolding());
    ToShownTitle();
    TapAt(320, LineY(kTitleMenuTop, TitleHelp));
    ASSERT_TRUE(FrontEndHolding());
    TapAt(5, 5);
    Frame();
    EXPECT_FALSE(FrontEndHolding());
    EXPECT_EQ(currentScene, SceneTitle);
}

// START by a tap is the fire button on that frame and nothing else; taps in play are
// nothing at all: the replay holds the buttons pressed and plays back to the same state.
TEST_F(MenuTaps, ATapOnStartIsFireAndTapsInPlayLeaveTheReplayAlone) {
    ToShownTitle();
    TapAt(320, LineY(kTitleMenuTop, TitleStart));
    ASSERT_EQ(currentScene, ScenePlay);
    std::vector<uint8_t> pressed;
    for (int f = 0; f < 240; f++) {
        const int pad = f % 3 ? PadButton1 | PadUp : PadLeft;
        pressed.push_back(uint8_t(pad));
        if (f % 7 == 0) SetHeadlessTap(320, LineY(kTitleMenuTop, f % 5));  // where the title's entries were
        Frame(pad);
    }
    ASSERT_EQ(currentScene, ScenePlay);
    ASSERT_FALSE(FrontEndHolding());
    const uint64_t reached = StateHash();
    SetHeadlessKey(KeyP, true);
    Frame();
    SetHeadlessKey(KeyP, false);
    EndRunFromPause(false);
    Replay kept;
    std::string error;
    ASSERT_TRUE(ReadReplayFile((dir / "replays" / "last.replay").c_str(), &kept, &error)) << error;
    ASSERT_GT(kept.buttons.size(), pressed.size());
    const size_t start = kept.buttons.size() - pressed.size() - 1;
    EXPECT_EQ(kept.buttons[start], PadButton1);
    EXPECT_EQ(std::vector<uint8_t>(kept.buttons.begin() + long(start) + 1, kept.buttons.end()), pressed);
    EnableFrontEnd(false);
    EnableRunRecording(false);
    BeginReplay(kept);
    for (uint8_t b : kept.buttons) Frame(b);
    EXPECT_EQ(StateHash(), reached);
}

TEST_F(MenuTaps, AnEntryIsHitOnlyOnTheLinesTheLastFrameDrew) {
    static int32_t value = 3;
    static const MenuEntry entries[] = {
        {"START", MenuAction},
        {"HIDDEN", MenuAction, nullptr, 0, 0, 0, nullptr, [] { return false; }},
        {"VOLUME", MenuNumber, &value, 0, 10},
        {"BACK", MenuBack},
    };
    Menu menu = {entries, MenuLength(entries)};
    MenuInput in;
    ReadMenuTap(&in);
    EXPECT_EQ(MenuEntryAt(menu, 110, LineY(200, 0)), -1);  // never drawn
    DrawMenu(menu, 100, 200, 300);
    EXPECT_EQ(MenuEntryAt(menu, 110, LineY(200, 0)), 0);
    ReadMenuTap(&in);  // the next frame: what the last one drew
    EXPECT_EQ(MenuEntryAt(menu, 110, LineY(200, 1)), 2);  // the hidden entry takes no line
    EXPECT_EQ(MenuEntryAt(menu, 110, LineY(200, 2)), 3);
    EXPECT_EQ(MenuEntryAt(menu, 110, LineY(200, 3)), -1);  // below the last line
    EXPECT_EQ(MenuEntryAt(menu, 110, 200 - kMenuLineHeight), -1);
    EXPECT_EQ(MenuEntryAt(menu, 600, LineY(200, 0)), -1);  // far right of every line
    EXPECT_EQ(MenuEntryAt(menu, 60, LineY(200, 0)), -1);   // left of the cursor's marker

    MenuInput tap;
    tap.tapped = true;
    tap.tapX = 302;
    tap.tapY = LineY(200, 1);
    EXPECT_EQ(RunMenu(&menu, tap), MenuChanged);
    EXPECT_EQ(menu.cursor, 2);
    EXPECT_EQ(value, 2);
    tap.tapX = 110;
    tap.tapY = LineY(200, 2);
    EXPECT_EQ(RunMenu(&menu, tap), MenuLeft);  // BACK acts at once
    tap.tapY = LineY(200, 0);
    EXPECT_EQ(RunMenu(&menu, tap), MenuChosen);
    EXPECT_EQ(menu.cursor, 0);

    ReadMenuTap(&in);
    ReadMenuTap(&in);  // two frames on with the menu not drawn: gone from the screen
    EXPECT_EQ(MenuEntryAt(menu, 110, LineY(200, 0)), -1);
}

}  // namespace
