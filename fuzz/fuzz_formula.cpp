// The command-line host's formula parser and sheet evaluator: any text is read or refused
// with a syntax error, never a crash (FormulaInput.h says what is done with an input).

#include "FormulaInput.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::EvaluateInput(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
