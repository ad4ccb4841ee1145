#include "HeapMeter.h"

#include <atomic>
#include <cerrno>
#include <malloc.h>

// glibc's own allocator, which the replacements below hand every call on to.
extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *block, std::size_t size);
void *__libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void *block);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<long long> inUse{0};
std::atomic<long long> highest{0};

void added(void *block)
{
    if (!block || !counting.load(std::memory_order_relaxed))
        return;
    const long long now =
        inUse.fetch_add(static_cast<long long>(malloc_usable_size(block)), std::memory_order_relaxed) +
        static_cast<long long>(malloc_usable_size(block));
    long long seen = highest.load(std::memory_order_relaxed);
    while (now > seen && !highest.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
}

// A block from before start() that goes while counting makes the figure a little low, never high.
void removed(void *block)
{
    if (block && counting.load(std::memory_order_relaxed))
        inUse.fetch_sub(static_cast<long long>(malloc_usable_size(block)), std::memory_order_relaxed);
}

} // namespace

void HeapMeter::start()
{
    inUse = 0;
    highest = 0;
    counting = true;
}

std::size_t HeapMeter::peak()
{
    counting = false;
    return static_cast<std::size_t>(highest.load());
}

extern "C" {

void *malloc(std::size_t size)
{
    void *block = __libc_malloc(size);
    added(block);
    return block;
}

void *calloc(std::size_t count, std::size_t size)
{
    void *block = __libc_calloc(count, size);
    added(block);
    return block;
}

void *realloc(void *block, std::size_t size)
{
    const std::size_t before = block ? malloc_usable_size(block) : 0;
    void *moved = __libc_realloc(block, size);
    if (moved && counting.load(std::memory_order_relaxed)) {
        inUse.fetch_sub(static_cast<long long>(before), std::memory_order_relaxed);
        added(moved);
    }
    return moved;
}

void free(void *block)
{
    removed(block);
    __libc_free(block);
}

void *memalign(std::size_t alignment, std::size_t size)
{
    void *block = __libc_memalign(alignment, size);
    added(block);
    return block;
}

void *aligned_alloc(std::size_t alignment, std::size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void **result, std::size_t alignment, std::size_t size)
{
    void *block = memalign(alignment, size);
    if (!block)
        return ENOMEM;
    *result = block;
    return 0;
}

void *valloc(std::size_t size)
{
    return memalign(4096, size);
}

void *pvalloc(std::size_t size)
{
    return memalign(4096, (size + 4095) & ~std::size_t(4095));
}
}
