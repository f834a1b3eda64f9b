// The player's ship: gliding in, flying, dying and flying out at a stage's end.
#include <cstring>

#include "actors/behaviours.h"
#include "actors/collision.h"
#include "bosses/boss_state.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/input.h"

float playerCenterX, playerCenterY;
Actor* playerShip;

constexpr float kStartX = -64;
constexpr float kStartY = 208;
constexpr int32_t kShipSize = 64;
constexpr float kShipSpeed = 4.2f;
constexpr HitRect kShipRect{11, 53, 22, 36};
constexpr float kEnterStep = 4;
constexpr float kEnterEndX = 128;
constexpr int32_t kRespawnGraceFrames = 120;
constexpr int32_t kDeathCells = 14;       // 28 frames of falling apart
constexpr int32_t kRankPerLoss = 20;
constexpr float kExitAcceleration = 0.2f;
constexpr float kExitEndX = 660;
constexpr int32_t kRefillBombs = 3;

static void WriteCentre(Actor* ship) {
    playerCenterX = CentreX(ship);
    playerCenterY = CentreY(ship);
}

// Hidden every other pair of frames while protected.
static void StepBlink(Actor* ship) {
    ship->work[kBlinkTick].i += 1;
    if (ship->work[kBlinkTick].i >= 2) {
        ship->work[kBlinkPhase].i ^= 1;
        ship->work[kBlinkTick].i = 0;
    }
}

static void PlaceAtStart(Actor* ship) {
    ship->x = kStartX;
    ship->y = kStartY;
    ship->hp = 1;
    ship->update = ShipEnter;
    ship->draw = DrawShip;
}

void SpawnShip() {
    Actor* a = AcquireActor(ShipEnter, DrawShip, GroupPlayer);
    if (!a) return;
    a->x = kStartX;
    a->y = kStartY;
    a->width = kShipSize;
    a->height = kShipSize;
    a->speed = kShipSpeed;
    a->attack = 1;
    a->hp = 1;
    a->hitRects[0] = kShipRect;
    a->hitRectCount = 1;
    a->scoreValue = 0;
    std::memset(a->work, 0, sizeof a->work);
    playerShip = a;
}

void ShipEnter(Actor* ship) {
    ship->x += kEnterStep;
    StepBlink(ship);
    WriteCentre(ship);
    if (ship->x >= kEnterEndX) {
        ship->work[kRespawnGrace].i = kRespawnGraceFrames;
        ship->update = ShipUpdate;
    }
}

// The first matching rule wins, so opposite arrows do not cancel out.
static int32_t HeldDirection() {
    if (upHeld && rightHeld) return 45;
    if (upHeld && leftHeld) return 135;
    if (downHeld && leftHeld) return 225;
    if (downHeld && rightHeld) return 315;
    if (upHeld) return 90;
    if (downHeld) return 270;
    if (leftHeld) return 180;
    if (rightHeld) return 0;
    return -1;
}

static void Steer(Actor* ship) {
    int32_t d = HeldDirection();
    if (d >= 0) {
        ship->x += cosTable[d] * ship->speed;
        ship->y -= sinTable[d] * ship->speed;
    }
    if (ship->x < 0) ship->x = 0;
    if (ship->x > 640 - ship->width) ship->x = static_cast<float>(640 - ship->width);
    if (ship->y < 0) ship->y = 0;
    if (ship->y > 480 - ship->height) ship->y = static_cast<float>(480 - ship->height);
}

// Protection first: after entering, after an absorbed hit, during a bomb, and
// while the boss has just been destroyed, nothing can touch the ship.
static void CheckContact(Actor* ship) {
    if (ship->work[kRespawnGrace].i > 0) {
        ship->work[kRespawnGrace].i -= 1;
        StepBlink(ship);
    } else if (ship->work[kHitGrace].i > 0) {
        ship->work[kHitGrace].i -= 1;
        ship->work[kArmFlash].i = 1;
    } else if (!bombActive && bossState != BossStateDestroyed) {
        ship->work[kBlinkPhase].i = 0;
        HitTestGroup(ship, GroupEnemy);
        HitTestGroup(ship, GroupEnemyShot);
        MapWallTest(ship);
        if (ship->hp <= 0) ArmsAbsorbHit(ship);
    }
}

void ShipUpdate(Actor* ship) {
    Steer(ship);
    if (ship->work[kShotCooldown].i > 0) ship->work[kShotCooldown].i -= 1;
    if (ship->work[kMissileCooldown].i > 0) ship->work[kMissileCooldown].i -= 1;
    if (fireHeld) ShipFire(ship);
    if (bombPressed && !bombActive && bombs != 0) {
        bombs -= 1;
        StartBomb(320, 240);
    }
    WriteCentre(ship);
    ship->work[kArmFlash].i = 0;
    CheckContact(ship);
    int32_t kind = PickUpItem(ship);
    if (kind >= 0) ApplyItem(ship, kind);
    if (ship->hp <= 0) {
        rank -= kRankPerLoss;
        ship->work[kDeathTick].i = 0;
        ship->work[kDeathFrame].i = 0;
        PlaySound(WavMyBomb, 1, 1);
        ship->update = ShipDying;
        ship->draw = DrawShipDeath;
    }
    if (rank < 0) rank = 0;
    if (rank > 255) rank = 255;
    if (stagePhase == PhaseStageWon) {
        ship->work[kExitSpeed].f = ship->speed;
        ship->update = ShipExit;
    }
}

// With no ship in reserve the ship stays on its last cell under the game-over
// prompt; after a continue the next call finds the reserve and re-enters.
void ShipDying(Actor* ship) {
    ship->work[kDeathTick].i += 1;
    if (ship->work[kDeathTick].i >= 2) {
        ship->work[kDeathFrame].i += 1;
        ship->work[kDeathTick].i = 0;
    }
    if (ship->work[kDeathFrame].i < kDeathCells) return;
    if (lives <= 0) {
        stagePhase = PhaseNoShipLeft;
        return;
    }
    lives -= 1;
    shotGauge = missileGauge = armGauge = 0;
    if (ship->work[kShotLevel].i > 0) ship->work[kShotLevel].i -= 1;
    if (ship->work[kMissileLevel].i > 0) ship->work[kMissileLevel].i -= 1;
    bombs = kRefillBombs;
    PlaceAtStart(ship);
}

// Off the right edge the stage is over: everything but the ship goes.
void ShipExit(Actor* ship) {
    ship->work[kExitSpeed].f += kExitAcceleration;
    ship->x += ship->work[kExitSpeed].f;
    if (ship->x <= kExitEndX) return;
    PlaceAtStart(ship);
    stagePhase = PhaseShipLeft;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->group != GroupPlayer) a->alive = 0;
}

void DrawShip(Actor* ship) {
    if (ship->work[kBlinkPhase].i == 1) return;
    DrawArms(ship);
    DrawImageRegion(static_cast<int>(ship->x), static_cast<int>(ship->y), 0, 0, ship->width,
                    ship->height, ImgMyShip, 1, 0);
}

void DrawShipDeath(Actor* ship) {
    DrawImageRegion(static_cast<int>(ship->x), static_cast<int>(ship->y),
                    ship->width * ship->work[kDeathFrame].i, 0, ship->width, ship->height,
                    ImgMyShipBomb, 1, 0);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(ShipEnter),
    BEHAVIOUR(ShipUpdate),
    BEHAVIOUR(ShipDying),
    BEHAVIOUR(ShipExit),
    BEHAVIOUR(DrawShip),
    BEHAVIOUR(DrawShipDeath),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
