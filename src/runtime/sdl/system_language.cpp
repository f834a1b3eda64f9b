// The desktop's language preferences: the environment variables gettext reads, in its order
// (LANGUAGE may list several, separated by ':').
#include <cstdio>
#include <cstdlib>

#include "runtime/media.h"

void GetSystemLanguagePreferences(char* out, int size) {
    if (!out || size <= 0) return;
    out[0] = '\0';
    static const char* const kVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* name : kVariables) {
        const char* value = std::getenv(name);
        if (value && value[0]) {
            std::snprintf(out, size_t(size), "%s", value);
            return;
        }
    }
}
