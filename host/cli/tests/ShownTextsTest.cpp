// Every text the reference pages say a function shows instead of its result is caused
// through the add-ins, loaded side by side in the stand-in host, and must come back exactly:
// a function's own texts by the causes below, the conversion texts of its flag and column
// arguments by its example with one argument left out, an empty cell, an error value or a
// two-dimensional range in its place. So the reference cannot list a text the add-ins never
// give, and a refusal the routines throw is listed by some function.

#include "SheetHost.h"
#include "catalogue/conversions.h"
#include "pktools/refusals.h"
#include "refdocs/pages.h"
#include "sheet/formula.h"
#include "sheet/sheet.h"
#include "standin/Addin.h"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace conversions = catalogue::conversions;

// A formula that makes a function show one of its own texts.
struct Cause {
    const char* function;
    const char* text;
    const char* formula;
};

// Propofol's hybrid constants (Schnider, the standard patient).
#define HYBRID "0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412"
#define VOLUMES "4.27, 18.9, 238, 1.89, 1.29, 0.836"
// A propofol row with ke0, its variances, and a short schedule of a bolus and an infusion.
#define ROW7 "{4.27;18.9;238;1.89;1.29;0.836;0.456}"
#define OMEGA7 "{0.61;0.565;0.597;0.265;0.346;0.209;0.702}"
#define SCHEDULE "{0;1;1;1}, {0;10;10;0}, {20;0;0;0}"
// 101 rows: a million patients on them are above a cell's work.
#define LONG_SCHEDULE                                                                              \
    "{0;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;"  \
    "1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;" \
    "1;1;1;1;1;1;1;1;1;1}, "                                                                       \
    "{0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;"  \
    "0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;" \
    "0;0;0;0;0;0;0;0;0;0}, "                                                                       \
    "{1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;"  \
    "0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;" \
    "0;0;0;0;0;0;0;0;0;0}"
// A 7x7 block: Omega's variances on the diagonal, and one pair of covariances (V1, Cl1).
#define BLOCK7(cov1, cov2)                                                                         \
    "{0.61,0,0," cov1 ",0,0,0;0,0.565,0,0,0,0,0;0,0,0.597,0,0,0,0;" cov2                           \
    ",0,0,0.265,0,0,0;0,0,0,0,0.346,0,0;0,0,0,0,0,0.209,0;0,0,0,0,0,0,0.702}"
// A propofol row without ke0, the variances of V1 and Cl1 alone, and samples after a bolus and
// an infusion (row 0 at time 0, before the bolus).
#define ROW6 "{4.27;18.9;238;1.89;1.29;0.836}"
#define MAP_OMEGA "{0.61;0;0;0.265;0;0;0}"
#define MAP_SCHEDULE "{0;2;2;2}, {0;10;10;0}, {20;0;0;0}"
#define MAP_MEASURED "{0;2.1;1.9;1.2}"
// V1 and Cl1 moving together exactly: semi-definite, without an inverse.
#define PERFECT7                                                                                   \
    "{0.25,0,0,0.25,0,0,0;0,0,0,0,0,0,0;0,0,0,0,0,0,0;0.25,0,0,0.25,0,0,0;"                        \
    "0,0,0,0,0,0,0;0,0,0,0,0,0,0;0,0,0,0,0,0,0}"
