// Hit tests between actors, group damage, the map-wall test and the aiming helpers.
#include "actors/collision.h"

#include <cmath>

#include "player/player.h"
#include "runtime/media.h"
#include "stages/stage_map.h"

constexpr int32_t kWallDamage = 9999;
constexpr int32_t kSolidFrom = 'a';
// what a point outside the map grid reads: an empty cell
constexpr int32_t kEmptyCell = ' ';

// Each edge is rounded to float before the strict comparisons, so touching
// edges never overlap.
bool HitRectsOverlap(const Actor* a, int i, const Actor* b, int j) {
    const HitRect& ra = a->hitRects[i];
    const HitRect& rb = b->hitRects[j];
    float al = a->x + ra.left, ar = a->x + ra.right;
    float at = a->y + ra.top, ab = a->y + ra.bottom;
    float bl = b->x + rb.left, br = b->x + rb.right;
    float bt = b->y + rb.top, bb = b->y + rb.bottom;
    return br > al && bl < ar && bb > at && bt < ab;
}

static bool AnyRectOverlaps(const Actor* hitter, int i, const Actor* t) {
    for (int j = 0; j < t->hitRectCount; j++)
        if (HitRectsOverlap(hitter, i, t, j)) return true;
    return false;
}

// The hitter's first rectangle is tried against every target before its second,
// so the earliest-created target under the first rectangle takes the hit.
void HitTestGroup(Actor* hitter, int32_t group) {
    if (hitter->hitRectCount <= 0) return;
    for (int i = 0; i < hitter->hitRectCount; i++) {
        for (Actor* t = activeList->next; t != activeList; t = t->next) {
            if (t->group != group || hitter->hp <= 0 || t->hp <= 0 ||
                t->guardMode == GuardIntangible || t->hitRectCount <= 0)
                continue;
            if (!AnyRectOverlaps(hitter, i, t)) continue;
            hitter->hp -= t->attack;
            if (t->guardMode != GuardArmoured) t->hp -= hitter->attack;
            return;
        }
    }
}

int32_t PickUpItem(Actor* picker) {
    if (picker->hitRectCount <= 0) return -1;
    for (int i = 0; i < picker->hitRectCount; i++) {
        for (Actor* t = activeList->next; t != activeList; t = t->next) {
            if (t->group != GroupItem || picker->hp <= 0 || t->hp <= 0 || t->hitRectCount <= 0)
                continue;
            if (!AnyRectOverlaps(picker, i, t)) continue;
            t->hp -= picker->attack;
            return t->work[0].i;
        }
    }
    return -1;
}

void BlastSegmentTest(Actor* segment) {
    if (segment->hitRectCount <= 0) return;
    for (int i = 0; i < segment->hitRectCount; i++) {
        for (Actor* t = activeList->next; t != activeList; t = t->next) {
            if (t->blastTag != BlastTagDetonates || t->guardMode == GuardIntangible ||
                t->hitRectCount <= 0)
                continue;
            if (!AnyRectOverlaps(segment, i, t)) continue;
            t->deathKind = DeathBlastTouch;
            return;
        }
    }
}

// The three group operations reach dead records that wait for the sweep too.
void DamageGroup(int32_t amount, int32_t group) {
    Actor* cur = activeList->next;
    while (cur != activeList) {
        Actor* succ = cur->next;
        if (cur->group == group && cur->guardMode != GuardIntangible) cur->hp -= amount;
        cur = succ;
    }
}

void KillGroup(int32_t group) {
    Actor* cur = activeList->next;
    while (cur != activeList) {
        Actor* succ = cur->next;
        if (cur->group == group) {
            bool shielded = cur->guardMode == GuardIntangible || cur->guardMode == GuardArmoured;
            cur->deathKind = shielded ? DeathRemove : DeathExplode;
        }
        cur = succ;
    }
}

void RemoveArmoured() {
    Actor* cur = activeList->next;
    while (cur != activeList) {
        Actor* succ = cur->next;
        if (cur->guardMode == GuardArmoured) cur->alive = 0;
        cur = succ;
    }
}

// World cell index of a pixel coordinate, truncating toward zero; -1 when the
// value is too far out to be any cell.
static int32_t CellIndex(float world) {
    float cell = world / kMapCellSize;
    if (!(cell > -1.0e6f && cell < 1.0e6f)) return -1;
    return static_cast<int32_t>(cell);
}

// Points outside the grid read as empty rather than reading past the map.
int32_t MapCellAt(float px, float py) {
    int32_t column = CellIndex(mapLeftColumn * kMapCellSize + mapSubX + px);
    int32_t row = CellIndex(mapTopRow * kMapCellSize + mapSubY + py);
    int32_t cell = kEmptyCell;
    if (column >= 0 && column < kMapColumns && row >= 0 && row < kMapRows)
        cell = static_cast<int8_t>(StageMap[row][column]);
    return cell - kSolidFrom;
}

void MapWallTest(Actor* a) {
    for (int i = 0; i < a->hitRectCount; i++) {
        const HitRect& r = a->hitRects[i];
        float left = a->x + r.left, right = a->x + r.right;
        float top = a->y + r.top, bottom = a->y + r.bottom;
        if (MapCellAt(left, top) >= 0 || MapCellAt(right, top) >= 0 ||
            MapCellAt(left, bottom) >= 0 || MapCellAt(right, bottom) >= 0) {
            a->hp -= kWallDamage;
            return;
        }
    }
}

// Degrees from a flipped-y difference: up is positive, as directions are.
static float DegreesOf(float dy, float dx) {
    float a = static_cast<float>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)));
    float deg = a * 180 / 3.141592653589793;
    if (deg < 0) deg = deg + 360;
    return deg;
}

static int32_t WholeDegrees(float deg) {
    int32_t d = static_cast<int32_t>(deg) % 360;
    if (d < 0) d += 360;
    return d;
}

int32_t AngleBetween(float x1, float y1, float x2, float y2) {
    float dy = y1 - y2;
    float dx = x2 - x1;
    return WholeDegrees(DegreesOf(dy, dx));
}

int32_t AimAtPlayer(int32_t spread, float x, float y) {
    float dy = y - playerCenterY;
    float dx = playerCenterX - x;
    float deg = DegreesOf(dy, dx);
    int32_t r = RandomUpTo(spread) - spread / 2;
    deg = r + deg;
    if (deg < 0) deg += 360;
    if (deg > 360) deg -= 360;
    return WholeDegrees(deg);
}
