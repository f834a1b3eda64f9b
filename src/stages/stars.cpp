// The star field: a pool of 256 dots behind the map, entering from where the scenery comes.
#include "actors/behaviours.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "stages/stage_map.h"

Star* starList = nullptr;
Star* starFreeList = nullptr;

constexpr float kStarDrift = -2.0f;  // stars drift left over the scenery
constexpr int kStarsAtReset = 64;

static void UpdateStar(Star* s);
static void DrawStar(Star* s);

// Built once; a second call only relinks the same records.
void InitStarPool() {
    static Star pool[kStarPoolSize + 2];
    starList = &pool[0];
    starFreeList = &pool[1];
    starList->prev = starList;
    starList->next = starList;
    Star* tail = starFreeList;
    for (int i = 2; i < kStarPoolSize + 2; i++) {
        pool[i] = Star{};
        tail->next = &pool[i];
        tail = &pool[i];
    }
    tail->next = starFreeList;
}

static void PushFreeStar(Star* s) {
    s->next = starFreeList->next;
    starFreeList->next = s;
}

// The edge of the screen the scenery comes from, for the camera's direction.
static void EdgePosition(float* x, float* y) {
    int32_t across = 640, down = 480;
    switch (scrollDir) {
    case 45:
    case 90:
        if (RandomUpTo(3) == 0) {
            *x = static_cast<float>(RandomUpTo(640));
            *y = 0;
        } else {
            *x = static_cast<float>(across);
            *y = static_cast<float>(RandomUpTo(480));
        }
        break;
    case 135:
        if (RandomUpTo(2) == 0) {
            *x = static_cast<float>(RandomUpTo(640));
            *y = 0;
        } else {
            *x = static_cast<float>(across);
            *y = static_cast<float>(RandomUpTo(480));
        }
        break;
    case 180:
        // from 2.0 up the scenery outruns the stars' own drift, so they come from the left
        *x = scrollSpeed < 2.0f ? static_cast<float>(across) : 0.0f;
        *y = static_cast<float>(RandomUpTo(480));
        break;
    case 225:
        if (RandomUpTo(2) == 0) {
            *x = static_cast<float>(across);
            *y = static_cast<float>(RandomUpTo(480));
        } else {
            *x = static_cast<float>(RandomUpTo(640));
            *y = static_cast<float>(down);
        }
        break;
    case 270:
    case 315:
        if (RandomUpTo(3) == 0) {
            *x = static_cast<float>(RandomUpTo(640));
            *y = static_cast<float>(down);
        } else {
            *x = static_cast<float>(across);
            *y = static_cast<float>(RandomUpTo(480));
        }
        break;
    default:
        *x = static_cast<float>(across);
        *y = static_cast<float>(RandomUpTo(480));
        break;
    }
}

void SpawnStar(float x, float y) {
    Star* s = starFreeList->next;
    if (s == starFreeList) return;  // pool full: no star
    starFreeList->next = s->next;
    Star* last = starList->prev;
    s->prev = last;
    s->next = starList;
    last->next = s;
    starList->prev = s;
    s->update = UpdateStar;
    s->draw = DrawStar;
    s->vx = kStarDrift;
    s->vy = 0;
    s->alive = 1;
    s->color = MakeColor(255, 255, 255);
    if (x != 0 && y != 0) {
        s->x = x;
        s->y = y;
    } else {
        EdgePosition(&s->x, &s->y);
    }
}

static void UpdateStar(Star* s) {
    s->x += s->vx + mapScrollDX;
    s->y += s->vy + mapScrollDY;
    if (s->x < 0 || s->x > 640 || s->y < 0 || s->y > 480) s->alive = 0;
}

static void DrawStar(Star* s) { DrawDot(static_cast<int>(s->x), static_cast<int>(s->y), s->color); }

void ResetStarField() {
    ClearStars();
    for (int i = 0; i < kStarsAtReset; i++) {
        float y = static_cast<float>(RandomUpTo(480));
        float x = static_cast<float>(RandomUpTo(640));
        SpawnStar(x, y);
    }
}

// Both walks read a star's successor before calling it, as the actor passes do.
void UpdateStars() {
    Star* cur = starList->next;
    while (cur != starList) {
        Star* succ = cur->next;
        cur->update(cur);
        cur = succ;
    }
}

void DrawStars() {
    Star* cur = starList->next;
    while (cur != starList) {
        Star* succ = cur->next;
        cur->draw(cur);
        cur = succ;
    }
}

void SweepStars() {
    Star* cur = starList->next;
    while (cur != starList) {
        Star* succ = cur->next;
        if (!cur->alive) {
            cur->prev->next = cur->next;
            cur->next->prev = cur->prev;
            PushFreeStar(cur);
        }
        cur = succ;
    }
}

void ClearStars() {
    Star* cur = starList->next;
    while (cur != starList) {
        Star* succ = cur->next;
        PushFreeStar(cur);
        cur = succ;
    }
    starList->next = starList;
    starList->prev = starList;
}

int CountLiveStars() {
    int n = 0;
    for (Star* s = starList->next; s != starList; s = s->next) n += s->alive;
    return n;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateStar),
    BEHAVIOUR(DrawStar),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
