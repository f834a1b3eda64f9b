// The allocation counter of the test build: malloc replaced by counting pass-throughs,
// or the sanitizer's hook where the sanitizer owns malloc.
#include "allocation_counter.h"

#include <cstddef>

namespace {

thread_local bool counting;
thread_local int64_t allocations;

inline void Note() {
    if (counting) allocations++;
}

}  // namespace

void StartCountingAllocations() {
    allocations = 0;
    counting = true;
}

int64_t StopCountingAllocations() {
    counting = false;
    return allocations;
}

#if defined(__SANITIZE_ADDRESS__)
// from the sanitizer runtime (its header is not shipped with every compiler)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                                         void (*free_hook)(const volatile void*));

namespace {

void MallocHook(const volatile void*, size_t) { Note(); }
void FreeHook(const volatile void*) {}

// Installed before main (the runtime takes the pair or nothing); operator new goes
// through the sanitizer's malloc too.
const int installed = __sanitizer_install_malloc_and_free_hooks(MallocHook, FreeHook);

}  // namespace

#else

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);

// libstdc++'s operator new calls malloc, so these see every new as well.
void* malloc(size_t size) {
    Note();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    Note();
    return __libc_calloc(count, size);
}

void* realloc(void* p, size_t size) {
    Note();
    return __libc_realloc(p, size);
}

void* memalign(size_t alignment, size_t size) {
    Note();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
    Note();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
    Note();
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
    void* p = __libc_memalign(alignment, size);
    if (!p && size != 0) return 12;  // ENOMEM
    *out = p;
    return 0;
}
}

#endif
