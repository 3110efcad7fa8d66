#pragma once

// Corvane's worksheet functions, as the host calls them: one per row of
// pktools::CORVANE_FUNCTIONS (pktools/catalogue.h).
// Written from the rows by the exports generator (framework/generator): do not edit.
// `cmake --build <build> --target exports` writes it anew; a test fails when it is stale.

// clang-format off
#include "xlf/Exports.h"
#include "xlf/HostApi.h"

#include <tuple>

using xlf::LPXLOPER12;

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCl2Hyb(LPXLOPER12 param);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlHyb2Cl(LPXLOPER12 param);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCp(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, double A, double B, double C,
                                          double l1, double l2, double l3);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, double A, double B, double C,
                                          double l1, double l2, double l3, double ke0);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredCpVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                             LPXLOPER12 IVBolus, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPredEff(LPXLOPER12 concEff, double eZero, double eMax,
                                           double IC50, double gam);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCe50Eleveld(double age);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlBisEleveld(LPXLOPER12 concEff, double age);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCeForBisEleveld(LPXLOPER12 bis, double age);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPNoRespHier(LPXLOPER12 concProp, LPXLOPER12 concOpioid,
                                               double C50prop, double gamProp, double C50opioid,
                                               double gamOpioid, double preIntensity);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlEffMinto(LPXLOPER12 concA, LPXLOPER12 concB, double C50a,
                                            double C50b, double gam, double beta, double eZero,
                                            double eMax);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlEffGreco(LPXLOPER12 concA, LPXLOPER12 concB, double C50a,
                                            double C50b, double gam, double alpha);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelPE(LPXLOPER12 measured, LPXLOPER12 predicted);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelMDPE(LPXLOPER12 measured, LPXLOPER12 predicted);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelMDAPE(LPXLOPER12 measured, LPXLOPER12 predicted);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelWobble(LPXLOPER12 measured, LPXLOPER12 predicted);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelDivergence(LPXLOPER12 times, LPXLOPER12 measured,
                                                    LPXLOPER12 predicted);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVarvelPopulation(LPXLOPER12 subject, LPXLOPER12 times,
                                                    LPXLOPER12 measured, LPXLOPER12 predicted,
                                                    double method);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCVFromOmega2(double omega2);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlOmega2FromCV(double cv);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRandNorm(double seed, double n);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVirtualPatient(LPXLOPER12 row, LPXLOPER12 omega, double seed,
                                                  double index);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCpBandVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                             LPXLOPER12 IVBolus, LPXLOPER12 row, LPXLOPER12 omega,
                                             double seed, double nPatients, double k);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCeBandVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                             LPXLOPER12 IVBolus, LPXLOPER12 row, LPXLOPER12 omega,
                                             double seed, double nPatients, double k);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMapObjective(LPXLOPER12 eta, LPXLOPER12 omega,
                                                LPXLOPER12 measured, LPXLOPER12 predicted,
                                                double sigmaProp, double sigmaAdd,
                                                LPXLOPER12 sigmaLog);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMapIndividualVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                                    LPXLOPER12 IVBolus, LPXLOPER12 measured,
                                                    LPXLOPER12 row, LPXLOPER12 omega,
                                                    double sigmaProp, double sigmaAdd,
                                                    LPXLOPER12 sigmaLog);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xldecrCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate,
                                          LPXLOPER12 IVBolus, LPXLOPER12 decrConc, double A,
                                          double B, double C, double l1, double l2, double l3,
                                          double ke0);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCe(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double ke0, double decr);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCp(LPXLOPER12 Times, double A, double B, double C, double l1,
                                          double l2, double l3, double decr);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCsDtCpVCl(LPXLOPER12 Times, double V1, double V2, double V3,
                                             double Cl1, double Cl2, double Cl3, double decr);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCp(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCalcRate(LPXLOPER12 deltaTimes, LPXLOPER12 IVBolus,
                                            LPXLOPER12 targetConc, double maxRate, double A,
                                            double B, double C, double l1, double l2, double l3);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTciCe(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc,
                                         double maxRate, double A, double B, double C, double l1,
                                         double l2, double l3, double ke0);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak(double A, double B, double C, double l1, double l2,
                                         double l3, double ke0);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlVdPeak(double A, double B, double C, double l1, double l2,
                                          double l3, double ke0);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlTPeak2ke0(double A, double B, double C, double l1, double l2,
                                             double l3, double peak_time);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlBMI(double Weight, double Height);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJLBM(double weight, double height, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJanLBM(double weight, double height, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJJLBM(double weight, double height, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlScheduleCheck(LPXLOPER12 deltaTimes, LPXLOPER12 Times,
                                                 LPXLOPER12 decr);

// Every exported wrapper with its name, in the order of the rows.
inline constexpr std::tuple CORVANE_EXPORTS{
    xlf::Export{"xlCl2Hyb", &xlCl2Hyb},
    xlf::Export{"xlHyb2Cl", &xlHyb2Cl},
    xlf::Export{"xlPredCp", &xlPredCp},
    xlf::Export{"xlPredCe", &xlPredCe},
    xlf::Export{"xlPredCpVCl", &xlPredCpVCl},
    xlf::Export{"xlPredEff", &xlPredEff},
    xlf::Export{"xlCe50Eleveld", &xlCe50Eleveld},
    xlf::Export{"xlBisEleveld", &xlBisEleveld},
    xlf::Export{"xlCeForBisEleveld", &xlCeForBisEleveld},
    xlf::Export{"xlPNoRespHier", &xlPNoRespHier},
    xlf::Export{"xlEffMinto", &xlEffMinto},
    xlf::Export{"xlEffGreco", &xlEffGreco},
    xlf::Export{"xlVarvelPE", &xlVarvelPE},
    xlf::Export{"xlVarvelMDPE", &xlVarvelMDPE},
    xlf::Export{"xlVarvelMDAPE", &xlVarvelMDAPE},
    xlf::Export{"xlVarvelWobble", &xlVarvelWobble},
    xlf::Export{"xlVarvelDivergence", &xlVarvelDivergence},
    xlf::Export{"xlVarvelPopulation", &xlVarvelPopulation},
    xlf::Export{"xlCVFromOmega2", &xlCVFromOmega2},
    xlf::Export{"xlOmega2FromCV", &xlOmega2FromCV},
    xlf::Export{"xlRandNorm", &xlRandNorm},
    xlf::Export{"xlVirtualPatient", &xlVirtualPatient},
    xlf::Export{"xlCpBandVCl", &xlCpBandVCl},
    xlf::Export{"xlCeBandVCl", &xlCeBandVCl},
    xlf::Export{"xlMapObjective", &xlMapObjective},
    xlf::Export{"xlMapIndividualVCl", &xlMapIndividualVCl},
    xlf::Export{"xldecrCe", &xldecrCe},
    xlf::Export{"xlCsDtCe", &xlCsDtCe},
    xlf::Export{"xlCsDtCp", &xlCsDtCp},
    xlf::Export{"xlCsDtCpVCl", &xlCsDtCpVCl},
    xlf::Export{"xlTciCp", &xlTciCp},
    xlf::Export{"xlCalcRate", &xlCalcRate},
    xlf::Export{"xlTciCe", &xlTciCe},
    xlf::Export{"xlTPeak", &xlTPeak},
    xlf::Export{"xlVdPeak", &xlVdPeak},
    xlf::Export{"xlTPeak2ke0", &xlTPeak2ke0},
    xlf::Export{"xlBMI", &xlBMI},
    xlf::Export{"xlJLBM", &xlJLBM},
    xlf::Export{"xlJanLBM", &xlJanLBM},
    xlf::Export{"xlJJLBM", &xlJJLBM},
    xlf::Export{"xlScheduleCheck", &xlScheduleCheck},
};
