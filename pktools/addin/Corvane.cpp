// Corvane's worksheet functions: one exported wrapper per tool routine, each followed by
// its registration record, the argument table written as the function's documentation
// prints it.
//
// Columns ("XLF_OPER") arrive as cell values and become vectors under their registered
// names, in the order written in each wrapper; numbers ("B") arrive as doubles; MALE is
// converted to a truth value. A vector result goes back as one column, a number as a
// number, and an InputError's text is shown in the cell.

#include "Corvane.h"
#include "pktools/bodysize.h"
#include "pktools/compartments.h"
#include "pktools/decrement.h"
#include "pktools/effect.h"
#include "pktools/peak.h"
#include "pktools/prediction.h"
#include "pktools/tci.h"
#include "xlf/Frame.h"
#include "xlf/Registration.h"
#include "xlf/XlOpenClose.h"

#include <cstdint>
#include <iterator>
#include <span>
#include <vector>

using xlf::XlfArgTriple;

namespace {

constexpr const char* CORVANE_CATEGORY = "Corvane 2016/11/20";
constexpr const char* NUMBER = "B";
constexpr const char* OPER = "XLF_OPER";

// Corvane serves 12-era hosts only; every call carries the host's international flag, and
// the documentation entry is called at every load.
const xlf::AddinOptionsSetting corvaneOptions(xlf::AddinOptions{
    .internationalCalls = true,
    .genDocAtOpen = true,
    .minimumHostVersion = 12,
    .nulTerminatedTypeText = true,
});

// The record of a function: all twenty share the category and the default settings.
class CorvaneRecord : public xlf::FunctionRegistration {
public:
    CorvaneRecord(const char* exportName, const char* worksheetName, const char* helpText,
                  std::span<const XlfArgTriple> arguments)
        : FunctionRegistration({.exportName = exportName,
                                .worksheetName = worksheetName,
                                .helpText = helpText,
                                .category = CORVANE_CATEGORY,
                                .arguments = arguments}) {}
};

// A column argument under its registered name: one row, one column or one value.
std::vector<double> Column(LPXLOPER12 value, const XlfArgTriple& argument) {
    return xlf::XlfOper(value).ToDoubleVector(argument.name);
}

bool Flag(LPXLOPER12 value, const XlfArgTriple& argument) {
    return xlf::XlfOper(value).ToBool(argument.name);
}

} // namespace

// ---- Compartment model arithmetic

