#pragma once

// The catalogue of Velmora's drug functions: for every model its worksheet and export
// names, help text, argument table and row length, and the registration settings that
// all of them share. The worksheet bindings register from this table; nothing here
// depends on the host.
//
// The table is constant-initialised, so registration records built during static
// initialisation of other translation units may read it safely.

#include "catalogue/entry.h"
#include "drugmodels/models.h"
#include "drugmodels/reference.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace drugmodels {

// Argument type codes: a number passed by value, and a framework cell value that the
// binding converts to a flag.
inline constexpr const char* NUMBER_ARGUMENT = catalogue::NUMBER_ARGUMENT;
inline constexpr const char* FLAG_ARGUMENT = catalogue::CELL_VALUE_ARGUMENT;

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
    DexmedHannivoort,
    DexmedDyck,
    RemiEleveld,
    RemiKim,
    RemimazEleveld,
    RocuKleijn,
    FentShafer,
};
inline constexpr std::size_t MODEL_COUNT = 26;

using catalogue::ArgumentEntry;

// A model's worksheet function (names, help text, arguments) with its identifier and the
// length of the row it returns.
struct ModelEntry : catalogue::FunctionEntry {
    Model id;
    std::size_t rowLength; // ROW_WITHOUT_KE0 or ROW_WITH_KE0
};

namespace argument_tables {

inline constexpr const char* B = NUMBER_ARGUMENT;
inline constexpr const char* FLAG = FLAG_ARGUMENT;

// Argument tables: name, description, type code, exactly as registered.

inline constexpr ArgumentEntry PROP_SCHNIDER_ARGS[] = {
    {"Age", "The patients age ", B},
    {"Weight", "The patients weight ", B},
    {"Height", "The patients height (in cm) ", B},
    {"LBM", "Lean body mass ", B},
};

inline constexpr ArgumentEntry PROP_SCHNIDER_TRICK_ARGS[] = {
    {"Age", " the patient's age ", B},
    {"Weight", " the patient's weight ", B},
    {"Height", " the patient's height (in cm) ", B},
    {"male", " male = 1 ", FLAG},
};

inline constexpr ArgumentEntry PROP_WHITE_ARGS[] = {
    {"Age", "The patient's age ", B},
    {"Weight", "The patient's weight ", B},
    {"MALE", "Gender (Male = 1, Female = 0) ", FLAG},
};

inline constexpr ArgumentEntry PROP_KATARIA_ARGS[] = {
    {"mass", " the child's weight ", B},
    {"age", " the child's age ", B},
};

inline constexpr ArgumentEntry DIPRIFUSOR_ARGS[] = {
    {"Age", "Age, a dummy parameter in Diprifusor! ", B},
    {"Weight", "The patient's weight ", B},
};

inline constexpr ArgumentEntry PROP_PAEDFUSOR_ARGS[] = {
    {"Age", "The child's age ", B},
    {"Weight", "The child's weight ", B},
};

inline constexpr ArgumentEntry PROP_ELEVELD_ARGS[] = {
    {"weight", " the patient's weight ", B},
    {"age", " the patient's age ", B},
    {"male", " the patient's gender (1=MALE) ", FLAG},
    {"patient", " patient (1) or volunteer (0) ", FLAG},
};

inline constexpr ArgumentEntry PROP_ELEVELD_FINAL_ARGS[] = {
    {"weight", " Enter the weight in kg ", B},
    {"height", " Enter the height in cm ", B},
    {"pma", " Enter postmenstrual age, decimal year ", B},
    {"age", " Enter age as years ", B},
    {"male", " Enter gender (1=MALE) ", FLAG},
    {"venous", " Enter if concentration is venous (1) ", FLAG},
    {"opiates", " Enter if opiates are given (1) ", FLAG},
    {"patient", " For patient enter 1 for volunteer 0 ", FLAG},
};

inline constexpr ArgumentEntry ABP700_V1_ELEVELD_ARGS[] = {
    {"weight", " the patient's weight ", B},
    {"age", " the patient's age ", B},
    {"height", " the patient's height ", B},
    {"male", " the patient's gender (1=MALE) ", FLAG},
};

inline constexpr ArgumentEntry REMI_MINTO_ARGS[] = {
    {"Age", "The patient's age ", B},
    {"LBM", "Lean body mass ", B},
};

inline constexpr ArgumentEntry ALFENT_MAITRE_ARGS[] = {
    {"Age", "The child's age ", B},
    {"Weight", "The child's weight ", B},
    {"MALE", "Gender (Male = 1, Female = 0) ", FLAG},
};

inline constexpr ArgumentEntry DEXMED_HANNIVOORT_ARGS[] = {
    {"weight", " the patient's weight ", B},
};

inline constexpr ArgumentEntry DEXMED_DYCK_ARGS[] = {
    {"height", " the patient's height (in cm) ", B},
};

// RemiEleveld and RemiKim.
inline constexpr ArgumentEntry REMI_SIZE_ARGS[] = {
    {"weight", " the patient's weight ", B},
    {"age", " the patient's age ", B},
    {"height", " the patient's height (in cm) ", B},
    {"male", " the patient's gender (1=MALE) ", FLAG},
};

inline constexpr ArgumentEntry REMIMAZ_ELEVELD_ARGS[] = {
    {"weight", " the patient's weight ", B},
    {"age", " the patient's age ", B},
    {"male", " the patient's gender (1=MALE) ", FLAG},
    {"opiates", " Enter if opiates are given (1) ", FLAG},
    {"hepatic", " Child-Pugh score above 8 (1) ", FLAG},
};

inline constexpr ArgumentEntry ROCU_KLEIJN_ARGS[] = {
    {"weight", " the patient's weight ", B},
    {"age", " the patient's age ", B},
    {"crcl", " creatinine clearance in ml/min ", B},
    {"asian", " Asian patient (1) ", FLAG},
    {"sevoflurane", " sevoflurane maintenance (1) ", FLAG},
};

// The weight alone, in the two wordings the functions use.
inline constexpr ArgumentEntry WEIGHT_ARGS[] = {
    {"Weight", "The patient's weight ", B},
};
inline constexpr ArgumentEntry WEIGHT_ARGS_LOWER[] = {
    {"Weight", " the patient's weight ", B},
};

inline constexpr std::span<const ArgumentEntry> NO_ARGS{};

} // namespace argument_tables

