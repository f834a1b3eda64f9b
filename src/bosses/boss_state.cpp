// Storage of the boss controller's shared state.
#include "bosses/boss_state.h"

int32_t bossState;
float bossX, bossY;
int32_t bossScratch[10];
