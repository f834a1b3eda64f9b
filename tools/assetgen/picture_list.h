// Every picture file the game loads from data/, with the cell size and grid it is cut into.
// The generator draws exactly these; the tests check the files against the same table.
#pragma once

#include "../../src/stages/map_tiles.h"

struct PictureSpec {
    const char* file;
    int cellW, cellH;
    int cols, rows;
    bool flashRow;  // row 1 holds the hit-flash look of row 0
    int cells = 0;  // cells the game cuts from the grid; 0 = every cell of the grid
};

inline constexpr PictureSpec kPictures[] = {
    // title, screens and HUD
    {"ImgTitleBack.png", 640, 480, 1, 1, false},
    {"ImgTitleFront.png", 640, 480, 1, 1, false},
    {"ImgWhite.png", 32, 32, 1, 1, false},
    {"ImgNumberSmall.png", 12, 12, 10, 1, false},
    {"ImgNumberMiddle.png", 20, 21, 10, 1, false},
    {"ImgHeader.png", 640, 44, 1, 1, false},
    {"ImgPowerGauge.png", 22, 8, 1, 1, false},
    {"ImgStageNumber.png", 34, 24, 1, 28, false},
    {"ImgClearBack.png", 320, 44, 1, 1, false},
    {"ImgClearBack2.png", 640, 480, 1, 1, false},
    {"ImgStageSelectBack.png", 640, 480, 1, 1, false},
    {"ImgStageSelect.png", 528, 248, 1, 1, false},
    {"ImgStageSelect2.png", 528, 248, 1, 1, false},
    {"ImgStageSelectAllow.png", 28, 28, 1, 1, false},
    {"ImgRankingBack.png", 640, 480, 1, 1, false},
    {"ImgEnding.png", 640, 480, 1, 1, false},
    {"ImgEndingTxt.png", 330, 28, 1, 5, false},
    {"ImgGameOver.png", 192, 72, 1, 1, false},
    {"ImgWarningBack.png", 320, 240, 1, 1, false},
    {"ImgWarning00.png", 320, 40, 1, 1, false},
    {"ImgWarning01.png", 320, 40, 1, 1, false},
    {"ImgWarning02.png", 320, 40, 1, 1, false},
    {"ImgWarning03.png", 320, 40, 1, 1, false},
    {"ImgWarning04.png", 320, 40, 1, 1, false},
    {"ImgWarning05.png", 320, 40, 1, 1, false},
    {"ImgWarning06.png", 320, 40, 1, 1, false},
    {"ImgWarning07.png", 320, 40, 1, 1, false},
    {"ImgWarning08.png", 320, 40, 1, 1, false},
    {"ImgWarning09.png", 320, 40, 1, 1, false},
    {"ImgWarning10.png", 320, 40, 1, 1, false},
    {"ImgWarning11.png", 320, 40, 1, 1, false},
    {"ImgWarning12.png", 320, 40, 1, 1, false},
    {"ImgWarning13.png", 320, 40, 1, 1, false},
    {"ImgWarning14.png", 320, 40, 1, 1, false},
    {"ImgWarning15.png", 320, 40, 1, 1, false},
    {"ImgWarning16.png", 320, 40, 1, 1, false},
    // each letter's top row, then the looks of "a" and "b" by their neighbours (map_tiles.h)
    {"ImgMapFront00.png", 32, 32, 26, kTileRows, false, 26},

    // the player
    {"ImgMyShip.png", 64, 64, 1, 1, false},
    {"ImgMyShipBomb.png", 64, 64, 15, 1, false},
    {"ImgMyArm0.png", 96, 64, 2, 2, true},
    {"ImgMyArm1.png", 96, 64, 2, 2, true},
    {"ImgMyArm2.png", 96, 64, 2, 2, true},
    {"ImgMyShot00.png", 32, 32, 1, 1, false},
    {"ImgMyShot01.png", 91, 22, 1, 1, false},
    {"ImgMyShot02.png", 28, 52, 1, 1, false},
    {"ImgMyShot03.png", 36, 128, 1, 1, false},
    {"ImgMyShot04.png", 48, 128, 1, 1, false},
    {"ImgMyMissile00.png", 20, 20, 4, 1, false},
    {"ImgZorbex.png", 200, 200, 3, 6, false, 16},
    {"ImgItem.png", 32, 32, 7, 1, false},

    // effects and enemy shots
    {"ImgBomb00.png", 96, 96, 15, 1, false},
    {"ImgEnemyShotAfter00.png", 16, 16, 6, 1, false},
    {"ImgEnemyShot000.png", 16, 16, 2, 1, false},
    {"ImgEnemyShot001.png", 64, 64, 1, 1, false},
    {"ImgEnemyShot002.png", 32, 32, 1, 1, false},
    {"ImgEnemyShot003.png", 64, 16, 1, 1, false},
    {"ImgEnemyShot005.png", 128, 128, 7, 1, false},  // the warning sign, then six shimmer frames
    {"ImgEnemyShot006.png", 86, 84, 1, 1, false},
    {"ImgEnemyShot007.png", 16, 18, 1, 1, false},
    {"ImgEnemyShot008.png", 32, 32, 19, 1, false},
    {"ImgEnemyShot009.png", 24, 6, 1, 1, false},
    {"ImgEnemyShot010.png", 128, 128, 7, 1, false},

    // enemies of the stage scripts and their helpers
    {"ImgEnemy000.png", 32, 32, 1, 2, true},
    {"ImgEnemy001.png", 32, 32, 1, 2, true},
    {"ImgEnemy002.png", 32, 32, 1, 2, true},
    {"ImgEnemy003.png", 64, 64, 4, 2, true},
    {"ImgEnemy004.png", 106, 32, 1, 2, true},
    {"ImgEnemy005.png", 64, 64, 2, 2, true},
    {"ImgEnemy006.png", 32, 32, 1, 2, true},
    {"ImgEnemy007.png", 32, 32, 4, 2, true},
    {"ImgEnemy008.png", 32, 32, 2, 2, true},
    {"ImgEnemy009.png", 32, 32, 1, 1, false},  // drawn rotated: the whole picture
    {"ImgEnemy010.png", 32, 32, 1, 1, false},  // drawn rotated
    {"ImgEnemy011.png", 32, 32, 1, 1, false},  // flash look of 010
    {"ImgEnemy012.png", 116, 98, 1, 2, true},
    {"ImgEnemy013.png", 32, 32, 1, 2, true},
    {"ImgEnemy017.png", 32, 32, 1, 2, true},
    {"ImgEnemy027.png", 32, 32, 2, 2, true},
    {"ImgEnemy028.png", 32, 32, 1, 1, false},  // drawn whole, no flash
    {"ImgEnemy030.png", 24, 20, 1, 2, true},
    {"ImgEnemy099.png", 32, 32, 7, 2, true},
    {"ImgEnemy100.png", 64, 64, 1, 2, true},
    {"ImgEnemy110.png", 127, 87, 1, 2, true},

    // ground objects of the maps
    {"ImgEnemy018.png", 32, 32, 1, 2, true},
    {"ImgEnemy019.png", 32, 32, 1, 2, true},
    {"ImgEnemy020.png", 64, 64, 1, 2, true},
    {"ImgEnemy021.png", 64, 64, 1, 2, true},
    {"ImgEnemy022.png", 64, 64, 1, 2, true},
    {"ImgEnemy023.png", 64, 64, 1, 2, true},
    {"ImgEnemy024.png", 64, 64, 1, 2, true},
    {"ImgEnemy025.png", 64, 64, 1, 2, true},
    {"ImgEnemy026.png", 64, 64, 1, 2, true},

    // bosses: body 200 + 10 x index, parts after it
    {"ImgEnemy200.png", 202, 200, 1, 2, true},
    {"ImgEnemy201.png", 69, 47, 1, 2, true},
    {"ImgEnemy202.png", 35, 12, 1, 2, true},
    {"ImgEnemy210.png", 306, 155, 1, 2, true},
    {"ImgEnemy211.png", 44, 26, 1, 2, true},
    {"ImgEnemy212.png", 66, 50, 1, 2, true},
    {"ImgEnemy213.png", 140, 92, 1, 2, true},
    {"ImgEnemy220.png", 349, 159, 1, 2, true},
    {"ImgEnemy221.png", 43, 126, 1, 2, true},
    {"ImgEnemy222.png", 51, 59, 1, 2, true},
    {"ImgEnemy223.png", 119, 76, 1, 2, true},
    {"ImgEnemy230.png", 235, 177, 1, 2, true},
    {"ImgEnemy240.png", 292, 104, 2, 2, true},
    {"ImgEnemy241.png", 16, 29, 1, 2, true},
    {"ImgEnemy242.png", 148, 70, 1, 2, true},
    {"ImgEnemy250.png", 228, 8, 16, 2, true},  // 16 steps of its energy pulse
    {"ImgEnemy251.png", 76, 79, 1, 2, true},
    {"ImgEnemy252.png", 75, 79, 1, 2, true},
    {"ImgEnemy253.png", 76, 79, 1, 2, true},
    {"ImgEnemy260.png", 220, 230, 2, 2, true},
    {"ImgEnemy261.png", 53, 47, 1, 2, true},
    {"ImgEnemy270.png", 172, 151, 1, 2, true},
    {"ImgEnemy271.png", 54, 54, 1, 2, true},
    {"ImgEnemy280.png", 118, 171, 1, 2, true},
    {"ImgEnemy282.png", 64, 70, 1, 2, true},
    {"ImgEnemy283.png", 118, 171, 1, 2, true},
    {"ImgEnemy290.png", 134, 197, 2, 2, true},
    {"ImgEnemy300.png", 104, 330, 1, 2, true},
    {"ImgEnemy301.png", 104, 45, 2, 2, true},
    {"ImgEnemy302.png", 103, 48, 2, 2, true},
    {"ImgEnemy303.png", 102, 52, 2, 2, true},
    {"ImgEnemy310.png", 212, 245, 2, 2, true},
    {"ImgEnemy320.png", 308, 225, 1, 2, true},
    {"ImgEnemy330.png", 362, 315, 1, 1, false},  // its flash look is 331
    {"ImgEnemy331.png", 362, 315, 1, 1, false},
    {"ImgEnemy340.png", 202, 200, 1, 2, true},
    {"ImgEnemy341.png", 69, 47, 1, 2, true},
    {"ImgEnemy342.png", 35, 12, 1, 2, true},
    {"ImgEnemy350.png", 308, 225, 1, 2, true},
    {"ImgEnemy360.png", 32, 32, 1, 1, false},  // drawn rotated; its flash look is 361
    {"ImgEnemy361.png", 32, 32, 1, 1, false},
};

inline constexpr int kPictureCount = int(sizeof(kPictures) / sizeof(kPictures[0]));

// Pictures whose hit-flash look is a second file: {normal, flash}.
inline constexpr const char* kFlashPairs[][2] = {
    {"ImgEnemy010.png", "ImgEnemy011.png"},
    {"ImgEnemy330.png", "ImgEnemy331.png"},
    {"ImgEnemy360.png", "ImgEnemy361.png"},
};