// clang-format off
const Cause CAUSES[] = {
    {"Cl2Hyb", "We need exactly 6 parameters!", "=Cl2Hyb({1;2;3})"},
    {"Hyb2Cl", "We need exactly 6 parameters!", "=Hyb2Cl({1,2,3,4,5,6,7})"},
    {"PredCp", "Negative or missing PK parameter!", "=PredCp({0;1}, {0;1}, {1;0}, 0, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412)"},
    {"PredCp", "Columns of different length!", "=PredCp({0;1}, {0}, {1;0}, " HYBRID ")"},
    {"PredCe", "Negative or missing PK parameter!", "=PredCe({0;1}, {0;1}, {1;0}, " HYBRID ", 0)"},
    {"PredCe", "Columns of different length!", "=PredCe({0;1}, {0;1}, {1}, " HYBRID ", 0.456)"},
    {"PredCpVCl", "Negative or missing PK parameter!", "=PredCpVCl({0;1}, {0;1}, {1;0}, 4.27, 18.9, -238, 1.89, 1.29, 0.836)"},
    {"PredCpVCl", "Columns of different length!", "=PredCpVCl({0;1;2}, {0;1}, {1;0}, " VOLUMES ")"},
    {"decrCe", "Columns of different length!", "=decrCe({0;1}, {0;100}, {100;0}, {1.5}, " HYBRID ", 0.456)"},
    {"decrCe", "Negative PK parameter!", "=decrCe({0;1}, {0;100}, {100;0}, {1.5;1.5}, " HYBRID ", -0.456)"},
    {"decrCe", "Non-positive decrement concentration!", "=decrCe({0;1}, {0;100}, {100;0}, {0;0}, " HYBRID ", 0.456)"},
    {"decrCe", "Decrement time not found!", "=decrCe({0;1}, {0;100}, {100;0}, {1E-300;1E-300}, 0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 1E-310, 0.456)"},
    {"Ce50Eleveld", "#NUM!", "=Ce50Eleveld(1E6)"},
    {"BisEleveld", "#NUM!", "=BisEleveld(-1, 35)"},
    {"CeForBisEleveld", "#NUM!", "=CeForBisEleveld(0, 35)"},
    {"PNoRespHier", "Columns of different length!", "=PNoRespHier({1;2}, {1}, 6.68, 6.9, 1.01, 0.72, 0.83)"},
    {"PNoRespHier", "#NUM!", "=PNoRespHier(2, 1, 6.68, 6.9, 1.01, 0.72, 0)"},
    {"EffMinto", "Columns of different length!", "=EffMinto({1;2}, {1}, 4.47, 19.3, 1.43, 0, 97.4, 97.4)"},
    {"EffMinto", "#NUM!", "=EffMinto(4.47, 19.3, 4.47, 19.3, 1.43, 5, 97.4, 97.4)"},
    {"EffGreco", "Columns of different length!", "=EffGreco({1;2}, {1}, 4.47, 19.3, 1.43, 0)"},
    {"EffGreco", "#NUM!", "=EffGreco(4.47, 19.3, 4.47, 19.3, 1.43, -10)"},
    {"VarvelPE", "Columns of different length!", "=VarvelPE({1;2}, {1})"},
    {"VarvelPE", "Negative measurement!", "=VarvelPE({1;-2}, {1;1})"},
    {"VarvelPE", "Non-positive prediction!", "=VarvelPE({1;2}, {1;0})"},
    {"VarvelPE", "Sample not a finite number!", "=VarvelPE(CVFromOmega2(1000), 1)"},
    {"VarvelMDPE", "Columns of different length!", "=VarvelMDPE({1;2;3}, {1;2})"},
    {"VarvelMDPE", "Negative measurement!", "=VarvelMDPE(-1, 1)"},
    {"VarvelMDPE", "Non-positive prediction!", "=VarvelMDPE(1, -1)"},
    {"VarvelMDPE", "Sample not a finite number!", "=VarvelMDPE(CVFromOmega2(1000), 1)"},
    {"VarvelMDAPE", "Columns of different length!", "=VarvelMDAPE({1;2}, 1)"},
    {"VarvelMDAPE", "Negative measurement!", "=VarvelMDAPE({1;-1E-300}, {1;1})"},
    {"VarvelMDAPE", "Non-positive prediction!", "=VarvelMDAPE({1;1}, {1;0})"},
    {"VarvelMDAPE", "Sample not a finite number!", "=VarvelMDAPE(1, CVFromOmega2(1000))"},
    {"VarvelWobble", "Columns of different length!", "=VarvelWobble(1, {1;2})"},
    {"VarvelWobble", "Negative measurement!", "=VarvelWobble(-3, 2)"},
    {"VarvelWobble", "Non-positive prediction!", "=VarvelWobble(3, 0)"},
    {"VarvelWobble", "Sample not a finite number!", "=VarvelWobble(CVFromOmega2(1000), 1)"},
    {"VarvelDivergence", "Columns of different length!", "=VarvelDivergence({0;1}, {1;2}, {1})"},
    {"VarvelDivergence", "Negative measurement!", "=VarvelDivergence({0;1}, {1;-2}, {1;1})"},
    {"VarvelDivergence", "Non-positive prediction!", "=VarvelDivergence({0;1}, {1;2}, {0;1})"},
    {"VarvelDivergence", "Sample not a finite number!", "=VarvelDivergence(CVFromOmega2(1000), 1, 1)"},
    {"VarvelDivergence", "Divergence needs 2 samples at 2 distinct times!", "=VarvelDivergence({5;5}, {1;2}, {1;1})"},
    {"VarvelPopulation", "Columns of different length!", "=VarvelPopulation({1;1}, {0;60}, {1;2}, {1}, 0)"},
    {"VarvelPopulation", "Negative measurement!", "=VarvelPopulation({1;1}, {0;60}, {1;-2}, {1;1}, 0)"},
    {"VarvelPopulation", "Non-positive prediction!", "=VarvelPopulation({1;1}, {0;60}, {1;2}, {1;0}, 0)"},
    {"VarvelPopulation", "Sample not a finite number!", "=VarvelPopulation(CVFromOmega2(1000), 0, 1, 1, 2)"},
    {"VarvelPopulation", "Method must be 0, 1 or 2!", "=VarvelPopulation({1;1}, {0;60}, {1;2}, {1;1}, 3)"},
    {"VarvelPopulation", "Divergence needs 2 samples at 2 distinct times!", "=VarvelPopulation({1;2}, {0;0}, {1;2}, {1;1}, 2)"},
    {"VarvelPopulation", "Divergence needs 2 samples at 2 distinct times in each subject!", "=VarvelPopulation({1;1;2}, {0;60;0}, {1;2;1}, {1;1;1}, 1)"},
    {"ModelOmega", "Unknown model name!", "=ModelOmega(\"PropMarshall\")"},
    {"ModelOmega", "No variances known for this model!", "=ModelOmega(\"propschnider\")"},
    {"CVFromOmega2", "Variance must be 0 or above!", "=CVFromOmega2(-0.1)"},
    {"Omega2FromCV", "CV must be 0 or above!", "=Omega2FromCV(-0.1)"},
    {"RandNorm", "Seed must be a whole number from 0 to 2^53!", "=RandNorm(0.5, 0)"},
    {"RandNorm", "n must be a whole number from 0 to 2^53!", "=RandNorm(1, 9007199254740994)"},
    {"VirtualPatient", "Row needs 6 or 7 values!", "=VirtualPatient({1;2}, " OMEGA7 ", 1, 0)"},
    {"VirtualPatient", "Omega needs 7 variances or a 7x7 block!", "=VirtualPatient(" ROW7 ", {1,2;3,4}, 1, 0)"},
    {"VirtualPatient", "Omega has a negative or missing variance!", "=VirtualPatient(" ROW7 ", {0.61;0.565;0.597;0.265;0.346;0.209;-1}, 1, 0)"},
    {"VirtualPatient", "Omega block is not symmetric!", "=VirtualPatient(" ROW7 ", " BLOCK7("0", "0.1") ", 1, 0)"},
    {"VirtualPatient", "Omega is not positive semi-definite!", "=VirtualPatient(" ROW7 ", " BLOCK7("0.41", "0.41") ", 1, 0)"},
    {"VirtualPatient", "Seed must be a whole number from 0 to 2^53!", "=VirtualPatient(" ROW7 ", " OMEGA7 ", 2.5, 0)"},
    {"VirtualPatient", "index must be a whole number from 0 to 2^53!", "=VirtualPatient(" ROW7 ", " OMEGA7 ", 1, -1)"},
    {"CpBandVCl", "Seed must be a whole number from 0 to 2^53!", "=CpBandVCl(" SCHEDULE ", " ROW7 ", " OMEGA7 ", -1, 10, 0.5)"},
    {"CpBandVCl", "nPatients must be a whole number from 1 on!", "=CpBandVCl(" SCHEDULE ", " ROW7 ", " OMEGA7 ", 1, 0, 0.5)"},
    {"CpBandVCl", "nPatients must be at most 1000000 in a cell!", "=CpBandVCl({0}, {0}, {1}, " ROW7 ", " OMEGA7 ", 1, 1000001, 0.5)"},
    {"CpBandVCl", "nPatients times rows must be at most 100000000!", "=CpBandVCl(" LONG_SCHEDULE ", " ROW7 ", " OMEGA7 ", 1, 1000000, 0.5)"},
    {"CpBandVCl", "Columns of different length!", "=CpBandVCl({0;1}, {0;10;10;0}, {20;0;0;0}, " ROW7 ", " OMEGA7 ", 1, 10, 0.5)"},
    {"CpBandVCl", "Row needs 6 or 7 values!", "=CpBandVCl(" SCHEDULE ", {4.27;18.9;238}, " OMEGA7 ", 1, 10, 0.5)"},
    {"CpBandVCl", "Omega needs 7 variances or a 7x7 block!", "=CpBandVCl(" SCHEDULE ", " ROW7 ", {0.61;0.565}, 1, 10, 0.5)"},
    {"CpBandVCl", "Omega has a negative or missing variance!", "=CpBandVCl(" SCHEDULE ", " ROW7 ", {0.61;-0.565;0.597;0.265;0.346;0.209;0.702}, 1, 10, 0.5)"},
    {"CpBandVCl", "Omega block is not symmetric!", "=CpBandVCl(" SCHEDULE ", " ROW7 ", " BLOCK7("0.1", "0.2") ", 1, 10, 0.5)"},
    {"CpBandVCl", "Omega is not positive semi-definite!", "=CpBandVCl(" SCHEDULE ", " ROW7 ", " BLOCK7("0.5", "0.5") ", 1, 10, 0.5)"},
    {"CpBandVCl", "k must be from 0 to 1!", "=CpBandVCl(" SCHEDULE ", " ROW7 ", " OMEGA7 ", 1, 10, 1.5)"},
    {"CpBandVCl", "Negative or missing PK parameter!", "=CpBandVCl(" SCHEDULE ", {0;18.9;238;1.89;1.29;0.836;0.456}, " OMEGA7 ", 1, 10, 0.5)"},
    {"CeBandVCl", "Seed must be a whole number from 0 to 2^53!", "=CeBandVCl(" SCHEDULE ", " ROW7 ", " OMEGA7 ", -1, 10, 0.5)"},
    {"CeBandVCl", "nPatients must be a whole number from 1 on!", "=CeBandVCl(" SCHEDULE ", " ROW7 ", " OMEGA7 ", 1, 0, 0.5)"},
    {"CeBandVCl", "nPatients must be at most 1000000 in a cell!", "=CeBandVCl({0}, {0}, {1}, " ROW7 ", " OMEGA7 ", 1, 1000001, 0.5)"},
    {"CeBandVCl", "nPatients times rows must be at most 100000000!", "=CeBandVCl(" LONG_SCHEDULE ", " ROW7 ", " OMEGA7 ", 1, 1000000, 0.5)"},
    {"CeBandVCl", "Columns of different length!", "=CeBandVCl({0;1}, {0;10;10;0}, {20;0;0;0}, " ROW7 ", " OMEGA7 ", 1, 10, 0.5)"},
    {"CeBandVCl", "Row needs 6 or 7 values!", "=CeBandVCl(" SCHEDULE ", {4.27;18.9;238}, " OMEGA7 ", 1, 10, 0.5)"},
    {"CeBandVCl", "Omega needs 7 variances or a 7x7 block!", "=CeBandVCl(" SCHEDULE ", " ROW7 ", {0.61;0.565}, 1, 10, 0.5)"},
    {"CeBandVCl", "Omega has a negative or missing variance!", "=CeBandVCl(" SCHEDULE ", " ROW7 ", {0.61;-0.565;0.597;0.265;0.346;0.209;0.702}, 1, 10, 0.5)"},
    {"CeBandVCl", "Omega block is not symmetric!", "=CeBandVCl(" SCHEDULE ", " ROW7 ", " BLOCK7("0.1", "0.2") ", 1, 10, 0.5)"},
    {"CeBandVCl", "Omega is not positive semi-definite!", "=CeBandVCl(" SCHEDULE ", " ROW7 ", " BLOCK7("0.5", "0.5") ", 1, 10, 0.5)"},
    {"CeBandVCl", "k must be from 0 to 1!", "=CeBandVCl(" SCHEDULE ", " ROW7 ", " OMEGA7 ", 1, 10, 1.5)"},
    {"CeBandVCl", "Negative or missing PK parameter!", "=CeBandVCl(" SCHEDULE ", {0;18.9;238;1.89;1.29;0.836;0.456}, " OMEGA7 ", 1, 10, 0.5)"},
    {"CeBandVCl", "Ce band needs a row of 7 values with ke0!", "=CeBandVCl(" SCHEDULE ", {4.27;18.9;238;1.89;1.29;0.836}, " OMEGA7 ", 1, 10, 0.5)"},
    {"VarvelPE", "No samples!", "=VarvelPE(A1, 1)"},
    {"VarvelMDPE", "No samples!", "=VarvelMDPE({1;2}, A1:A2)"},
    {"VarvelMDAPE", "No samples!", "=VarvelMDAPE(A1, 1)"},
    {"VarvelWobble", "No samples!", "=VarvelWobble(A1, 1)"},
    {"VarvelDivergence", "No samples!", "=VarvelDivergence({0;1}, A1:A2, {1;1})"},
    {"VarvelDivergence", "Sample not a finite number!", "=VarvelDivergence(A1:A2, {1;2}, {1;1})"},
    {"VarvelPopulation", "No samples!", "=VarvelPopulation({1;2}, {0;1}, A1:A2, {1;1}, 0)"},
    {"MapObjective", "Eta not a finite number!", "=MapObjective(CVFromOmega2(1000), {0.5}, {2;1.2}, {1.5;1}, 0.1, 0.2, )"},
    {"MapObjective", "Eta needs 1 to 7 values!", "=MapObjective({0;0;0;0;0;0;0;0}, {0.5}, {2;1.2}, {1.5;1}, 0.1, 0.2, )"},
    {"MapObjective", "Omega needs one variance per eta or a square block!", "=MapObjective({0.3}, {0.5;0.5}, {2;1.2}, {1.5;1}, 0.1, 0.2, )"},
    {"MapObjective", "Omega has a negative or missing variance!", "=MapObjective({0.3}, {-0.5}, {2;1.2}, {1.5;1}, 0.1, 0.2, )"},
    {"MapObjective", "Omega block is not symmetric!", "=MapObjective({0.3;0.1}, {0.5,0.1;0,0.5}, {2;1.2}, {1.5;1}, 0.1, 0.2, )"},
    {"MapObjective", "Omega is not positive semi-definite!", "=MapObjective({0.3;0.1}, {0.5,0.9;0.9,0.5}, {2;1.2}, {1.5;1}, 0.1, 0.2, )"},
    {"MapObjective", "Omega is not positive definite!", "=MapObjective({0.3}, {0}, {2;1.2}, {1.5;1}, 0.1, 0.2, )"},
    {"MapObjective", "Columns of different length!", "=MapObjective({0.3}, {0.5}, {2;1.2}, {1.5}, 0.1, 0.2, )"},
    {"MapObjective", "Negative or missing residual error!", "=MapObjective({0.3}, {0.5}, {2;1.2}, {1.5;1}, -0.1, 0.2, )"},
    {"MapObjective", "Give sigmaLog alone, with sigmaProp and sigmaAdd 0!", "=MapObjective({0.3}, {0.5}, {2;1.2}, {1.5;1}, 0.1, 0.2, 0.3)"},
    {"MapObjective", "Sample not a finite number!", "=MapObjective({0.3}, {0.5}, CVFromOmega2(1000), 1, 0.1, 0.2, )"},
    {"MapObjective", "Negative measurement!", "=MapObjective({0.3}, {0.5}, {-2;1.2}, {1.5;1}, 0.1, 0.2, )"},
    {"MapObjective", "Measurement must be above 0 with sigmaLog!", "=MapObjective({0.3}, {0.5}, {0;1.2}, {1.5;1}, 0, 0, 0.2)"},
    {"MapObjective", "Non-positive prediction!", "=MapObjective({0.3}, {0.5}, {2;1.2}, {0;1}, 0.1, 0, )"},
    {"MapObjective", "No samples!", "=MapObjective({0.3}, {0.5}, A1, 1, 0.1, 0.2, )"},
    {"MapIndividualVCl", "Negative or missing residual error!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", " MAP_OMEGA ", 0, 0, )"},
    {"MapIndividualVCl", "Give sigmaLog alone, with sigmaProp and sigmaAdd 0!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", " MAP_OMEGA ", 0.2, 0, 0.3)"},
    {"MapIndividualVCl", "Columns of different length!", "=MapIndividualVCl(" MAP_SCHEDULE ", {0;2.1}, " ROW6 ", " MAP_OMEGA ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Row needs 6 or 7 values!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", {4.27;18.9}, " MAP_OMEGA ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Omega needs 7 variances or a 7x7 block!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", {0.61;0.265}, 0.2, 0.05, )"},
    {"MapIndividualVCl", "Omega has a negative or missing variance!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", {0.61;0;0;-0.265;0;0;0}, 0.2, 0.05, )"},
    {"MapIndividualVCl", "Omega block is not symmetric!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", " BLOCK7("0", "0.1") ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Omega is not positive semi-definite!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", " BLOCK7("0.5", "0.5") ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Omega is not positive definite!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", " PERFECT7 ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Negative or missing PK parameter!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", {0;18.9;238;1.89;1.29;0.836}, " MAP_OMEGA ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "No samples!", "=MapIndividualVCl(" MAP_SCHEDULE ", A1:A4, " ROW6 ", " MAP_OMEGA ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Dosing row not a finite number before a sample!", "=MapIndividualVCl(0, 0, CVFromOmega2(1000), 1, " ROW6 ", " MAP_OMEGA ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Sample not a finite number!", "=MapIndividualVCl(0, 0, 20, CVFromOmega2(1000), " ROW6 ", " MAP_OMEGA ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Negative measurement!", "=MapIndividualVCl(" MAP_SCHEDULE ", {0;-2.1;1.9;1.2}, " ROW6 ", " MAP_OMEGA ", 0.2, 0.05, )"},
    {"MapIndividualVCl", "Measurement must be above 0 with sigmaLog!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", " MAP_OMEGA ", 0, 0, 0.2)"},
    {"MapIndividualVCl", "Non-positive prediction!", "=MapIndividualVCl(" MAP_SCHEDULE ", " MAP_MEASURED ", " ROW6 ", " MAP_OMEGA ", 0.2, 0, )"},
    {"MapIndividualVCl", "The fit did not converge!", "=MapIndividualVCl(" MAP_SCHEDULE ", {0;1e300;1.9;1.2}, " ROW6 ", " MAP_OMEGA ", 0.2, 0.05, )"},
    {"CsDtCe", "#Times have to be in ascending order!", "=CsDtCe({10;5}, " HYBRID ", 0.456, 50)"},
    {"CsDtCe", "Check PK parameters and/or decrement!", "=CsDtCe({10;30}, " HYBRID ", 0, 50)"},
    {"CsDtCe", "Times have to be at most 1000000!", "=CsDtCe({10;2000000}, " HYBRID ", 0.456, 50)"},
    {"CsDtCe", "Peak not found!", "=CsDtCe({10;30}, " HYBRID ", 1E-300, 50)"},
    {"CsDtCp", "#Times have to be in ascending order!", "=CsDtCp({10;10}, " HYBRID ", 50)"},
    {"CsDtCp", "Check PK parameters and/or decrement!", "=CsDtCp({10;30}, " HYBRID ", 100)"},
    {"CsDtCp", "Times have to be at most 1000000!", "=CsDtCp({1000001}, " HYBRID ", 50)"},
    {"CsDtCpVCl", "#Times have to be in ascending order!", "=CsDtCpVCl({30;10}, " VOLUMES ", 50)"},
    {"CsDtCpVCl", "Check PK parameters and/or decrement!", "=CsDtCpVCl({10;30}, " VOLUMES ", 0)"},
    {"CsDtCpVCl", "Times have to be at most 1000000!", "=CsDtCpVCl({10;3000000}, " VOLUMES ", 50)"},
    {"TciCp", "Negative PK parameter!", "=TciCp({0;1}, {0;4}, 200, 0.2282, -0.005622, 0.0004083, 0.9642, 0.04562, 0.002412)"},
    {"TciCp", "Columns of different length!", "=TciCp({0;1}, {4}, 200, " HYBRID ")"},
    {"CalcRate", "Columns of different length!", "=CalcRate({0;1}, {0;0}, {0;4;4}, 200, " HYBRID ")"},
    {"CalcRate", "Negative PK parameter!", "=CalcRate({0;1}, {0;0}, {0;4}, 200, 0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, -0.002412)"},
    {"TciCe", "Columns of different length!", "=TciCe({0;1}, {0;4;4}, 200, " HYBRID ", 0.456)"},
    {"TciCe", "Check PK parameters!", "=TciCe({0;1}, {0;4}, 200, " HYBRID ", 0)"},
    {"TciCe", "Maxrate has to be positive!", "=TciCe({0;1}, {0;4}, 0, " HYBRID ", 0.456)"},
    {"TPeak", "Peak not found!", "=TPeak(" HYBRID ", 0)"},
    {"VdPeak", "Peak not found!", "=VdPeak(" HYBRID ", 0)"},
    {"TPeak2ke0", "Negative peack time!", "=TPeak2ke0(" HYBRID ", 0)"},
    {"TPeak2ke0", "Check parameters!", "=TPeak2ke0(0.2282, 0.005622, 0.0004083, 0, 0.04562, 0.002412, 1.6)"},
    {"TPeak2ke0", "Ke0 not found!", "=TPeak2ke0(" HYBRID ", 100000)"},
    {"ScheduleCheck", "invalid OPER structure (memory could be exhausted), deltaTimes Not unidemensional", "=ScheduleCheck({0,1;1,1}, , )"},
};
// clang-format on

// Every cell a reference reads is empty.
class EmptyCells : public sheet::CellSource {
public:
    sheet::Value cell(sheet::CellRef) override { return {}; }
    // A range of empty cells, as many as it spans.
    sheet::Value range(sheet::CellRef from, sheet::CellRef to) override {
        const int rows = to.row - from.row + 1, columns = to.column - from.column + 1;
        return sheet::Value::array(rows, columns,
                                   std::vector<sheet::Value>(rows * columns, sheet::Value::nil()));
    }
};

// The arguments of a formula "=Name(a, b, ...)", split at the commas outside braces,
// parentheses and quotes.
std::vector<std::string> ArgumentsOf(const std::string& formula) {
    const std::size_t open = formula.find('(');
    const std::string inner = formula.substr(open + 1, formula.rfind(')') - open - 1);
    std::vector<std::string> arguments(1);
    int depth = 0;
    bool quoted = false;
    for (char c : inner) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '(' || c == '{'))
            ++depth;
        else if (!quoted && (c == ')' || c == '}'))
            --depth;
        if (c == ',' && depth == 0 && !quoted)
            arguments.emplace_back();
        else
            arguments.back() += c;
    }
    if (inner.find_first_not_of(' ') == std::string::npos)
        arguments.clear();
    return arguments;
}

