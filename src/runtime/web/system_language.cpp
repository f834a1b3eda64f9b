// The browser's language preferences: navigator.languages, most wanted first.
#include "runtime/media.h"
#include "runtime/web/page.h"

void GetSystemLanguagePreferences(char* out, int size) {
    if (!out || size <= 0) return;
    out[0] = '\0';
    zorbex_page_languages(out, size);
}
