// Corvane's worksheet functions: one exported wrapper per tool routine, each followed by
// the line that checks it against the tool's catalogue entry and routine at compile time
// and registers it from the entry.
//
// A wrapper takes its arguments as the host passes them for their registered type codes:
// numbers ("B") as doubles, columns and the MALE flag ("XLF_OPER") as cell values, which
// the binding converts by the routine's parameter types under their registered names, in
// registered order. A vector result goes back as one column, a number as a number, and an
// InputError's text is shown in the cell.

#include "Corvane.h"
#include "pktools/catalogue.h"
#include "pktools/checks.h"
#include "pktools/routines.h"
#include "xlf/Call.h"
#include "xlf/Registration.h"
#include "xlf/XlOpenClose.h"

#include <cstddef>
#include <tuple>

namespace {

using pktools::Tool;

// Corvane serves 12-era hosts only; every call carries the host's international flag, and
// the documentation entry is called at every load.
const xlf::AddinOptionsSetting corvaneOptions(xlf::AddinOptions{
    .internationalCalls = true,
    .genDocAtOpen = true,
    .minimumHostVersion = 12,
    .nulTerminatedTypeText = true,
});

// A tool's routine, from the list in catalogue order.
template <Tool T>
constexpr auto ROUTINE = std::get<static_cast<std::size_t>(T)>(pktools::TOOL_ROUTINES);

// The frame around a tool: columns and flags converted by name, in registered order.
template <Tool T, class... HostArgs> LPXLOPER12 CallTool(HostArgs... args) noexcept {
    return xlf::Call(ROUTINE<T>, pktools::toolEntry(T), args...);
}

// The registration record of a function, from its catalogue entry: all of Corvane's share
// the category and the default settings.
xlf::FunctionRegistrationRecord RecordOf(const catalogue::FunctionEntry& entry) {
    return {
        .exportName = entry.exportName,
        .worksheetName = entry.worksheetName,
        .helpText = entry.helpText,
        .category = pktools::CORVANE_CATEGORY,
        .arguments = entry.arguments,
    };
}

} // namespace

// ---- The schedule check: columns and a decrement that may be left out

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlScheduleCheck(LPXLOPER12 deltaTimes, LPXLOPER12 Times,
                                                 LPXLOPER12 decr) {
    return xlf::Call(pktools::ScheduleCheck, pktools::SCHEDULE_CHECK, deltaTimes, Times, decr);
}
XLF_CHECK_BINDING(xlScheduleCheck, &pktools::ScheduleCheck, pktools::SCHEDULE_CHECK);
const xlf::FunctionRegistration registerScheduleCheck(RecordOf(pktools::SCHEDULE_CHECK));

// The function of a tool beside its wrapper xl<name>: the build fails unless the tool's
// catalogue entry fits the wrapper and the routine; the record is read from the entry.
#define CORVANE_FUNCTION(name)                                                                     \
    XLF_CHECK_BINDING(xl##name, ROUTINE<Tool::name>, pktools::toolEntry(Tool::name));              \
    const xlf::FunctionRegistration register##name(RecordOf(pktools::toolEntry(Tool::name)))

// ---- Compartment model arithmetic

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCl2Hyb(LPXLOPER12 param) {
    return CallTool<Tool::Cl2Hyb>(param);
}
CORVANE_FUNCTION(Cl2Hyb);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlHyb2Cl(LPXLOPER12 param) {
    return CallTool<Tool::Hyb2Cl>(param);
}
CORVANE_FUNCTION(Hyb2Cl);

// ---- Concentration prediction

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCp(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, double A, double B, double C,
                                          double l1, double l2, double l3) {
    return CallTool<Tool::PredCp>(deltaTimes, Rate, IVBolus, A, B, C, l1, l2, l3);
}
CORVANE_FUNCTION(PredCp);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, double A, double B, double C,
                                          double l1, double l2, double l3, double ke0) {
    return CallTool<Tool::PredCe>(deltaTimes, Rate, IVBolus, A, B, C, l1, l2, l3, ke0);
}
CORVANE_FUNCTION(PredCe);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCpVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                             LPXLOPER12 IVBolus, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3) {
    return CallTool<Tool::PredCpVCl>(deltaTimes, Rate, IVBolus, V1, V2, V3, Cl1, Cl2, Cl3);
}
CORVANE_FUNCTION(PredCpVCl);

