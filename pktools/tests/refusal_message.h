#pragma once

// The text a routine refuses its input with, or "" when the call returns.

#include "pktools/errors.h"

#include <string>

namespace pktools::test_support {

inline std::string messageOf(auto&& call) {
    try {
        call();
    } catch (const InputError& e) {
        return e.what();
    }
    return "";
}

} // namespace pktools::test_support
