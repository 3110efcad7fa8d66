// Velmora's worksheet functions: one exported wrapper per drug model, each followed by its
// registration record, which is read from the model catalogue.
//
// A wrapper takes its arguments as the host passes them for their registered type codes:
// a number ("B") as a double, a flag ("XLF_OPER") as a cell value that is converted to a
// truth value under the flag's registered name. The model's row goes back as one column.

#include "Velmora.h"
#include "drugmodels/catalogue.h"
#include "drugmodels/models.h"
#include "xlf/Frame.h"
#include "xlf/Registration.h"

#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using drugmodels::Model;
using drugmodels::ModelEntry;
using drugmodels::ParameterRow;

// How the host passes an argument that the routine takes as Param.
template <class Param> struct HostArgument;
template <> struct HostArgument<double> {
    using Type = double;
    static double Convert(double value, const char*) { return value; }
};
template <> struct HostArgument<bool> {
    using Type = LPXLOPER12;
    static bool Convert(LPXLOPER12 value, const char* name) {
        return xlf::XlfOper(value).ToBool(name);
    }
};

template <Model M, class... Params, std::size_t... I>
ParameterRow Evaluate(ParameterRow (*routine)(Params...), std::index_sequence<I...>,
                      typename HostArgument<Params>::Type... args) {
    const ModelEntry& entry = drugmodels::modelEntry(M);
    // A braced list converts the flags in argument order.
    std::tuple<Params...> values{HostArgument<Params>::Convert(args, entry.arguments[I].name)...};
    return std::apply(routine, std::move(values));
}

// The frame around a model: flags converted by name, the row as one column.
template <Model M, class... Params>
LPXLOPER12 CallModel(ParameterRow (*routine)(Params...),
                     typename HostArgument<Params>::Type... args) noexcept {
    return xlf::Frame([&]() -> std::vector<double> {
        return Evaluate<M>(routine, std::index_sequence_for<Params...>{}, args...);
    });
}

// A model's argument table in the record's form.
std::vector<xlf::XlfArgTriple> ArgumentTable(const ModelEntry& entry) {
    std::vector<xlf::XlfArgTriple> table;
    for (const drugmodels::ArgumentEntry& argument : entry.arguments) {
        table.push_back({argument.name, argument.description, argument.typeCode});
    }
    return table;
}

// The registration of a model, from its catalogue entry.
class VelmoraRecord {
public:
    explicit VelmoraRecord(Model model)
        : VelmoraRecord(drugmodels::modelEntry(model),
                        ArgumentTable(drugmodels::modelEntry(model))) {}

private:
    VelmoraRecord(const ModelEntry& entry, const std::vector<xlf::XlfArgTriple>& arguments)
        : registration_({
              .exportName = entry.exportName,
              .worksheetName = entry.worksheetName,
              .helpText = entry.helpText,
              .category = drugmodels::VELMORA_CATEGORY,
              .arguments = arguments,
              .isVolatile = drugmodels::DRUG_VOLATILE,
              .threadSafe = drugmodels::DRUG_THREAD_SAFE,
              .returnTypeCode = drugmodels::DRUG_RETURN_TYPE,
              .helpTopic = drugmodels::DRUG_HELP_TOPIC,
              .asynchronous = drugmodels::DRUG_ASYNCHRONOUS,
              .macroSheetEquivalent = drugmodels::DRUG_MACRO_SHEET_EQUIVALENT,
              .clusterSafe = drugmodels::DRUG_CLUSTER_SAFE,
          }) {}

    xlf::FunctionRegistration registration_;
};

} // namespace

// ---- Propofol

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropSchnider(double Age, double Weight, double Height,
                                                double LBM) {
    return CallModel<Model::PropSchnider>(drugmodels::PropSchnider, Age, Weight, Height, LBM);
}
const VelmoraRecord registerPropSchnider(Model::PropSchnider);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropSchniderTrick(double Age, double Weight, double Height,
                                                     LPXLOPER12 male) {
    return CallModel<Model::PropSchniderTrick>(drugmodels::PropSchniderTrick, Age, Weight, Height,
                                               male);
}
const VelmoraRecord registerPropSchniderTrick(Model::PropSchniderTrick);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropMarsh(double Weight) {
    return CallModel<Model::PropMarsh>(drugmodels::PropMarsh, Weight);
}
const VelmoraRecord registerPropMarsh(Model::PropMarsh);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropWhite(double Age, double Weight, LPXLOPER12 MALE) {
    return CallModel<Model::PropWhite>(drugmodels::PropWhite, Age, Weight, MALE);
}
const VelmoraRecord registerPropWhite(Model::PropWhite);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropKataria(double mass, double age) {
    return CallModel<Model::PropKataria>(drugmodels::PropKataria, mass, age);
}
const VelmoraRecord registerPropKataria(Model::PropKataria);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDiprifusor(double Age, double Weight) {
    return CallModel<Model::Diprifusor>(drugmodels::Diprifusor, Age, Weight);
}
const VelmoraRecord registerDiprifusor(Model::Diprifusor);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropPaedfusor(double Age, double Weight) {
    return CallModel<Model::PropPaedfusor>(drugmodels::PropPaedfusor, Age, Weight);
}
const VelmoraRecord registerPropPaedfusor(Model::PropPaedfusor);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropEleveld(double weight, double age, LPXLOPER12 male,
                                               LPXLOPER12 patient) {
    return CallModel<Model::PropEleveld>(drugmodels::PropEleveld, weight, age, male, patient);
}
const VelmoraRecord registerPropEleveld(Model::PropEleveld);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropEleveldFinal(double weight, double height, double pma,
                                                    double age, LPXLOPER12 male, LPXLOPER12 venous,
                                                    LPXLOPER12 opiates, LPXLOPER12 patient) {
    return CallModel<Model::PropEleveldFinal>(drugmodels::PropEleveldFinal, weight, height, pma,
                                              age, male, venous, opiates, patient);
}
const VelmoraRecord registerPropEleveldFinal(Model::PropEleveldFinal);

