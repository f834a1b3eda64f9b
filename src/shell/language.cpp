// The player's language: the catalogues built into the program, the one in use, and the
// choice between them by setting or by the system's preferences.
#include "shell/language.h"

#include <cstring>

#include "runtime/media.h"
#include "shell/language_catalogue.h"

namespace {

constexpr int32_t kMaxLanguages = 16;
constexpr const char* kStartLanguage = "ja";  // the language the game was written in
constexpr const char* kFallbackLanguage = "en";
constexpr size_t kMaxKeyBytes = 1024;
constexpr int kPreferenceBytes = 512;

Catalogue languageCatalogues[kMaxLanguages];
int32_t languageCount = -1;  // -1: the catalogues are not opened yet
int32_t languageInUse = -1;
uint32_t languageChangeCount = 0;

void OpenCatalogues() {
    if (languageCount >= 0) return;
    languageCount = 0;
    for (int i = 0; i < kEmbeddedCatalogueCount && languageCount < kMaxLanguages; i++)
        // a damaged catalogue is left out: its language cannot be chosen, the others can
        if (OpenCatalogue(kEmbeddedCatalogues[i].data, kEmbeddedCatalogues[i].size,
                          &languageCatalogues[languageCount]))
            languageCount++;
    for (int32_t i = 0; i < languageCount; i++)
        if (std::strcmp(LanguageCode(i), kStartLanguage) == 0) languageInUse = i;
}

int32_t FindLanguage(const char* code, size_t length) {
    OpenCatalogues();
    for (int32_t i = 0; i < languageCount; i++) {
        const char* have = LanguageCode(i);
        if (std::strlen(have) != length) continue;
        bool same = true;
        for (size_t k = 0; k < length && same; k++) {
            char c = code[k];
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
            same = c == have[k];
        }
        if (same) return i;
    }
    return -1;
}

const char* Look(int32_t language, const char* key, size_t length, const char* otherwise) {
    OpenCatalogues();
    if (language < 0 || language >= languageCount) return otherwise;
    const char* found = FindInCatalogue(languageCatalogues[language], key, length);
    return found ? found : otherwise;
}

}  // namespace

int32_t LanguageCount() {
    OpenCatalogues();
    return languageCount;
}

// The languageCatalogues that opened keep the order of kEmbeddedCatalogues; find each one's code.
const char* LanguageCode(int32_t index) {
    OpenCatalogues();
    if (index < 0 || index >= languageCount) return "";
    for (int i = 0; i < kEmbeddedCatalogueCount; i++)
        if (kEmbeddedCatalogues[i].data == languageCatalogues[index].data) return kEmbeddedCatalogues[i].code;
    return "";
}

int32_t CurrentLanguage() {
    OpenCatalogues();
    return languageInUse;
}

bool SetLanguage(const char* code) {
    if (!code) return false;
    const int32_t i = FindLanguage(code, std::strlen(code));
    if (i < 0) return false;
    if (i != languageInUse) {
        languageInUse = i;
        languageChangeCount++;
    }
    return true;
}

int32_t FindLanguageCode(const char* code) { return code ? FindLanguage(code, std::strlen(code)) : -1; }

uint32_t LanguageChanges() { return languageChangeCount; }

const char* Tr(const char* msgid) {
    if (!msgid) return "";
    return Look(languageInUse, msgid, std::strlen(msgid), msgid);
}

const char* TrIn(const char* context, const char* msgid) {
    return TrInLanguage(languageInUse, context, msgid);
}

const char* TrInLanguage(int32_t language, const char* context, const char* msgid) {
    if (!msgid) return "";
    if (!context) return Look(language, msgid, std::strlen(msgid), msgid);
    // gettext keeps a context before its msgid, separated by an EOT byte
    char key[kMaxKeyBytes];
    const size_t c = std::strlen(context), m = std::strlen(msgid);
    if (c + 1 + m + 1 > sizeof key) return msgid;
    std::memcpy(key, context, c);
    key[c] = '\4';
    std::memcpy(key + c + 1, msgid, m + 1);
    return Look(language, key, c + 1 + m, msgid);
}

const char* LanguageFromPreferences(const char* preferences) {
    const char* p = preferences ? preferences : "";
    while (*p) {
        const char* end = std::strchr(p, ':');
        if (!end) end = p + std::strlen(p);
        // "ja_JP.UTF-8@euro", "ja-JP": the language is what comes before _ - . @
        size_t length = 0;
        while (p + length < end && std::strchr("_-.@", p[length]) == nullptr) length++;
        const int32_t i = length > 0 ? FindLanguage(p, length) : -1;
        if (i >= 0) return LanguageCode(i);
        p = *end ? end + 1 : end;
    }
    return kFallbackLanguage;
}

bool ChooseLanguage(const char* setting) {
    const bool known = setting && (std::strcmp(setting, "system") == 0 || FindLanguage(setting, std::strlen(setting)) >= 0);
    if (known && std::strcmp(setting, "system") != 0) return SetLanguage(setting);
    char preferences[kPreferenceBytes];
    GetSystemLanguagePreferences(preferences, kPreferenceBytes);
    SetLanguage(LanguageFromPreferences(preferences));
    return known;
}
