#pragma once

// Corvane's worksheet functions, as the host calls them.

#include "xlf/HostApi.h"

using xlf::LPXLOPER12;

XLF_EXPORT LPXLOPER12 xlCl2Hyb(LPXLOPER12 param);
XLF_EXPORT LPXLOPER12 xlHyb2Cl(LPXLOPER12 param);
XLF_EXPORT LPXLOPER12 xlPredCp(LPXLOPER12 deltaTimes, LPXLOPER12 Rate, LPXLOPER12 IVBolus, double A,
                               double B, double C, double l1, double l2, double l3);
XLF_EXPORT LPXLOPER12 xlPredCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate, LPXLOPER12 IVBolus, double A,
                               double B, double C, double l1, double l2, double l3, double ke0);
XLF_EXPORT LPXLOPER12 xlPredCpVCl(LPXLOPER12 deltaTimes, LPXLOPER12 Rate, LPXLOPER12 IVBolus,
                                  double V1, double V2, double V3, double Cl1, double Cl2,
                                  double Cl3);
XLF_EXPORT LPXLOPER12 xlPredEff(LPXLOPER12 concEff, double eZero, double eMax, double IC50,
                                double gam);
XLF_EXPORT LPXLOPER12 xldecrCe(LPXLOPER12 deltaTimes, LPXLOPER12 Rate, LPXLOPER12 IVBolus,
                               LPXLOPER12 decrConc, double A, double B, double C, double l1,
                               double l2, double l3, double ke0);
XLF_EXPORT LPXLOPER12 xlCsDtCe(LPXLOPER12 Times, double A, double B, double C, double l1, double l2,
                               double l3, double ke0, double decr);
XLF_EXPORT LPXLOPER12 xlCsDtCp(LPXLOPER12 Times, double A, double B, double C, double l1, double l2,
                               double l3, double decr);
XLF_EXPORT LPXLOPER12 xlCsDtCpVCl(LPXLOPER12 Times, double V1, double V2, double V3, double Cl1,
                                  double Cl2, double Cl3, double decr);
XLF_EXPORT LPXLOPER12 xlTciCp(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc, double maxRate,
                              double A, double B, double C, double l1, double l2, double l3);
XLF_EXPORT LPXLOPER12 xlCalcRate(LPXLOPER12 deltaTimes, LPXLOPER12 IVBolus, LPXLOPER12 targetConc,
                                 double maxRate, double A, double B, double C, double l1, double l2,
                                 double l3);
XLF_EXPORT LPXLOPER12 xlTciCe(LPXLOPER12 deltaTimes, LPXLOPER12 targetConc, double maxRate,
                              double A, double B, double C, double l1, double l2, double l3,
                              double ke0);
XLF_EXPORT LPXLOPER12 xlTPeak(double A, double B, double C, double l1, double l2, double l3,
                              double ke0);
XLF_EXPORT LPXLOPER12 xlVdPeak(double A, double B, double C, double l1, double l2, double l3,
                               double ke0);
XLF_EXPORT LPXLOPER12 xlTPeak2ke0(double A, double B, double C, double l1, double l2, double l3,
                                  double peak_time);
XLF_EXPORT LPXLOPER12 xlBMI(double Weight, double Height);
XLF_EXPORT LPXLOPER12 xlJLBM(double weight, double height, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 xlJanLBM(double weight, double height, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 xlJJLBM(double weight, double height, LPXLOPER12 MALE);