// ---- Other hypnotics and sedatives

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlABP700V1Eleveld(double weight, double age, double height,
                                                   LPXLOPER12 male) {
    return CallModel<Model::ABP700V1Eleveld>(drugmodels::ABP700V1Eleveld, weight, age, height,
                                             male);
}
const VelmoraRecord registerABP700V1Eleveld(Model::ABP700V1Eleveld);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlKetaDomino(double Weight) {
    return CallModel<Model::KetaDomino>(drugmodels::KetaDomino, Weight);
}
const VelmoraRecord registerKetaDomino(Model::KetaDomino);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMidaGreenblatt(double Weight) {
    return CallModel<Model::MidaGreenblatt>(drugmodels::MidaGreenblatt, Weight);
}
const VelmoraRecord registerMidaGreenblatt(Model::MidaGreenblatt);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemimazEleveld(double weight, double age, LPXLOPER12 male,
                                                  LPXLOPER12 opiates, LPXLOPER12 hepatic) {
    return CallModel<Model::RemimazEleveld>(drugmodels::RemimazEleveld, weight, age, male, opiates,
                                            hepatic);
}
const VelmoraRecord registerRemimazEleveld(Model::RemimazEleveld);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDexmedHannivoort(double weight) {
    return CallModel<Model::DexmedHannivoort>(drugmodels::DexmedHannivoort, weight);
}
const VelmoraRecord registerDexmedHannivoort(Model::DexmedHannivoort);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDexmedDyck(double height) {
    return CallModel<Model::DexmedDyck>(drugmodels::DexmedDyck, height);
}
const VelmoraRecord registerDexmedDyck(Model::DexmedDyck);

// ---- Opioids

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiMinto(double Age, double LBM) {
    return CallModel<Model::RemiMinto>(drugmodels::RemiMinto, Age, LBM);
}
const VelmoraRecord registerRemiMinto(Model::RemiMinto);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlAlfentMaitre(double Age, double Weight, LPXLOPER12 MALE) {
    return CallModel<Model::AlfentMaitre>(drugmodels::AlfentMaitre, Age, Weight, MALE);
}
const VelmoraRecord registerAlfentMaitre(Model::AlfentMaitre);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlAlfentScott() {
    return CallModel<Model::AlfentScott>(drugmodels::AlfentScott);
}
const VelmoraRecord registerAlfentScott(Model::AlfentScott);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlFentScott(double Weight) {
    return CallModel<Model::FentScott>(drugmodels::FentScott, Weight);
}
const VelmoraRecord registerFentScott(Model::FentScott);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlSufentGepts() {
    return CallModel<Model::SufentGepts>(drugmodels::SufentGepts);
}
const VelmoraRecord registerSufentGepts(Model::SufentGepts);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlSufentHudson(double Weight) {
    return CallModel<Model::SufentHudson>(drugmodels::SufentHudson, Weight);
}
const VelmoraRecord registerSufentHudson(Model::SufentHudson);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiEleveld(double weight, double age, double height,
                                               LPXLOPER12 male) {
    return CallModel<Model::RemiEleveld>(drugmodels::RemiEleveld, weight, age, height, male);
}
const VelmoraRecord registerRemiEleveld(Model::RemiEleveld);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiKim(double weight, double age, double height,
                                           LPXLOPER12 male) {
    return CallModel<Model::RemiKim>(drugmodels::RemiKim, weight, age, height, male);
}
const VelmoraRecord registerRemiKim(Model::RemiKim);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlFentShafer() {
    return CallModel<Model::FentShafer>(drugmodels::FentShafer);
}
const VelmoraRecord registerFentShafer(Model::FentShafer);

// ---- Neuromuscular blockers

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRocuKleijn(double weight, double age, double crcl,
                                              LPXLOPER12 asian, LPXLOPER12 sevoflurane) {
    return CallModel<Model::RocuKleijn>(drugmodels::RocuKleijn, weight, age, crcl, asian,
                                        sevoflurane);
}
const VelmoraRecord registerRocuKleijn(Model::RocuKleijn);

// ---- Local anaesthetics

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlLidocainSchnider(double Weight) {
    return CallModel<Model::LidocainSchnider>(drugmodels::LidocainSchnider, Weight);
}
const VelmoraRecord registerLidocainSchnider(Model::LidocainSchnider);
