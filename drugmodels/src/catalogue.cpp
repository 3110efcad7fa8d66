#include "drugmodels/catalogue.h"

namespace drugmodels {

const catalogue::FunctionEntry* findModel(std::string_view worksheetName) {
    for (const catalogue::FunctionEntry* model : MODEL_ENTRIES)
        if (worksheetName == model->worksheetName)
            return model;
    return nullptr;
}

} // namespace drugmodels
