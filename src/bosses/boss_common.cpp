// The common boss shape: creation, the body's end step and parts that ride on it.
#include "bosses/boss_common.h"

#include "actors/spawners.h"
#include "bosses/boss_state.h"
#include "shell/game.h"
#include "stages/enemies.h"

constexpr int32_t kBossAttack = 10000;  // touching any boss record destroys the ship

Actor* AcquireBossActor(ActorFn update, ActorFn draw, float x, float y, int32_t w, int32_t h) {
    Actor* a = AcquireEnemy(update, draw, x, y);
    if (!a) return nullptr;
    a->width = w;
    a->height = h;
    a->attack = kBossAttack;
    a->work[kBossDeathTick].i = 0;
    a->work[kBossDeathCount].i = 0;
    return a;
}

void FinishBossBodyFrame(Actor* body, ActorFn death) {
    UpdateHitFlash(body);
    if (body->hp <= 0) {
        AddScore(body->scoreValue);
        body->work[kHitFlash].i = 0;
        body->update = death;
    } else if (body->deathKind == DeathExplode) {
        SpawnExplosion(CentreX(body), CentreY(body), 0, body->speed);
        body->alive = 0;
    }
}

void FollowBossBody(Actor* part) {
    part->x = part->work[kPartOffsetX].f + bossX;
    part->y = part->work[kPartOffsetY].f + bossY;
}

void DrawBossCell(Actor* a, int32_t image) { DrawEnemyCell(a, image, 0); }
