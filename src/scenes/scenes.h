// The scenes around play, each run once per frame by the main loop.
#pragma once

#include <cstdint>

#include "scenes/menu.h"

extern int32_t titleFade;
// Up and down on the shown title restart its idle count: the rule of replays of format 4
// on; older replays played without it (fixed for a run, no game state).
extern bool titleIdleRestartsOnMove;

void EnterTitleScene();  // every entry: a new game, the fade from black
void RunTitleScene();

// The title's menu, walked by the title scene with up and down; its cursor is no game
// state (fire on any entry but START never reaches the game: shell/front_end.h).
extern Menu menuTitle;
enum TitleEntry : int32_t { TitleStart, TitlePractice, TitleReplays, TitleOptions, TitleHelp, TitleQuit };

// Route map: 28 stages as a pyramid of seven columns, node n is stage n + 1.
constexpr int32_t kRouteNodes = 28;
constexpr int32_t kRouteColumns = 7;
constexpr int32_t kFirstFinalStage = 22;  // stages 22 to 28 end the run

extern int32_t stageCleared[kRouteNodes];
extern int32_t nextNode[kRouteNodes][2];  // same row, one row lower, in the next column
extern int32_t nodeX[kRouteNodes];        // relative to the map's top-left corner
extern int32_t nodeY[kRouteNodes];
extern int32_t selectChoice;
extern int32_t selectedNode;
extern int32_t selectBlinkPhase;
extern int32_t selectBlinkTimer;
extern int32_t selectConfirmTimer;
extern int32_t selectConfirmed;

// stagePhase of the route map: the chosen stage is to start; the ending borrows the map
constexpr int32_t PhaseStartChosenStage = 100;
constexpr int32_t PhaseRouteDisplayOnly = 999;

void ResetStageSelect();
void RunStageSelect();
void MarkStageCleared(int32_t stage);  // stages outside 1 to 28 are ignored

// Header strip during play.
void DrawHud();

// High-score table.
void RunRankingScene();

// Endings: one epilogue per final stage, and one for runs that used a continue.
constexpr int32_t kEndingLines = 50;
constexpr int32_t kEndingLineBytes = 128;  // Shift-JIS, NUL included

extern char endingText[kEndingLines][kEndingLineBytes];
extern float endingScrollY;

void PrepareEndingTexts();  // converts the epilogues to Shift-JIS once, at set-up
void FillEndingText();
void RunEndingScene();
