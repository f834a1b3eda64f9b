// The one palette every picture draws from: ramps dark to light, light from the top left.
#pragma once

#include "canvas.h"

namespace pal {

// Line colour of every sprite outline: a very dark violet, not black, so sprites
// separate from the black of space.
inline const Rgb kInk = MakeRgb(22, 14, 34);
inline const Rgb kWhite = MakeRgb(255, 255, 255);
inline const Rgb kBlack = MakeRgb(0, 0, 0);

// Player colours: white hull, cool steel and blue, with cyan energy.
inline const Ramp kHull{{MakeRgb(52, 58, 92), MakeRgb(98, 108, 146), MakeRgb(156, 166, 198),
                         MakeRgb(208, 216, 236), MakeRgb(246, 249, 255)}};
inline const Ramp kSteel{{MakeRgb(38, 42, 64), MakeRgb(70, 78, 108), MakeRgb(116, 126, 158),
                          MakeRgb(170, 180, 206), MakeRgb(226, 232, 246)}};
inline const Ramp kBlue{{MakeRgb(18, 34, 92), MakeRgb(30, 66, 170), MakeRgb(52, 112, 228),
                         MakeRgb(104, 168, 255), MakeRgb(186, 222, 255)}};
inline const Ramp kCyan{{MakeRgb(10, 70, 110), MakeRgb(20, 140, 190), MakeRgb(60, 206, 240),
                         MakeRgb(150, 240, 255), MakeRgb(235, 255, 255)}};

// Enemy colours: warm metals, crimson, violet, and food tones for the odd kinds.
inline const Ramp kGunmetal{{MakeRgb(34, 28, 44), MakeRgb(62, 54, 74), MakeRgb(98, 88, 110),
                             MakeRgb(142, 132, 150), MakeRgb(196, 188, 200)}};
inline const Ramp kRed{{MakeRgb(74, 12, 30), MakeRgb(136, 22, 40), MakeRgb(206, 44, 52),
                        MakeRgb(250, 100, 84), MakeRgb(255, 184, 150)}};
inline const Ramp kOrange{{MakeRgb(110, 36, 14), MakeRgb(182, 70, 20), MakeRgb(236, 122, 30),
                           MakeRgb(255, 178, 70), MakeRgb(255, 230, 160)}};
inline const Ramp kGold{{MakeRgb(96, 56, 16), MakeRgb(160, 104, 28), MakeRgb(214, 158, 46),
                         MakeRgb(246, 206, 96), MakeRgb(255, 244, 188)}};
inline const Ramp kViolet{{MakeRgb(44, 20, 70), MakeRgb(84, 36, 124), MakeRgb(134, 62, 178),
                           MakeRgb(186, 110, 222), MakeRgb(232, 178, 250)}};
inline const Ramp kMagenta{{MakeRgb(84, 10, 60), MakeRgb(150, 20, 104), MakeRgb(214, 46, 150),
                            MakeRgb(250, 110, 196), MakeRgb(255, 190, 232)}};
inline const Ramp kOlive{{MakeRgb(34, 46, 30), MakeRgb(58, 82, 46), MakeRgb(92, 122, 62),
                          MakeRgb(140, 166, 88), MakeRgb(196, 212, 140)}};
inline const Ramp kTeal{{MakeRgb(14, 48, 58), MakeRgb(24, 86, 96), MakeRgb(40, 132, 136),
                         MakeRgb(84, 184, 176), MakeRgb(168, 232, 220)}};
inline const Ramp kLime{{MakeRgb(30, 70, 40), MakeRgb(60, 128, 70), MakeRgb(104, 184, 96),
                         MakeRgb(164, 226, 120), MakeRgb(222, 250, 176)}};
inline const Ramp kBrown{{MakeRgb(54, 28, 18), MakeRgb(96, 52, 28), MakeRgb(148, 86, 42),
                          MakeRgb(196, 132, 68), MakeRgb(236, 190, 122)}};
inline const Ramp kPink{{MakeRgb(120, 46, 74), MakeRgb(192, 86, 116), MakeRgb(238, 136, 158),
                         MakeRgb(255, 184, 196), MakeRgb(255, 228, 232)}};
inline const Ramp kBone{{MakeRgb(92, 96, 112), MakeRgb(150, 156, 170), MakeRgb(200, 206, 214),
                         MakeRgb(232, 236, 240), MakeRgb(255, 255, 255)}};
inline const Ramp kWater{{MakeRgb(16, 40, 110), MakeRgb(30, 86, 180), MakeRgb(64, 150, 230),
                          MakeRgb(140, 206, 255), MakeRgb(230, 248, 255)}};
inline const Ramp kRock{{MakeRgb(30, 24, 36), MakeRgb(56, 46, 62), MakeRgb(86, 72, 88),
                         MakeRgb(122, 104, 118), MakeRgb(164, 146, 152)}};

// Fire, from embers to the white-hot core: explosions, enemy shots, engines.
inline const Ramp kFire{{MakeRgb(90, 16, 20), MakeRgb(170, 32, 24), MakeRgb(232, 82, 24),
                         MakeRgb(255, 150, 40), MakeRgb(255, 214, 90), MakeRgb(255, 250, 210)}};
inline const Ramp kSmoke{{MakeRgb(30, 24, 30), MakeRgb(54, 44, 50), MakeRgb(82, 70, 74),
                          MakeRgb(112, 100, 100)}};
// Plasma of the player's weapons: blue to white.
inline const Ramp kPlasma{{MakeRgb(30, 60, 190), MakeRgb(50, 120, 255), MakeRgb(90, 200, 255),
                           MakeRgb(180, 245, 255), MakeRgb(255, 255, 255)}};
// Enemy energy: hot pink to white, used for beams and needles.
inline const Ramp kHot{{MakeRgb(120, 10, 50), MakeRgb(210, 30, 80), MakeRgb(255, 80, 110),
                        MakeRgb(255, 170, 170), MakeRgb(255, 245, 235)}};

// Screens.
inline const Rgb kSpace = MakeRgb(6, 6, 18);
inline const Rgb kPanel = MakeRgb(16, 18, 40);
inline const Rgb kPanelLine = MakeRgb(70, 90, 150);
inline const Rgb kLabel = MakeRgb(150, 200, 255);
inline const Rgb kAccent = MakeRgb(255, 200, 60);

}  // namespace pal
