// The arms: armour around the ship that absorbs hits, kept in the ship's own record.
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"

struct ArmLevelRow {
    int32_t durabilityPerPiece;
    int32_t graceFrames;  // protected frames after an absorbed hit
};

constexpr ArmLevelRow kArmLevels[kTopArmLevel + 1] = {{3, 5}, {4, 10}, {5, 20}};

constexpr int32_t kArmWidth = 96;
constexpr int32_t kArmHeight = 64;
constexpr int32_t kArmOverhang = 16;
constexpr int32_t kPiecesPerLevel = 4;
constexpr int32_t kTopLevelBonus = 5000;

static const ArmLevelRow& ArmRow(const Actor* ship) {
    int32_t level = ship->work[kArmLevel].i;
    if (level < 0) level = 0;
    if (level > kTopArmLevel) level = kTopArmLevel;
    return kArmLevels[level];
}

bool ArmsAbsorbHit(Actor* ship) {
    if (ship->work[kArmDurability].i == 0) return false;
    ship->hp = 1;
    ship->work[kArmDurability].i -= 1;
    ship->work[kArmFlash].i = 1;
    ship->work[kHitGrace].i = ArmRow(ship).graceFrames;
    PlaySound(WavArmDamage, 1, 1);
    return true;
}

// Right column with one hit left, bottom row while flashing.
void DrawArms(Actor* ship) {
    int32_t durability = ship->work[kArmDurability].i;
    if (durability == 0) return;
    int32_t level = ship->work[kArmLevel].i;
    if (level < 0 || level > kTopArmLevel) return;
    int32_t srcX = durability == 1 ? kArmWidth : 0;
    int32_t srcY = kArmHeight * ship->work[kArmFlash].i;
    DrawImageRegion(static_cast<int>(ship->x) - kArmOverhang, static_cast<int>(ship->y), srcX, srcY,
                    kArmWidth, kArmHeight, ImgMyArm[level], 1, 0);
}

// The piece adds the current level's durability before any level is gained.
void AddArmPiece(Actor* ship) {
    rank += 5;
    ship->work[kArmDurability].i += ArmRow(ship).durabilityPerPiece;
    armGauge += 1;
    if (armGauge < kPiecesPerLevel) {
        PlaySound(WavPowerUp, 1, 1);
    } else if (ship->work[kArmLevel].i < kTopArmLevel) {
        armGauge -= kPiecesPerLevel;
        ship->work[kArmLevel].i += 1;
        PlaySound(WavPowerUp, 1, 1);
    } else {
        armGauge -= 1;
        PlaySound(WavPowerUp, 1, 1);
        score += kTopLevelBonus;
    }
}
