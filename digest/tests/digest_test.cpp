// The hash the digests are made of: bits decide, except that every NaN counts as one.

#include "Digest.h"
#include "pinned_cases.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

std::string hashOfNumber(double x) {
    digest::Hash h;
    h.addNumber(x);
    return h.hex();
}

TEST(Digest, NumbersByTheirBitsAndEveryNanAsOne) {
    EXPECT_NE(hashOfNumber(0.0), hashOfNumber(-0.0));
    EXPECT_NE(hashOfNumber(1.0), hashOfNumber(std::nextafter(1.0, 2.0)));
    EXPECT_EQ(hashOfNumber(std::bit_cast<double>(0x7ff8000000000000ULL)),
              hashOfNumber(std::bit_cast<double>(0xfff8000000000001ULL))); // sign, payload
    EXPECT_NE(hashOfNumber(std::bit_cast<double>(0x7ff8000000000000ULL)),
              hashOfNumber(std::bit_cast<double>(0x7ff0000000000000ULL))); // NaN, inf
}

TEST(Digest, TextsWithTheirLengths) {
    digest::Hash a, b;
    a.addText("ab");
    a.addText("c");
    b.addText("a");
    b.addText("bc");
    EXPECT_NE(a.hex(), b.hex());
    EXPECT_EQ(a.hex().size(), 16u);
}

TEST(Digest, PinnedLineCountsEveryCase) {
    const std::string line = digest::PinnedResultsLine();
    EXPECT_EQ(line.rfind("pinned results ", 0), 0u) << line;
    EXPECT_NE(line.find("(" + std::to_string(pinned::cases().size()) + " cases, "),
              std::string::npos)
        << line;
}

} // namespace
