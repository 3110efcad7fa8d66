#pragma once

// The texts of a failed argument conversion, as the cell shows them: the message, the
// argument's registered name after a comma, then what was being done ("parameter is nil,
// param Conversion to Double"). Host-free, so that every front end shows the same texts.

#include <string>
#include <string_view>

namespace xlf {

inline constexpr const char* kToDoubleContext = "Conversion to Double";
inline constexpr const char* kToBoolContext = "Conversion to Bool";
inline constexpr const char* kToStringContext = "Conversion to String";
inline constexpr const char* kNotOneDimensional = "Not unidemensional";

inline constexpr const char* kMissingMessage = "parameter is missing";
inline constexpr const char* kErrorMessage = "parameter is error";
inline constexpr const char* kNilMessage = "parameter is nil";
inline constexpr const char* kInvalidRecordMessage =
    "invalid OPER structure (memory could be exhausted)";

inline std::string ErrorText(std::string_view message, const char* name, const char* context) {
    std::string text(message);
    if (name != nullptr && *name != '\0') {
        text += ", ";
        text += name;
    }
    if (context != nullptr && *context != '\0') {
        text += ' ';
        text += context;
    }
    return text;
}

} // namespace xlf
