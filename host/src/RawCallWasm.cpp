// The call of a worksheet function's procedure in a WebAssembly module: a function pointer
// is an index into the module's function table, and the JavaScript engine calls a table's
// function with whatever arguments its type asks for (a 64-bit float for a double, a 32-bit
// integer for a pointer), as libffi does natively.
#if defined(__EMSCRIPTEN__)

#include "standin/RawCall.h"

#include <cstdint>
#include <emscripten/emscripten.h>
#include <stdexcept>

// The numbers and pointers of the call side by side, one kind per argument (1: a number).
// The result comes back as a double: a pointer is a 32-bit index, which a double holds.
EM_JS(double, standin_call_table_entry,
      (void* procedure, int count, const unsigned char* kinds, const double* numbers,
       void* const* pointers),
      {
          const args = new Array(count);
          for (let k = 0; k < count; ++k) {
              args[k] =
                  HEAPU8[kinds + k] ? HEAPF64[(numbers >> 3) + k] : HEAPU32[(pointers >> 2) + k];
          }
          return getWasmTableEntry(procedure)(... args);
      });

namespace standin {

RawResult CallRaw(void* procedure, const std::vector<RawArgument>& arguments, bool numberResult) {
    const std::size_t n = arguments.size();
    if (n > kMaxRawArguments) {
        throw std::length_error("a call takes at most 255 arguments");
    }
    std::vector<unsigned char> kinds(n);
    std::vector<double> numbers(n);
    std::vector<void*> pointers(n);
    for (std::size_t k = 0; k < n; ++k) {
        kinds[k] = arguments[k].isNumber ? 1 : 0;
        numbers[k] = arguments[k].number;
        pointers[k] = arguments[k].pointer;
    }
    const double result = standin_call_table_entry(procedure, static_cast<int>(n), kinds.data(),
                                                   numbers.data(), pointers.data());
    RawResult out{};
    if (numberResult) {
        out.number = result;
    } else {
        out.pointer = reinterpret_cast<void*>(static_cast<std::uintptr_t>(result));
    }
    return out;
}

} // namespace standin

#endif
