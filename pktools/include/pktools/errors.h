#pragma once

#include "catalogue/reference.h"

#include <stdexcept>

namespace pktools {

// A refusal of the caller's input: one of Corvane's refusals (pktools/refusals.h), whose text
// ("Columns of different length!") is what the user sees in the cell.
class InputError : public std::runtime_error {
public:
    explicit InputError(const catalogue::ErrorCause& refusal) : std::runtime_error(refusal.text) {}
};

} // namespace pktools
