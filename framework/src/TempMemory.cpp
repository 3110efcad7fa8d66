#include "xlf/TempMemory.h"
#include "xlf/ThreadLocalStorage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace xlf {

namespace {

// The process-wide objects: the thread-local slot, the registry of every thread's memory
// and its lock. Built at the first use, on the first thread that calls in, so that a
// failure to get a slot is an error of that call rather than of loading the add-in.
struct Registry {
    ThreadLocalStorage<TempMemory> slot;
    platform::Lock lock;
    std::vector<std::shared_ptr<TempMemory>> memories;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

// The calling thread's memory as its slot holds it, kept at hand so that the slot is read
// once per thread rather than at every request of every call. A thread's memory outlives
// the thread's use of it: only the memories of ended threads are dropped, and FreeAll
// empties a memory without destroying it.
thread_local TempMemory* threadMemory = nullptr;

// A thread has ended only when its state can be read and says so.
bool HasEnded(const platform::ThreadWatch& watch) noexcept {
    return watch.State() == platform::ThreadState::Ended;
}

} // namespace

TempMemory::TempMemory(platform::ThreadWatch owner) : owner_(std::move(owner)) {}

TempMemory& TempMemory::OfCurrentThread() {
    if (threadMemory != nullptr) {
        return *threadMemory;
    }
    Registry& registry = TheRegistry();
    if (TempMemory* mine = registry.slot.Get()) {
        threadMemory = mine;
        return *mine;
    }
    auto memory = std::make_shared<TempMemory>(platform::ThreadWatch::OfCurrentThread());
    platform::LockGuard guard(registry.lock);
    auto& all = registry.memories;
    all.erase(
        std::remove_if(all.begin(), all.end(),
                       [](const std::shared_ptr<TempMemory>& m) { return HasEnded(m->owner_); }),
        all.end());
    all.push_back(memory);
    if (!registry.slot.Set(memory.get())) {
        all.pop_back();
        throw std::bad_alloc();
    }
    threadMemory = memory.get();
    return *memory;
}

void TempMemory::AddBlock(std::size_t size) {
    std::shared_ptr<char> bytes(CustomArrayDeleter::Allocate(size), CustomArrayDeleter());
    blocks_.push_front(Block{std::move(bytes), size});
}

void* TempMemory::Allocate(std::size_t size) {
    constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max() / 4;
    if (size > kMax) {
        throw std::bad_alloc();
    }
    size = (size + kAlignment - 1) / kAlignment * kAlignment;
    if (blocks_.empty()) {
        AddBlock(kFirstBlockSize);
    }
    Block& newest = blocks_.front();
    if (offset_ + size <= newest.size) {
        char* start = newest.bytes.get() + offset_;
        std::memset(start, 0, size);
        offset_ += size;
        return start;
    }
    AddBlock(std::max(newest.size * 3 / 2, offset_ + size + kGrowthSlack));
    char* start = blocks_.front().bytes.get();
    std::memset(start, 0, size);
    offset_ = size;
    return start;
}

void TempMemory::ReleaseAllButNewest() noexcept {
    if (blocks_.size() > 1) {
        blocks_.erase(blocks_.begin() + 1, blocks_.end());
    }
    offset_ = 0;
}

void* TempMemory::GetMemory(std::size_t size) {
    return OfCurrentThread().Allocate(size);
}

void TempMemory::EnterScope() {
    TempMemory& memory = OfCurrentThread();
    if (memory.scopeDepth_ == 0) {
        memory.ReleaseAllButNewest();
    }
    ++memory.scopeDepth_;
}

void TempMemory::LeaveScope() noexcept {
    if (threadMemory != nullptr) {
        --threadMemory->scopeDepth_;
        return;
    }
    try {
        if (TempMemory* memory = TheRegistry().slot.Get()) {
            --memory->scopeDepth_;
        }
    } catch (...) {
        // Without a slot no scope was ever entered.
    }
}

void TempMemory::FreeAll() noexcept {
    try {
        Registry& registry = TheRegistry();
        platform::LockGuard guard(registry.lock);
        for (auto& memory : registry.memories) {
            memory->blocks_.clear();
            memory->offset_ = 0;
        }
    } catch (...) {
        // Without a slot no memory was ever taken.
    }
}

TempMemory::Snapshot TempMemory::Inspect() {
    TempMemory& memory = OfCurrentThread();
    Snapshot snapshot;
    for (const Block& block : memory.blocks_) {
        snapshot.blockSizes.push_back(block.size);
    }
    snapshot.offset = memory.offset_;
    snapshot.scopeDepth = memory.scopeDepth_;
    return snapshot;
}

std::size_t TempMemory::RegisteredThreads() {
    Registry& registry = TheRegistry();
    platform::LockGuard guard(registry.lock);
    return registry.memories.size();
}

} // namespace xlf
