// Languages: the catalogue reader, the catalogues built in, and the choice of language by
// the system's preferences and by the setting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "shell/language.h"
#include "shell/language_catalogue.h"
#include "stages/level_texts.h"
#include "scenes/ending_texts.h"

namespace {

void Put32(std::string* out, uint32_t w, bool swapped) {
    if (swapped) w = (w >> 24) | ((w >> 8) & 0xff00u) | ((w << 8) & 0xff0000u) | (w << 24);
    out->append(reinterpret_cast<const char*>(&w), 4);
}

// A .mo file as msgfmt lays it out, of (msgid, msgstr) pairs given in order.
std::string MakeMo(const std::vector<std::pair<std::string, std::string>>& entries, bool swapped = false) {
    const uint32_t n = uint32_t(entries.size());
    const uint32_t originals = 28, translations = originals + 8 * n;
    uint32_t at = translations + 8 * n;
    std::string head, tables[2], strings;
    for (int t = 0; t < 2; t++)
        for (const auto& e : entries) {
            const std::string& s = t == 0 ? e.first : e.second;
            Put32(&tables[t], uint32_t(s.size()), swapped);
            Put32(&tables[t], at, swapped);
            strings += s;
            strings += '\0';
            at += uint32_t(s.size()) + 1;
        }
    for (uint32_t w : {0x950412deu, 0u, n, originals, translations, 0u, 0u}) Put32(&head, w, swapped);
    return head + tables[0] + tables[1] + strings;
}

// Restores the language and the locale variables a test changed.
class Languages : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kVariables) {
            const char* v = std::getenv(name);
            saved.emplace_back(name, v ? v : "");
            had.push_back(v != nullptr);
            unsetenv(name);
        }
        language = LanguageCode(CurrentLanguage());
    }
    void TearDown() override {
        for (size_t i = 0; i < saved.size(); i++) {
            if (had[i]) setenv(saved[i].first.c_str(), saved[i].second.c_str(), 1);
            else unsetenv(saved[i].first.c_str());
        }
        SetLanguage(language.c_str());
    }
    static constexpr const char* kVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<std::string, std::string>> saved;
    std::vector<bool> had;
    std::string language;
};

}  // namespace

TEST(CatalogueReader, FindsEntriesInEitherByteOrder) {
    for (bool swapped : {false, true}) {
        const std::string mo = MakeMo({{"", "header"}, {"ABOUT", "about"}, {"START", "始める"},
                                       {"ctx\4START", "in context"}, {"empty", ""}}, swapped);
        Catalogue c;
        ASSERT_TRUE(OpenCatalogue(mo.data(), mo.size(), &c)) << swapped;
        EXPECT_STREQ(FindInCatalogue(c, "START", 5), "始める");
        EXPECT_STREQ(FindInCatalogue(c, "ABOUT", 5), "about");
        EXPECT_STREQ(FindInCatalogue(c, "ctx\4START", 9), "in context");
        EXPECT_EQ(FindInCatalogue(c, "STAR", 4), nullptr);
        EXPECT_EQ(FindInCatalogue(c, "STARTS", 6), nullptr);
        EXPECT_EQ(FindInCatalogue(c, "empty", 5), nullptr);  // untranslated: the msgid is used
    }
}

TEST(CatalogueReader, RefusesDamagedFiles) {
    const std::string good = MakeMo({{"", "h"}, {"A", "a"}, {"B", "b"}});
    Catalogue c;
    ASSERT_TRUE(OpenCatalogue(good.data(), good.size(), &c));
    // every cut of the file: the strings at its end go missing
    for (size_t size = 0; size < good.size(); size++)
        EXPECT_FALSE(OpenCatalogue(good.data(), size, &c)) << size;
    EXPECT_EQ(c.count, 0u);
    std::string bad = good;
    bad[0] = 'x';  // not a catalogue
    EXPECT_FALSE(OpenCatalogue(bad.data(), bad.size(), &c));
    bad = good;
    bad.back() = 'x';  // the last string loses its NUL
    EXPECT_FALSE(OpenCatalogue(bad.data(), bad.size(), &c));
    bad = MakeMo({{"", "h"}, {"B", "b"}, {"A", "a"}});  // not sorted: a search would miss
    EXPECT_FALSE(OpenCatalogue(bad.data(), bad.size(), &c));
    bad = good;
    bad[8] = '\x7f';  // a count far beyond the file
    EXPECT_FALSE(OpenCatalogue(bad.data(), bad.size(), &c));
    bad = good;
    bad[7] = 2;  // a major revision from the future
    EXPECT_FALSE(OpenCatalogue(bad.data(), bad.size(), &c));
}

