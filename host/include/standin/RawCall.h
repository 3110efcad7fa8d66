#pragma once

// One call of a procedure whose arguments are 64-bit floats and pointers, passed as the
// spreadsheet passes a worksheet function's arguments: by value in the platform's calling
// convention for the host's entries (XLF_PASCAL: the standard one on 32-bit Windows). The
// result is a 64-bit float or a pointer.
//
// On Linux the call goes through libffi. On Windows it is written out: on x64 the first
// four arguments go in registers chosen by their type (XMM0-3 for floats, RCX, RDX, R8, R9
// for pointers) and the rest in 8-byte stack slots, which the callee reads whatever their
// type; on 32-bit x86 every argument is on the stack (8 bytes a float, 4 a pointer) and the
// callee removes them.

#include <cstddef>
#include <vector>

namespace standin {

struct RawArgument {
    bool isNumber = false;
    double number = 0;
    void* pointer = nullptr;

    static RawArgument Number(double value) { return {true, value, nullptr}; }
    static RawArgument Pointer(void* value) { return {false, 0, value}; }
};

union RawResult {
    double number;
    void* pointer;
};

// The most arguments a call takes, as the host allows.
inline constexpr std::size_t kMaxRawArguments = 255;

// Calls the procedure; more than kMaxRawArguments arguments throw std::length_error.
RawResult CallRaw(void* procedure, const std::vector<RawArgument>& arguments, bool numberResult);

} // namespace standin
