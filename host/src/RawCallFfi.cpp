// The call of a worksheet function's procedure through libffi, where the platform's
// calling convention is libffi's default one.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)

#include "standin/RawCall.h"

#include <ffi.h>
#include <stdexcept>
#include <string>

namespace standin {

RawResult CallRaw(void* procedure, const std::vector<RawArgument>& arguments, bool numberResult) {
    const std::size_t n = arguments.size();
    if (n > kMaxRawArguments) {
        throw std::length_error("a call takes at most 255 arguments");
    }
    std::vector<ffi_type*> types(n);
    std::vector<void*> values(n);
    for (std::size_t k = 0; k < n; ++k) {
        const RawArgument& argument = arguments[k];
        types[k] = argument.isNumber ? &ffi_type_double : &ffi_type_pointer;
        values[k] = argument.isNumber ? const_cast<double*>(&argument.number)
                                      : static_cast<void*>(const_cast<void**>(&argument.pointer));
    }
    ffi_cif cif;
    ffi_type* resultType = numberResult ? &ffi_type_double : &ffi_type_pointer;
    if (ffi_prep_cif(&cif, FFI_DEFAULT_ABI, static_cast<unsigned>(n), resultType, types.data()) !=
        FFI_OK) {
        throw std::runtime_error("libffi cannot prepare a call of " + std::to_string(n) +
                                 " arguments");
    }
    union {
        ffi_arg word;
        double number;
        void* pointer;
    } result{};
    ffi_call(&cif, reinterpret_cast<void (*)()>(procedure), &result, values.data());
    RawResult out{};
    if (numberResult) {
        out.number = result.number;
    } else {
        out.pointer = result.pointer;
    }
    return out;
}

} // namespace standin

#endif
