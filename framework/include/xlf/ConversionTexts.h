#pragma once

// The texts of a failed argument conversion, as the cell shows them: the message, the
// argument's registered name after a comma, then what was being done ("parameter is nil,
// param Conversion to Double"). They stand once, host-free, in catalogue/conversions.h, so
// that every front end shows the same texts.

#include "catalogue/conversions.h"

namespace xlf {

inline constexpr const char* kToDoubleContext = catalogue::conversions::TO_DOUBLE;
inline constexpr const char* kToBoolContext = catalogue::conversions::TO_BOOL;
inline constexpr const char* kToStringContext = catalogue::conversions::TO_STRING;
inline constexpr const char* kNotOneDimensional = catalogue::conversions::NOT_ONE_DIMENSIONAL;

inline constexpr const char* kMissingMessage = catalogue::conversions::MISSING;
inline constexpr const char* kErrorMessage = catalogue::conversions::ERROR_VALUE;
inline constexpr const char* kNilMessage = catalogue::conversions::NIL;
inline constexpr const char* kInvalidRecordMessage = catalogue::conversions::INVALID_RECORD;

inline std::string ErrorText(std::string_view message, const char* name, const char* context) {
    return catalogue::conversions::ErrorText(message, name, context);
}

} // namespace xlf
