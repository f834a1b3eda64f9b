// The autopilot: each frame it tries the nine stick positions over a short look-ahead,
// with every enemy shot and body carried along at its last step, and takes the
// safest one that also brings it toward an item or in line with an enemy.
#include "autopilot.h"

#include <cmath>
#include <cstdlib>

#include "actors/actor.h"
#include "player/player.h"
#include "probes.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "stages/stage_map.h"

namespace {

constexpr int kLookAhead = 10;        // frames
constexpr float kMargin = 4.0f;       // pixels kept clear around the ship's hit box
constexpr float kNearby = 220.0f;     // threats farther than this are ignored
constexpr float kMaxStep = 24.0f;     // a larger jump between frames is a reused record
constexpr float kHomeX = 120.0f;      // where the pilot likes to sit, left of centre
constexpr float kScreenW = 640.0f, kScreenH = 480.0f;
constexpr float kShotSpeed = 22.0f;   // the main weapon's shots, pixels a frame
constexpr int32_t kToughHp = 1000;    // a target this strong is worth closing in on
constexpr float kToughPull = 0.5f;   // a tough target counts as this much nearer
constexpr float kStandOff = 200.0f;   // gap kept before a tough target's left edge
constexpr float kFurthestX = 400.0f;  // the pilot closes in no further right than this
constexpr int32_t kBossAttack = 10000;  // what every boss body and part hits with
constexpr int kOutOfLineFrames = 240;   // out of line with an open boss this long: a bomb
constexpr float kInLine = 24.0f;        // pixels between the ship's and the goal's middle

struct Seen {
    float x, y;
    int frame;  // the sample this position came from
};

Seen seen[kActorPoolSize + 2];
int sample;
int framesOutOfLine;
bool bombHeldLastFrame;
bool fireTapped;

struct Threat {
    const Actor* a;
    float vx, vy;
};
Threat threats[kActorPoolSize];
int threatCount;

const int kDirections[9] = {-1, 0, 45, 90, 135, 180, 225, 270, 315};

int PadBitsFor(int dir) {
    switch (dir) {
    case 0: return PadRight;
    case 45: return PadUp | PadRight;
    case 90: return PadUp;
    case 135: return PadUp | PadLeft;
    case 180: return PadLeft;
    case 225: return PadDown | PadLeft;
    case 270: return PadDown;
    case 315: return PadDown | PadRight;
    default: return 0;
    }
}

// The same cell rule as the wall test: signed characters from 'a' up are solid.
bool SolidAt(float px, float py) {
    float wx = static_cast<float>(mapLeftColumn * kMapCellSize) + mapSubX + px;
    float wy = static_cast<float>(mapTopRow * kMapCellSize) + mapSubY + py;
    int col = static_cast<int>(wx / kMapCellSize);
    int row = static_cast<int>(wy / kMapCellSize);
    if (wx < 0 || wy < 0 || col >= kMapColumns || row >= kMapRows) return false;
    return static_cast<int8_t>(StageMap[row][col]) >= 'a';
}

bool Overlaps(float al, float ar, float at, float ab, const Actor* b, float bx, float by) {
    for (int j = 0; j < b->hitRectCount && j < kHitRectMax; j++) {
        const HitRect& r = b->hitRects[j];
        if (bx + r.right > al && bx + r.left < ar && by + r.bottom > at && by + r.top < ab) return true;
    }
    return false;
}

void RememberPositions() {
    sample++;
    for (Actor* a = activeList->next; a != activeList; a = a->next) {
        Seen& s = seen[a - actorPool];
        s.x = a->x;
        s.y = a->y;
        s.frame = sample;
    }
}

void GatherThreats(const Actor* ship) {
    threatCount = 0;
    float cx = CentreX(ship), cy = CentreY(ship);
    for (Actor* a = activeList->next; a != activeList; a = a->next) {
        if (!a->alive || a->hp <= 0 || a->guardMode == GuardIntangible || a->hitRectCount <= 0) continue;
        if (a->group != GroupEnemy && a->group != GroupEnemyShot) continue;
        float dx = CentreX(a) - cx, dy = CentreY(a) - cy;
        float reach = kNearby + static_cast<float>(a->width + a->height) / 2;
        if (std::fabs(dx) > reach || std::fabs(dy) > reach) continue;
        const Seen& s = seen[a - actorPool];
        float vx = 0, vy = 0;
        if (s.frame == sample) {
            vx = a->x - s.x;
            vy = a->y - s.y;
            if (std::fabs(vx) > kMaxStep || std::fabs(vy) > kMaxStep) vx = vy = 0;
        }
        threats[threatCount++] = {a, vx, vy};
    }
}

// Frames until the ship, moving along dir, first touches something; kLookAhead + 1 for never.
int FirstContact(const Actor* ship, int dir) {
    float vx = 0, vy = 0;
    if (dir >= 0) {
        vx = cosTable[dir] * ship->speed;
        vy = -sinTable[dir] * ship->speed;
    }
    float x = ship->x, y = ship->y;
    float maxX = kScreenW - static_cast<float>(ship->width);
    float maxY = kScreenH - static_cast<float>(ship->height);
    for (int t = 1; t <= kLookAhead; t++) {
        x = std::fmin(std::fmax(x + vx, 0.0f), maxX);
        y = std::fmin(std::fmax(y + vy, 0.0f), maxY);
        for (int i = 0; i < ship->hitRectCount && i < kHitRectMax; i++) {
            const HitRect& r = ship->hitRects[i];
            float al = x + r.left - kMargin, ar = x + r.right + kMargin;
            float at = y + r.top - kMargin, ab = y + r.bottom + kMargin;
            for (int k = 0; k < threatCount; k++) {
                const Threat& th = threats[k];
                float ft = static_cast<float>(t);
                if (Overlaps(al, ar, at, ab, th.a, th.a->x + th.vx * ft, th.a->y + th.vy * ft)) return t;
            }
            // walls come toward the ship at the scenery's step
            float sx = mapScrollDX * static_cast<float>(t), sy = mapScrollDY * static_cast<float>(t);
            if (SolidAt(al - sx, at - sy) || SolidAt(ar - sx, at - sy) || SolidAt(al - sx, ab - sy) ||
                SolidAt(ar - sx, ab - sy))
                return t;
        }
    }
    return kLookAhead + 1;
}

// Shots fly level, so line up with the middle of the hit boxes rather than the
// picture: a boss's core is often a small part of it.
float VulnerableCentreY(const Actor* a) {
    if (a->hitRectCount <= 0) return CentreY(a);
    float top = 1e30f, bottom = -1e30f;
    for (int j = 0; j < a->hitRectCount && j < kHitRectMax; j++) {
        top = std::fmin(top, std::fmin(a->hitRects[j].top, a->hitRects[j].bottom));
        bottom = std::fmax(bottom, std::fmax(a->hitRects[j].top, a->hitRects[j].bottom));
    }
    return a->y + (top + bottom) / 2;
}

// Where the pilot would like to be: on an item, else in line with the nearest enemy ahead.
// Returns the enemy it lines up with, if any.
const Actor* ChooseGoal(const Actor* ship, float* gx, float* gy) {
    float cx = CentreX(ship), cy = CentreY(ship);
    *gx = kHomeX + static_cast<float>(ship->width) / 2;
    *gy = kScreenH / 2;
    float best = 1e30f;
    for (Actor* a = activeList->next; a != activeList; a = a->next) {
        if (!a->alive || a->group != GroupItem) continue;
        float ix = CentreX(a), iy = CentreY(a);
        if (ix < 0 || ix > kScreenW || iy < 0 || iy > kScreenH) continue;
        float d = std::fabs(ix - cx) + std::fabs(iy - cy);
        if (d < best) {
            best = d;
            *gx = ix;
            *gy = iy;
        }
    }
    if (best < 1e30f) return nullptr;
    const Actor* target = nullptr;
    for (Actor* a = activeList->next; a != activeList; a = a->next) {
        if (!a->alive || a->group != GroupEnemy || a->hp <= 0 || a->guardMode != GuardNormal) continue;
        float ex = CentreX(a), ey = VulnerableCentreY(a);
        if (ex < cx || ex > kScreenW || ey < 0 || ey > kScreenH) continue;
        float d = (ex - cx) + 2 * std::fabs(ey - cy);
        if (a->hp >= kToughHp) d *= kToughPull;  // the boss before the small fry
        if (d < best) {
            best = d;
            *gy = ey;
            target = a;
        }
    }
    // Close in on a tough target so that the missiles, which wander up and down, reach
    // it too; the look-ahead still keeps the ship off its body and its shots.
    // lead a moving target by the time the shots take to reach it
    if (target) {
        const Seen& s = seen[target - actorPool];
        float vy = s.frame == sample ? target->y - s.y : 0.0f;
        if (std::fabs(vy) <= kMaxStep) *gy += vy * (CentreX(target) - cx) / kShotSpeed;
    }
    if (target && target->hp >= kToughHp) {
        float x = std::fmin(target->x - kStandOff, kFurthestX);
        *gx = std::fmax(*gx, x + static_cast<float>(ship->width) / 2);
    }
    return target;
}

// A boss record that damage reaches is on the screen.
bool BossOpenToBombs() {
    for (Actor* a = activeList->next; a != activeList; a = a->next) {
        if (!a->alive || a->group != GroupEnemy || a->attack < kBossAttack || a->hp <= 0 ||
            a->guardMode != GuardNormal)
            continue;
        if (a->x < kScreenW && a->x + static_cast<float>(a->width) > 0 && a->y < kScreenH &&
            a->y + static_cast<float>(a->height) > 0)
            return true;
    }
    return false;
}

int PlayButtons() {
    Actor* ship = FindShip();
    if (!ship) return PadButton1;
    GatherThreats(ship);
    float gx, gy;
    const Actor* target = ChooseGoal(ship, &gx, &gy);

    int bestDir = -1, bestContact = -1;
    float bestCost = 1e30f;
    for (int dir : kDirections) {
        int contact = FirstContact(ship, dir);
        float nx = ship->x, ny = ship->y;
        if (dir >= 0) {
            nx += cosTable[dir] * ship->speed * 4;
            ny -= sinTable[dir] * ship->speed * 4;
        }
        float dist = std::fabs(nx + static_cast<float>(ship->width) / 2 - gx) +
                     std::fabs(ny + static_cast<float>(ship->height) / 2 - gy);
        // an earlier contact outweighs any distance to the goal
        float cost = static_cast<float>(kLookAhead + 1 - contact) * 10000.0f + dist;
        if (cost < bestCost) {
            bestCost = cost;
            bestDir = dir;
            bestContact = contact;
        }
    }
    int bits = PadButton1 | PadBitsFor(bestDir);
    // a bomb only starts on a fresh press, so the button is let go in between
    // bombs clear close calls, and every bomb but the last also goes into a tough target
    bool offensive = target && target->hp >= kToughHp && bombs > 1 && !bombActive;
    // so does a boss the ship cannot line up with for long (a core it cannot reach)
    if (std::fabs(gy - CentreY(ship)) > kInLine && BossOpenToBombs()) framesOutOfLine++;
    if (framesOutOfLine >= kOutOfLineFrames && bombs > 1 && !bombActive) {
        offensive = true;
        framesOutOfLine = 0;
    }
    if ((bestContact <= 2 || offensive) && bombs > 0 && !bombHeldLastFrame) bits |= PadButton2;
    return bits;
}

}  // namespace

int AutopilotButtons() {
    int bits;
    if (currentScene == ScenePlay && stagePhase < PhaseNoShipLeft) {
        bits = PlayButtons();
    } else {
        // every other scene, and the game-over prompt, waits for a press of fire
        fireTapped = !fireTapped;
        bits = fireTapped ? PadButton1 : 0;
    }
    bombHeldLastFrame = (bits & PadButton2) != 0;
    if (actorPool) RememberPositions();
    return bits;
}

