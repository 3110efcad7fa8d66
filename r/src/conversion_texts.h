#pragma once

// The texts of an argument the R binding cannot convert, in the add-ins' form ("message,
// name context") and the Python modules' words, naming the argument by its R name. Read by
// the binding and by the generator of the help pages; free of R's headers.

#include "xlf/ConversionTexts.h"

#include <string>
#include <string_view>

namespace rbinding {

inline constexpr const char* NUMBER_CONTEXT = xlf::kToDoubleContext;
inline constexpr const char* FLAG_CONTEXT = xlf::kToBoolContext;
inline constexpr const char* COLUMN_CONTEXT = "Conversion to Column";

inline constexpr const char* MISSING = xlf::kMissingMessage;
inline constexpr const char* NOT_A_NUMBER = "parameter is not a number";
inline constexpr const char* NOT_ZERO_OR_ONE = "parameter is neither 0 nor 1";
inline constexpr const char* NOT_ONE_DIMENSIONAL = "parameter is not one-dimensional";
inline constexpr const char* EMPTY = "parameter is empty";

inline std::string conversionText(const char* message, std::string_view rName,
                                  const char* context) {
    return std::string(message) + ", " + std::string(rName) + " " + context;
}

// Whether a text is one of the add-ins' own conversion texts (the sheet's, naming the
// registered argument), which R words in its own way.
inline bool isSheetConversionText(std::string_view text) {
    for (const std::string_view ending :
         {std::string_view(xlf::kToDoubleContext), std::string_view(xlf::kToBoolContext),
          std::string_view(xlf::kToStringContext), std::string_view(xlf::kNotOneDimensional)})
        if (text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending)
            return true;
    return false;
}

} // namespace rbinding
