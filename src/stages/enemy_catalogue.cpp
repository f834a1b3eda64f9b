// The enemy catalogue: every kind the scripts release, one row each, and the creation
// that fills an enemy from its row.
#include <iterator>

#include "shell/game.h"
#include "stages/enemies.h"

// Sizes, hit points, scores and hit rectangles (left, right, top, bottom) of the kinds;
// the behaviour, the work slots and whatever varies at creation stay in the family files.
// `spawn...` says how a script line creates the kind: which numbers it takes.
static const EnemyKind kEnemyKinds[] = {
    {.id = 0, .width = 32, .height = 32, .speed = 1.3f, .scoreValue = 100, .hp = {1, 10},
     .hitRectCount = 1, .hitRects = {{5, 24, 9, 23}}, .spawnAt = SpawnEnemy000},
    {.id = 1, .width = 32, .height = 32, .speed = 1.3f, .scoreValue = 200, .hp = {5, 10},
     .hitRectCount = 1, .hitRects = {{4, 27, 4, 27}}, .spawnAt = SpawnEnemy001},
    {.id = 2, .width = 32, .height = 32, .speed = 1.3f, .scoreValue = 300, .hp = {1, 50},
     .hitRectCount = 2, .hitRects = {{9, 19, 14, 19}, {2, 28, 20, 23}}, .spawnAt = SpawnEnemy002},
    {.id = 3, .width = 64, .height = 64, .speed = 3.3f, .scoreValue = 300, .hp = {36, 30},
     .hitRectCount = 1, .hitRects = {{20, 46, 20, 46}}, .spawnAt = SpawnEnemy003},
    {.id = 4, .width = 106, .height = 32, .speed = 6, .scoreValue = 100, .hp = {1, 20},
     .hitRectCount = 2, .hitRects = {{6, 16, 20, 30}, {26, 76, 4, 14}}, .spawnAt = SpawnEnemy004},
    {.id = 5, .width = 64, .height = 64, .speed = 0.3f, .scoreValue = 300, .hp = {30, 10},
     .hitRectCount = 1, .hitRects = {{9, 56, 21, 58}}, .spawnAt = SpawnEnemy005},
    {.id = 6, .width = 32, .height = 32, .speed = 4, .scoreValue = 300, .hp = {40, 10},
     .hitRectCount = 2, .hitRects = {{14, 28, 2, 32}, {0, 18, 14, 32}}, .spawnAt = SpawnEnemy006},
    {.id = 7, .width = 32, .height = 32, .speed = 4.4f, .scoreValue = 100, .hp = {10},
     .hitRectCount = 1, .hitRects = {{4, 27, 4, 27}}, .spawnAtDir = SpawnEnemy007},
    {.id = 8, .width = 32, .height = 32, .speed = 0.3f, .scoreValue = 2000, .hp = {30, 10},
     .guardMode = GuardIntangible, .hitRectCount = 1, .hitRects = {{6, 26, 6, 26}},
     .spawnAt = SpawnEnemy008},
    {.id = 9, .width = 32, .height = 32, .speed = 8, .scoreValue = 100, .hp = {1},
     .hitRectCount = 1, .hitRects = {{8, 24, 8, 24}}, .spawnAt = SpawnEnemy009},
    {.id = 10, .width = 32, .height = 32, .speed = 8.3f, .scoreValue = 100, .hp = {8, 20},
     .hitRectCount = 1, .hitRects = {{9, 23, 9, 12}}, .spawnAtDir = SpawnEnemy010},
    {.id = 12, .width = 116, .height = 98, .speed = 3.3f, .scoreValue = 1000, .hp = {100},
     .guardMode = GuardArmoured, .hitRectCount = 3,
     .hitRects = {{16, 98, 53, 66}, {29, 56, 67, 91}, {43, 70, 15, 52}}, .spawnAt = SpawnEnemy012},
    {.id = 15, .width = 32, .height = 32, .speed = 1.0f, .scoreValue = 0, .hp = {1},
     .guardMode = GuardIntangible, .hitRectCount = 1, .hitRects = {{4, 28, 3, 30}},
     .spawnFor = SpawnEnemy015},
    {.id = 16, .width = 32, .height = 32, .speed = 1.0f, .scoreValue = 0, .hp = {1},
     .guardMode = GuardIntangible, .hitRectCount = 1, .hitRects = {{4, 28, 3, 30}},
     .spawnFor = SpawnEnemy016},
    {.id = 17, .width = 32, .height = 32, .speed = 1.3f, .scoreValue = 300, .hp = {1, 2},
     .hitRectCount = 2, .hitRects = {{10, 24, 15, 20}, {3, 30, 20, 24}}, .spawnAt = SpawnEnemy017},
    {.id = 27, .width = 32, .height = 32, .speed = 4, .scoreValue = 100, .hp = {1, 8},
     .hitRectCount = 1, .hitRects = {{5, 26, 6, 25}}, .spawnAt = SpawnEnemy027},
    {.id = 28, .width = 32, .height = 32, .speed = 4, .scoreValue = 1000, .hp = {10000},
     .guardMode = GuardArmoured, .attack = 10000, .hitRectCount = 1,
     .hitRects = {{9, 23, 12, 31}}, .spawnAt = SpawnEnemy028},
    {.id = 29, .width = 32, .height = 32, .speed = 5.2f, .scoreValue = 300, .hp = {10, 20},
     .hitRectCount = 2, .hitRects = {{10, 24, 15, 20}, {3, 30, 20, 24}}, .spawnAt = SpawnEnemy029},
    {.id = 30, .width = 24, .height = 20, .speed = 6, .scoreValue = 500, .hp = {10, 30},
     .hitRectCount = 1, .hitRects = {{3, 17, 7, 18}}, .spawnAt = SpawnEnemy030},
    // the carrier's speed comes from its pattern
    {.id = 99, .width = 32, .height = 32, .speed = 2, .scoreValue = 100, .hp = {20, 30},
     .hitRectCount = 1, .hitRects = {{7, 24, 10, 23}}, .spawnCarrier = SpawnEnemy099},
    // the second rectangle's top lies below its bottom; it is kept as it always was
    {.id = 100, .width = 64, .height = 64, .speed = 1.3f, .scoreValue = 3000, .hp = {260, 2},
     .hitRectCount = 2, .hitRects = {{8, 37, 30, 46}, {8, 57, 29, 23}}, .spawnAt = SpawnEnemy100},
    // the giant grows weaker as rank rises
    {.id = 110, .width = 127, .height = 87, .speed = 1.3f, .scoreValue = 100,
     .hp = {116500, 0, -300}, .hitRectCount = 6,
     .hitRects = {{18, 49, 19, 29}, {6, 65, 28, 38}, {3, 105, 39, 49}, {3, 116, 49, 61},
                  {13, 83, 62, 74}, {31, 71, 74, 84}},
     .spawnAt = SpawnEnemy110},
};

