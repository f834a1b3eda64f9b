// The play scene's frame, in its fixed order, and its checks on the phase.
#include "actors/actor.h"
#include "player/player.h"
#include "runtime/media.h"
#include "scenes/scenes.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/run_recorder.h"
#include "shell/save_files.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"

// The run is over: the table takes its score and is written at once; the rank
// replays move with the table, and only once it is written.
static void EndRun(int32_t nextScene) {
    ReleaseAllActors();
    stagePhase = 0;
    InsertRanking();
    SaveRunInTable(RankReplaysFollowTable);
    currentScene = nextScene;
}

static void CheckPhase() {
    if (stagePhase == PhaseShipLeft) {
        MarkStageCleared(stageNumber);
        if (stageNumber < 22) {
            currentScene = SceneStageSelect;
        } else {
            EndRun(SceneEnding);
        }
    } else if (stagePhase == PhaseNoShipLeft) {
        stagePhase = PhaseGameOverPrompt;  // the prompt shows from the next frame
    } else if (stagePhase == PhaseGameOverPrompt) {
        DrawImage(224, 228, ImgGameOver, 1);
        if (continuePressed) {
            ResetContinue();
            stagePhase = 0;
        }
        if (firePressed) {
            StopMusicFile();
            EndRun(SceneRanking);
        }
    }
}

void RunPlayFrame() {
    if (sceneJustEntered) {
        stagePhase = 0;
        // one ship per run, created while the list is empty so it is always first
        if (shipCreated == 0) {
            SpawnShip();
            shipCreated = 1;
        }
        ResetStarField();
    }
    // while the prompt shows nothing moves, but everything is still drawn
    if (stagePhase < PhaseNoShipLeft) {
        if (RandomUpTo(10) == 1) SpawnStar(0, 0);
        UpdateStars();
        RunStageScript();  // enemies it creates move in this frame
        UpdateActors();
    }
    DrawStars();
    ScrollAndDrawMap();
    DrawActors();
    SweepStars();
    SweepDeadActors();
    DrawHud();
    if (explosionSoundRequest) {
        PlaySound(WavEnemyBomb00, 1, 1);
        explosionSoundRequest = 0;
    }
    CheckPhase();
}
