#pragma once

// The pinned results: the simulation, TCI, decrement and peak routines on the benchmark
// schedules and a few more realistic ones. pinned_results_test.cpp compares a hash of each
// result's bits with the one recorded; the results digest (digest/) prints a hash of all of
// them, which must be the same on every machine. Host-free: any build of pktools runs them.

#include <functional>
#include <string>
#include <vector>

namespace pinned {

using Column = std::vector<double>;

struct Case {
    std::string name;
    std::function<Column()> compute;
};

// Every pinned case, in a fixed order; each name is unique.
const std::vector<Case>& cases();

// The case of that name computed; throws std::out_of_range for an unknown name.
Column result(const std::string& name);

// FNV-1a over the length and the bit pattern of every value, as 16 hex digits.
std::string bitsHash(const Column& values);

} // namespace pinned
