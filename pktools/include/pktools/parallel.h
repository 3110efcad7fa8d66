#pragma once

// How a batch of work is shared among threads. The routines take a Parallel and never start
// a thread themselves: a worksheet cell runs on the host's thread alone (Serial), and a front
// end's batch form chooses Threads. Work is split by its index t alone, so that any count of
// threads gives the same bits.

#include <cstddef>
#include <exception>
#include <functional>
#include <thread>
#include <vector>

namespace pktools {

class Parallel {
public:
    virtual ~Parallel() = default;
    virtual unsigned threads() const = 0;
    // Calls work(t) for t = 0 ... threads() - 1 and returns when every call has; rethrows the
    // exception of the lowest t that threw, so that the outcome does not depend on timing.
    virtual void run(const std::function<void(unsigned)>& work) const = 0;
};

// The part [begin, end) of count items that share t of threads takes.
struct Share {
    std::size_t begin, end;
};
inline Share shareOf(std::size_t count, unsigned t, unsigned threads) {
    return {count * t / threads, count * (t + 1) / threads};
}

// The caller's thread alone.
class Serial final : public Parallel {
public:
    unsigned threads() const override { return 1; }
    void run(const std::function<void(unsigned)>& work) const override { work(0); }
};

// A number of threads, the first the caller's.
class Threads final : public Parallel {
public:
    explicit Threads(unsigned count) : count_(count > 0 ? count : 1) {}
    unsigned threads() const override { return count_; }
    void run(const std::function<void(unsigned)>& work) const override {
        std::vector<std::exception_ptr> failures(count_);
        auto guarded = [&](unsigned t) {
            try {
                work(t);
            } catch (...) {
                failures[t] = std::current_exception();
            }
        };
        std::vector<std::thread> helpers;
        for (unsigned t = 1; t < count_; ++t)
            helpers.emplace_back(guarded, t);
        guarded(0);
        for (std::thread& helper : helpers)
            helper.join();
        for (const std::exception_ptr& failure : failures)
            if (failure)
                std::rethrow_exception(failure);
    }

private:
    unsigned count_;
};

} // namespace pktools
