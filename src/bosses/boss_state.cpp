// Storage of the boss controller's shared state.
#include "bosses/boss_state.h"

int32_t bossState;