std::string Call(const std::string& name, const std::vector<std::string>& arguments) {
    std::string formula = "=" + name + "(";
    for (std::size_t k = 0; k < arguments.size(); ++k)
        formula += (k > 0 ? "," : "") + arguments[k];
    return formula + ")";
}

// What stands in an argument's place to cause a conversion text.
std::string CauseOf(const conversions::ConversionError& conversion) {
    const std::string_view message = conversion.message;
    if (message == conversions::MISSING)
        return "";
    if (message == conversions::NIL)
        return "A1"; // an empty cell
    if (message == conversions::ERROR_VALUE)
        return "#N/A";
    return "{1,2;3,4}"; // a range of two rows and two columns
}

class ShownTexts : public ::testing::Test {
protected:
    void SetUp() override {
        standin::Host::Instance().Reset();
        session.Load(VELMORA_FILE);
        session.Load(CORVANE_FILE);
        ASSERT_TRUE(session.Open().empty());
        call = sheethost::SessionCaller(session, std::cerr);
    }

    // The one text the formula shows.
    std::string Shown(const std::string& formula) {
        EmptyCells cells;
        const std::vector<std::string> shown =
            sheethost::ShownCells(sheet::evaluate(sheet::parseFormula(formula), call, cells));
        return shown.size() == 1 ? shown[0] : "(" + std::to_string(shown.size()) + " cells)";
    }

