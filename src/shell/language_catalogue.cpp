// Reading msgfmt's .mo format: a header of 32-bit words, two tables of (length, offset)
// pairs, msgids sorted byte-wise so that a lookup is a binary search.
#include "shell/language_catalogue.h"

#include <cstring>

namespace {

constexpr uint32_t kMagic = 0x950412de;
constexpr uint32_t kMagicSwapped = 0xde120495;
constexpr size_t kHeaderBytes = 28;

uint32_t Word(const Catalogue& c, size_t at) {
    uint32_t w;
    std::memcpy(&w, c.data + at, 4);
    if (c.swapped) w = (w >> 24) | ((w >> 8) & 0xff00u) | ((w << 8) & 0xff0000u) | (w << 24);
    return w;
}

// The string of entry i in the table at `table`; false when it reaches outside the file or
// lacks the NUL msgfmt puts after it.
bool Entry(const Catalogue& c, uint32_t table, uint32_t i, const char** text, uint32_t* length) {
    const size_t at = size_t(table) + size_t(i) * 8;
    *length = Word(c, at);
    const uint32_t offset = Word(c, at + 4);
    if (size_t(offset) + *length >= c.size || c.data[size_t(offset) + *length] != 0) return false;
    *text = reinterpret_cast<const char*>(c.data + offset);
    return true;
}

int Compare(const char* a, size_t aLength, const char* b, size_t bLength) {
    const int r = std::memcmp(a, b, aLength < bLength ? aLength : bLength);
    if (r != 0) return r;
    return aLength < bLength ? -1 : aLength > bLength ? 1 : 0;
}

}  // namespace

bool OpenCatalogue(const void* data, size_t size, Catalogue* out) {
    *out = Catalogue();
    if (!data || size < kHeaderBytes || size > kMaxCatalogueBytes) return false;
    Catalogue c;
    c.data = static_cast<const uint8_t*>(data);
    c.size = size;
    const uint32_t magic = Word(c, 0);
    if (magic == kMagicSwapped) c.swapped = true;
    else if (magic != kMagic) return false;
    if ((Word(c, 4) >> 16) > 1) return false;  // a major revision this reader does not know
    c.count = Word(c, 8);
    c.originals = Word(c, 12);
    c.translations = Word(c, 16);
    const size_t tableBytes = size_t(c.count) * 8;
    if (c.count > size / 16 || size_t(c.originals) + tableBytes > size ||
        size_t(c.translations) + tableBytes > size)
        return false;
    const char* previous = nullptr;
    uint32_t previousLength = 0;
    for (uint32_t i = 0; i < c.count; i++) {
        const char *id, *str;
        uint32_t idLength, strLength;
        if (!Entry(c, c.originals, i, &id, &idLength) || !Entry(c, c.translations, i, &str, &strLength))
            return false;
        // sorted as msgfmt sorts them, by the singular msgid
        const uint32_t singular = uint32_t(strnlen(id, idLength));
        if (previous && Compare(previous, previousLength, id, singular) >= 0) return false;
        previous = id;
        previousLength = singular;
    }
    *out = c;
    return true;
}

const char* FindInCatalogue(const Catalogue& c, const char* key, size_t keyLength) {
    uint32_t lo = 0, hi = c.count;
    while (lo < hi) {
        const uint32_t mid = lo + (hi - lo) / 2;
        const char* id = "";
        uint32_t idLength = 0;
        Entry(c, c.originals, mid, &id, &idLength);  // every entry was checked on opening
        // a plural entry's msgid is "singular\0plural": the singular is what is looked up
        const size_t singular = strnlen(id, idLength);
        const int r = Compare(key, keyLength, id, singular);
        if (r == 0) {
            const char* str = "";
            uint32_t strLength = 0;
            Entry(c, c.translations, mid, &str, &strLength);
            return strLength > 0 ? str : nullptr;
        }
        if (r < 0) hi = mid;
        else lo = mid + 1;
    }
    return nullptr;
}
