// The replay theatre's face: the "REPLAY" mark, the speed or the pause, a row of controls
// and a bar along the bottom with the stages marked and the time. The controls are walked
// as a menu is: left and right choose, fire presses, up and down change the speed.
#include <cstdio>

#include "runtime/media.h"
#include "scenes/menu.h"
#include "scenes/theatre.h"
#include "shell/assets.h"
#include "shell/language.h"

namespace {

constexpr int kBarX = 20, kBarY = 462, kBarW = 600, kBarH = 8;
constexpr int kRowY = 430;
constexpr int kPanelY = 424, kPanelH = 56;
constexpr int kMarkX = 16, kMarkY = 52;

struct Control {
    const char* label;  // msgid
    TheatreCommand command;
};
// "PLAY" takes the place of "PAUSE" while paused
const Control kControls[] = {
    {N_("STAGE -"), TheatrePreviousStage}, {N_("-10 S"), TheatreBack}, {N_("PAUSE"), TheatrePause},
    {N_("STEP"), TheatreStep},             {N_("+10 S"), TheatreForward}, {N_("STAGE +"), TheatreNextStage},
};
constexpr int kControlCount = sizeof kControls / sizeof kControls[0];
constexpr int kControlSpacing = 96;
constexpr int kControlsX = 32;

}  // namespace

static int theatreControlCursor = 2;  // PAUSE

namespace {

void FillRect(int x, int y, int w, int h, int r, int g, int b) {
    SetTint(r, g, b);
    DrawImageStretched(x, y, x + w, y + h, ImgWhite, 0);
    SetTint(255, 255, 255);
}

// "12:34" for a count of frames
void FormatTime(int64_t frames, char* out, size_t size) {
    const int64_t seconds = frames * 16 / 1000;
    std::snprintf(out, size, "%lld:%02lld", static_cast<long long>(seconds / 60), static_cast<long long>(seconds % 60));
}

}  // namespace

TheatreCommand TheatreControls(const MenuInput& in) {
    if (in.left && theatreControlCursor > 0) theatreControlCursor--;
    if (in.right && theatreControlCursor < kControlCount - 1) theatreControlCursor++;
    if (in.up) return TheatreFaster;
    if (in.down) return TheatreSlower;
    if (in.fire) return kControls[theatreControlCursor].command;
    return TheatreNone;
}

void DrawTheatreOverlay() {
    DrawMenuText(kMarkX, kMarkY, "REPLAY", 255, 90, 90);
    char speed[16];
    const int32_t q = TheatreSpeedQuarters();
    if (q >= 4)
        std::snprintf(speed, sizeof speed, "%dX", q / 4);
    else
        std::snprintf(speed, sizeof speed, "1/%dX", 4 / q);
    DrawPlainText(kMarkX + 110, kMarkY, TheatrePaused() ? Tr("PAUSED") : speed, 255, 230, 90);
    if (TheatreDiffersAt()) {
        char line[96];
        std::snprintf(line, sizeof line, Tr("THIS BUILD PLAYS THE RUN OTHERWISE FROM FRAME %d"), TheatreDiffersAt());
        DrawPlainText(kMarkX, kMarkY + 24, line, 255, 120, 120);
    }

    DrawMenuPanel(0, kPanelY, 640, kPanelH);
    for (int i = 0; i < kControlCount; i++) {
        const char* label = kControls[i].command == TheatrePause && TheatrePaused() ? N_("PLAY") : kControls[i].label;
        const bool on = i == theatreControlCursor;
        DrawMenuText(kControlsX + i * kControlSpacing, kRowY, label, on ? 255 : 150, on ? 230 : 160, on ? 90 : 200);
    }
    // the bar: played part, stage starts, the time
    const int64_t length = TheatreLength() > 0 ? TheatreLength() : 1;
    FillRect(kBarX, kBarY, kBarW, kBarH, 50, 55, 90);
    FillRect(kBarX, kBarY, static_cast<int>(kBarW * TheatrePosition() / length), kBarH, 120, 170, 255);
    for (int i = 0; i < TheatreStageCount(); i++) {
        const int x = kBarX + static_cast<int>(kBarW * TheatreStageFrame(i) / length);
        FillRect(x, kBarY - 3, 2, kBarH + 6, 255, 230, 90);
    }
    char time[64], now[24], all[24];
    FormatTime(TheatrePosition(), now, sizeof now);
    FormatTime(length, all, sizeof all);
    std::snprintf(time, sizeof time, "%s / %s", now, all);
    DrawPlainText(640 - 16 - MeasureGlyphText(time), kMarkY, time, 200, 210, 240);
}