// clang-format off
constexpr XlfArgTriple CL2HYB_ARGS[] = {
    {"param", " The vols/clearances as an array (length = 6) ", OPER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCl2Hyb(LPXLOPER12 param) {
    return xlf::Frame([&] { return pktools::Cl2Hyb(Column(param, CL2HYB_ARGS[0])); });
}
const CorvaneRecord
    registerCl2Hyb("xlCl2Hyb", "Cl2Hyb",
                   " Reparametrisation from volumes/clearances to hybrid constants ", CL2HYB_ARGS);

// clang-format off
constexpr XlfArgTriple HYB2CL_ARGS[] = {
    {"param", " The hybrid constants as an array (length = 6) ", OPER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlHyb2Cl(LPXLOPER12 param) {
    return xlf::Frame([&] { return pktools::Hyb2Cl(Column(param, HYB2CL_ARGS[0])); });
}
const CorvaneRecord
    registerHyb2Cl("xlHyb2Cl", "Hyb2Cl",
                   " Reparametrisation from hybrid constants to volumes and clearance ",
                   HYB2CL_ARGS);

// ---- Concentration prediction

// clang-format off
constexpr XlfArgTriple PRED_CP_ARGS[] = {
    {"deltaTimes", " Column with delta Times ",    OPER},
    {"Rate",       " Column with infusion rates ", OPER},
    {"IVBolus",    " Column with bolus doses ",    OPER},
    {"A",          " Hybrid constant A ",          NUMBER},
    {"B",          " Hybrid constant B ",          NUMBER},
    {"C",          " Hybrid constant C ",          NUMBER},
    {"l1",         " Hybrid constant l1 ",         NUMBER},
    {"l2",         " Hybrid constant l2 ",         NUMBER},
    {"l3",         " Hybrid constant l3 ",         NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCp(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, double A, double B, double C,
                                          double l1, double l2, double l3) {
    return xlf::Frame([&] {
        std::vector<double> times = Column(deltaTimes, PRED_CP_ARGS[0]);
        std::vector<double> rates = Column(Rate, PRED_CP_ARGS[1]);
        std::vector<double> boluses = Column(IVBolus, PRED_CP_ARGS[2]);
        return pktools::PredCp(std::move(times), std::move(rates), std::move(boluses), A, B, C, l1,
                               l2, l3);
    });
}
const CorvaneRecord registerPredCp("xlPredCp", "PredCp", " Predict plasma concentration ",
                                   PRED_CP_ARGS);

// clang-format off
constexpr XlfArgTriple PRED_CE_ARGS[] = {
    {"deltaTimes", " Column with delta Times ",    OPER},
    {"Rate",       " Column with infusion rates ", OPER},
    {"IVBolus",    " Column with bolus doses ",    OPER},
    {"A",          " Hybrid constant A ",          NUMBER},
    {"B",          " Hybrid constant B ",          NUMBER},
    {"C",          " Hybrid constant C ",          NUMBER},
    {"l1",         " Hybrid constant l1 ",         NUMBER},
    {"l2",         " Hybrid constant l2 ",         NUMBER},
    {"l3",         " Hybrid constant l3 ",         NUMBER},
    {"ke0",        " Transferconstantke0 ",        NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, double A, double B, double C,
                                          double l1, double l2, double l3, double ke0) {
    return xlf::Frame([&] {
        std::vector<double> times = Column(deltaTimes, PRED_CE_ARGS[0]);
        std::vector<double> rates = Column(Rate, PRED_CE_ARGS[1]);
        std::vector<double> boluses = Column(IVBolus, PRED_CE_ARGS[2]);
        return pktools::PredCe(std::move(times), std::move(rates), std::move(boluses), A, B, C, l1,
                               l2, l3, ke0);
    });
}
const CorvaneRecord registerPredCe("xlPredCe", "PredCe", " Predict effect site concentration ",
                                   PRED_CE_ARGS);

// clang-format off
constexpr XlfArgTriple PRED_CP_VCL_ARGS[] = {
    {"deltaTimes", " Column with delta deltaTimess ", OPER},
    {"Rate",       " Column with infusion rates ",    OPER},
    {"IVBolus",    " Column with bolus doses ",       OPER},
    {"V1",         " Vol 1 ",                         NUMBER},
    {"V2",         " Vol 2 ",                         NUMBER},
    {"V3",         " Vol 3 ",                         NUMBER},
    {"Cl1",        " Cl1 ",                           NUMBER},
    {"Cl2",        " Cl2 ",                           NUMBER},
    {"Cl3",        " Cl3 ",                           NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCpVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                             LPXLOPER12 IVBolus, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3) {
    return xlf::Frame([&] {
        std::vector<double> times = Column(deltaTimes, PRED_CP_VCL_ARGS[0]);
        std::vector<double> rates = Column(Rate, PRED_CP_VCL_ARGS[1]);
        std::vector<double> boluses = Column(IVBolus, PRED_CP_VCL_ARGS[2]);
        return pktools::PredCpVCl(std::move(times), std::move(rates), std::move(boluses), V1, V2,
                                  V3, Cl1, Cl2, Cl3);
    });
}
const CorvaneRecord registerPredCpVCl("xlPredCpVCl", "PredCpVCl",
                                      " Predict plasma concentration (Vol Cl) ", PRED_CP_VCL_ARGS);

// ---- Effect

// clang-format off
constexpr XlfArgTriple PRED_EFF_ARGS[] = {
    {"concEff", "Column with effect site concentration ", OPER},
    {"eZero",   " Ezero ",                                NUMBER},
    {"eMax",    " Emax ",                                 NUMBER},
    {"IC50",    " IC50 ",                                 NUMBER},
    {"gam",     " Gamma - steepness ",                    NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredEff(LPXLOPER12 concEff, double eZero, double eMax,
                                           double IC50, double gam) {
    return xlf::Frame([&] {
        return pktools::PredEff(Column(concEff, PRED_EFF_ARGS[0]), eZero, eMax, IC50, gam);
    });
}
const CorvaneRecord registerPredEff("xlPredEff", "PredEff",
                                    " Effect based on sigmoidal Emax model ", PRED_EFF_ARGS);

// ---- Decrement times

// clang-format off
constexpr XlfArgTriple DECR_CE_ARGS[] = {
    {"deltaTimes", " Column with delta Times ",                  OPER},
    {"Rate",       " Column with infusion rates ",               OPER},
    {"IVBolus",    " Column with bolus doses ",                  OPER},
    {"decrConc",   " Column with decrement concentration (Ce) ", OPER},
    {"A",          " Hybrid constant A ",                        NUMBER},
    {"B",          " Hybrid constant B ",                        NUMBER},
    {"C",          " Hybrid constant C ",                        NUMBER},
    {"l1",         " Hybrid constant l1 ",                       NUMBER},
    {"l2",         " Hybrid constant l2 ",                       NUMBER},
    {"l3",         " Hybrid constant l3 ",                       NUMBER},
    {"ke0",        " Transferconstantke0 ",                      NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xldecrCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, LPXLOPER12 decrConc, double A,
                                          double B, double C, double l1, double l2, double l3,
                                          double ke0) {
    return xlf::Frame([&] {
        std::vector<double> times = Column(deltaTimes, DECR_CE_ARGS[0]);
        std::vector<double> rates = Column(Rate, DECR_CE_ARGS[1]);
        std::vector<double> boluses = Column(IVBolus, DECR_CE_ARGS[2]);
        std::vector<double> levels = Column(decrConc, DECR_CE_ARGS[3]);
        return pktools::decrCe(std::move(times), std::move(rates), std::move(boluses),
                               std::move(levels), A, B, C, l1, l2, l3, ke0);
    });
}
const CorvaneRecord registerdecrCe("xldecrCe", "decrCe", " Calculation of decrement times ",
                                   DECR_CE_ARGS);

// clang-format off
constexpr XlfArgTriple CS_DT_CE_ARGS[] = {
    {"Times", " Time column ",                       OPER},
    {"A",     " Hybrid constant A ",                 NUMBER},
    {"B",     " Hybrid constant B ",                 NUMBER},
    {"C",     " Hybrid constant C ",                 NUMBER},
    {"l1",    " Hybrid constant l1 ",                NUMBER},
    {"l2",    " Hybrid constant l2 ",                NUMBER},
    {"l3",    " Hybrid constant l3 ",                NUMBER},
    {"ke0",   " Transferconstantke0 ",               NUMBER},
    {"decr",  "The decrement (e.g. 50 for 50%) ",    NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCe(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double ke0, double decr) {
    return xlf::Frame([&] {
        return pktools::CsDtCe(Column(Times, CS_DT_CE_ARGS[0]), A, B, C, l1, l2, l3, ke0, decr);
    });
}
const CorvaneRecord registerCsDtCe("xlCsDtCe", "CsDtCe",
                                   " Calculates the decrement times of effect site concentration ",
                                   CS_DT_CE_ARGS);

// clang-format off
constexpr XlfArgTriple CS_DT_CP_ARGS[] = {
    {"Times", " Time column ",                       OPER},
    {"A",     " Hybrid constant A ",                 NUMBER},
    {"B",     " Hybrid constant B ",                 NUMBER},
    {"C",     " Hybrid constant C ",                 NUMBER},
    {"l1",    " Hybrid constant l1 ",                NUMBER},
    {"l2",    " Hybrid constant l2 ",                NUMBER},
    {"l3",    " Hybrid constant l3 ",                NUMBER},
    {"decr",  "The decrement (e.g. 50 for 50%) ",    NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCp(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double decr) {
    return xlf::Frame([&] {
        return pktools::CsDtCp(Column(Times, CS_DT_CP_ARGS[0]), A, B, C, l1, l2, l3, decr);
    });
}
const CorvaneRecord registerCsDtCp("xlCsDtCp", "CsDtCp",
                                   " Calculates the decrement times of plasma concentration ",
                                   CS_DT_CP_ARGS);

// clang-format off
constexpr XlfArgTriple CS_DT_CP_VCL_ARGS[] = {
    {"Times", " Time columns ",                      OPER},
    {"V1",    " Vol 1 ",                             NUMBER},
    {"V2",    " Vol 2 ",                             NUMBER},
    {"V3",    " Vol 3 ",                             NUMBER},
    {"Cl1",   " Cl1 ",                               NUMBER},
    {"Cl2",   " Cl2 ",                               NUMBER},
    {"Cl3",   " Cl3 ",                               NUMBER},
    {"decr",  "The decrement (e.g. 50 for 50%) ",    NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCpVCl(LPXLOPER12 Times, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3, double decr) {
    return xlf::Frame([&] {
        return pktools::CsDtCpVCl(Column(Times, CS_DT_CP_VCL_ARGS[0]), V1, V2, V3, Cl1, Cl2, Cl3,
                                  decr);
    });
}
const CorvaneRecord registerCsDtCpVCl("xlCsDtCpVCl", "CsDtCpVCl",
                                      " Calculates the decrement times of plasma concentration ",
                                      CS_DT_CP_VCL_ARGS);

// ---- Plasma TCI

// clang-format off
constexpr XlfArgTriple TCI_CP_ARGS[] = {
    {"deltaTimes", " Column with delta times ",           OPER},
    {"targetConc", " Column with target concentrations ", OPER},
    {"maxRate",    " Maximal infusion rate ",             NUMBER},
    {"A",          " Hybrid constant A ",                 NUMBER},
    {"B",          " Hybrid constant B ",                 NUMBER},
    {"C",          " Hybrid constant C ",                 NUMBER},
    {"l1",         " Hybrid constant l1 ",                NUMBER},
    {"l2",         " Hybrid constant l2 ",                NUMBER},
    {"l3",         " Hybrid constant l3 ",                NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCp(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3) {
    return xlf::Frame([&] {
        std::vector<double> times = Column(deltaTimes, TCI_CP_ARGS[0]);
        std::vector<double> targets = Column(targetConc, TCI_CP_ARGS[1]);
        return pktools::TciCp(std::move(times), std::move(targets), maxRate, A, B, C, l1, l2, l3);
    });
}
const CorvaneRecord registerTciCp("xlTciCp", "TciCp", " TCI for plasma ", TCI_CP_ARGS);

// clang-format off
constexpr XlfArgTriple CALC_RATE_ARGS[] = {
    {"deltaTimes", " Column with delta times ",              OPER},
    {"IVBolus",    " For inclusion of manual bolus doses ",  OPER},
    {"targetConc", " Column with target concentrations ",    OPER},
    {"maxRate",    " Maximal infusion rate ",                NUMBER},
    {"A",          " Hybrid constant A ",                    NUMBER},
    {"B",          " Hybrid constant B ",                    NUMBER},
    {"C",          " Hybrid constant C ",                    NUMBER},
    {"l1",         " Hybrid constant l1 ",                   NUMBER},
    {"l2",         " Hybrid constant l2 ",                   NUMBER},
    {"l3",         " Hybrid constant l3 ",                   NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCalcRate(LPXLOPER12 deltaTimes, LPXLOPER12 IVBolus,
                                            LPXLOPER12 targetConc, double maxRate, double A,
                                            double B, double C, double l1, double l2, double l3) {
    return xlf::Frame([&] {
        std::vector<double> times = Column(deltaTimes, CALC_RATE_ARGS[0]);
        std::vector<double> boluses = Column(IVBolus, CALC_RATE_ARGS[1]);
        std::vector<double> targets = Column(targetConc, CALC_RATE_ARGS[2]);
        return pktools::CalcRate(std::move(times), std::move(boluses), std::move(targets), maxRate,
                                 A, B, C, l1, l2, l3);
    });
}
const CorvaneRecord registerCalcRate("xlCalcRate", "CalcRate", " Plasma TCI; bolus doses possible ",
                                     CALC_RATE_ARGS);

// ---- Effect-site TCI

// clang-format off
constexpr XlfArgTriple TCI_CE_ARGS[] = {
    {"deltaTimes", " Column with delta times ",           OPER},
    {"targetConc", " Column with target concentrations ", OPER},
    {"maxRate",    " Maximal infusion rate ",             NUMBER},
    {"A",          " Hybrid constant A ",                 NUMBER},
    {"B",          " Hybrid constant B ",                 NUMBER},
    {"C",          " Hybrid constant C ",                 NUMBER},
    {"l1",         " Hybrid constant l1 ",                NUMBER},
    {"l2",         " Hybrid constant l2 ",                NUMBER},
    {"l3",         " Hybrid constant l3 ",                NUMBER},
    {"ke0",        " Transferconstant ke0 ",              NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCe(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3, double ke0) {
    return xlf::Frame([&] {
        std::vector<double> times = Column(deltaTimes, TCI_CE_ARGS[0]);
        std::vector<double> targets = Column(targetConc, TCI_CE_ARGS[1]);
        return pktools::TciCe(std::move(times), std::move(targets), maxRate, A, B, C, l1, l2, l3,
                              ke0);
    });
}
const CorvaneRecord registerTciCe("xlTciCe", "TciCe", " TCI for effect site ", TCI_CE_ARGS);

// ---- Peak effect

// clang-format off
constexpr XlfArgTriple TPEAK_ARGS[] = {
    {"A",   " Hybrid constant A ",    NUMBER},
    {"B",   " Hybrid constant B ",    NUMBER},
    {"C",   " Hybrid constant C ",    NUMBER},
    {"l1",  " Hybrid constant l1 ",   NUMBER},
    {"l2",  " Hybrid constant l2 ",   NUMBER},
    {"l3",  " Hybrid constant l3 ",   NUMBER},
    {"ke0", " Transferconstant ke0 ", NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak(double A, double B, double C, double l1, double l2,
                                         double l3, double ke0) {
    return xlf::Frame([&] { return pktools::TPeak(A, B, C, l1, l2, l3, ke0); });
}
const CorvaneRecord registerTPeak("xlTPeak", "TPeak", "Calculates the time to peak effect ",
                                  TPEAK_ARGS);

// clang-format off
constexpr XlfArgTriple VD_PEAK_ARGS[] = {
    {"A",   " Hybrid constant A ",    NUMBER},
    {"B",   " Hybrid constant B ",    NUMBER},
    {"C",   " Hybrid constant C ",    NUMBER},
    {"l1",  " Hybrid constant l1 ",   NUMBER},
    {"l2",  " Hybrid constant l2 ",   NUMBER},
    {"l3",  " Hybrid constant l3 ",   NUMBER},
    {"ke0", " Transferconstant ke0 ", NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVdPeak(double A, double B, double C, double l1, double l2,
                                          double l3, double ke0) {
    return xlf::Frame([&] { return pktools::VdPeak(A, B, C, l1, l2, l3, ke0); });
}
const CorvaneRecord registerVdPeak("xlVdPeak", "VdPeak",
                                   "Calculation of Volume of distribution at peak effect ",
                                   VD_PEAK_ARGS);

// clang-format off
constexpr XlfArgTriple TPEAK2KE0_ARGS[] = {
    {"A",         " Hybrid constant A ",    NUMBER},
    {"B",         " Hybrid constant B ",    NUMBER},
    {"C",         " Hybrid constant C ",    NUMBER},
    {"l1",        " Hybrid constant l1 ",   NUMBER},
    {"l2",        " Hybrid constant l2 ",   NUMBER},
    {"l3",        " Hybrid constant l3 ",   NUMBER},
    {"peak_time", " Time to peak effect ",  NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak2ke0(double A, double B, double C, double l1, double l2,
                                             double l3, double peak_time) {
    return xlf::Frame([&] { return pktools::TPeak2ke0(A, B, C, l1, l2, l3, peak_time); });
}
const CorvaneRecord registerTPeak2ke0("xlTPeak2ke0", "TPeak2ke0",
                                      "Calculates ke0 from a given tpeak ", TPEAK2KE0_ARGS);

// ---- Body size

// clang-format off
constexpr XlfArgTriple BMI_ARGS[] = {
    {"Weight", "The patients weight in kg ", NUMBER},
    {"Height", "The pateints height in cm ", NUMBER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlBMI(double Weight, double Height) {
    return xlf::Frame([&] { return pktools::BMI(Weight, Height); });
}
const CorvaneRecord registerBMI("xlBMI", "BMI", " Computes the BMI (body mass index) ", BMI_ARGS);

// clang-format off
constexpr XlfArgTriple JLBM_ARGS[] = {
    {"weight", " Weight in kg ",              NUMBER},
    {"height", " Height in cm ",              NUMBER},
    {"MALE",   " Gender, male=1, female=0 ",  OPER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::Frame([&] { return pktools::JLBM(weight, height, Flag(MALE, JLBM_ARGS[2])); });
}
const CorvaneRecord registerJLBM("xlJLBM", "JLBM", " LBM (formula of James) ", JLBM_ARGS);

// clang-format off
constexpr XlfArgTriple JAN_LBM_ARGS[] = {
    {"weight", "The patient's weight in kg ", NUMBER},
    {"height", "The patient's height in cm ", NUMBER},
    {"MALE",   " Gender, male=1, female=0 ",  OPER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJanLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::Frame([&] { return pktools::JanLBM(weight, height, Flag(MALE, JAN_LBM_ARGS[2])); });
}
const CorvaneRecord registerJanLBM("xlJanLBM", "JanLBM",
                                   "Computes LBM based on Janmahasatian Clin Pharm ", JAN_LBM_ARGS);

// clang-format off
constexpr XlfArgTriple JJLBM_ARGS[] = {
    {"weight", " Weight in kg ",              NUMBER},
    {"height", " Height in cm ",              NUMBER},
    {"MALE",   " Gender, male=1, female=0 ",  OPER},
};
// clang-format on
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJJLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::Frame([&] { return pktools::JJLBM(weight, height, Flag(MALE, JJLBM_ARGS[2])); });
}
const CorvaneRecord registerJJLBM("xlJJLBM", "JJLBM", " LBM (formula James Adjusted) ", JJLBM_ARGS);
