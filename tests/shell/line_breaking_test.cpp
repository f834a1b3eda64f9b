// Line breaking: English at spaces, Japanese between characters, kinsoku at both ends.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "shell/line_breaking.h"

namespace {

// Every character one unit wide, `width` units to a line.
int32_t CountCharacters(const char* text, int32_t bytes) {
    int32_t n = 0;
    for (int32_t i = 0; i < bytes; i++) n += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    return n;
}

std::vector<std::string> Break(const char* text, int32_t width) {
    std::vector<std::string> lines;
    auto fits = [](const char* t, int32_t bytes, void* context) {
        return CountCharacters(t, bytes) <= *static_cast<int32_t*>(context);
    };
    const char* p = text;
    while (*p && lines.size() < 100) {
        const LineBreak b = BreakLine(p, fits, &width);
        lines.emplace_back(p, size_t(b.lineBytes));
        EXPECT_GT(b.nextStart, 0);
        p += b.nextStart;
    }
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(LineBreaking, EnglishBreaksAtSpacesOnly) {
    EXPECT_EQ(Break("the quick brown fox", 19), (Lines{"the quick brown fox"}));
    EXPECT_EQ(Break("the quick brown fox", 10), (Lines{"the quick", "brown fox"}));
    EXPECT_EQ(Break("the quick  brown fox ", 15), (Lines{"the quick", "brown fox"}));
    EXPECT_EQ(Break("\"Mission complete.\" Zorbex", 20), (Lines{"\"Mission complete.\"", "Zorbex"}));
    // a word wider than the line is cut where it must be, never lost
    EXPECT_EQ(Break("abcdefghijkl mn", 5), (Lines{"abcde", "fghij", "kl mn"}));
}

TEST(LineBreaking, JapaneseBreaksBetweenCharacters) {
    EXPECT_EQ(Break("あいうえおかき", 3), (Lines{"あいう", "えおか", "き"}));
    EXPECT_EQ(Break("ゾルベクス Zorbex", 6), (Lines{"ゾルベクス", "Zorbex"}));
    EXPECT_EQ(Break("空はZorbexの", 6), (Lines{"空は", "Zorbex", "の"}));
}

TEST(LineBreaking, NoLineStartsWithClosingNorEndsWithOpeningPunctuation) {
    // 。 may not start a line: う goes down with it
    EXPECT_EQ(Break("あいう。えお", 3), (Lines{"あい", "う。え", "お"}));
    EXPECT_EQ(Break("あい、うえ", 2), (Lines{"あ", "い、", "うえ"}));
    EXPECT_EQ(Break("あいう」）えお", 3), (Lines{"あい", "う」）", "えお"}));
    EXPECT_EQ(Break("ちょっと", 3), (Lines{"ちょっ", "と"}));
    EXPECT_EQ(Break("スーパー", 1), (Lines{"ス", "ー", "パ", "ー"}));  // no choice: one character
    // 「 may not end a line: it goes down with what it opens
    EXPECT_EQ(Break("あい「うえ", 3), (Lines{"あい", "「うえ"}));
    EXPECT_EQ(Break("あい（う）", 3), (Lines{"あい", "（う）"}));
    // …… stays whole
    EXPECT_EQ(Break("あ……い", 2), (Lines{"あ", "……", "い"}));
    EXPECT_EQ(Break("「……やったのか」", 5), (Lines{"「……やっ", "たのか」"}));
}

TEST(LineBreaking, EveryLineOfAWrittenEpilogueBreaksByTheRules) {
    const char* text = "幾千の砲弾を放ち続けた塔は、自らの重みに耐えきれず崩れ落ちた。";
    for (int32_t width = 2; width <= 32; width++) {
        const Lines lines = Break(text, width);
        std::string joined;
        for (size_t i = 0; i < lines.size(); i++) {
            EXPECT_LE(CountCharacters(lines[i].c_str(), int32_t(lines[i].size())), width);
            if (i > 0) {
                EXPECT_NE(lines[i].rfind("、", 0), 0u) << width;
                EXPECT_NE(lines[i].rfind("。", 0), 0u) << width;
            }
            joined += lines[i];
        }
        EXPECT_EQ(joined, text) << width;
    }
}
