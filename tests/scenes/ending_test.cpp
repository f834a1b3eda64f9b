// Endings: the epilogue files, the choice of epilogue, the scroll, the captions, skip and leave.
#include "scenes/scene_flow.h"

#include <cstring>
#include <string>

#include "actors/actor.h"
#include "runtime/text_encoding.h"
#include "scenes/ending_texts.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/language.h"
#include "stages/level_texts.h"

namespace {

struct Layout {
    int lineCount;
    std::vector<int> blank;
};
// Lines and blank lines of each epilogue: the continue one, then stages 22 to 28.
const Layout kLayouts[kEpilogueCount] = {
    {12, {1, 10}}, {10, {2, 4, 5}},       {11, {2, 4, 7, 9}}, {3, {0, 1}},
    {11, {1, 3, 5, 7, 9}}, {13, {}}, {12, {0, 2}},       {13, {3, 8, 11}},
};

bool IsBlank(const Layout& layout, int k) {
    for (int b : layout.blank)
        if (b == k) return true;
    return false;
}

int32_t Measure(const char* line, void*) { return MeasureText(line, int(std::strlen(line)), 0); }
int32_t Unmeasured(const char*, void*) { return 0; }  // everything fits

int32_t Language(const char* code) {
    const int32_t l = FindLanguageCode(code);
    EXPECT_GE(l, 0) << code;
    return l;
}

TEST(EpilogueFiles, TheWrittenTextKeepsItsLinesAndLayout) {
    static char lines[kEndingLines][kEndingLineBytes];
    for (const char* code : {"ja", "en"}) {
        for (int e = 0; e < kEpilogueCount; e++) {
            SCOPED_TRACE(std::string(code) + " " + kEpilogueFiles[e]);
            const char* text = FindLevelText(kEpilogueFiles[e]);
            ASSERT_NE(text, nullptr);
            int32_t count = 0;
            // nothing broken: a line of the file is a line of the screen
            EXPECT_TRUE(LayOutEpilogue(Language(code), kEpilogueFiles[e], text, Unmeasured, nullptr, lines, &count));
            EXPECT_EQ(count, kLayouts[e].lineCount);
            for (int k = 0; k < kEndingLines; k++) {
                bool blank = k >= count || IsBlank(kLayouts[e], k);
                EXPECT_EQ(lines[k][0] == '\0', blank) << "line " << k;
            }
            if (e == kContinueEpilogue) {
                EXPECT_STREQ(lines[11], "To Be Continued........?");
            }
            if (e == 3) {
                EXPECT_LT(std::strlen(lines[2]), 40u);  // stage 24: one short line
            }
        }
    }
}

TEST(EpilogueFiles, LinesThatDoNotConvertOrFitAreRefused) {
    static char lines[kEndingLines][kEndingLineBytes];
    const int32_t ja = Language("ja");
    int32_t count = 0;
    std::string tooLong;
    for (int i = 0; i < 64; i++) tooLong += "あ";  // 128 bytes in Shift-JIS
    std::string text = "はじめ\r\n" + tooLong + "\nおわり";
    // unmeasured, the line breaks where 127 bytes are full
    EXPECT_TRUE(LayOutEpilogue(ja, "none", text.c_str(), Unmeasured, nullptr, lines, &count));
    EXPECT_EQ(count, 4);
    EXPECT_STREQ(lines[0], "\x82\xcd\x82\xb6\x82\xdf");  // the CR of a CRLF file is dropped
    EXPECT_EQ(std::strlen(lines[1]), 126u);
    EXPECT_STREQ(lines[2], "\x82\xa0");
    EXPECT_STREQ(lines[3], "\x82\xa8\x82\xed\x82\xe8");
    EXPECT_FALSE(LayOutEpilogue(ja, "none", "\xf0\x9f\x9a\x80", Unmeasured, nullptr, lines, &count));  // no Shift-JIS form
    EXPECT_STREQ(lines[0], "");
    std::string many(kEndingLines + 1, '\n');
    EXPECT_FALSE(LayOutEpilogue(ja, "none", many.c_str(), Unmeasured, nullptr, lines, &count));
    std::string words;
    for (int i = 0; i < 60; i++) words += "word ";
    // 300 bytes of words, 40 a line: eight lines, none with a space at either end
    auto forty = [](const char* line, void*) { return int32_t(std::strlen(line) > 40 ? 1000 : 0); };
    EXPECT_TRUE(LayOutEpilogue(ja, "none", words.c_str(), forty, nullptr, lines, &count));
    EXPECT_EQ(count, 8);
    EXPECT_STREQ(lines[0], "word word word word word word word word");
    EXPECT_STREQ(lines[7], "word word word word");
    EXPECT_FALSE(LayOutEpilogue(ja, "none", nullptr, Unmeasured, nullptr, lines, &count));
}

TEST(TextEncoding, ConvertsToCodePage932) {
    char out[16];
    EXPECT_EQ(Utf8ToShiftJis("MS ゴシック", out, sizeof out), 11);
    EXPECT_STREQ(out, "MS \x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(Utf8ToShiftJis("……", out, sizeof out), 4);
    EXPECT_STREQ(out, "\x81\x63\x81\x63");
    EXPECT_EQ(Utf8ToShiftJis("あいうえおかきく", out, sizeof out), -1);  // 16 bytes need 17
    EXPECT_STREQ(out, "");
    EXPECT_EQ(Utf8ToShiftJis("あいうえおかき", out, sizeof out), 14);
}

class Ending : public SceneFlow {
protected:
    // Plays on to the last stage and wins it; the next frame is the ending's entry.
    void WinLastStage(int32_t stage, int32_t points, int pad = 0) {
        StartRun();
        stageNumber = stage;
        score = points;
        WinStage(pad);
        ASSERT_EQ(currentScene, SceneEnding);
    }
};

TEST(EndingChoice, ContinueEpilogueWinsOverTheStage) {
    PrepareEndingTexts();
    hasContinued = 1;
    stageNumber = 24;
    FillEndingText();
    EXPECT_STREQ(endingText[11], "To Be Continued........?");
    EXPECT_STRNE(endingText[0], "");
    hasContinued = 0;
    FillEndingText();
    EXPECT_STREQ(endingText[0], "");
    EXPECT_STREQ(endingText[1], "");
    EXPECT_STRNE(endingText[2], "");
    EXPECT_STREQ(endingText[11], "");
    stageNumber = 21;  // no ending: every line empty
    FillEndingText();
    for (auto& line : endingText) EXPECT_STREQ(line, "");
    hasContinued = 0;
}

TEST_F(Ending, LastStageSavesTheRunThenShowsItsEpilogue) {
    WinLastStage(26, 7000);
    EXPECT_EQ(stageCleared[25], 1);
    EXPECT_EQ(CountActiveActors(), 0);
    EXPECT_EQ(newRankIndex, 3);  // a tie with 7000 goes above it
    EXPECT_EQ(highScores[3], 7000);
    EXPECT_EQ(highScoreStages[3], 26);
    EXPECT_TRUE(std::filesystem::exists(save));
    Frame();
    EXPECT_EQ(stagePhase, PhaseRouteDisplayOnly);
    EXPECT_EQ(sceneTimer, 1);
    EXPECT_FLOAT_EQ(endingScrollY, 191.75f);
    static char expected[kEndingLines][kEndingLineBytes];
    int32_t count = 0;
    LayOutEpilogue(FindLanguageCode("ja"), "endings/stage26.txt", FindLevelText("endings/stage26.txt"),
                   Measure, nullptr, expected, &count);
    EXPECT_EQ(count, 13);
    for (int k = 0; k < kEndingLines; k++) EXPECT_STREQ(endingText[k], expected[k]) << k;
    for (int k = 0; k < kEndingLines; k++) EXPECT_STREQ(shownEndingText[k], expected[k]) << k;
}

TEST_F(Ending, CaptionsRunToTheLastOneInFrame1900) {
    WinLastStage(22, 0);
    Frames(1899);
    EXPECT_EQ(sceneTimer, 1899);
    EXPECT_FLOAT_EQ(endingScrollY, 192.0f - 0.25f * 1899);
    Frame();
    EXPECT_EQ(sceneTimer, 9999);
    Frames(10);
    EXPECT_EQ(sceneTimer, 9999);
    EXPECT_EQ(currentScene, SceneEnding);
    Frame(PadButton1);  // already final: this press leaves
    EXPECT_EQ(currentScene, SceneRanking);
}

TEST_F(Ending, TheTextShowsOnlyInsideTheWindowOfItsFrame) {
    if (MissingAssetCount() > 0) GTEST_SKIP() << "pictures not generated";
    ClearBackBuffer();
    DrawImage(0, 0, ImgEnding, 0);
    const std::vector<uint32_t> picture = Capture();
    // the frame's gold rules run just outside the window of rows 63 to 188, columns 20 to 619
    auto red = [&](int x, int y) { return (picture[y * 640 + x] >> 16) & 255; };
    for (int y : {62, 189}) EXPECT_GT(red(320, y), 140u) << y;
    for (int x : {19, 620}) EXPECT_GT(red(x, 120), 140u) << x;
    for (int y : {63, 188}) EXPECT_LT(red(320, y), 60u) << y;
    for (int x : {20, 619}) EXPECT_LT(red(x, 120), 60u) << x;

    WinLastStage(26, 0);  // thirteen lines, none of them blank
    // frame 20: line 0 rises through the bottom edge; frame 520: line 0 leaves through the
    // top edge while line 4 enters through the bottom one
    int shown = 0;
    for (int frames : {20, 500}) {
        Frames(frames);
        const std::vector<uint32_t> screen = Capture();
        EXPECT_TRUE(SameRegion(screen, picture, 0, 0, 640, 63)) << sceneTimer;
        EXPECT_TRUE(SameRegion(screen, picture, 0, 189, 640, 14)) << sceneTimer;  // above the route map
        EXPECT_TRUE(SameRegion(screen, picture, 0, 63, 20, 126)) << sceneTimer;
        EXPECT_TRUE(SameRegion(screen, picture, 620, 63, 20, 126)) << sceneTimer;
        shown += !SameRegion(screen, picture, 20, 63, 600, 126);
    }
    EXPECT_EQ(shown, 2);  // and inside the window, text
}

TEST_F(Ending, ScrollStopsAtMinusAThousand) {
    WinLastStage(28, 0);
    SetDrawingEnabled(false);
    Frames(4769);  // 192 - 0.25 * 4768 = -1000
    SetDrawingEnabled(true);
    EXPECT_FLOAT_EQ(endingScrollY, -1000.0f);
    EXPECT_EQ(currentScene, SceneEnding);
}

TEST_F(Ending, SkipAndLeaveTakeTwoSeparatePresses) {
    WinLastStage(23, 1500, PadButton1);  // fire held from the last play frame
    Frames(100, PadButton1);
    EXPECT_EQ(sceneTimer, 100);  // a held button does not skip
    Frame();
    PlayMusicFile("data/Sound11.mp3", 1);
    bool musicWasOn = CurrentMusicFile()[0] != '\0';
    Frame(PadButton1);
    EXPECT_EQ(sceneTimer, 9999);
    EXPECT_FLOAT_EQ(endingScrollY, -1000.0f);
    Frames(30, PadButton1);  // still the same press
    EXPECT_EQ(currentScene, SceneEnding);
    EXPECT_EQ(sceneTimer, 9999);
    EXPECT_FLOAT_EQ(endingScrollY, -1000.0f);
    Frame();
    Frame(PadButton1);
    EXPECT_EQ(currentScene, SceneRanking);
    EXPECT_EQ(stagePhase, 0);
    if (musicWasOn) {
        EXPECT_STREQ(CurrentMusicFile(), "");
    }
    Frame();
    EXPECT_EQ(sceneJustEntered, 1);
    EXPECT_EQ(newRankIndex, 9);  // the ranking marks the run's row
}

}  // namespace

// Every line of every epilogue, in every language, measured in the ending's text settings:
// inside the window with its shadow, and no more lines than the ending holds.
TEST_F(Ending, EveryEpilogueFitsTheWindowInEveryLanguage) {
    static char lines[kEndingLines][kEndingLineBytes];
    SetTextSize(14);
    SetTextWeight(5);
    SetTextStyle(2);
    ASSERT_GT(Measure("Zorbex", nullptr), 0) << "no font to measure with";
    for (int32_t l = 0; l < LanguageCount(); l++) {
        for (int e = 0; e < kEpilogueCount; e++) {
            SCOPED_TRACE(std::string(LanguageCode(l)) + " " + kEpilogueFiles[e]);
            int32_t count = 0;
            EXPECT_TRUE(LayOutEpilogue(l, kEpilogueFiles[e], FindLevelText(kEpilogueFiles[e]), Measure,
                                       nullptr, lines, &count));
            EXPECT_GE(count, kLayouts[e].lineCount);
            for (int k = 0; k < count; k++) {
                const int32_t w = Measure(lines[k], nullptr);
                const int32_t x = (640 - w) / 2;
                EXPECT_LE(w, kEndingTextWidth) << k;
                EXPECT_GE(x, 20) << k;
                EXPECT_LE(x + w + 3, 620) << k;  // the shadow too
                EXPECT_NE(lines[k][0], ' ') << k;
            }
        }
    }
}

TEST_F(Ending, TheJapaneseEndingIsTheWrittenTextLineForLine) {
    SetLanguage("ja");
    WinLastStage(22, 0);
    Frame();
    // the layout of the writing: nothing was broken
    for (int k : {0, 1, 3, 6, 7, 8, 9}) EXPECT_STRNE(shownEndingText[k], "") << k;
    for (int k : {2, 4, 5, 10}) EXPECT_STREQ(shownEndingText[k], "") << k;
    char expected[kEndingLineBytes];
    Utf8ToShiftJis("「……やったのか」", expected, sizeof expected);
    EXPECT_STREQ(shownEndingText[3], expected);
}

// The language is the player's, never the run's: the state hash sees the written text, the
// screen shows the player's language, and a change shows at once.
TEST_F(Ending, TheLanguageChangesTheWordsShownAndNothingElse) {
    SetLanguage("ja");
    WinLastStage(25, 0);
    Frames(200);
    static char japanese[kEndingLines][kEndingLineBytes];
    std::memcpy(japanese, shownEndingText, sizeof japanese);
    const float scrolled = endingScrollY;

    SetLanguage("en");
    Frame();
    EXPECT_FLOAT_EQ(endingScrollY, scrolled - 0.25f);  // the scroll goes on where it was
    EXPECT_STREQ(shownEndingText[2], "\"There's no enemy you can't catch.\"");
    EXPECT_EQ(std::memcmp(endingText, japanese, sizeof japanese), 0);
    SetLanguage("ja");
    Frame();
    EXPECT_EQ(std::memcmp(shownEndingText, japanese, sizeof japanese), 0);
}
