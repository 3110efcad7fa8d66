// Velmora's worksheet functions: one exported wrapper per drug model, each followed by the
// line that checks it against the model's catalogue entry and routine at compile time and
// registers it from the entry.
//
// A wrapper takes its arguments as the host passes them for their registered type codes:
// a number ("B") as a double, a flag ("XLF_OPER") as a cell value that the binding converts
// to a truth value under the flag's registered name. The model's row goes back as one
// column.

#include "Velmora.h"
#include "drugmodels/catalogue.h"
#include "drugmodels/checks.h"
#include "drugmodels/routines.h"
#include "xlf/Call.h"
#include "xlf/Registration.h"

#include <cstddef>
#include <tuple>

namespace {

using drugmodels::Model;

// A model's routine, from the list in catalogue order.
template <Model M>
constexpr auto ROUTINE = std::get<static_cast<std::size_t>(M)>(drugmodels::MODEL_ROUTINES);

// The frame around a model: flags converted by name, the row as one column.
template <Model M, class... HostArgs> LPXLOPER12 CallModel(HostArgs... args) noexcept {
    return xlf::Call(ROUTINE<M>, drugmodels::modelEntry(M), args...);
}

// The registration record of a function, from its catalogue entry and the settings that
// all of Velmora's functions share.
xlf::FunctionRegistrationRecord RecordOf(const catalogue::FunctionEntry& entry) {
    return {
        .exportName = entry.exportName,
        .worksheetName = entry.worksheetName,
        .helpText = entry.helpText,
        .category = drugmodels::VELMORA_CATEGORY,
        .arguments = entry.arguments,
        .isVolatile = drugmodels::DRUG_VOLATILE,
        .threadSafe = drugmodels::DRUG_THREAD_SAFE,
        .returnTypeCode = drugmodels::DRUG_RETURN_TYPE,
        .helpTopic = drugmodels::DRUG_HELP_TOPIC,
        .asynchronous = drugmodels::DRUG_ASYNCHRONOUS,
        .macroSheetEquivalent = drugmodels::DRUG_MACRO_SHEET_EQUIVALENT,
        .clusterSafe = drugmodels::DRUG_CLUSTER_SAFE,
    };
}

} // namespace

// ---- The covariate check: the model's name as text, its arguments as entered (an empty or
// omitted one as nothing)

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCovariateCheck(LPXLOPER12 Model, LPXLOPER12 arg1,
                                                  LPXLOPER12 arg2, LPXLOPER12 arg3, LPXLOPER12 arg4,
                                                  LPXLOPER12 arg5, LPXLOPER12 arg6, LPXLOPER12 arg7,
                                                  LPXLOPER12 arg8) {
    return xlf::Call(drugmodels::CovariateCheck, drugmodels::COVARIATE_CHECK, Model, arg1, arg2,
                     arg3, arg4, arg5, arg6, arg7, arg8);
}
XLF_CHECK_BINDING(xlCovariateCheck, &drugmodels::CovariateCheck, drugmodels::COVARIATE_CHECK);
const xlf::FunctionRegistration registerCovariateCheck(RecordOf(drugmodels::COVARIATE_CHECK));

