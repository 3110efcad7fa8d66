#include "drugmodels/catalogue.h"

#include "drugmodels/models.h"

namespace drugmodels {

namespace {

// The identifier, export name and worksheet name of a model, from its one name.
#define DRUG_MODEL_NAMES(name) Model::name, "xl" #name, #name

constexpr const char* B = NUMBER_ARGUMENT;
constexpr const char* FLAG = FLAG_ARGUMENT;

// Argument tables: name, description, type code, exactly as registered.

constexpr ArgumentEntry PROP_SCHNIDER_ARGS[] = {
    {"Age", "The patients age ", B},
    {"Weight", "The patients weight ", B},
    {"Height", "The patients height (in cm) ", B},
    {"LBM", "Lean body mass ", B},
};

constexpr ArgumentEntry PROP_SCHNIDER_TRICK_ARGS[] = {
    {"Age", " the patient's age ", B},
    {"Weight", " the patient's weight ", B},
    {"Height", " the patient's height (in cm) ", B},
    {"male", " male = 1 ", FLAG},
};

constexpr ArgumentEntry PROP_MARSH_ARGS[] = {
    {"Weight", "The patient's weight ", B},
};

constexpr ArgumentEntry PROP_WHITE_ARGS[] = {
    {"Age", "The patient's age ", B},
    {"Weight", "The patient's weight ", B},
    {"MALE", "Gender (Male = 1, Female = 0) ", FLAG},
};

constexpr ArgumentEntry PROP_KATARIA_ARGS[] = {
    {"mass", " the child's weight ", B},
    {"age", " the child's age ", B},
};

constexpr ArgumentEntry DIPRIFUSOR_ARGS[] = {
    {"Age", "Age, a dummy parameter in Diprifusor! ", B},
    {"Weight", "The patient's weight ", B},
};

constexpr ArgumentEntry PROP_PAEDFUSOR_ARGS[] = {
    {"Age", "The child's age ", B},
    {"Weight", "The child's weight ", B},
};

constexpr ArgumentEntry PROP_ELEVELD_ARGS[] = {
    {"weight", " the patient's weight ", B},
    {"age", " the patient's age ", B},
    {"male", " the patient's gender (1=MALE) ", FLAG},
    {"patient", " patient (1) or volunteer (0) ", FLAG},
};

constexpr ArgumentEntry PROP_ELEVELD_FINAL_ARGS[] = {
    {"weight", " Enter the weight in kg ", B},
    {"height", " Enter the height in cm ", B},
    {"pma", " Enter postmenstrual age, decimal year ", B},
    {"age", " Enter age as years ", B},
    {"male", " Enter gender (1=MALE) ", FLAG},
    {"venous", " Enter if concentration is venous (1) ", FLAG},
    {"opiates", " Enter if opiates are given (1) ", FLAG},
    {"patient", " For patient enter 1 for volunteer 0 ", FLAG},
};

constexpr ArgumentEntry ABP700_V1_ELEVELD_ARGS[] = {
    {"weight", " the patient's weight ", B},
    {"age", " the patient's age ", B},
    {"height", " the patient's height ", B},
    {"male", " the patient's gender (1=MALE) ", FLAG},
};

constexpr ArgumentEntry REMI_MINTO_ARGS[] = {
    {"Age", "The patient's age ", B},
    {"LBM", "Lean body mass ", B},
};

constexpr ArgumentEntry ALFENT_MAITRE_ARGS[] = {
    {"Age", "The child's age ", B},
    {"Weight", "The child's weight ", B},
    {"MALE", "Gender (Male = 1, Female = 0) ", FLAG},
};

// The weight alone, in the two wordings the functions use.
constexpr ArgumentEntry WEIGHT_ARGS[] = {
    {"Weight", "The patient's weight ", B},
};
constexpr ArgumentEntry WEIGHT_ARGS_LOWER[] = {
    {"Weight", " the patient's weight ", B},
};

constexpr std::span<const ArgumentEntry> NO_ARGS{};

} // namespace

constexpr std::array<ModelEntry, MODEL_COUNT> MODEL_CATALOGUE = {{
    {DRUG_MODEL_NAMES(PropSchnider), "Propofol(incl. ke0), Schnider et al. Anesthesiology 1998 ",
     PROP_SCHNIDER_ARGS, ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(PropSchniderTrick), " Propofol(incl. ke0), Schnider Model BMI > 36, 46 dHT ",
     PROP_SCHNIDER_TRICK_ARGS, ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(PropMarsh), "Propofol, Marsh et al. (Weight) BJA ??? ", PROP_MARSH_ARGS,
     ROW_WITHOUT_KE0},
    {DRUG_MODEL_NAMES(PropWhite), "Propofol, White et al. (Age, LBM) CPT 2008 ", PROP_WHITE_ARGS,
     ROW_WITHOUT_KE0},
    {DRUG_MODEL_NAMES(PropKataria), " Propofol, Kataria ", PROP_KATARIA_ARGS, ROW_WITHOUT_KE0},
    {DRUG_MODEL_NAMES(Diprifusor),
     "Propofol, Diprifusor (pers. com: Brannock  k12=0.114), incl. ke0 ", DIPRIFUSOR_ARGS,
     ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(PropPaedfusor), "Propofol, Children, Absalom et al. (Age, Weight) BJA ??? ",
     PROP_PAEDFUSOR_ARGS, ROW_WITHOUT_KE0},
    {DRUG_MODEL_NAMES(PropEleveld), " Propofol Eleveld A&A 2014 ", PROP_ELEVELD_ARGS, ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(PropEleveldFinal), " Propofol, Eleveld BJA 2018 ", PROP_ELEVELD_FINAL_ARGS,
     ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(ABP700V1Eleveld), " ABP-700 Eleveld V_05_2016 experimental ",
     ABP700_V1_ELEVELD_ARGS, ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(RemiMinto),
     "Remifentanil(incl. ke0), Minto et al. (Age, LBM) Anesthesiology 199? ", REMI_MINTO_ARGS,
     ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(AlfentMaitre), "Alfentanil 3C, Maitre 1987 as tested 1988 Anesthesiology ",
     ALFENT_MAITRE_ARGS, ROW_WITHOUT_KE0},
    {DRUG_MODEL_NAMES(AlfentScott), "Scott/Stanski JPET 1987 with ke0 ", NO_ARGS, ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(FentScott), " Scott Fentanyl weight scaled with ke0 0.147 ",
     WEIGHT_ARGS_LOWER, ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(SufentGepts), "Gepts Sufentanil no covarite 1995 ", NO_ARGS, ROW_WITHOUT_KE0},
    {DRUG_MODEL_NAMES(SufentHudson),
     "Hudson Sufentanil Anesthesiology 1989; ke0 source not reported ", WEIGHT_ARGS, ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(KetaDomino), " Ketamine Domino weight scaled with ke0 10 from Ostrevane ",
     WEIGHT_ARGS_LOWER, ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(MidaGreenblatt), " Midazolam Greenblatt, ke0 0.17325 ", WEIGHT_ARGS_LOWER,
     ROW_WITH_KE0},
    {DRUG_MODEL_NAMES(LidocainSchnider),
     " Lidocain 2 compartment, Schnider et al. Anesthesiology 1996 ", WEIGHT_ARGS_LOWER,
     ROW_WITH_KE0},
}};

#undef DRUG_MODEL_NAMES

namespace {

// Each entry sits at the index of its identifier.
constexpr bool entriesFollowTheirIdentifiers() {
    for (std::size_t i = 0; i < MODEL_CATALOGUE.size(); ++i)
        if (static_cast<std::size_t>(MODEL_CATALOGUE[i].id) != i)
            return false;
    return true;
}
static_assert(entriesFollowTheirIdentifiers(), "catalogue entries out of identifier order");

} // namespace

const ModelEntry* findModel(std::string_view worksheetName) {
    for (const ModelEntry& entry : MODEL_CATALOGUE)
        if (worksheetName == entry.worksheetName)
            return &entry;
    return nullptr;
}

} // namespace drugmodels
