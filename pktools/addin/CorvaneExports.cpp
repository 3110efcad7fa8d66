// Corvane's exported wrappers: each hands the host's arguments, as the host
// passes them for their type codes, to the routine of its row of pktools::CORVANE_FUNCTIONS
// (xlf::CallRow).
// Written from the rows by the exports generator (framework/generator): do not edit.
// `cmake --build <build> --target exports` writes it anew; a test fails when it is stale.

// clang-format off
#include "Corvane.h"
#include "pktools/catalogue.h"
#include "xlf/Call.h"

static_assert(xlf::ExportsFitRows(CORVANE_EXPORTS, pktools::CORVANE_FUNCTIONS),
              "the exported wrappers do not follow the rows: cmake --build <build> --target "
              "exports writes them anew");

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCl2Hyb(LPXLOPER12 param) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 0>(param);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlHyb2Cl(LPXLOPER12 param) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 1>(param);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCp(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, double A, double B, double C,
                                          double l1, double l2, double l3) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 2>(deltaTimes, Rate, IVBolus, A, B, C, l1, l2,
                                                       l3);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, double A, double B, double C,
                                          double l1, double l2, double l3, double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 3>(deltaTimes, Rate, IVBolus, A, B, C, l1, l2,
                                                       l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCpVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                             LPXLOPER12 IVBolus, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 4>(deltaTimes, Rate, IVBolus, V1, V2, V3, Cl1,
                                                       Cl2, Cl3);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredEff(LPXLOPER12 concEff, double eZero, double eMax,
                                           double IC50, double gam) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 5>(concEff, eZero, eMax, IC50, gam);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xldecrCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, LPXLOPER12 decrConc, double A,
                                          double B, double C, double l1, double l2, double l3,
                                          double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 6>(deltaTimes, Rate, IVBolus, decrConc, A, B, C,
                                                       l1, l2, l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCe(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double ke0, double decr) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 7>(Times, A, B, C, l1, l2, l3, ke0, decr);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCp(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double decr) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 8>(Times, A, B, C, l1, l2, l3, decr);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCpVCl(LPXLOPER12 Times, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3, double decr) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 9>(Times, V1, V2, V3, Cl1, Cl2, Cl3, decr);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCp(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 10>(deltaTimes, targetConc, maxRate, A, B, C,
                                                        l1, l2, l3);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCalcRate(LPXLOPER12 deltaTimes, LPXLOPER12 IVBolus,
                                            LPXLOPER12 targetConc, double maxRate, double A,
                                            double B, double C, double l1, double l2, double l3) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 11>(deltaTimes, IVBolus, targetConc, maxRate, A,
                                                        B, C, l1, l2, l3);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCe(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3, double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 12>(deltaTimes, targetConc, maxRate, A, B, C,
                                                        l1, l2, l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak(double A, double B, double C, double l1, double l2,
                                         double l3, double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 13>(A, B, C, l1, l2, l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVdPeak(double A, double B, double C, double l1, double l2,
                                          double l3, double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 14>(A, B, C, l1, l2, l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak2ke0(double A, double B, double C, double l1, double l2,
                                             double l3, double peak_time) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 15>(A, B, C, l1, l2, l3, peak_time);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlBMI(double Weight, double Height) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 16>(Weight, Height);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 17>(weight, height, MALE);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJanLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 18>(weight, height, MALE);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJJLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 19>(weight, height, MALE);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlScheduleCheck(LPXLOPER12 deltaTimes, LPXLOPER12 Times,
                                                 LPXLOPER12 decr) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 20>(deltaTimes, Times, decr);
}
