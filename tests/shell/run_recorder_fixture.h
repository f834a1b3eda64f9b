// Shared set-up of the recorder tests: the game recording its runs, its save file and
// replays in a scratch folder, a run played to the ranking, a replay played back.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/replay.h"
#include "shell/run_recorder.h"
#include "shell/save_files.h"
#include "shell/state_hash.h"
#include "support/headless_game.h"

namespace run_recorder_test {

namespace fs = std::filesystem;

class RunRecorder : public HeadlessGame {
protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        dir = fs::temp_directory_path() / ("zorbex-replays-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        save = (dir / "zorbexG.dat").string();
        saveFileName = save.c_str();
        ReadSaveFile();  // none there: the default table
        EnableRunRecording(true);
    }
    void TearDown() override {
        EnableRunRecording(false);
        saveFileName = "zorbexG.dat";
        fs::remove_all(dir);
    }

    // Fire tapped outside play, nothing held in play: the ships are lost, the game
    // is given up and the ranking comes up. `holdFirst` frames of fire held come first.
    // False when the ranking never came (a child process's way of failing).
    static bool PlayToRanking(int holdFirst) {
        for (int f = 0; f < holdFirst; f++) Frame(PadButton1);
        for (int f = 0; f < 20000; f++) {
            const int32_t before = currentScene;
            const bool inPlay = currentScene == ScenePlay && stagePhase < PhaseNoShipLeft;
            SetHeadlessPad(inPlay || f % 2 ? 0 : PadButton1);
            if (!RunFrame()) return false;
            if (currentScene == SceneRanking && before == ScenePlay) return true;
        }
        return false;
    }
    static void PlayUntilRanking(int holdFirst) {
        if (!PlayToRanking(holdFirst)) FAIL() << "the run never reached the ranking";
    }

    // Plays the replay as the simulator's --verify does; the frames whose hash differed.
    static int Mismatches(const Replay& r) {
        EnableRunRecording(false);
        BeginReplay(r);
        int bad = 0;
        size_t next = 0;
        for (size_t i = 0; i < r.buttons.size(); i++) {
            SetHeadlessPad(r.buttons[i]);
            RunFrame();
            if (next < r.checkpoints.size() && r.checkpoints[next].frame == static_cast<int32_t>(i + 1)) {
                if (StateHash() != r.checkpoints[next].hash) bad++;
                next++;
            }
        }
        EnableRunRecording(true);
        return next == r.checkpoints.size() ? bad : -1;
    }

    std::string ReplayFile(const char* name) const { return (dir / "replays" / name).string(); }
    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir;
    std::string save;
};

}  // namespace run_recorder_test
