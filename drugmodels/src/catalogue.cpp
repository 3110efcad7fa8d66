#include "drugmodels/catalogue.h"
#include "drugmodels/routines.h" // checks every routine against its entry

namespace drugmodels {

const ModelEntry* findModel(std::string_view worksheetName) {
    for (const ModelEntry& entry : MODEL_CATALOGUE)
        if (worksheetName == entry.worksheetName)
            return &entry;
    return nullptr;
}

} // namespace drugmodels
