// The settings record's two files: config.dat stays its 8 bytes, options.cfg reads back
// what it wrote, keeps the lines it does not know, and a damaged line costs that setting.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "runtime/media.h"
#include "shell/file_fixtures.h"
#include "shell/game.h"
#include "shell/save_files.h"
#include "shell/settings.h"

namespace {

using namespace file_test;

class SettingsFiles : public FileFolder {
protected:
    void TearDown() override {
        settings = Settings();
        FileFolder::TearDown();
    }
    void WriteText(const std::string& text) {
        std::ofstream out(OptionsFileName(), std::ios::binary);
        out << text;
    }
};

struct Warning {
    int line;
    std::string why;
};

static void Collect(int line, const char* why, void* context) {
    static_cast<std::vector<Warning>*>(context)->push_back({line, why});
}

TEST_F(SettingsFiles, BothFilesRoundTripAndConfigStaysEightBytes) {
    Settings s;
    s.screenMode = 0;
    s.difficulty = 3;
    s.musicVolume = 4;
    s.effectsVolume = 0;
    s.windowScale = 3;
    s.language = LanguageJapanese;
    BindKey(&s, KeyActionFire, KeyFromName("Space"));
    BindPadButton(&s, PadActionPause, PadButtonFromName("back"));
    const char* why = nullptr;
    ASSERT_TRUE(WriteConfigFile(s, &why)) << why;
    ASSERT_TRUE(WriteOptionsFile(s, &why)) << why;
    EXPECT_EQ(ReadBytes(config), (std::vector<unsigned char>{0, 0, 0, 0, 3, 0, 0, 0}));
    Settings back;
    ReadSettings(&back);
    EXPECT_EQ(back.screenMode, 0);
    EXPECT_EQ(back.difficulty, 3);
    EXPECT_EQ(back.musicVolume, 4);
    EXPECT_EQ(back.effectsVolume, 0);
    EXPECT_EQ(back.windowScale, 3);
    EXPECT_EQ(back.language, LanguageJapanese);
    EXPECT_EQ(back.keys[KeyActionFire], KeyFromName("Space"));
    EXPECT_EQ(back.padButtons[PadActionPause], PadButtonFromName("back"));
    EXPECT_EQ(FormatOptionsText(back), FormatOptionsText(s));
    // the game's own globals come from the same record
    ReadConfig();
    EXPECT_EQ(screenModeSetting, 0);
    EXPECT_EQ(difficultySetting, 3);
}

TEST_F(SettingsFiles, DamagedLinesCostTheirSettingOnlyAndUnknownLinesAreKept) {
    const std::string text =
        "zorbex-options 1\n"
        "music-volume = 11\n"       // out of range
        "effects-volume = 6\n"
        "window-scale = huge\n"
        "language = ja\n"
        "key-fire = No Such Key\n"
        "key-bomb = Space\n"
        "future-setting = 42\n"     // a later build's: kept
        "garbage without equals\n"
        "pad-fire = y\n"
        "# a comment the player wrote\n";
    std::vector<Warning> warnings;
    Settings s;
    ParseOptionsText(text.data(), text.size(), &s, Collect, &warnings);
    EXPECT_EQ(s.musicVolume, 10);
    EXPECT_EQ(s.effectsVolume, 6);
    EXPECT_EQ(s.windowScale, 0);
    EXPECT_EQ(s.language, LanguageJapanese);
    EXPECT_EQ(s.keys[KeyActionFire], KeyZ);
    EXPECT_EQ(s.keys[KeyActionBomb], KeyFromName("Space"));
    EXPECT_EQ(s.padButtons[PadActionFire], PadButtonFromName("y"));
    ASSERT_EQ(warnings.size(), 4u);
    EXPECT_EQ(warnings[0].line, 2);
    EXPECT_EQ(warnings[1].line, 4);
    EXPECT_EQ(warnings[2].line, 6);
    EXPECT_EQ(warnings[3].line, 9);
    const std::string written = FormatOptionsText(s);
    EXPECT_NE(written.find("\nfuture-setting = 42\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\n# a comment the player wrote\n"), std::string::npos) << written;
    EXPECT_EQ(written.rfind("zorbex-options 1\n", 0), 0u);
    EXPECT_NE(written.find("\nlanguage = ja\n"), std::string::npos);
}

TEST_F(SettingsFiles, AFileOfAnotherKindOrBinaryJunkNeverStopsTheGame) {
    const std::string junk("\x00\xff\xfe=\n=\n\n\x80\x81 = \xc3\n", 16);
    WriteText(junk);
    ReadSettings(&settings);
    EXPECT_EQ(settings.musicVolume, 10);
    EXPECT_EQ(settings.keys[KeyActionFire], KeyZ);
    // no options file at all: the defaults, and config.dat as it always was read
    std::remove(OptionsFileName());
    WriteBytes(config, {1, 0, 0, 0});
    ReadSettings(&settings);
    EXPECT_EQ(settings.screenMode, 1);
    EXPECT_EQ(settings.difficulty, 0);
}

TEST_F(SettingsFiles, AKeyInUseSwapsAndTwoLinesNeverShareAKey) {
    Settings s;
    BindKey(&s, KeyActionUp, KeyZ);  // fire's key: fire takes up's old one
    EXPECT_EQ(s.keys[KeyActionUp], KeyZ);
    EXPECT_EQ(s.keys[KeyActionFire], KeyUp);
    BindKey(&s, KeyActionBomb, KeyEscape);  // Escape cannot be bound
    EXPECT_EQ(s.keys[KeyActionBomb], KeyX);
    BindPadButton(&s, PadActionBomb, PadA);
    EXPECT_EQ(s.padButtons[PadActionBomb], PadA);
    EXPECT_EQ(s.padButtons[PadActionFire], PadB);
    // a hand-edited file giving bomb's key to fire: they swap, as in the menu
    const std::string text = "zorbex-options 1\nkey-fire = X\n";
    Settings t;
    ParseOptionsText(text.data(), text.size(), &t);
    EXPECT_EQ(t.keys[KeyActionFire], KeyX);
    EXPECT_EQ(t.keys[KeyActionBomb], KeyZ);
}

}  // namespace