// The export name, worksheet name, identifier and reference of a model from its one name.
#define VELMORA_MODEL(name, helpText, arguments, rowLength)                                        \
    ModelEntry {                                                                                   \
        {"xl" #name, #name, helpText, argument_tables::arguments, &reference::name}, Model::name,  \
            rowLength                                                                              \
    }

// All models, indexed by Model.
inline constexpr std::array<ModelEntry, MODEL_COUNT> MODEL_CATALOGUE = {{
    VELMORA_MODEL(PropSchnider, "Propofol(incl. ke0), Schnider et al. Anesthesiology 1998 ",
                  PROP_SCHNIDER_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(PropSchniderTrick, " Propofol(incl. ke0), Schnider Model BMI > 36, 46 dHT ",
                  PROP_SCHNIDER_TRICK_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(PropMarsh, "Propofol, Marsh et al. (Weight) BJA ??? ", WEIGHT_ARGS,
                  ROW_WITHOUT_KE0),
    VELMORA_MODEL(PropWhite, "Propofol, White et al. (Age, LBM) CPT 2008 ", PROP_WHITE_ARGS,
                  ROW_WITHOUT_KE0),
    VELMORA_MODEL(PropKataria, " Propofol, Kataria ", PROP_KATARIA_ARGS, ROW_WITHOUT_KE0),
    VELMORA_MODEL(Diprifusor, "Propofol, Diprifusor (pers. com: Brannock  k12=0.114), incl. ke0 ",
                  DIPRIFUSOR_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(PropPaedfusor, "Propofol, Children, Absalom et al. (Age, Weight) BJA ??? ",
                  PROP_PAEDFUSOR_ARGS, ROW_WITHOUT_KE0),
    VELMORA_MODEL(PropEleveld, " Propofol Eleveld A&A 2014 ", PROP_ELEVELD_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(PropEleveldFinal, " Propofol, Eleveld BJA 2018 ", PROP_ELEVELD_FINAL_ARGS,
                  ROW_WITH_KE0),
    VELMORA_MODEL(ABP700V1Eleveld, " ABP-700 Eleveld V_05_2016 experimental ",
                  ABP700_V1_ELEVELD_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(RemiMinto,
                  "Remifentanil(incl. ke0), Minto et al. (Age, LBM) Anesthesiology 199? ",
                  REMI_MINTO_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(AlfentMaitre, "Alfentanil 3C, Maitre 1987 as tested 1988 Anesthesiology ",
                  ALFENT_MAITRE_ARGS, ROW_WITHOUT_KE0),
    VELMORA_MODEL(AlfentScott, "Scott/Stanski JPET 1987 with ke0 ", NO_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(FentScott, " Scott Fentanyl weight scaled with ke0 0.147 ", WEIGHT_ARGS_LOWER,
                  ROW_WITH_KE0),
    VELMORA_MODEL(SufentGepts, "Gepts Sufentanil no covarite 1995 ", NO_ARGS, ROW_WITHOUT_KE0),
    VELMORA_MODEL(SufentHudson, "Hudson Sufentanil Anesthesiology 1989; ke0 source not reported ",
                  WEIGHT_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(KetaDomino, " Ketamine Domino weight scaled with ke0 10 from Ostrevane ",
                  WEIGHT_ARGS_LOWER, ROW_WITH_KE0),
    VELMORA_MODEL(MidaGreenblatt, " Midazolam Greenblatt, ke0 0.17325 ", WEIGHT_ARGS_LOWER,
                  ROW_WITH_KE0),
    VELMORA_MODEL(LidocainSchnider, " Lidocain 2 compartment, Schnider et al. Anesthesiology 1996 ",
                  WEIGHT_ARGS_LOWER, ROW_WITH_KE0),
    VELMORA_MODEL(DexmedHannivoort, " Dexmedetomidine, Hannivoort Anesthesiology 2015, no ke0 ",
                  DEXMED_HANNIVOORT_ARGS, ROW_WITHOUT_KE0),
    VELMORA_MODEL(DexmedDyck,
                  " Dexmedetomidine, Dyck Anesthesiology 1993 (height adjusted), no ke0 ",
                  DEXMED_DYCK_ARGS, ROW_WITHOUT_KE0),
    VELMORA_MODEL(RemiEleveld, " Remifentanil(incl. ke0), Eleveld Anesthesiology 2017 ",
                  REMI_SIZE_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(RemiKim, " Remifentanil, Kim Anesthesiology 2017 (obese), no ke0 ",
                  REMI_SIZE_ARGS, ROW_WITHOUT_KE0),
    VELMORA_MODEL(RemimazEleveld, " Remimazolam(incl. MOAA/S ke0), Eleveld BJA 2025 ",
                  REMIMAZ_ELEVELD_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(RocuKleijn, " Rocuronium 2 compartment(incl. ke0), Kleijn BJCP 2011 ",
                  ROCU_KLEIJN_ARGS, ROW_WITH_KE0),
    VELMORA_MODEL(FentShafer, " Fentanyl, Shafer Anesthesiology 1990, no ke0 ", NO_ARGS,
                  ROW_WITHOUT_KE0),
}};

#undef VELMORA_MODEL

// Each entry sits at the index of its identifier.
constexpr bool modelsFollowTheirIdentifiers() {
    for (std::size_t i = 0; i < MODEL_CATALOGUE.size(); ++i)
        if (static_cast<std::size_t>(MODEL_CATALOGUE[i].id) != i)
            return false;
    return true;
}
static_assert(modelsFollowTheirIdentifiers(), "catalogue entries out of identifier order");

// Each model's reference explains its arguments and as many cells as the model returns, and
// names the model's source and drug (read, never compared with null: see referenceFits).
constexpr bool modelReferencesFit() {
    for (const ModelEntry& entry : MODEL_CATALOGUE)
        if (!catalogue::referenceFits(entry) || entry.reference->cells.size() != entry.rowLength ||
            entry.reference->source->drug->name[0] == '\0')
            return false;
    return true;
}
static_assert(modelReferencesFit(), "a model's reference does not fit its entry");

constexpr const ModelEntry& modelEntry(Model model) {
    return MODEL_CATALOGUE[static_cast<std::size_t>(model)];
}

// ---- The covariate check beside the models

// The longest argument list of any model: the covariate check takes as many after the
// model's name.
constexpr std::size_t longestModelArguments() {
    std::size_t longest = 0;
    for (const ModelEntry& entry : MODEL_CATALOGUE)
        longest = entry.arguments.size() > longest ? entry.arguments.size() : longest;
    return longest;
}

namespace argument_tables {
inline constexpr const char* CELL = catalogue::CELL_VALUE_ARGUMENT;
// clang-format off
inline constexpr ArgumentEntry COVARIATE_CHECK_ARGS[] = {
    {"Model", " the model's worksheet name as text, e.g. \"PropSchnider\" ", CELL},
    {"arg1", " the model's 1st argument ", CELL},
    {"arg2", " the model's 2nd argument ", CELL},
    {"arg3", " the model's 3rd argument ", CELL},
    {"arg4", " the model's 4th argument ", CELL},
    {"arg5", " the model's 5th argument ", CELL},
    {"arg6", " the model's 6th argument ", CELL},
    {"arg7", " the model's 7th argument ", CELL},
    {"arg8", " the model's 8th argument ", CELL},
};
// clang-format on
} // namespace argument_tables

inline constexpr catalogue::FunctionEntry COVARIATE_CHECK{
    "xlCovariateCheck",
    "CovariateCheck",
    " Checks a model's arguments: impossible values, unit slips, studied ranges ",
    argument_tables::COVARIATE_CHECK_ARGS,
    &reference::CovariateCheck,
};
static_assert(COVARIATE_CHECK.arguments.size() == 1 + longestModelArguments(),
              "the covariate check takes as many arguments as the longest model");
static_assert(catalogue::referenceFits(COVARIATE_CHECK));

// Velmora's worksheet functions: the models and the covariate check.
inline constexpr std::size_t VELMORA_FUNCTION_COUNT = MODEL_COUNT + 1;

// The model with this worksheet name (compared byte by byte), or nullptr.
const ModelEntry* findModel(std::string_view worksheetName);

} // namespace drugmodels