// The function of a model beside its wrapper xl<name>: the build fails unless the model's
// catalogue entry fits the wrapper and the routine; the record is read from the entry.
#define VELMORA_FUNCTION(name)                                                                     \
    XLF_CHECK_BINDING(xl##name, ROUTINE<Model::name>, drugmodels::modelEntry(Model::name));        \
    const xlf::FunctionRegistration register##name(RecordOf(drugmodels::modelEntry(Model::name)))

// ---- Propofol

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropSchnider(double Age, double Weight, double Height,
                                                double LBM) {
    return CallModel<Model::PropSchnider>(Age, Weight, Height, LBM);
}
VELMORA_FUNCTION(PropSchnider);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropSchniderTrick(double Age, double Weight, double Height,
                                                     LPXLOPER12 male) {
    return CallModel<Model::PropSchniderTrick>(Age, Weight, Height, male);
}
VELMORA_FUNCTION(PropSchniderTrick);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropMarsh(double Weight) {
    return CallModel<Model::PropMarsh>(Weight);
}
VELMORA_FUNCTION(PropMarsh);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropWhite(double Age, double Weight, LPXLOPER12 MALE) {
    return CallModel<Model::PropWhite>(Age, Weight, MALE);
}
VELMORA_FUNCTION(PropWhite);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropKataria(double mass, double age) {
    return CallModel<Model::PropKataria>(mass, age);
}
VELMORA_FUNCTION(PropKataria);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDiprifusor(double Age, double Weight) {
    return CallModel<Model::Diprifusor>(Age, Weight);
}
VELMORA_FUNCTION(Diprifusor);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropPaedfusor(double Age, double Weight) {
    return CallModel<Model::PropPaedfusor>(Age, Weight);
}
VELMORA_FUNCTION(PropPaedfusor);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropEleveld(double weight, double age, LPXLOPER12 male,
                                               LPXLOPER12 patient) {
    return CallModel<Model::PropEleveld>(weight, age, male, patient);
}
VELMORA_FUNCTION(PropEleveld);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropEleveldFinal(double weight, double height, double pma,
                                                    double age, LPXLOPER12 male, LPXLOPER12 venous,
                                                    LPXLOPER12 opiates, LPXLOPER12 patient) {
    return CallModel<Model::PropEleveldFinal>(weight, height, pma, age, male, venous, opiates,
                                              patient);
}
VELMORA_FUNCTION(PropEleveldFinal);

// ---- Other hypnotics and sedatives

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlABP700V1Eleveld(double weight, double age, double height,
                                                   LPXLOPER12 male) {
    return CallModel<Model::ABP700V1Eleveld>(weight, age, height, male);
}
VELMORA_FUNCTION(ABP700V1Eleveld);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlKetaDomino(double Weight) {
    return CallModel<Model::KetaDomino>(Weight);
}
VELMORA_FUNCTION(KetaDomino);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMidaGreenblatt(double Weight) {
    return CallModel<Model::MidaGreenblatt>(Weight);
}
VELMORA_FUNCTION(MidaGreenblatt);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemimazEleveld(double weight, double age, LPXLOPER12 male,
                                                  LPXLOPER12 opiates, LPXLOPER12 hepatic) {
    return CallModel<Model::RemimazEleveld>(weight, age, male, opiates, hepatic);
}
VELMORA_FUNCTION(RemimazEleveld);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDexmedHannivoort(double weight) {
    return CallModel<Model::DexmedHannivoort>(weight);
}
VELMORA_FUNCTION(DexmedHannivoort);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDexmedDyck(double height) {
    return CallModel<Model::DexmedDyck>(height);
}
VELMORA_FUNCTION(DexmedDyck);

// ---- Opioids

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiMinto(double Age, double LBM) {
    return CallModel<Model::RemiMinto>(Age, LBM);
}
VELMORA_FUNCTION(RemiMinto);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlAlfentMaitre(double Age, double Weight, LPXLOPER12 MALE) {
    return CallModel<Model::AlfentMaitre>(Age, Weight, MALE);
}
VELMORA_FUNCTION(AlfentMaitre);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlAlfentScott() {
    return CallModel<Model::AlfentScott>();
}
VELMORA_FUNCTION(AlfentScott);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlFentScott(double Weight) {
    return CallModel<Model::FentScott>(Weight);
}
VELMORA_FUNCTION(FentScott);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlSufentGepts() {
    return CallModel<Model::SufentGepts>();
}
VELMORA_FUNCTION(SufentGepts);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlSufentHudson(double Weight) {
    return CallModel<Model::SufentHudson>(Weight);
}
VELMORA_FUNCTION(SufentHudson);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiEleveld(double weight, double age, double height,
                                               LPXLOPER12 male) {
    return CallModel<Model::RemiEleveld>(weight, age, height, male);
}
VELMORA_FUNCTION(RemiEleveld);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiKim(double weight, double age, double height,
                                           LPXLOPER12 male) {
    return CallModel<Model::RemiKim>(weight, age, height, male);
}
VELMORA_FUNCTION(RemiKim);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlFentShafer() {
    return CallModel<Model::FentShafer>();
}
VELMORA_FUNCTION(FentShafer);

// ---- Neuromuscular blockers

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRocuKleijn(double weight, double age, double crcl,
                                              LPXLOPER12 asian, LPXLOPER12 sevoflurane) {
    return CallModel<Model::RocuKleijn>(weight, age, crcl, asian, sevoflurane);
}
VELMORA_FUNCTION(RocuKleijn);

// ---- Local anaesthetics

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlLidocainSchnider(double Weight) {
    return CallModel<Model::LidocainSchnider>(Weight);
}
VELMORA_FUNCTION(LidocainSchnider);
