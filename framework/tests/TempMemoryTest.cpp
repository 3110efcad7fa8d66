#include "xlf/TempMemory.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

using xlf::TempMemory;

namespace {

// Runs f on a thread of its own and waits for it.
template <class F> void OnFreshThread(F f) {
    std::thread t(f);
    t.join();
}

bool AllZero(const void* p, std::size_t n) {
    const auto* bytes = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(TempMemory, BlocksGrowByHalfOrByTheRequestPlusSlack) {
    OnFreshThread([] {
        // A first large request: the first block of 8192 bytes, then one of
        // max(12288, 0 + 10000 + 4096) bytes, whose start is returned.
        void* first = TempMemory::GetMemory(10000);
        auto s = TempMemory::Inspect();
        EXPECT_EQ(s.blockSizes, (std::vector<std::size_t>{14096, 8192}));
        EXPECT_EQ(s.offset, 10000u);
        EXPECT_TRUE(AllZero(first, 10000));

        // 15008 > 14096: the next block is max(14096 * 3 / 2, 10000 + 5008 + 4096).
        TempMemory::GetMemory(5008);
        s = TempMemory::Inspect();
        EXPECT_EQ(s.blockSizes, (std::vector<std::size_t>{21144, 14096, 8192}));
        EXPECT_EQ(s.offset, 5008u);

        // A request that fits is taken from the newest block.
        auto* a = static_cast<char*>(TempMemory::GetMemory(32));
        auto* b = static_cast<char*>(TempMemory::GetMemory(32));
        EXPECT_EQ(b - a, 32);
        EXPECT_EQ(TempMemory::Inspect().offset, 5072u);
    });
}

TEST(TempMemory, EveryAddressSuitsAnyRecord) {
    OnFreshThread([] {
        TempMemory::GetMemory(3);
        void* p = TempMemory::GetMemory(8);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % alignof(std::max_align_t), 0u);
    });
}

TEST(TempMemory, OutermostEntryKeepsOnlyTheNewestBlockAndZeroesWhatItHandsOutAgain) {
    OnFreshThread([] {
        TempMemory::EnterScope();
        auto* first = static_cast<unsigned char*>(TempMemory::GetMemory(100));
        std::memset(first, 0xFF, 100);
        TempMemory::GetMemory(9000);
        EXPECT_EQ(TempMemory::Inspect().blockSizes.size(), 2u);
        TempMemory::LeaveScope();

        TempMemory::EnterScope();
        auto s = TempMemory::Inspect();
        EXPECT_EQ(s.blockSizes, (std::vector<std::size_t>{13216}));
        EXPECT_EQ(s.offset, 0u);
        EXPECT_EQ(s.scopeDepth, 1);
        // The newest block is handed out again from its start, zero-filled.
        auto* again = static_cast<unsigned char*>(TempMemory::GetMemory(100));
        EXPECT_TRUE(AllZero(again, 100));
        TempMemory::LeaveScope();
        EXPECT_EQ(TempMemory::Inspect().scopeDepth, 0);
    });
}

TEST(TempMemory, MemoryOfANestedScopeSurvivesUntilTheNextOutermostEntry) {
    OnFreshThread([] {
        TempMemory::EnterScope();
        TempMemory::EnterScope();
        auto* inner = static_cast<char*>(TempMemory::GetMemory(16));
        std::strcpy(inner, "nested result");
        TempMemory::LeaveScope();
        // Entering again while the outer scope is open resets nothing.
        TempMemory::EnterScope();
        EXPECT_STREQ(inner, "nested result");
        EXPECT_EQ(TempMemory::Inspect().scopeDepth, 2);
        TempMemory::LeaveScope();
        TempMemory::LeaveScope();
        EXPECT_STREQ(inner, "nested result");
        EXPECT_GT(TempMemory::Inspect().offset, 0u);

        TempMemory::EnterScope();
        EXPECT_EQ(TempMemory::Inspect().offset, 0u);
        TempMemory::LeaveScope();
    });
}

TEST(TempMemory, ThreadsHaveTheirOwnMemory) {
    auto* mine = static_cast<int*>(TempMemory::GetMemory(sizeof(int)));
    *mine = 42;
    OnFreshThread([] {
        TempMemory::EnterScope();
        EXPECT_EQ(TempMemory::Inspect().blockSizes, (std::vector<std::size_t>{}));
        TempMemory::GetMemory(64);
        TempMemory::LeaveScope();
    });
    EXPECT_EQ(*mine, 42);
}

TEST(TempMemory, EndedThreadsAreDroppedWhileRunningThreadsKeepTheirs) {
    // A thread that keeps running until told to end.
    std::mutex m;
    std::condition_variable cv;
    bool registered = false;
    bool finish = false;
    std::thread runner([&] {
        TempMemory::GetMemory(16);
        std::unique_lock lock(m);
        registered = true;
        cv.notify_all();
        cv.wait(lock, [&] { return finish; });
    });
    {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return registered; });
    }

    OnFreshThread([] { TempMemory::GetMemory(16); }); // registers, then ends
    const std::size_t withEnded = TempMemory::RegisteredThreads();

    // A new thread drops the ended one and adds itself; the runner stays.
    OnFreshThread([] { TempMemory::GetMemory(16); });
    EXPECT_EQ(TempMemory::RegisteredThreads(), withEnded);

    {
        std::lock_guard lock(m);
        finish = true;
    }
    cv.notify_all();
    runner.join();
    // Now the runner and the previous thread have ended: both are dropped.
    OnFreshThread([] { TempMemory::GetMemory(16); });
    EXPECT_EQ(TempMemory::RegisteredThreads(), withEnded - 1);
}

TEST(TempMemory, FreeAllReleasesEveryThreadsBlocks) {
    TempMemory::GetMemory(64);
    EXPECT_FALSE(TempMemory::Inspect().blockSizes.empty());
    TempMemory::FreeAll();
    auto s = TempMemory::Inspect();
    EXPECT_TRUE(s.blockSizes.empty());
    EXPECT_EQ(s.offset, 0u);
    // Memory can be taken again afterwards.
    EXPECT_TRUE(AllZero(TempMemory::GetMemory(64), 64));
}
