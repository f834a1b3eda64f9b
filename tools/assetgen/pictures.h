// The drawing functions of every picture, grouped by the file that draws them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "canvas.h"

// Draws one whole picture (all its cells) into a transparent canvas of the file's size.
using Drawer = std::function<void(Canvas&)>;

struct DrawerEntry {
    std::string file;
    Drawer draw;
};

// Each family file appends the drawers of its pictures.
void AddScreenDrawers(std::vector<DrawerEntry>& out);   // screens.cpp
void AddHudDrawers(std::vector<DrawerEntry>& out);      // hud.cpp
void AddPlayerDrawers(std::vector<DrawerEntry>& out);   // player.cpp, bomb.cpp
void AddEffectDrawers(std::vector<DrawerEntry>& out);   // effects.cpp
void AddEnemyDrawers(std::vector<DrawerEntry>& out);    // enemies.cpp, enemies_large.cpp
void AddGroundDrawers(std::vector<DrawerEntry>& out);   // ground.cpp
void AddBossDrawers(std::vector<DrawerEntry>& out);     // bosses.cpp and the boss_*.cpp files

// Shared sprite pieces other families reuse.
Canvas DrawShipSprite();                 // the player's fighter, 64 x 64, facing right
Canvas DrawItemIcon(int kind);           // one 32 x 32 item cell
void DrawMapTiles(Canvas& cv);           // terrain.cpp: every look of the map cells
void DrawEnemyRoundShot(Canvas& cv, int x, int y, int size, int phase);  // warm glowing ball
// Names of the 17 bosses as the warning shows them.
const char* BossName(int index);
