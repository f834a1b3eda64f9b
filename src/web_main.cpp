// Program entry of the game in the browser: the same program as on the desktop, and the
// read-out of the game's state that the page offers as window.zorbex.status().
#include <cinttypes>
#include <cstdio>

#include "shell/game.h"
#include "shell/state_hash.h"

int main() { return RunProgram(); }

// The scene, the stage, the score, the state hash as the simulator prints it, and whether
// the game-over prompt shows (the page's CONTINUE button), as JSON.
extern "C" const char* ZorbexStatus() {
    static char json[160];
    const int prompt = currentScene == ScenePlay && stagePhase == PhaseGameOverPrompt;
    std::snprintf(json, sizeof json,
                  "{\"scene\":%d,\"stage\":%d,\"score\":%d,\"hash\":\"%016" PRIx64 "\",\"prompt\":%d}",
                  currentScene, stageNumber, score, StateHash(), prompt);
    return json;
}
