#pragma once

// The catalogue of Velmora's drug functions: for every model its worksheet and export
// names, help text, argument table and row length, and the registration settings that
// all of them share. The worksheet bindings register from this table; nothing here
// depends on the host.
//
// The table is constant-initialised, so registration records built during static
// initialisation of other translation units may read it safely.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace drugmodels {

// Argument type codes: a number passed by value, and a framework cell value that the
// wrapper converts to a flag.
inline constexpr const char* NUMBER_ARGUMENT = "B";
inline constexpr const char* FLAG_ARGUMENT = "XLF_OPER";

// Registration settings shared by every drug function.
inline constexpr const char* VELMORA_CATEGORY = "Velmora; 2017/07/31";
inline constexpr const char* DRUG_RETURN_TYPE = ""; // the framework's default, the value type
inline constexpr const char* DRUG_HELP_TOPIC = "";  // automatic
inline constexpr bool DRUG_VOLATILE = false;
inline constexpr bool DRUG_THREAD_SAFE = false;
inline constexpr bool DRUG_ASYNCHRONOUS = false;
inline constexpr bool DRUG_MACRO_SHEET_EQUIVALENT = false;
inline constexpr bool DRUG_CLUSTER_SAFE = false;

// One identifier per model, in catalogue order.
enum class Model : std::size_t {
    PropSchnider,
    PropSchniderTrick,
    PropMarsh,
    PropWhite,
    PropKataria,
    Diprifusor,
    PropPaedfusor,
    PropEleveld,
    PropEleveldFinal,
    ABP700V1Eleveld,
    RemiMinto,
    AlfentMaitre,
    AlfentScott,
    FentScott,
    SufentGepts,
    SufentHudson,
    KetaDomino,
    MidaGreenblatt,
    LidocainSchnider,
};
inline constexpr std::size_t MODEL_COUNT = 19;

struct ArgumentEntry {
    const char* name;
    const char* description;
    const char* typeCode; // NUMBER_ARGUMENT or FLAG_ARGUMENT
};

struct ModelEntry {
    Model id;
    const char* exportName;    // "xl" followed by the worksheet name
    const char* worksheetName; // also the name of the model routine
    const char* helpText;
    std::span<const ArgumentEntry> arguments; // in registered order; empty for none
    std::size_t rowLength;                    // ROW_WITHOUT_KE0 or ROW_WITH_KE0
};

// All models, indexed by Model.
extern const std::array<ModelEntry, MODEL_COUNT> MODEL_CATALOGUE;

inline const ModelEntry& modelEntry(Model model) {
    return MODEL_CATALOGUE[static_cast<std::size_t>(model)];
}

// The model with this worksheet name (compared byte by byte), or nullptr.
const ModelEntry* findModel(std::string_view worksheetName);

} // namespace drugmodels
