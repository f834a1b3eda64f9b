// The headless game with its front end on, as the game runs it: the settings, the save file
// and the replays in a scratch folder, runs recorded, and the buttons pressed as a player
// presses them.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/front_end.h"
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
    // The title shown and waiting, its menu on START.
    static void ToShownTitle() { Frames(92 + 32 + 2); }

    std::filesystem::path dir;
    std::string config, save;
};
