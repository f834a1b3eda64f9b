// Test harness for the front end: the game through the main loop's frame function with its
// menus on and its runs recorded, its settings, save file, replays and reached stages in a
// scratch folder, and a player's taps.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "runtime/media.h"
#include "shell/front_end.h"
#include "shell/input.h"
#include "shell/practice.h"
#include "shell/run_recorder.h"
#include "shell/save_files.h"
#include "shell/settings.h"
#include "support/headless_game.h"

class FrontEndGame : public HeadlessGame {
protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("zorbex-front-end-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        config = (dir / "config.dat").string();
        save = (dir / "zorbexG.dat").string();
        configFileName = config.c_str();
        saveFileName = save.c_str();
        ReadConfig();  // none: the defaults
        ReadSaveFile();
        ReadReachedStages();  // none: stage 1 and the table's
        EnableRunRecording(true);
        EnableFrontEnd(true);
    }
    void TearDown() override {
        EnableFrontEnd(false);
        EnableRunRecording(false);
        SetHeadlessKey(KeyEscape, false);
        SetHeadlessKey(KeyP, false);
        settings = Settings();
        configFileName = "config.dat";
        saveFileName = "zorbexG.dat";
        std::filesystem::remove_all(dir);
        ReadReachedStages();  // what this test's folder held is not the next one's
        HeadlessGame::TearDown();
    }
    // A button down for one frame and up for the next, as a player taps it.
    static void Tap(int pad) {
        Frame(pad);
        Frame();
    }
    static void TapKey(int key) {
        SetHeadlessKey(key, true);
        Frame();
        SetHeadlessKey(key, false);
        Frame();
    }
    // P pressed in a run: the pause menu opens over it, no game frame runs.
    static void PressPause() {
        SetHeadlessKey(KeyP, true);
        Frame();
        SetHeadlessKey(KeyP, false);
    }
    // The title shown and waiting, its menu on START.
    static void ToShownTitle() { Frames(92 + 32 + 2); }
    static std::string Contents(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir;
    std::string config, save;
};