TEST(Catalogues, EnglishAndJapaneseAreBuiltIn) {
    ASSERT_GE(LanguageCount(), 2);
    EXPECT_GE(FindLanguageCode("en"), 0);
    EXPECT_GE(FindLanguageCode("ja"), 0);
    EXPECT_EQ(FindLanguageCode("xx"), -1);
    EXPECT_STREQ(TrInLanguage(FindLanguageCode("ja"), "endings/stage24.txt", "...and it was all just a long dream."),
                 "……という、長い夢を見ていた。");
    EXPECT_STREQ(TrInLanguage(FindLanguageCode("en"), "endings/stage24.txt", "...and it was all just a long dream."),
                 "...and it was all just a long dream.");
    EXPECT_STREQ(TrInLanguage(FindLanguageCode("ja"), "endings/stage22.txt", "...and it was all just a long dream."),
                 "...and it was all just a long dream.");  // another context: not found, the msgid
    EXPECT_STREQ(Tr("a text no catalogue has"), "a text no catalogue has");
}

// Every line of every epilogue has its translation in every catalogue.
TEST(Catalogues, EveryEpilogueLineIsTranslatedInEveryLanguage) {
    for (int32_t l = 0; l < LanguageCount(); l++) {
        for (const char* file : kEpilogueFiles) {
            std::string text = FindLevelText(file);
            size_t at = 0;
            while (at < text.size()) {
                size_t end = text.find('\n', at);
                if (end == std::string::npos) end = text.size();
                const std::string line = text.substr(at, end - at);
                at = end + 1;
                if (line.empty()) continue;
                EXPECT_NE(TrInLanguage(l, file, line.c_str()), TrInLanguage(l, "none", line.c_str()))
                    << LanguageCode(l) << " " << file << ": " << line;
            }
        }
    }
}

TEST(LanguageChoice, PreferencesPickJapaneseForJapaneseAndEnglishOtherwise) {
    EXPECT_STREQ(LanguageFromPreferences("ja_JP.UTF-8"), "ja");
    EXPECT_STREQ(LanguageFromPreferences("ja-JP:en-US"), "ja");
    EXPECT_STREQ(LanguageFromPreferences("JA"), "ja");
    EXPECT_STREQ(LanguageFromPreferences("fr_FR:ja_JP"), "ja");  // the first the game has
    EXPECT_STREQ(LanguageFromPreferences("en_GB.UTF-8:ja"), "en");
    EXPECT_STREQ(LanguageFromPreferences("de_DE.UTF-8@euro"), "en");
    EXPECT_STREQ(LanguageFromPreferences("C"), "en");
    EXPECT_STREQ(LanguageFromPreferences("jam"), "en");  // a prefix is not the language
    EXPECT_STREQ(LanguageFromPreferences(""), "en");
    EXPECT_STREQ(LanguageFromPreferences(nullptr), "en");
    EXPECT_STREQ(LanguageFromPreferences("::-:_ja"), "en");
}

TEST_F(Languages, TheSystemsLocalePicksTheLanguageAndTheSettingOverridesIt) {
    setenv("LANG", "ja_JP.UTF-8", 1);
    EXPECT_TRUE(ChooseLanguage("system"));
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "ja");
    setenv("LC_MESSAGES", "en_US.UTF-8", 1);  // before LANG
    ChooseLanguage("system");
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "en");
    setenv("LC_ALL", "ja_JP.UTF-8", 1);  // before LC_MESSAGES
    ChooseLanguage("system");
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "ja");
    setenv("LANGUAGE", "fr:en", 1);  // before all of them
    ChooseLanguage("system");
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "en");
    // the setting wins over the system, and takes effect at once
    const uint32_t changes = LanguageChanges();
    EXPECT_TRUE(ChooseLanguage("ja"));
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "ja");
    EXPECT_EQ(LanguageChanges(), changes + 1);
    EXPECT_TRUE(ChooseLanguage("ja"));
    EXPECT_EQ(LanguageChanges(), changes + 1);  // the same language again changes nothing
    EXPECT_TRUE(ChooseLanguage("en"));
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "en");
    // a value it does not know is the system's choice
    setenv("LANGUAGE", "ja", 1);
    EXPECT_FALSE(ChooseLanguage("klingon"));
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "ja");
    EXPECT_FALSE(SetLanguage("xx"));
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "ja");
    unsetenv("LANGUAGE");
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
    ChooseLanguage("system");  // no preference at all: English
    EXPECT_STREQ(LanguageCode(CurrentLanguage()), "en");
}
