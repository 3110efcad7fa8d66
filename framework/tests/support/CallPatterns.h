#pragma once

// Calling patterns for the add-ins' wrappers beyond one call at a time: many threads at
// once, threads that start and end while others call, and a long run whose resident
// memory is measured.

#include "HostileRecords.h"
#include "xlf/TempMemory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace hostile {

// A result copied out of temporary memory, comparable bit for bit (NaN included).
struct Outcome {
    ResultKind kind = ResultKind::Null;
    std::vector<std::uint64_t> bits; // of the numbers
    std::u16string text;
    bool operator==(const Outcome&) const = default;
};

inline Outcome OutcomeOf(const XLOPER12* r) {
    Outcome o;
    o.kind = Classify(r);
    const auto bitsOf = [](double v) {
        std::uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    };
    if (o.kind == ResultKind::Number) {
        o.bits.push_back(bitsOf(r->val.num));
    } else if (o.kind == ResultKind::Column) {
        for (std::int32_t i = 0; i < r->val.array.rows; ++i) {
            o.bits.push_back(bitsOf(r->val.array.lparray[i].val.num));
        }
    } else if (o.kind == ResultKind::Text) {
        o.text.assign(r->val.str + 1, r->val.str[0]);
    }
    return o;
}

// The resident memory of the process, from /proc/self/statm.
inline std::size_t ResidentBytes() {
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) {
        return 0;
    }
    unsigned long size = 0, resident = 0;
    const int read = std::fscanf(f, "%lu %lu", &size, &resident);
    std::fclose(f);
    return read == 2 ? resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

// Each call made once on this thread: what every thread must get.
inline std::vector<Outcome> ExpectedOutcomes(const std::vector<PreparedCall>& calls) {
    std::vector<Outcome> expected;
    for (const PreparedCall& c : calls) {
        expected.push_back(OutcomeOf(c.wrapper->call(c.args)));
    }
    return expected;
}

// threads threads each make every call rounds times, starting at a different call, and
// compare each result with the expected one; returns the number of mismatches.
inline std::size_t CallFromManyThreadsAtOnce(const std::vector<PreparedCall>& calls,
                                             const std::vector<Outcome>& expected, int threads,
                                             int rounds) {
    std::atomic<std::size_t> mismatches{0};
    std::atomic<bool> go{false};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            while (!go.load()) {
                std::this_thread::yield();
            }
            for (int r = 0; r < rounds; ++r) {
                for (std::size_t k = 0; k < calls.size(); ++k) {
                    const std::size_t i = (k + static_cast<std::size_t>(t) * 7) % calls.size();
                    if (!(OutcomeOf(calls[i].wrapper->call(calls[i].args)) == expected[i])) {
                        ++mismatches;
                    }
                }
            }
        });
    }
    go = true;
    for (std::thread& t : pool) {
        t.join();
    }
    return mismatches;
}

// callers threads call without pause while batches of short-lived threads start, make a
// few calls each and end; returns the number of mismatches. Afterwards the registry of
// temporary memories holds no more than the threads alive at once plus the caller's.
inline std::size_t CallWhileThreadsComeAndGo(const std::vector<PreparedCall>& calls,
                                             const std::vector<Outcome>& expected, int callers,
                                             int batches, int batchSize) {
    std::atomic<std::size_t> mismatches{0};
    std::atomic<bool> stop{false};
    const auto callOnce = [&](std::size_t i) {
        if (!(OutcomeOf(calls[i].wrapper->call(calls[i].args)) == expected[i])) {
            ++mismatches;
        }
    };
    std::vector<std::thread> steady;
    for (int t = 0; t < callers; ++t) {
        steady.emplace_back([&, t] {
            for (std::size_t k = static_cast<std::size_t>(t); !stop.load(); ++k) {
                callOnce(k % calls.size());
            }
        });
    }
    for (int b = 0; b < batches; ++b) {
        std::vector<std::thread> batch;
        for (int t = 0; t < batchSize; ++t) {
            batch.emplace_back([&, b, t] {
                for (std::size_t k = 0; k < 3; ++k) {
                    callOnce((static_cast<std::size_t>(b * batchSize + t) + k) % calls.size());
                }
            });
        }
        for (std::thread& t : batch) {
            t.join();
        }
    }
    stop = true;
    for (std::thread& t : steady) {
        t.join();
    }
    return mismatches;
}

// The three call patterns every add-in is held to, as test bodies shared by the add-ins'
// suites. The calls' expected outcomes are those of one thread, computed beforehand.

// Eight threads call every wrapper at once; the outcomes cover columns, numbers and texts.
inline void ExpectManyThreadsToGetTheSingleThreadResults(const std::vector<PreparedCall>& calls,
                                                         const std::vector<Outcome>& expected) {
    std::size_t texts = 0;
    for (const Outcome& o : expected) {
        EXPECT_NE(o.kind, ResultKind::Null);
        texts += o.kind == ResultKind::Text;
    }
    EXPECT_GE(texts, 1u);
    EXPECT_EQ(CallFromManyThreadsAtOnce(calls, expected, 8, 20), 0u);
}

// Threads start and end while others call; a new thread's first call drops the memory of
// every thread that has ended.
inline void ExpectThreadsComingAndGoingToGetTheSameResults(const std::vector<PreparedCall>& calls,
                                                           const std::vector<Outcome>& expected) {
    EXPECT_EQ(CallWhileThreadsComeAndGo(calls, expected, 3, 30, 4), 0u);
    std::size_t registered = 0;
    std::thread([&] {
        calls.front().wrapper->call(calls.front().args);
        registered = xlf::TempMemory::RegisteredThreads();
    }).join();
    EXPECT_LE(registered, 2u + 3u + 4u);
}

// 100000 calls in a row: the same results throughout, and the resident memory flat after
// a warm-up.
inline void ExpectAHundredThousandCallsToLeaveTheMemoryFlat(const std::vector<PreparedCall>& calls,
                                                            const std::vector<Outcome>& expected) {
    constexpr int kCalls = 100000;
    constexpr int kWarmUp = 2000;
    std::size_t mismatches = 0;
    std::size_t before = 0;
    for (int k = 0; k < kCalls; ++k) {
        if (k == kWarmUp) {
            before = ResidentBytes();
        }
        const std::size_t i = static_cast<std::size_t>(k) % calls.size();
        if (!(OutcomeOf(calls[i].wrapper->call(calls[i].args)) == expected[i])) {
            ++mismatches;
        }
    }
    const std::size_t after = ResidentBytes();
    EXPECT_EQ(mismatches, 0u);
    ASSERT_GT(before, 0u);
    const long long growth = static_cast<long long>(after) - static_cast<long long>(before);
    std::printf("%d calls; resident memory %zu KiB after %d calls, %zu KiB at the end (growth %lld "
                "KiB)\n",
                kCalls, before / 1024, kWarmUp, after / 1024, growth / 1024);
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // The sanitizers keep freed memory in quarantine; their leak checks guard instead.
    GTEST_SKIP() << "resident memory is not measured under a sanitizer";
#else
    EXPECT_LT(growth, 8ll << 20) << "resident memory grew by more than 8 MiB";
#endif
}

} // namespace hostile
