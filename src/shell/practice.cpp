// Practice starts: a stage from its start, or played without a ship up to its boss's
// warning and cleared, then the ship comes in with the chosen power.
#include "shell/practice.h"

#include <algorithm>

#include "actors/actor.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "shell/game.h"
#include "shell/input.h"

uint8_t practiceRun;

constexpr int32_t kLastStage = 28;
constexpr int32_t kPracticeArmDurability = 5;  // what the top level's full set of pieces holds
// A stage whose script never reaches its boss still starts: at most this many frames
// are played looking for the warning.
constexpr int32_t kWarningSearchFrames = 60000;

PracticeStart ClampedPractice(const PracticeStart& p) {
    PracticeStart c = p;
    c.stage = std::clamp(p.stage, 1, kLastStage);
    c.shotLevel = std::clamp(p.shotLevel, 0, kTopShotLevel);
    c.missileLevel = std::clamp(p.missileLevel, 0, kTopMissileLevel);
    c.arms = std::clamp(p.arms, 0, kPracticeTopArms);
    c.bombs = std::clamp(p.bombs, 0, kPracticeTopBombs);
    return c;
}

// The stage's own frames with no ship in it (nothing can end it): the map scrolls and
// the script runs as in any run, until it starts the warning.
static void PlayToWarning() {
    shipCreated = 1;  // keeps the entry frame from making the ship
    ClearInput();
    const bool drawing = DrawingEnabled();
    SetDrawingEnabled(false);
    for (int32_t frame = 0; frame < kWarningSearchFrames && !bossEventRequested; frame++) {
        sceneJustEntered = frame == 0 ? 1 : 0;
        RunPlayFrame();
    }
    SetDrawingEnabled(drawing);
}

static void GiveShipPower(Actor* ship, const PracticeStart& p) {
    ship->work[kShotLevel].i = p.shotLevel;
    ship->work[kMissileLevel].i = p.missileLevel;
    if (p.arms > 0) {
        ship->work[kArmLevel].i = p.arms - 1;
        ship->work[kArmDurability].i = kPracticeArmDurability;
    }
}

void PreparePractice(const PracticeStart& start) {
    const PracticeStart p = ClampedPractice(start);
    if (p.boss) {
        PlayToWarning();
        // no enemy, shot or item left over; the warning begins again behind the ship
        const bool warned = bossEventRequested != 0;
        ReleaseAllActors();
        for (int32_t& count : liveShotCount) count = 0;
        liveMissileCount = 0;
        bombActive = 0;
        score = 0;
        if (warned) {
            SpawnShip();
            StartWarning(bossEventIndex);
        }
    }
    if (!playerShip || !playerShip->alive) SpawnShip();
    shipCreated = 1;
    if (playerShip) GiveShipPower(playerShip, p);
    bombs = p.bombs;
    practiceRun = 1;
    currentScene = ScenePlay;
    previousScene = 0;  // the next frame enters play: the star field and the phase anew
}
