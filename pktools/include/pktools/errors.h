#pragma once

#include <stdexcept>

namespace pktools {

// A refusal of the caller's input. Its text ("Columns of different length!") is what
// the user sees in the cell.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace pktools
