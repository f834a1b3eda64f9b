// The menus in every language: every text the front end draws with the glyph font has its
// characters in the font and fits the panel it is drawn in, measured as the font draws it.
#include "scenes/scene_flow.h"

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/media.h"
#include "scenes/screens.h"
#include "shell/assets.h"
#include "shell/language.h"
#include "shell/line_breaking.h"
#include "shell/settings.h"

namespace {

// Where a text goes: the widest it may be (its panel less margins and the cursor's room).
struct Room {
    const char* where;
    int width;
    std::vector<const char*> msgids;
};

// The panels of the screens (scenes/*_screen.cpp, title.cpp): a label runs from its x to the
// value's column, a value from there to the panel's edge, a centred line within the panel.
const std::vector<Room> kRooms = {
    {"title menu", 200 - 2 * 22, {"START", "PRACTICE", "REPLAYS", "OPTIONS", "HELP", "QUIT"}},
    {"title line", 620, {"DIFFICULTY: EASY", "DIFFICULTY: NORMAL", "DIFFICULTY: HARD"}},
    {"pause menu", 240 - 2 * 22, {"PAUSE", "RESUME", "RETRY", "OPTIONS", "QUIT TO TITLE", "QUIT GAME"}},
    {"quit question", 240 - 2 * 12, {"QUIT THE GAME?", "NO", "YES"}},
    {"options labels", 360 - 130 - 8,
     {"SCREEN", "WINDOW SCALE", "MUSIC VOLUME", "EFFECTS VOLUME", "DIFFICULTY", "LANGUAGE", "KEYBOARD",
      "PAD", "BACK", "FIRE", "BOMB", "CONTINUE", "PAUSE", "UP", "DOWN", "LEFT", "RIGHT",
      "RESET TO DEFAULTS"}},
    // a value is drawn between arrows while it can change
    {"options values", 90 + 460 - 360 - 8,
     {"WINDOW", "FULL SCREEN", "AUTO", "1X", "4X", "EASY", "NORMAL", "HARD", "SYSTEM", "ENGLISH", "日本語"}},
    {"screen notes", 460,
     {"OPTIONS", "KEYBOARD", "PAD", "A NEW DIFFICULTY COUNTS FROM THE NEXT RUN",
      "PRESS THE NEW KEY (ESCAPE KEEPS THE OLD ONE)", "A KEY ALREADY IN USE SWAPS PLACES",
      "PRESS A NEW BUTTON (ESCAPE KEEPS THE OLD)", "A BUTTON ALREADY IN USE SWAPS PLACES",
      "FIRE OR BOMB: BACK"}},
    {"practice and replays", 400, {"PRACTICE", "NOT HERE YET", "REPLAYS", "NOT HERE YET: USE ZORBEX-SIM --WATCH"}},
    {"help heading", 620 - 40, {"HELP", "ITEMS, LEFT BY THE CARRIERS YOU DESTROY:"}},
};

// The help's paragraphs, wrapped to the panel as the help screen wraps them: every line
// within it, and no paragraph taking more lines than the panel has room for.
const std::vector<const char*> kHelpParagraphs = {
    "S: SHOT. FOUR RAISE THE MAIN GUN A LEVEL", "M: MISSILES. FOUR RAISE THEM A LEVEL",
    "A: ARMS (ARM): ARMOUR THAT TAKES HITS FOR THE SHIP", "ONE BOMB MORE", "ONE SHIP MORE", "5000 POINTS",
    "A BLOW THAT HURTS EVERY ENEMY AND SHOT",
    "BOMB: BLASTS HURT EVERY ENEMY AND SHOT, AND NOTHING HITS THE SHIP MEANWHILE. THREE WITH EACH SHIP.",
    "ROUTE MAP: AFTER A STAGE PICK ONE OF TWO WITH UP OR DOWN AND FIRE. A RUN IS SEVEN STAGES; EACH LAST ONE "
    "HAS ITS ENDING.",
    "ESC: PAUSE IN A RUN, ELSE QUIT.  ALT+ENTER: FULL SCREEN", "ESC: PAUSE IN A RUN"};
constexpr int kHelpItemWidth = 620 - 80 - 20;  // the narrowest the help wraps to
constexpr int kHelpMostLines = 3;

bool FitsGlyphs(const char* text, int32_t bytes, void* width) {
    return MeasureGlyphText(std::string(text, size_t(bytes)).c_str()) <= *static_cast<int*>(width);
}

// The lines made from a translated format and the default keys' and buttons' names.
std::vector<std::pair<std::string, int>> FormattedLines() {
    char line[256];
    std::vector<std::pair<std::string, int>> out;
    std::snprintf(line, sizeof line, Tr("%s: FIRE   %s: BOMB   %s: CONTINUE   %s: PAUSE   ESC: QUIT"),
                  KeyLabel(KeyActionFire), KeyLabel(KeyActionBomb), KeyLabel(KeyActionContinue),
                  KeyLabel(KeyActionPause));
    out.emplace_back(line, 620);  // the title's line, centred on the screen
    std::snprintf(line, sizeof line, Tr("MOVE: %s %s %s %s"), KeyLabel(KeyActionUp), KeyLabel(KeyActionDown),
                  KeyLabel(KeyActionLeft), KeyLabel(KeyActionRight));
    out.emplace_back(line, 572);
    std::snprintf(line, sizeof line, Tr("FIRE: %s   BOMB: %s   CONTINUE: %s   PAUSE: %s"),
                  KeyLabel(KeyActionFire), KeyLabel(KeyActionBomb), KeyLabel(KeyActionContinue),
                  KeyLabel(KeyActionPause));
    out.emplace_back(line, 572);
    std::snprintf(line, sizeof line, Tr("PAD: FIRE %s   BOMB %s   CONTINUE %s   PAUSE %s"),
                  PadButtonLabel(PadActionFire), PadButtonLabel(PadActionBomb),
                  PadButtonLabel(PadActionContinue), PadButtonLabel(PadActionPause));
    out.emplace_back(line, 572);
    return out;
}

void ExpectDrawable(const std::string& text, int width, const char* where) {
    const char* p = text.c_str();
    while (*p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        uint32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (int i = 1; i < n; i++) cp = (cp << 6) | (static_cast<unsigned char>(p[i]) & 0x3F);
        EXPECT_TRUE(GlyphFontHas(cp)) << where << ": U+" << std::hex << cp << " of \"" << text << "\"";
        p += n;
    }
    EXPECT_LE(MeasureGlyphText(text.c_str()), width) << where << ": \"" << text << "\"";
}

class MenuLanguages : public SceneFlow {};

}  // namespace

