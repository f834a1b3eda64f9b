// A compiled gettext catalogue (msgfmt's .mo file) read in place: the same small reader in
// the desktop and the browser build, so both find the very same words.
#pragma once

#include <cstddef>
#include <cstdint>

struct Catalogue {
    const uint8_t* data = nullptr;
    size_t size = 0;
    uint32_t count = 0;         // entries, the header's empty msgid among them
    uint32_t originals = 0;     // offset of the table of msgids
    uint32_t translations = 0;  // offset of the table of msgstrs
    bool swapped = false;       // written on a machine of the other byte order
};

constexpr size_t kMaxCatalogueBytes = size_t(1) << 24;

// Checks the whole file once: every string inside it and NUL-terminated, the msgids in the
// sorted order msgfmt writes. False for anything else; `out` is then left empty.
bool OpenCatalogue(const void* data, size_t size, Catalogue* out);

// The msgstr of `key` (msgid, or msgctxt, '\4', msgid), nullptr when the catalogue has none
// or it is empty. A plural entry gives its first form.
const char* FindInCatalogue(const Catalogue& catalogue, const char* key, size_t keyLength);

// The catalogues compiled from po/*.po at build time and built into the program, sorted by
// their language codes (cmake/Catalogues.cmake).
struct EmbeddedCatalogue {
    const char* code;  // "en", "ja": the .po file's name
    const unsigned char* data;
    size_t size;
};
extern const EmbeddedCatalogue kEmbeddedCatalogues[];
extern const int kEmbeddedCatalogueCount;
