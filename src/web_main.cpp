// Program entry of the game in the browser: the same program as on the desktop, and the
// read-out of the game's state that the page offers as window.zorbex.status().
#include <cinttypes>
#include <cstdio>

#include "scenes/theatre.h"
#include "shell/game.h"
#include "shell/language.h"
#include "shell/state_hash.h"

int main() { return RunProgram(); }

// The scene, the stage, the score, the state hash as the simulator prints it, whether the
// game-over prompt shows (the page's CONTINUE button), the language drawn (the page's
// watcher draws in it too), and while a replay is watched in the game, where the theatre
// stands (the game's state is then the replay's), as JSON.
extern "C" const char* ZorbexStatus() {
    static char json[320];
    const int prompt = currentScene == ScenePlay && stagePhase == PhaseGameOverPrompt;
    char theatre[160] = "null";
    if (TheatreLength() > 0)
        std::snprintf(theatre, sizeof theatre,
                      "{\"position\":%" PRId64 ",\"length\":%" PRId64 ",\"differsAt\":%d,\"speed\":%d,\"paused\":%d}",
                      TheatrePosition(), TheatreLength(), TheatreDiffersAt(), TheatreSpeedQuarters(),
                      TheatrePaused() ? 1 : 0);
    std::snprintf(json, sizeof json,
                  "{\"scene\":%d,\"stage\":%d,\"score\":%d,\"hash\":\"%016" PRIx64 "\",\"prompt\":%d,"
                  "\"language\":\"%s\",\"theatre\":%s}",
                  currentScene, stageNumber, score, StateHash(), prompt, LanguageCode(CurrentLanguage()), theatre);
    return json;
}
