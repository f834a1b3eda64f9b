// Loads every picture and sound once; results are not tested (bad handles draw nothing).
#include "shell/assets.h"

#include <cstdio>

#include "runtime/media.h"

int32_t ImgTitleFront, ImgTitleBack, ImgWhite;
int32_t ImgNumberSmall[10];
int32_t ImgNumberMiddle[10];
int32_t ImgHeader, ImgPowerGauge;
int32_t ImgStageNumber;
int32_t ImgClearBack, ImgClearBack2;
int32_t ImgStageSelectBack, ImgStageSelect, ImgStageSelect2, ImgStageSelectAllow;
int32_t ImgRankingBack;
int32_t ImgEnding, ImgEndingTxt;
int32_t ImgMapFront00;
int32_t ImgItem[7];
int32_t ImgMyShip, ImgMyShipBomb;
int32_t ImgMyArm[3];
int32_t ImgMyShot[5];
int32_t ImgMyMissile00;
int32_t ImgZorbex[16];
int32_t ImgBomb00;
int32_t ImgEnemyShot[11];
int32_t ImgEnemyShotAfter00;
int32_t ImgEnemy[362];
int32_t ImgGameOver;
int32_t ImgWarningBack;
int32_t ImgWarning[17];

int32_t WavStart;
int32_t WavMyShot[3];
int32_t WavArmDamage;
int32_t WavPowerUp;
int32_t WavItemGet00;
int32_t WavZorbex[2];
int32_t WavMyBomb;
int32_t WavEnemyBomb00;
int32_t WavEnemyShot[4];

const int kEnemyPictureNumbers[] = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  17,  18,  19,
    20,  21,  22,  23,  24,  25,  26,  27,  28,  30,  99,  100, 110, 200, 201, 202, 210,
    211, 212, 213, 220, 221, 222, 223, 230, 240, 241, 242, 250, 251, 252, 253, 260, 261,
    270, 271, 280, 282, 283, 290, 300, 301, 302, 303, 310, 320, 330, 331, 340, 341, 342,
    350, 360, 361,
};
const int kEnemyPictureCount = sizeof kEnemyPictureNumbers / sizeof kEnemyPictureNumbers[0];

static int32_t Picture(const char* name) {
    char path[64];
    std::snprintf(path, sizeof path, "data/%s.png", name);
    return LoadImage(path, 0);
}

static void Strip(const char* name, int count, int across, int down, int w, int h, int32_t* out) {
    char path[64];
    std::snprintf(path, sizeof path, "data/%s.png", name);
    LoadImageStrip(path, count, across, down, w, h, out, 0);
}

static int32_t Sound(const char* name, int volume) {
    char path[64];
    std::snprintf(path, sizeof path, "data/%s.wav", name);
    int32_t handle = LoadSound(path, 3, -1);
    SetSoundVolume(volume, handle);
    return handle;
}

static void LoadPictures() {
    char name[32];
    ImgTitleFront = Picture("ImgTitleFront");
    ImgTitleBack = Picture("ImgTitleBack");
    ImgWhite = Picture("ImgWhite");
    Strip("ImgNumberSmall", 10, 10, 1, 12, 12, ImgNumberSmall);
    Strip("ImgNumberMiddle", 10, 10, 1, 20, 21, ImgNumberMiddle);
    ImgHeader = Picture("ImgHeader");
    ImgPowerGauge = Picture("ImgPowerGauge");
    ImgStageNumber = Picture("ImgStageNumber");
    ImgClearBack = Picture("ImgClearBack");
    ImgClearBack2 = Picture("ImgClearBack2");
    ImgStageSelectBack = Picture("ImgStageSelectBack");
    ImgStageSelect = Picture("ImgStageSelect");
    ImgStageSelect2 = Picture("ImgStageSelect2");
    ImgStageSelectAllow = Picture("ImgStageSelectAllow");
    ImgRankingBack = Picture("ImgRankingBack");
    ImgEnding = Picture("ImgEnding");
    ImgEndingTxt = Picture("ImgEndingTxt");
    ImgMapFront00 = Picture("ImgMapFront00");
    Strip("ImgItem", 7, 7, 1, 32, 32, ImgItem);
    ImgMyShip = Picture("ImgMyShip");
    ImgMyShipBomb = Picture("ImgMyShipBomb");
    for (int i = 0; i < 3; i++) {
        std::snprintf(name, sizeof name, "ImgMyArm%d", i);
        ImgMyArm[i] = Picture(name);
    }
    for (int i = 0; i < 5; i++) {
        std::snprintf(name, sizeof name, "ImgMyShot%02d", i);
        ImgMyShot[i] = Picture(name);
    }
    ImgMyMissile00 = Picture("ImgMyMissile00");
    Strip("ImgZorbex", 16, 3, 6, 200, 200, ImgZorbex);
    ImgBomb00 = Picture("ImgBomb00");
    for (int i = 0; i <= 10; i++) {
        if (i == 4) continue;
        std::snprintf(name, sizeof name, "ImgEnemyShot%03d", i);
        ImgEnemyShot[i] = Picture(name);
    }
    ImgEnemyShotAfter00 = Picture("ImgEnemyShotAfter00");
    for (int k = 0; k < kEnemyPictureCount; k++) {
        int n = kEnemyPictureNumbers[k];
        std::snprintf(name, sizeof name, "ImgEnemy%03d", n);
        ImgEnemy[n] = Picture(name);
    }
    ImgGameOver = Picture("ImgGameOver");
    ImgWarningBack = Picture("ImgWarningBack");
    for (int i = 0; i < 17; i++) {
        std::snprintf(name, sizeof name, "ImgWarning%02d", i);
        ImgWarning[i] = Picture(name);
    }
}

static void LoadSounds() {
    char name[32];
    WavStart = Sound("WavStart", 51);
    for (int i = 0; i < 3; i++) {
        std::snprintf(name, sizeof name, "WavMyShot%02d", i);
        WavMyShot[i] = Sound(name, 25);
    }
    WavArmDamage = Sound("WavArmDamage", 51);
    WavPowerUp = Sound("WavPowerUp", 102);
    WavItemGet00 = Sound("WavItemGet00", 51);
    WavZorbex[0] = Sound("WavZorbex00", 51);
    WavZorbex[1] = Sound("WavZorbex01", 51);
    WavMyBomb = Sound("WavMyBomb", 25);
    WavEnemyBomb00 = Sound("WavEnemyBomb00", 25);
    static const int kEnemyShotVolumes[4] = {25, 20, 25, 51};
    for (int i = 0; i < 4; i++) {
        std::snprintf(name, sizeof name, "WavEnemyShot%02d", i);
        WavEnemyShot[i] = Sound(name, kEnemyShotVolumes[i]);
    }
}

void LoadGameAssets() {
    LoadPictures();
    LoadGlyphFont("data/ImgGlyphs.png", "data/glyphs.tbl");
    LoadSounds();
}