    standin::Session session;
    sheet::FunctionCaller call;
};

} // namespace

TEST_F(ShownTexts, EveryListedTextComesBackFromItsCause) {
    std::set<std::pair<std::string, std::string>> caused;
    for (const Cause& cause : CAUSES)
        caused.insert({cause.function, cause.text});
    std::set<std::pair<std::string, std::string>> listed;
    std::size_t conversionsCaused = 0;
    for (const char* addin : refdocs::ADDINS) {
        for (const refdocs::Function& function : refdocs::FunctionsOf(addin)) {
            const catalogue::FunctionEntry& entry = *function.entry;
            for (const refdocs::ShownText& shown : refdocs::TextsShownInstead(function))
                listed.insert({entry.worksheetName, shown.text});
            for (const catalogue::ErrorCause& own : entry.errors)
                EXPECT_TRUE(caused.count({entry.worksheetName, own.text}))
                    << entry.worksheetName << " lists \"" << own.text << "\" with no cause here";
            if (!function.derivedConversions)
                continue;
            // Each conversion text of each flag and column argument, in the example's call.
            const std::vector<std::string> example = ArgumentsOf(entry.example);
            ASSERT_EQ(example.size(), entry.arguments.size()) << entry.example;
            for (std::size_t k = 0; k < entry.arguments.size(); ++k) {
                const catalogue::ArgumentEntry& argument = entry.arguments[k];
                if (!refdocs::DerivesConversions(function, k))
                    continue;
                for (const conversions::ConversionError& conversion :
                     conversions::ConversionErrorsOf(function.argumentKinds.at(k))) {
                    std::vector<std::string> arguments = example;
                    arguments[k] = CauseOf(conversion);
                    const std::string formula = Call(entry.worksheetName, arguments);
                    EXPECT_EQ(Shown(formula), conversion.text(argument.name)) << formula;
                    ++conversionsCaused;
                }
            }
        }
    }
    EXPECT_GT(conversionsCaused, 0u);
    for (const Cause& cause : CAUSES) {
        EXPECT_TRUE(listed.count({cause.function, cause.text}))
            << cause.function << " does not list \"" << cause.text << "\"";
        EXPECT_EQ(Shown(cause.formula), cause.text) << cause.formula;
    }
}

TEST_F(ShownTexts, EveryRefusalOfTheRoutinesIsListedByAFunction) {
    std::set<std::string> listed;
    for (const refdocs::Function& function : refdocs::FunctionsOf("Corvane"))
        for (const catalogue::ErrorCause& own : function.entry->errors)
            listed.insert(own.text);
    for (const catalogue::ErrorCause* refusal : pktools::refusals::CORVANE_REFUSALS)
        EXPECT_TRUE(listed.count(refusal->text)) << "no function lists \"" << refusal->text << "\"";
}
