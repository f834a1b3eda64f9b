// Test harness for the scenes around play: a headless game with its save file in a
// scratch folder, short-cuts through a run, and comparisons of screen regions.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/headless_game.h"

#include "scenes/scenes.h"
#include "shell/save_files.h"

class SceneFlow : public HeadlessGame {
protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("zorbex-scenes-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        save = (dir / "zorbexG.dat").string();
        saveFileName = save.c_str();
        ReadSaveFile();  // no file yet: the default table, 10000 down to 1000
    }
    void TearDown() override {
        saveFileName = "zorbexG.dat";
        std::filesystem::remove_all(dir);
        HeadlessGame::TearDown();
    }

    // Fire on the title's first frame starts stage 1; the next frame is play's entry.
    static void StartRun() {
        Frame(PadButton1);
        Frame();
    }
    // The ship has left after a won stage: the play frame hands the run on.
    static void WinStage(int pad = 0) {
        stagePhase = PhaseShipLeft;
        Frame(pad);
    }
    // On the route map (before its entry frame): choose upper (0) or lower (1), confirm,
    // and run until the chosen stage's first play frame has run.
    static void ChooseRoute(int choice) {
        Frame();
        if (selectChoice != choice) {
            Frame(PadDown);
            Frame();
        }
        Frame(PadButton1);
        Frames(90);
        Frame();
    }

    // The whole back buffer.
    static std::vector<uint32_t> Capture() {
        std::vector<uint32_t> pixels(640 * 480);
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++) pixels[y * 640 + x] = ReadBackBufferPixel(x, y) & 0xffffff;
        return pixels;
    }
    static bool SameRegion(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x,
                           int y, int w, int h) {
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++)
                if (a[j * 640 + i] != b[j * 640 + i]) return false;
        return true;
    }
    static bool RegionBlack(const std::vector<uint32_t>& a, int x, int y, int w, int h) {
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++)
                if (a[j * 640 + i] != 0) return false;
        return true;
    }

    std::filesystem::path dir;
    std::string save;
};
