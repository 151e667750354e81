// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/block.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace finder {

static constexpr size_t HugePage = size_t(2) << 20;
// Smaller arrays are not worth a huge page's rounding.
static constexpr size_t HugeFrom = size_t(2) << 20;

void Block::prepare(std::span<std::byte> room)
{
#if defined(MADV_POPULATE_WRITE)
    constexpr uintptr_t Page = 4096;
    const auto first = (reinterpret_cast<uintptr_t>(room.data()) + Page - 1) / Page * Page;
    const auto last = reinterpret_cast<uintptr_t>(room.data() + room.size()) / Page * Page;
    if (last > first)
        madvise(reinterpret_cast<void *>(first), last - first, MADV_POPULATE_WRITE); // older kernels refuse: no harm
#else
    (void)room;
#endif
}

void *Block::allocate(size_t bytes)
{
    release();
    const bool huge = bytes >= HugeFrom;
    const size_t unit = huge ? HugePage : 4096;
    bytes = (std::max<size_t>(bytes, 1) + unit - 1) / unit * unit;
#if __has_include(<sys/mman.h>)
    // With room to start on a huge page's edge.
    length_ = huge ? bytes + HugePage : bytes;
    base_ = mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base_ == MAP_FAILED) {
        base_ = nullptr;
        throw std::bad_alloc();
    }
    void *start = reinterpret_cast<void *>((reinterpret_cast<uintptr_t>(base_) + unit - 1) / unit * unit);
#ifdef MADV_HUGEPAGE
    if (huge)
        madvise(start, bytes, MADV_HUGEPAGE);
#endif
    return start; // a fresh mapping reads as zeroes
#else
    base_ = std::aligned_alloc(unit, bytes);
    if (!base_)
        throw std::bad_alloc();
    return std::memset(base_, 0, bytes);
#endif
}

void Block::release()
{
    if (!base_)
        return;
#if __has_include(<sys/mman.h>)
    munmap(base_, length_);
#else
    std::free(base_);
#endif
    base_ = nullptr;
}

} // namespace finder
