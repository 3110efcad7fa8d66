#pragma once

// Per-thread bump memory. Every value record the framework hands the host, with its
// strings and arrays, is taken from here and never released one by one: a thread's memory
// is reset when that thread enters its next outermost worksheet-function call, so a result
// stays readable by the host after the function has returned.

#include "xlf/Platform.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <new>
#include <vector>

namespace xlf {

// Releases a block made with new char[].
// Blocks start at the strictest fundamental alignment, which the C runtime's allocator does
// not give everywhere (8 bytes on 32-bit Windows, where it is 16).
struct CustomArrayDeleter {
    static constexpr std::align_val_t kBlockAlignment{alignof(std::max_align_t)};
    static char* Allocate(std::size_t size) {
        return static_cast<char*>(::operator new[](size, kBlockAlignment));
    }
    void operator()(char* block) const noexcept { ::operator delete[](block, kBlockAlignment); }
};

class TempMemory {
public:
    // The first block of a thread.
    static constexpr std::size_t kFirstBlockSize = 8192;
    // Room added beyond a request that does not fit the newest block.
    static constexpr std::size_t kGrowthSlack = 4096;
    // Every request is rounded up to this, so that every returned address can hold any
    // record.
    static constexpr std::size_t kAlignment = alignof(std::max_align_t);

    // size zero-filled bytes of the calling thread's memory, valid until the thread's next
    // outermost EnterScope.
    static void* GetMemory(std::size_t size);
    template <class T> static T* Get(std::size_t count = 1) {
        return static_cast<T*>(GetMemory(sizeof(T) * count));
    }
    // The frame scope: the outermost entry resets the thread's memory.
    static void EnterScope();
    static void LeaveScope() noexcept;
    // Releases the memory of every thread.
    static void FreeAll() noexcept;

    // What the calling thread's memory looks like (block sizes newest first, the fill
    // offset, the scope counter); for checks and diagnostics.
    struct Snapshot {
        std::vector<std::size_t> blockSizes;
        std::size_t offset = 0;
        std::int32_t scopeDepth = 0;
    };
    static Snapshot Inspect();
    // The number of threads whose memory the registry holds.
    static std::size_t RegisteredThreads();

    explicit TempMemory(platform::ThreadWatch owner);

private:
    struct Block {
        std::shared_ptr<char> bytes;
        std::size_t size;
    };

    static TempMemory& OfCurrentThread();
    void* Allocate(std::size_t size);
    void AddBlock(std::size_t size);
    void ReleaseAllButNewest() noexcept;

    std::deque<Block> blocks_; // newest first
    std::size_t offset_ = 0;
    platform::ThreadWatch owner_;
    std::int32_t scopeDepth_ = 0;
};

// Enters the frame scope when built and leaves it when destroyed.
class FrameScope {
public:
    FrameScope() { TempMemory::EnterScope(); }
    ~FrameScope() { TempMemory::LeaveScope(); }
    FrameScope(const FrameScope&) = delete;
    FrameScope& operator=(const FrameScope&) = delete;
};

} // namespace xlf
