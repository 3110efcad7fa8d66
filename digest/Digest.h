#pragma once

// The results digest: hashes of the bits the routines return, the same on every machine
// when the routines give the same bits there. scripts/test.sh compares the digests of the
// Linux, ARM64 and Windows builds.

#include <cstdint>
#include <string>
#include <string_view>

namespace digest {

// FNV-1a over 64-bit words and bytes. A number enters as its bit pattern, every NaN as the
// same one (the sign and payload of a NaN differ between CPUs and mean nothing).
class Hash {
public:
    void addWord(std::uint64_t word);
    void addNumber(double x);
    void addText(std::string_view text);
    std::string hex() const; // 16 hex digits

private:
    std::uint64_t state_ = 0xcbf29ce484222325ULL;
};

// "pinned results <hash> (<cases> cases, <values> values)": every pinned case of the
// routines (pktools/tests/pinned_cases.h) with its name, length and values.
std::string PinnedResultsLine();

// "drug models <hash> (<rows> rows with Cl2Hyb)": every drug model over a grid of patients
// (ages, weights, heights and both sexes, their lean body mass, the models' flags) and the
// hybrid constants of each row.
std::string DrugModelsLine();

} // namespace digest
