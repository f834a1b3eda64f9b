// Items: pieces toward the next weapon, missile and arm levels, and the other gifts.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/stage_map.h"

constexpr int32_t kItemSize = 32;
constexpr int32_t kItemKinds = 7;
constexpr int32_t kPiecesPerLevel = 4;
constexpr int32_t kPointsBonus = 5000;
constexpr int32_t kBlowDamage = 100;

enum ItemKind : int32_t {
    ItemShotPiece = 0,
    ItemMissilePiece = 1,
    ItemArmPiece = 2,
    ItemBomb = 3,
    ItemShip = 4,
    ItemPoints = 5,
    ItemBlow = 6,
};

// Items ride on the scenery.
static void ItemUpdate(Actor* a) {
    a->x += mapScrollDX;
    a->y += mapScrollDY;
    if (a->x > 640 || a->x < -a->width || a->y > 480 || a->y < -a->height || a->hp <= 0)
        a->alive = 0;
}

static void DrawItem(Actor* a) {
    DrawImage(static_cast<int>(a->x), static_cast<int>(a->y), ImgItem[a->work[0].i], 1);
}

void SpawnItem(float cx, float cy, int32_t kind) {
    if (kind < 0 || kind >= kItemKinds) return;
    Actor* a = AcquireActor(ItemUpdate, DrawItem, GroupItem);
    if (!a) return;
    a->x = cx - kItemSize / 2;
    a->y = cy - kItemSize / 2;
    a->width = kItemSize;
    a->height = kItemSize;
    a->attack = 0;
    a->hp = 1;
    a->speed = 0;
    a->hitRects[0] = HitRect{0, 32, 0, 32};
    a->hitRectCount = 1;
    a->scoreValue = 0;
    a->work[0].i = kind;
}

// Four pieces make a level; at the top level each piece is worth points instead.
static void AddPiece(int32_t* gauge, WorkWord* level, int32_t topLevel, int32_t rankGain) {
    *gauge += 1;
    if (*gauge < kPiecesPerLevel) {
        PlaySound(WavItemGet00, 1, 1);
    } else if (level->i < topLevel) {
        *gauge -= kPiecesPerLevel;
        rank += rankGain;
        level->i += 1;
        PlaySound(WavPowerUp, 1, 1);
    } else {
        *gauge -= 1;
        PlaySound(WavItemGet00, 1, 1);
        score += kPointsBonus;
    }
}

void ApplyItem(Actor* ship, int32_t kind) {
    switch (kind) {
    case ItemShotPiece:
        AddPiece(&shotGauge, &ship->work[kShotLevel], kTopShotLevel, 5);
        break;
    case ItemMissilePiece:
        AddPiece(&missileGauge, &ship->work[kMissileLevel], kTopMissileLevel, 3);
        break;
    case ItemArmPiece:
        AddArmPiece(ship);
        break;
    case ItemBomb:
        bombs += 1;
        PlaySound(WavPowerUp, 1, 1);
        break;
    case ItemShip:
        lives += 1;
        PlaySound(WavPowerUp, 1, 1);
        break;
    case ItemPoints:
        score += kPointsBonus;
        PlaySound(WavPowerUp, 1, 1);
        break;
    case ItemBlow:
        rank += 5;
        DamageGroup(kBlowDamage, GroupEnemy);
        DamageGroup(kBlowDamage, GroupEnemyShot);
        break;
    default:
        break;
    }
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(ItemUpdate),
    BEHAVIOUR(DrawItem),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
