// The call by type that the stand-in host uses for worksheet functions: floats and
// pointers in every position the platform's calling convention treats differently (the
// four register positions of 64-bit Windows, the stack beyond them, 8-byte floats beside
// 4-byte pointers on 32-bit x86), up to the host's 255 arguments.

#include "standin/RawCall.h"
#include "xlf/HostApi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <utility>

using standin::CallRaw;
using standin::RawArgument;

namespace {

// Each argument contributes its value times its position, so that a value read from the
// wrong place or in the wrong order changes the sum.
double ValueOf(double x) {
    return x;
}
double ValueOf(const double* p) {
    return *p;
}

template <class... Ts> double XLF_PASCAL Weighted(Ts... xs) {
    double sum = 0;
    double position = 1;
    ((sum += position++ * ValueOf(xs)), ...);
    return sum;
}

template <class... Ts> const double* XLF_PASCAL PointerToLast(Ts... xs) {
    static thread_local double last = 0;
    ((last = ValueOf(xs)), ...);
    return &last;
}

// The arguments for a pattern: the k-th argument holds k + 0.5, as a float or through a
// pointer to a float.
template <class... Ts> struct Pattern {
    static constexpr std::size_t n = sizeof...(Ts);
    double storage[n > 0 ? n : 1] = {};
    std::vector<RawArgument> arguments;
    double expected = 0;
    Pattern() {
        constexpr bool isNumber[] = {std::is_same_v<Ts, double>..., false};
        for (std::size_t k = 0; k < n; ++k) {
            storage[k] = static_cast<double>(k) + 0.5;
            arguments.push_back(isNumber[k] ? RawArgument::Number(storage[k])
                                            : RawArgument::Pointer(&storage[k]));
            expected += static_cast<double>(k + 1) * storage[k];
        }
    }
};

template <class... Ts> void ExpectCallsAgree() {
    Pattern<Ts...> p;
    const double sum = CallRaw(reinterpret_cast<void*>(&Weighted<Ts...>), p.arguments, true).number;
    EXPECT_EQ(sum, p.expected) << sizeof...(Ts) << " arguments";
    if constexpr (sizeof...(Ts) > 0) {
        const auto* last = static_cast<const double*>(
            CallRaw(reinterpret_cast<void*>(&PointerToLast<Ts...>), p.arguments, false).pointer);
        EXPECT_EQ(*last, static_cast<double>(sizeof...(Ts)) - 0.5);
    }
}

using P = const double*;
using D = double;

template <class T, std::size_t> using Repeat = T;
template <std::size_t... I> void ExpectManyAgree(std::index_sequence<I...>) {
    // Alternating floats and pointers, then all floats.
    ExpectCallsAgree<std::conditional_t<I % 2 == 0, D, P>...>();
    ExpectCallsAgree<Repeat<D, I>...>();
}

} // namespace

TEST(RawCall, FloatsAndPointersInEveryRegisterPosition) {
    ExpectCallsAgree<>();
    ExpectCallsAgree<D>();
    ExpectCallsAgree<P>();
    ExpectCallsAgree<D, P>();
    ExpectCallsAgree<P, D>();
    ExpectCallsAgree<D, D, P>();
    ExpectCallsAgree<P, P, D>();
    ExpectCallsAgree<D, P, D, P>();
    ExpectCallsAgree<P, D, P, D>();
    ExpectCallsAgree<D, D, D, D>();
    ExpectCallsAgree<P, P, P, P>();
}

TEST(RawCall, ArgumentsBeyondTheRegistersUpToTheHostsLimit) {
    ExpectCallsAgree<D, D, D, D, D>();
    ExpectCallsAgree<P, P, P, P, P>();
    ExpectCallsAgree<D, P, P, D, P, D, D, P, D>();
    ExpectCallsAgree<P, D, D, P, D, P, P, D, P, D, D, D, P>();
    ExpectManyAgree(std::make_index_sequence<40>{});
    ExpectManyAgree(std::make_index_sequence<255>{});
}

TEST(RawCall, MoreThanTheHostsLimitIsRefused) {
    std::vector<RawArgument> arguments(256, RawArgument::Number(1));
    EXPECT_THROW(CallRaw(reinterpret_cast<void*>(&Weighted<>), arguments, true), std::length_error);
}