TEST_F(MenuLanguages, EveryMenuTextIsInTheFontAndFitsItsPanelInEveryLanguage) {
    if (MissingAssetCount() > 0) GTEST_SKIP() << "pictures not generated";
    ASSERT_GT(MeasureGlyphText("START"), 0) << "no glyph font";
    const int32_t was = CurrentLanguage();
    for (int32_t l = 0; l < LanguageCount(); l++) {
        SetLanguage(LanguageCode(l));
        SCOPED_TRACE(LanguageCode(l));
        for (const Room& room : kRooms)
            for (const char* msgid : room.msgids) {
                // a value between its arrows, as the menu draws one that can change
                const std::string shown = std::string(room.where) == "options values"
                                              ? std::string("← ") + Tr(msgid) + " →"
                                              : std::string(Tr(msgid));
                ExpectDrawable(shown, room.width, room.where);
            }
        for (const auto& [line, width] : FormattedLines()) ExpectDrawable(line, width, "formatted line");
        for (const char* msgid : kHelpParagraphs) {
            const char* p = Tr(msgid);
            int width = kHelpItemWidth, lines = 0;
            while (*p) {
                const LineBreak b = BreakLine(p, FitsGlyphs, &width);
                ExpectDrawable(std::string(p, size_t(b.lineBytes)), kHelpItemWidth, "help paragraph");
                p += b.nextStart;
                lines++;
            }
            EXPECT_LE(lines, kHelpMostLines) << msgid;
        }
    }
    SetLanguage(LanguageCode(was));
}

// In Japanese the menus read Japanese: a catalogue that lost its menus would show English.
TEST_F(MenuLanguages, TheJapaneseMenusAreJapanese) {
    const int32_t was = CurrentLanguage();
    SetLanguage("ja");
    EXPECT_STREQ(Tr("START"), "スタート");
    EXPECT_STREQ(Tr("QUIT THE GAME?"), "ゲームを終了しますか？");
    SetLanguage("en");
    EXPECT_STREQ(Tr("START"), "START");
    SetLanguage(LanguageCode(was));
}
