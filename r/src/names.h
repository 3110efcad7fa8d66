#pragma once

// The R name of a registered argument: the catalogue's lower-case words ("deltaTimes" ->
// delta_times, "IVBolus" -> iv_bolus, as the Python modules name their keywords), with a
// trailing "_" when the result is one of R's reserved words. Read by the binding (for the
// texts of refusals) and by the generator (for the functions' formal arguments); free of R's
// headers.

#include "catalogue/keywords.h"

#include <string>
#include <string_view>

namespace rbinding {

// R's reserved words (?Reserved) that are written in lower case, as every name is here.
inline constexpr std::string_view R_RESERVED_WORDS[] = {
    "if", "else", "repeat", "while", "function", "for", "next", "break", "in",
};

inline std::string rName(std::string_view registered) {
    std::string name = catalogue::lowerCaseWords(registered);
    for (std::string_view reserved : R_RESERVED_WORDS)
        if (name == reserved)
            return name + '_';
    return name;
}

} // namespace rbinding
