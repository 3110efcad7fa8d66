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

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCe50Eleveld(double age) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 6>(age);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlBisEleveld(LPXLOPER12 concEff, double age) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 7>(concEff, age);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCeForBisEleveld(LPXLOPER12 bis, double age) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 8>(bis, age);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPNoRespHier(LPXLOPER12 concProp, LPXLOPER12 concOpioid,
                                               double C50prop, double gamProp, double C50opioid,
                                               double gamOpioid, double preIntensity) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 9>(concProp, concOpioid, C50prop, gamProp,
                                                       C50opioid, gamOpioid, preIntensity);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlEffMinto(LPXLOPER12 concA, LPXLOPER12 concB, double C50a,
                                            double C50b, double gam, double beta, double eZero,
                                            double eMax) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 10>(concA, concB, C50a, C50b, gam, beta, eZero,
                                                        eMax);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlEffGreco(LPXLOPER12 concA, LPXLOPER12 concB, double C50a,
                                            double C50b, double gam, double alpha) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 11>(concA, concB, C50a, C50b, gam, alpha);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelPE(LPXLOPER12 measured, LPXLOPER12 predicted) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 12>(measured, predicted);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelMDPE(LPXLOPER12 measured, LPXLOPER12 predicted) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 13>(measured, predicted);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelMDAPE(LPXLOPER12 measured, LPXLOPER12 predicted) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 14>(measured, predicted);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelWobble(LPXLOPER12 measured, LPXLOPER12 predicted) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 15>(measured, predicted);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelDivergence(LPXLOPER12 times, LPXLOPER12 measured,
                                                    LPXLOPER12 predicted) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 16>(times, measured, predicted);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelPopulation(LPXLOPER12 subject, LPXLOPER12 times,
                                                    LPXLOPER12 measured, LPXLOPER12 predicted,
                                                    double method) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 17>(subject, times, measured, predicted,
                                                        method);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCVFromOmega2(double omega2) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 18>(omega2);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlOmega2FromCV(double cv) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 19>(cv);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRandNorm(double seed, double n) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 20>(seed, n);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVirtualPatient(LPXLOPER12 row, LPXLOPER12 omega, double seed,
                                                  double index) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 21>(row, omega, seed, index);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCpBandVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                             LPXLOPER12 IVBolus, LPXLOPER12 row, LPXLOPER12 omega,
                                             double seed, double nPatients, double k) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 22>(deltaTimes, Rate, IVBolus, row, omega, seed,
                                                        nPatients, k);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCeBandVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                             LPXLOPER12 IVBolus, LPXLOPER12 row, LPXLOPER12 omega,
                                             double seed, double nPatients, double k) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 23>(deltaTimes, Rate, IVBolus, row, omega, seed,
                                                        nPatients, k);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMapObjective(LPXLOPER12 eta, LPXLOPER12 omega,
                                                LPXLOPER12 measured, LPXLOPER12 predicted,
                                                double sigmaProp, double sigmaAdd,
                                                LPXLOPER12 sigmaLog) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 24>(eta, omega, measured, predicted, sigmaProp,
                                                        sigmaAdd, sigmaLog);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMapIndividualVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                                    LPXLOPER12 IVBolus, LPXLOPER12 measured,
                                                    LPXLOPER12 row, LPXLOPER12 omega,
                                                    double sigmaProp, double sigmaAdd,
                                                    LPXLOPER12 sigmaLog) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 25>(deltaTimes, Rate, IVBolus, measured, row,
                                                        omega, sigmaProp, sigmaAdd, sigmaLog);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xldecrCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, LPXLOPER12 decrConc, double A,
                                          double B, double C, double l1, double l2, double l3,
                                          double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 26>(deltaTimes, Rate, IVBolus, decrConc, A, B,
                                                        C, l1, l2, l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCe(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double ke0, double decr) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 27>(Times, A, B, C, l1, l2, l3, ke0, decr);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCp(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double decr) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 28>(Times, A, B, C, l1, l2, l3, decr);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCpVCl(LPXLOPER12 Times, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3, double decr) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 29>(Times, V1, V2, V3, Cl1, Cl2, Cl3, decr);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCp(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 30>(deltaTimes, targetConc, maxRate, A, B, C,
                                                        l1, l2, l3);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCalcRate(LPXLOPER12 deltaTimes, LPXLOPER12 IVBolus,
                                            LPXLOPER12 targetConc, double maxRate, double A,
                                            double B, double C, double l1, double l2, double l3) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 31>(deltaTimes, IVBolus, targetConc, maxRate, A,
                                                        B, C, l1, l2, l3);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCe(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3, double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 32>(deltaTimes, targetConc, maxRate, A, B, C,
                                                        l1, l2, l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak(double A, double B, double C, double l1, double l2,
                                         double l3, double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 33>(A, B, C, l1, l2, l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVdPeak(double A, double B, double C, double l1, double l2,
                                          double l3, double ke0) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 34>(A, B, C, l1, l2, l3, ke0);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak2ke0(double A, double B, double C, double l1, double l2,
                                             double l3, double peak_time) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 35>(A, B, C, l1, l2, l3, peak_time);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlBMI(double Weight, double Height) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 36>(Weight, Height);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 37>(weight, height, MALE);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJanLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 38>(weight, height, MALE);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJJLBM(double weight, double height, LPXLOPER12 MALE) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 39>(weight, height, MALE);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlScheduleCheck(LPXLOPER12 deltaTimes, LPXLOPER12 Times,
                                                 LPXLOPER12 decr) {
    return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 40>(deltaTimes, Times, decr);
}
