// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A large array mapped apart from the heap, the largest on huge pages where
// the system gives them. The finder's arrays are made and dropped with each
// opening of the window and each search; from the heap their memory would
// stay with the process in pieces, mapped it goes back whole. Huge pages
// spare the address cache a miss on every random lookup into them.

#include <cstddef>
#include <span>
#include <utility>

namespace finder {

class Block
{
public:
    Block() = default;
    Block(Block &&other) noexcept : base_(std::exchange(other.base_, nullptr)), length_(other.length_) {}
    Block &operator=(Block &&other) noexcept
    {
        std::swap(base_, other.base_);
        std::swap(length_, other.length_);
        return *this;
    }
    ~Block() { release(); }

    // Room for `count` of T, zeroed; what this block held before is gone.
    template <class T> std::span<T> make(size_t count)
    {
        return {static_cast<T *>(allocate(count * sizeof(T))), count};
    }

    // Has the kernel make the pages of `room` ready, zeroed and writable,
    // now rather than at their first touch; where it cannot, nothing changes.
    static void prepare(std::span<std::byte> room);

private:
    void *allocate(size_t bytes);
    void release();

    void *base_ = nullptr;
    size_t length_ = 0;
};

} // namespace finder
