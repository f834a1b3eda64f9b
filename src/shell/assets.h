// Picture and sound handles, loaded once at set-up and named after their files.
#pragma once

#include <cstdint>

extern int32_t ImgTitleFront, ImgTitleBack, ImgWhite;
extern int32_t ImgNumberSmall[10];
extern int32_t ImgNumberMiddle[10];
extern int32_t ImgHeader, ImgPowerGauge;
extern int32_t ImgStageNumber;
extern int32_t ImgClearBack, ImgClearBack2;
extern int32_t ImgStageSelectBack, ImgStageSelect, ImgStageSelect2, ImgStageSelectAllow;
extern int32_t ImgRankingBack;
extern int32_t ImgEnding, ImgEndingTxt;
extern int32_t ImgMapFront00;
extern int32_t ImgItem[7];
extern int32_t ImgMyShip, ImgMyShipBomb;
extern int32_t ImgMyArm[3];
extern int32_t ImgMyShot[5];
extern int32_t ImgMyMissile00;
extern int32_t ImgZorbex[16];
extern int32_t ImgBomb00;
extern int32_t ImgEnemyShot[11];  // entry 4 is never loaded
extern int32_t ImgEnemyShotAfter00;
extern int32_t ImgEnemy[362];     // by the number in "ImgEnemyNNN.png"; 0 where no file exists
extern int32_t ImgGameOver;
extern int32_t ImgWarningBack;
extern int32_t ImgWarning[17];

extern int32_t WavStart;
extern int32_t WavMyShot[3];
extern int32_t WavArmDamage;
extern int32_t WavPowerUp;
extern int32_t WavItemGet00;
extern int32_t WavZorbex[2];
extern int32_t WavMyBomb;
extern int32_t WavEnemyBomb00;
extern int32_t WavEnemyShot[4];

// The picture numbers that exist among ImgEnemy000 to ImgEnemy361.
extern const int kEnemyPictureNumbers[];
extern const int kEnemyPictureCount;

void LoadGameAssets();
