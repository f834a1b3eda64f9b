// Names of the program's functions, read from its own ELF symbol table, so that a
// function slot hashes by what it is and not by where this build put it.
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "shell/state_hash.h"
#include "shell/state_hash_internal.h"

namespace {

struct FunctionSymbol {
    uintptr_t address;  // as linked; the load bias is added at lookup
    uint64_t identity;  // digest of "file:name" for file-local symbols, "name" otherwise
    uint32_t nameOffset;
};

std::vector<FunctionSymbol> symbols;
std::string symbolNames;  // NUL-separated names the table points into
uintptr_t loadBias;
bool prepared;

bool ReadAt(int fd, uint64_t offset, void* out, size_t size) {
    char* p = static_cast<char*>(out);
    while (size > 0) {
        ssize_t n = pread(fd, p, size, static_cast<off_t>(offset));
        if (n <= 0) return false;
        p += n;
        offset += static_cast<uint64_t>(n);
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The first object dl_iterate_phdr reports is the program itself.
int TakeProgramBias(dl_phdr_info* info, size_t, void* out) {
    *static_cast<uintptr_t*>(out) = info->dlpi_addr;
    return 1;
}

uint64_t DigestText(const char* a, const char* b) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (const char* s : {a, b}) {
        if (!s) continue;
        for (; *s; s++) {
            h ^= static_cast<unsigned char>(*s);
            h *= 1099511628211ull;
        }
        h ^= ':';
        h *= 1099511628211ull;
    }
    return h;
}

const char* StringAt(const std::vector<char>& table, uint32_t offset) {
    if (offset >= table.size()) return "";
    const char* s = table.data() + offset;
    // the table is only trusted up to its last NUL
    if (!std::memchr(s, 0, table.size() - offset)) return "";
    return s;
}

void LoadSymbols() {
    int fd = open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    Elf64_Ehdr eh;
    if (!ReadAt(fd, 0, &eh, sizeof eh) || std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 ||
        eh.e_ident[EI_CLASS] != ELFCLASS64 || eh.e_shentsize != sizeof(Elf64_Shdr)) {
        close(fd);
        return;
    }
    std::vector<Elf64_Shdr> sections(eh.e_shnum);
    if (!ReadAt(fd, eh.e_shoff, sections.data(), sections.size() * sizeof(Elf64_Shdr))) {
        close(fd);
        return;
    }
    // the full table names file-local functions too; the dynamic one is the fallback
    const Elf64_Shdr* symtab = nullptr;
    for (const Elf64_Shdr& s : sections)
        if (s.sh_type == SHT_SYMTAB) symtab = &s;
    if (!symtab)
        for (const Elf64_Shdr& s : sections)
            if (s.sh_type == SHT_DYNSYM) symtab = &s;
    if (!symtab || symtab->sh_link >= sections.size() || symtab->sh_entsize != sizeof(Elf64_Sym)) {
        close(fd);
        return;
    }
    const Elf64_Shdr& strtab = sections[symtab->sh_link];
    std::vector<Elf64_Sym> syms(symtab->sh_size / sizeof(Elf64_Sym));
    std::vector<char> strings(strtab.sh_size);
    bool ok = ReadAt(fd, symtab->sh_offset, syms.data(), syms.size() * sizeof(Elf64_Sym)) &&
              ReadAt(fd, strtab.sh_offset, strings.data(), strings.size());
    close(fd);
    if (!ok) return;

    const char* file = nullptr;  // local symbols follow the STT_FILE entry of their source
    for (const Elf64_Sym& s : syms) {
        int type = ELF64_ST_TYPE(s.st_info);
        int bind = ELF64_ST_BIND(s.st_info);
        if (type == STT_FILE) {
            file = StringAt(strings, s.st_name);
            continue;
        }
        if (type != STT_FUNC || s.st_shndx == SHN_UNDEF || s.st_value == 0) continue;
        const char* name = StringAt(strings, s.st_name);
        if (!*name) continue;
        FunctionSymbol f;
        f.address = s.st_value;
        f.identity = DigestText(bind == STB_LOCAL ? file : nullptr, name);
        f.nameOffset = static_cast<uint32_t>(symbolNames.size());
        symbolNames.append(name);
        symbolNames.push_back('\0');
        symbols.push_back(f);
    }
    // where one address has several names, the smallest name speaks for it
    std::sort(symbols.begin(), symbols.end(), [](const FunctionSymbol& a, const FunctionSymbol& b) {
        if (a.address != b.address) return a.address < b.address;
        return std::strcmp(symbolNames.c_str() + a.nameOffset, symbolNames.c_str() + b.nameOffset) < 0;
    });
    symbols.erase(std::unique(symbols.begin(), symbols.end(),
                              [](const FunctionSymbol& a, const FunctionSymbol& b) {
                                  return a.address == b.address;
                              }),
                  symbols.end());
}

const FunctionSymbol* Find(uintptr_t address) {
    uintptr_t linked = address - loadBias;
    auto it = std::lower_bound(symbols.begin(), symbols.end(), linked,
                               [](const FunctionSymbol& f, uintptr_t a) { return f.address < a; });
    if (it == symbols.end() || it->address != linked) return nullptr;
    return &*it;
}

}  // namespace

void PrepareStateHash() {
    if (prepared) return;
    prepared = true;
    dl_iterate_phdr(TakeProgramBias, &loadBias);
    LoadSymbols();
}

const char* FunctionSlotName(ActorFn fn) {
    PrepareStateHash();
    const FunctionSymbol* f = Find(reinterpret_cast<uintptr_t>(reinterpret_cast<const void*>(fn)));
    return f ? symbolNames.c_str() + f->nameOffset : nullptr;
}

uint64_t FunctionIdentity(const void* fn) {
    if (!fn) return 0;
    const FunctionSymbol* f = Find(reinterpret_cast<uintptr_t>(fn));
    if (f) return f->identity;
    return 0x8000000000000000ull | (reinterpret_cast<uintptr_t>(fn) - loadBias);
}
