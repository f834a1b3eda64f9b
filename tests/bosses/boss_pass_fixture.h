// The boss fight fixture with what the later bosses' tests pick out: shields, kinds
// of small enemy, and a pool kept small over long fights.
#pragma once

#include <vector>

#include "bosses/boss_fight.h"

class BossPass : public BossFight {
protected:
    // Of `actors`, those of `group` and `width` (any width for 0).
    static std::vector<Actor*> Only(const std::vector<Actor*>& actors, int32_t group, int32_t width = 0) {
        std::vector<Actor*> out;
        for (Actor* a : InGroup(actors, group))
            if (width == 0 || a->width == width) out.push_back(a);
        return out;
    }
    // Of `actors`, the records drawn by `draw` (one kind).
    static std::vector<Actor*> OfKind(const std::vector<Actor*>& actors, ActorFn draw) {
        std::vector<Actor*> out;
        for (Actor* a : actors)
            if (a->draw == draw) out.push_back(a);
        return out;
    }
    // The draw function of a kind, from a record made and dropped at once.
    template <typename Spawn>
    static ActorFn DrawOf(Spawn spawn) {
        spawn();
        Actor* a = activeList->prev;
        ActorFn draw = a->draw;
        a->alive = 0;
        SweepDeadActors();
        return draw;
    }
    // The armoured, invisible hit boxes that ride on the body.
    static std::vector<Actor*> Shields() {
        std::vector<Actor*> out;
        for (Actor* a : Live())
            if (a->group == GroupEnemy && a->guardMode == GuardArmoured && a->hp == 9999) out.push_back(a);
        return out;
    }
    // Ends every enemy shot and every small enemy so long runs keep the pool small.
    static void ClearShotsAndSmallFry(const Actor* body) {
        for (Actor* a : Live())
            if (a->group == GroupEnemyShot || (a->group == GroupEnemy && a != body && a->hp != 9999))
                a->alive = 0;
        SweepDeadActors();
    }
};
