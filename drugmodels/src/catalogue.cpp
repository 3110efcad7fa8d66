#include "drugmodels/catalogue.h"

#include <algorithm>
#include <cctype>

namespace drugmodels {

const catalogue::FunctionEntry* findModel(std::string_view worksheetName) {
    for (const catalogue::FunctionEntry* model : MODEL_ENTRIES)
        if (worksheetName == model->worksheetName)
            return model;
    return nullptr;
}

const catalogue::FunctionEntry* findModelAnyCase(std::string_view name) {
    if (const catalogue::FunctionEntry* exact = findModel(name))
        return exact;
    for (const catalogue::FunctionEntry* model : MODEL_ENTRIES) {
        const std::string_view candidate = model->worksheetName;
        if (candidate.size() == name.size() &&
            std::equal(candidate.begin(), candidate.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return model;
    }
    return nullptr;
}

} // namespace drugmodels
