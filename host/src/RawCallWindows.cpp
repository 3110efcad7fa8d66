// The call of a worksheet function's procedure on Windows, written out for the two
// calling conventions the spreadsheet uses there (see RawCall.h).
#if defined(_WIN32)

#include "standin/RawCall.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace standin {

namespace {

void CheckCount(std::size_t n) {
    if (n > kMaxRawArguments) {
        throw std::length_error("a call takes at most 255 arguments");
    }
}

} // namespace

#if defined(_WIN64)

namespace {

// Arguments that travel in registers; the register is chosen by the argument's type.
constexpr std::size_t kRegisterArguments = 4;
// Every call passes this many stack slots: the callee reads the ones it has, and the
// caller removes them all, so surplus slots are harmless.
constexpr std::size_t kStackSlots = kMaxRawArguments - kRegisterArguments;

template <std::size_t> using StackSlot = std::uint64_t;

template <class T> T InRegister(const RawArgument& argument);
template <> double InRegister<double>(const RawArgument& argument) {
    return argument.number;
}
template <> void* InRegister<void*>(const RawArgument& argument) {
    return argument.pointer;
}

// The argument's 8 bytes as the callee finds them in its stack slot.
std::uint64_t SlotBits(const RawArgument& argument) {
    std::uint64_t bits = 0;
    if (argument.isNumber) {
        std::memcpy(&bits, &argument.number, sizeof bits);
    } else {
        bits = reinterpret_cast<std::uintptr_t>(argument.pointer);
    }
    return bits;
}

template <class R, class A0, class A1, class A2, class A3, std::size_t... I>
R CallWith(void* procedure, const RawArgument* registers, const std::uint64_t* stack,
           std::index_sequence<I...>) {
    using Procedure = R (*)(A0, A1, A2, A3, StackSlot<I>...);
    return reinterpret_cast<Procedure>(procedure)(
        InRegister<A0>(registers[0]), InRegister<A1>(registers[1]), InRegister<A2>(registers[2]),
        InRegister<A3>(registers[3]), stack[I]...);
}

// Picks the type of the register arguments one position at a time, then calls.
template <class R, class... Chosen>
R Dispatch(void* procedure, const RawArgument* registers, const std::uint64_t* stack) {
    if constexpr (sizeof...(Chosen) == kRegisterArguments) {
        return CallWith<R, Chosen...>(procedure, registers, stack,
                                      std::make_index_sequence<kStackSlots>{});
    } else if (registers[sizeof...(Chosen)].isNumber) {
        return Dispatch<R, Chosen..., double>(procedure, registers, stack);
    } else {
        return Dispatch<R, Chosen..., void*>(procedure, registers, stack);
    }
}

} // namespace

RawResult CallRaw(void* procedure, const std::vector<RawArgument>& arguments, bool numberResult) {
    const std::size_t n = arguments.size();
    CheckCount(n);
    RawArgument registers[kRegisterArguments] = {};
    std::uint64_t stack[kStackSlots] = {};
    for (std::size_t k = 0; k < n; ++k) {
        if (k < kRegisterArguments) {
            registers[k] = arguments[k];
        } else {
            stack[k - kRegisterArguments] = SlotBits(arguments[k]);
        }
    }
    RawResult result{};
    if (numberResult) {
        result.number = Dispatch<double>(procedure, registers, stack);
    } else {
        result.pointer = Dispatch<void*>(procedure, registers, stack);
    }
    return result;
}

#else // 32-bit x86

// RawCallX86.S: copies the words onto the stack, first word lowest, calls the procedure
// and puts the stack pointer back itself, whoever removes the arguments. One code for
// both declarations: a pointer comes back in EAX, a float on the x87 stack.
extern "C" void* StandinCallWordsPointer(void* procedure, const std::uint32_t* words,
                                         std::uint32_t count);
extern "C" double StandinCallWordsNumber(void* procedure, const std::uint32_t* words,
                                         std::uint32_t count);

RawResult CallRaw(void* procedure, const std::vector<RawArgument>& arguments, bool numberResult) {
    CheckCount(arguments.size());
    // A float takes two words (its low half first), a pointer one.
    std::vector<std::uint32_t> words;
    words.reserve(2 * arguments.size());
    for (const RawArgument& argument : arguments) {
        if (argument.isNumber) {
            std::uint32_t halves[2];
            std::memcpy(halves, &argument.number, sizeof halves);
            words.push_back(halves[0]);
            words.push_back(halves[1]);
        } else {
            words.push_back(
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(argument.pointer)));
        }
    }
    const auto count = static_cast<std::uint32_t>(words.size());
    RawResult result{};
    if (numberResult) {
        result.number = StandinCallWordsNumber(procedure, words.data(), count);
    } else {
        result.pointer = StandinCallWordsPointer(procedure, words.data(), count);
    }
    return result;
}

#endif

} // namespace standin

#endif