const EnemyKind* FindEnemyKind(int32_t id) {
    for (const EnemyKind& kind : kEnemyKinds)
        if (kind.id == id) return &kind;
    return nullptr;
}

int EnemyKindCount() { return static_cast<int>(std::size(kEnemyKinds)); }
const EnemyKind& EnemyKindAt(int index) { return kEnemyKinds[index]; }

int32_t EnemyKindHp(const EnemyKind& kind) {
    int32_t hp = kind.hp.base + rank * kind.hp.rankFactor;
    if (kind.hp.rankDivisor != 0) hp += rank / kind.hp.rankDivisor;
    return hp;
}

Actor* AcquireEnemyKind(int32_t id, ActorFn update, ActorFn draw, float x, float y) {
    const EnemyKind* kind = FindEnemyKind(id);
    if (!kind) return nullptr;
    Actor* a = AcquireEnemy(update, draw, x, y);
    if (!a) return nullptr;
    a->width = kind->width;
    a->height = kind->height;
    a->speed = kind->speed;
    a->scoreValue = kind->scoreValue;
    a->guardMode = kind->guardMode;
    a->attack = kind->attack;
    for (int i = 0; i < kind->hitRectCount; i++) a->hitRects[i] = kind->hitRects[i];
    a->hitRectCount = kind->hitRectCount;
    StartHp(a, EnemyKindHp(*kind));
    return a;
}
