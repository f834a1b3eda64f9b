// Fuzzes the catalogue reader: a compiled catalogue (.mo) of any length and contents, opened
// and searched for keys it holds and keys it does not.
#include <cstdint>
#include <cstring>
#include <vector>

#include "shell/language_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // a copy of exactly `size` bytes, so that reading past it is caught
    std::vector<uint8_t> file(data, data + size);
    Catalogue c;
    if (!OpenCatalogue(file.data(), file.size(), &c)) {
        if (c.count != 0 || c.data != nullptr) __builtin_trap();  // refused means empty
        return 0;
    }
    const char* inside = reinterpret_cast<const char*>(file.data());
    auto check = [&](const char* found) {
        if (!found) return;
        if (found < inside || found >= inside + size) __builtin_trap();
        if (!std::memchr(found, 0, size_t(inside + size - found))) __builtin_trap();
    };
    check(FindInCatalogue(c, "", 0));
    check(FindInCatalogue(c, "PAUSE", 5));
    check(FindInCatalogue(c, "endings/stage22.txt\4The", 23));
    // the file's own bytes as a key, so that hits happen too
    const size_t keyLength = size < 64 ? size : 64;
    check(FindInCatalogue(c, inside + size - keyLength, keyLength));
    return 0;
}