// ---- Effect

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredEff(LPXLOPER12 concEff, double eZero, double eMax,
                                           double IC50, double gam) {
    return CallTool<Tool::PredEff>(concEff, eZero, eMax, IC50, gam);
}
CORVANE_FUNCTION(PredEff);

// ---- Decrement times

XLF_EXPORT LPXLOPER12 XLF_PASCAL xldecrCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, LPXLOPER12 decrConc, double A,
                                          double B, double C, double l1, double l2, double l3,
                                          double ke0) {
    return CallTool<Tool::decrCe>(deltaTimes, Rate, IVBolus, decrConc, A, B, C, l1, l2, l3, ke0);
}
CORVANE_FUNCTION(decrCe);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCe(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double ke0, double decr) {
    return CallTool<Tool::CsDtCe>(Times, A, B, C, l1, l2, l3, ke0, decr);
}
CORVANE_FUNCTION(CsDtCe);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCp(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double decr) {
    return CallTool<Tool::CsDtCp>(Times, A, B, C, l1, l2, l3, decr);
}
CORVANE_FUNCTION(CsDtCp);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCpVCl(LPXLOPER12 Times, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3, double decr) {
    return CallTool<Tool::CsDtCpVCl>(Times, V1, V2, V3, Cl1, Cl2, Cl3, decr);
}
CORVANE_FUNCTION(CsDtCpVCl);

// ---- Plasma TCI

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCp(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3) {
    return CallTool<Tool::TciCp>(deltaTimes, targetConc, maxRate, A, B, C, l1, l2, l3);
}
CORVANE_FUNCTION(TciCp);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCalcRate(LPXLOPER12 deltaTimes, LPXLOPER12 IVBolus,
                                            LPXLOPER12 targetConc, double maxRate, double A,
                                            double B, double C, double l1, double l2, double l3) {
    return CallTool<Tool::CalcRate>(deltaTimes, IVBolus, targetConc, maxRate, A, B, C, l1, l2, l3);
}
CORVANE_FUNCTION(CalcRate);

// ---- Effect-site TCI

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCe(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3, double ke0) {
    return CallTool<Tool::TciCe>(deltaTimes, targetConc, maxRate, A, B, C, l1, l2, l3, ke0);
}
CORVANE_FUNCTION(TciCe);

// ---- Peak effect

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak(double A, double B, double C, double l1, double l2,
                                         double l3, double ke0) {
    return CallTool<Tool::TPeak>(A, B, C, l1, l2, l3, ke0);
}
CORVANE_FUNCTION(TPeak);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVdPeak(double A, double B, double C, double l1, double l2,
                                          double l3, double ke0) {
    return CallTool<Tool::VdPeak>(A, B, C, l1, l2, l3, ke0);
}
CORVANE_FUNCTION(VdPeak);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak2ke0(double A, double B, double C, double l1, double l2,
                                             double l3, double peak_time) {
    return CallTool<Tool::TPeak2ke0>(A, B, C, l1, l2, l3, peak_time);
}
CORVANE_FUNCTION(TPeak2ke0);

// ---- Body size

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlBMI(double Weight, double Height) {
    return CallTool<Tool::BMI>(Weight, Height);
}
CORVANE_FUNCTION(BMI);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJLBM(double weight, double height, LPXLOPER12 MALE) {
    return CallTool<Tool::JLBM>(weight, height, MALE);
}
CORVANE_FUNCTION(JLBM);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJanLBM(double weight, double height, LPXLOPER12 MALE) {
    return CallTool<Tool::JanLBM>(weight, height, MALE);
}
CORVANE_FUNCTION(JanLBM);

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJJLBM(double weight, double height, LPXLOPER12 MALE) {
    return CallTool<Tool::JJLBM>(weight, height, MALE);
}
CORVANE_FUNCTION(JJLBM);
