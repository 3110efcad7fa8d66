#include "pktools/catalogue.h"
#include "pktools/routines.h" // checks every routine against its entry

namespace pktools {

const ToolEntry* findTool(std::string_view worksheetName) {
    for (const ToolEntry& entry : TOOL_CATALOGUE)
        if (worksheetName == entry.worksheetName)
            return &entry;
    return nullptr;
}

} // namespace pktools
