// Temporary placeholders.
#include <cstring>
#include "picture_list.h"
#include "pictures.h"
#include "sprite_kit.h"
static void Placeholder(Canvas& cv) {
    Mask m(cv.w, cv.h);
    m.RoundRect(2, 2, cv.w - 4, cv.h - 4, 4);
    AddPart(cv, m, pal::kGunmetal, ShadeOpts{4});
}
static void AddRange(std::vector<DrawerEntry>& out, const char* prefix) {
    for (const PictureSpec& s : kPictures)
        if (std::strncmp(s.file, prefix, std::strlen(prefix)) == 0) out.push_back({s.file, Placeholder});
}
void AddScreenDrawers(std::vector<DrawerEntry>& out) { AddRange(out, "ImgTitle"); AddRange(out, "ImgWhite"); AddRange(out, "ImgStageSelect"); AddRange(out, "ImgEnding"); }
void AddHudDrawers(std::vector<DrawerEntry>& out) { AddRange(out, "ImgNumber"); AddRange(out, "ImgHeader"); AddRange(out, "ImgPowerGauge"); AddRange(out, "ImgStageNumber"); AddRange(out, "ImgClearBack"); AddRange(out, "ImgGameOver"); AddRange(out, "ImgWarning"); }
void AddGroundDrawers(std::vector<DrawerEntry>& out) { AddRange(out, "ImgMapFront"); for (const char* f : {"ImgEnemy018.png","ImgEnemy019.png","ImgEnemy020.png","ImgEnemy021.png","ImgEnemy022.png","ImgEnemy023.png","ImgEnemy024.png","ImgEnemy025.png","ImgEnemy026.png"}) out.push_back({f, Placeholder}); }
void AddBossDrawers(std::vector<DrawerEntry>& out) { AddRange(out, "ImgEnemy2"); AddRange(out, "ImgEnemy3"); }
const char* BossName(int) { return "BOSS"; }
