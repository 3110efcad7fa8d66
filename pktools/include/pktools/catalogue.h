#pragma once

// The catalogue of Corvane: every worksheet function as one entry (its names, help text,
// argument table with units and meanings, the cells it returns, the texts it can show
// instead and what causes them, its example), and the table of rows that pairs each entry
// with its routine. Every front end reads the rows (catalogue/row.h); nothing here depends
// on a host.
//
// No unit is ever converted: volumes, clearances, doses, rates and times may be in any
// consistent set, and rate constants are per time unit of the time columns. With Velmora's
// models that is litres, minutes and the drug's dose unit.
//
// The tables are constant-initialised, so registration records built during static
// initialisation of other translation units may read them safely.

#include "catalogue/covariates.h"
#include "catalogue/row.h"
#include "pktools/bodysize.h"
#include "pktools/checks.h"
#include "pktools/compartments.h"
#include "pktools/decrement.h"
#include "pktools/effect.h"
#include "pktools/map.h"
#include "pktools/peak.h"
#include "pktools/prediction.h"
#include "pktools/random.h"
#include "pktools/refusals.h"
#include "pktools/tci.h"
#include "pktools/variability.h"
#include "pktools/varvel.h"

#include <tuple>

namespace pktools {

inline constexpr const char* CORVANE_CATEGORY = "Corvane 2016/11/20";

namespace entries {

using catalogue::ArgumentEntry;
using catalogue::ErrorCause;
using catalogue::FunctionEntry;
using catalogue::ResultCell;
inline constexpr const char* B = catalogue::NUMBER_ARGUMENT;
inline constexpr const char* CELL = catalogue::CELL_VALUE_ARGUMENT; // a column or a flag

// ---- Arguments shared by many tools: name, description, type code as registered, then
// unit and meaning

// clang-format off
inline constexpr ArgumentEntry A_ = {"A", " Hybrid constant A ", B, "1/L",
    "hybrid coefficient of the fastest exponential (plasma concentration per unit dose)"};
inline constexpr ArgumentEntry B_ = {"B", " Hybrid constant B ", B, "1/L",
    "hybrid coefficient of the middle exponential; 0 for a one-compartment model"};
inline constexpr ArgumentEntry C_ = {"C", " Hybrid constant C ", B, "1/L",
    "hybrid coefficient of the slowest exponential; 0 for a two-compartment model"};
inline constexpr ArgumentEntry L1 = {"l1", " Hybrid constant l1 ", B, "1/min",
    "largest exponent (the fastest rate constant)"};
inline constexpr ArgumentEntry L2 = {"l2", " Hybrid constant l2 ", B, "1/min", "middle exponent"};
inline constexpr ArgumentEntry L3 = {"l3", " Hybrid constant l3 ", B, "1/min", "smallest exponent"};
inline constexpr const char* KE0_MEANING =
    "rate constant of the equilibration between plasma and effect site";
inline constexpr ArgumentEntry KE0 = {"ke0", " Transferconstant ke0 ", B, "1/min", KE0_MEANING};
// ke0 as the prediction and decrement tools register it.
inline constexpr ArgumentEntry KE0_TRANSFER = {"ke0", " Transferconstantke0 ", B, "1/min",
    KE0_MEANING};
inline constexpr ArgumentEntry V1_ = {"V1", " Vol 1 ", B, "L", "volume of the central compartment"};
inline constexpr ArgumentEntry V2_ = {"V2", " Vol 2 ", B, "L",
    "volume of the rapidly equilibrating peripheral compartment"};
inline constexpr ArgumentEntry V3_ = {"V3", " Vol 3 ", B, "L",
    "volume of the slowly equilibrating peripheral compartment"};
inline constexpr ArgumentEntry CL1 = {"Cl1", " Cl1 ", B, "L/min", "elimination clearance"};
inline constexpr ArgumentEntry CL2 = {"Cl2", " Cl2 ", B, "L/min",
    "clearance between the central compartment and V2"};
inline constexpr ArgumentEntry CL3 = {"Cl3", " Cl3 ", B, "L/min",
    "clearance between the central compartment and V3"};
inline constexpr const char* DELTA_TIMES_MEANING =
    "the length of each row's interval: row k runs from the time of row k-1 to the time of row k; "
    "row 0 is time zero and is not read";
inline constexpr ArgumentEntry DELTA_TIMES = {"deltaTimes", " Column with delta Times ", CELL,
    "min", DELTA_TIMES_MEANING};
// deltaTimes as the TCI tools register it.
inline constexpr ArgumentEntry DELTA_TIMES_TCI = {"deltaTimes", " Column with delta times ", CELL,
    "min", DELTA_TIMES_MEANING};
inline constexpr ArgumentEntry RATE = {"Rate", " Column with infusion rates ", CELL, "dose/min",
    "the infusion rate during row k's interval; row 0 is not read"};
inline constexpr ArgumentEntry IV_BOLUS = {"IVBolus", " Column with bolus doses ", CELL, "dose",
    "the bolus given at the end of row k's interval; row 0's at time zero"};
inline constexpr ArgumentEntry TARGET = {"targetConc", " Column with target concentrations ", CELL,
    "dose/L", "the target concentration at the end of row k's interval; row 0 is not read"};
inline constexpr ArgumentEntry MAX_RATE = {"maxRate", " Maximal infusion rate ", B, "dose/min",
    "the pump's highest rate; no row's rate exceeds it"};
inline constexpr const char* TIMES_MEANING =
    "the infusion durations (contexts), strictly ascending; a first value of 0 gives 0";
inline constexpr ArgumentEntry TIMES = {"Times", " Time column ", CELL, "min", TIMES_MEANING};
inline constexpr ArgumentEntry DECR = {"decr", "The decrement (e.g. 50 for 50%) ", B, "%",
    "the fall to time, in percent of the concentration held (50 for half)"};
// clang-format on

// ---- Texts the tools show instead of a result: Corvane's refusals (pktools/refusals.h)

using namespace refusals;

// ---- Results

inline constexpr ResultCell HYBRID_ROW[] = {
    {"A", "1/L", "coefficient of the fastest exponential"},
    {"B", "1/L", "coefficient of the middle exponential"},
    {"C", "1/L", "coefficient of the slowest exponential"},
    {"l1", "1/min", "largest exponent"},
    {"l2", "1/min", "middle exponent"},
    {"l3", "1/min", "smallest exponent"},
};
inline constexpr ResultCell VOLUME_ROW[] = {
    {"V1", "L", "central volume"},
    {"V2", "L", "rapidly equilibrating volume"},
    {"V3", "L", "slowly equilibrating volume"},
    {"Cl1", "L/min", "elimination clearance"},
    {"Cl2", "L/min", "clearance to V2"},
    {"Cl3", "L/min", "clearance to V3"},
};
inline constexpr const char* COLUMN_PER_ROW = "a column with one cell per row of the first column";
inline constexpr const char* CELL_PER_ROW_CELL = "a column with as many cells as row";

// ---- Compartment model arithmetic

inline constexpr ArgumentEntry CL2HYB_ARGS[] = {
    {"param", " The vols/clearances as an array (length = 6) ", CELL, "L, L/min",
     "V1, V2, V3, Cl1, Cl2, Cl3 as six cells in a column or a row, such as the first six cells of "
     "a Velmora model"},
};
inline constexpr ErrorCause PARAM_ERRORS[] = {SIX_PARAMETERS};
inline constexpr FunctionEntry Cl2Hyb{
    .worksheetName = "Cl2Hyb",
    .helpText = " Reparametrisation from volumes/clearances to hybrid constants ",
    .arguments = CL2HYB_ARGS,
    .purpose = "Turns volumes and clearances into the hybrid constants of the tri-exponential "
               "disposition function: after a unit bolus the plasma concentration is A e^(-l1 t) "
               "+ B e^(-l2 t) + C e^(-l3 t).",
    .result = "a column of 6 cells: A, B, C, l1, l2, l3",
    .cells = HYBRID_ROW,
    .errors = PARAM_ERRORS,
    .example = "=Cl2Hyb(PropMarsh(70))",
    .notes = "A volume of 0 removes its clearance and a clearance of 0 its volume: V3 = Cl3 = 0 "
             "gives a two-compartment result (C = l3 = 0). A set that fits neither three, two "
             "nor one compartments gives six zeros.",
};

inline constexpr ArgumentEntry HYB2CL_ARGS[] = {
    {"param", " The hybrid constants as an array (length = 6) ", CELL, "1/L, 1/min",
     "A, B, C, l1, l2, l3 as six cells in a column or a row"},
};
inline constexpr FunctionEntry Hyb2Cl{
    .worksheetName = "Hyb2Cl",
    .helpText = " Reparametrisation from hybrid constants to volumes and clearance ",
    .arguments = HYB2CL_ARGS,
    .purpose = "Turns the six hybrid constants back into volumes and clearances.",
    .result = "a column of 6 cells: V1, V2, V3, Cl1, Cl2, Cl3",
    .cells = VOLUME_ROW,
    .errors = PARAM_ERRORS,
    .example = "=Hyb2Cl(Cl2Hyb(PropMarsh(70)))",
    .notes = "C = 0 (or l3 = 0) gives a two-compartment result, B = 0 a one-compartment one.",
};

// ---- Prediction

inline constexpr ArgumentEntry PRED_CP_ARGS[] = {
    DELTA_TIMES, RATE, IV_BOLUS, A_, B_, C_, L1, L2, L3,
};
inline constexpr ResultCell CP_ROWS[] = {
    {"Cp", "dose/L",
     "the plasma concentration at the end of row k's interval, just after row k's bolus"}};
inline constexpr ErrorCause PRED_ERRORS[] = {NEGATIVE_OR_MISSING, LENGTHS};
inline constexpr FunctionEntry PredCp{
    .worksheetName = "PredCp",
    .helpText = " Predict plasma concentration ",
    .arguments = PRED_CP_ARGS,
    .purpose = "Predicts the plasma concentration under a dosing history of intervals, infusion "
               "rates and boluses, exactly (in closed form), for a drug given by its hybrid "
               "constants.",
    .result = COLUMN_PER_ROW,
    .cells = CP_ROWS,
    .errors = PRED_ERRORS,
    .example = "=PredCp({0;1;1;1}, {0;10;10;0}, {20;0;0;0}, 0.2282, 0.005622, 0.0004083, 0.9642, "
               "0.04562, 0.002412)",
    .notes = "Row 0 is time zero: its value is the concentration just after the first bolus.",
};

inline constexpr ArgumentEntry PRED_CE_ARGS[] = {
    DELTA_TIMES, RATE, IV_BOLUS, A_, B_, C_, L1, L2, L3, KE0_TRANSFER,
};
inline constexpr ResultCell CE_ROWS[] = {
    {"Ce", "dose/L", "the effect-site concentration at the end of row k's interval"}};
inline constexpr FunctionEntry PredCe{
    .worksheetName = "PredCe",
    .helpText = " Predict effect site concentration ",
    .arguments = PRED_CE_ARGS,
    .purpose = "Predicts the effect-site concentration under a dosing history, exactly, for a "
               "drug given by its hybrid constants and ke0.",
    .result = COLUMN_PER_ROW,
    .cells = CE_ROWS,
    .errors = PRED_ERRORS,
    .example = "=PredCe({0;1;1;1}, {0;10;10;0}, {20;0;0;0}, 0.2282, 0.005622, 0.0004083, 0.9642, "
               "0.04562, 0.002412, 0.456)",
    .notes = "Row 0 is always 0: the effect site starts empty, and a bolus shows there from the "
             "next row on.",
};

inline constexpr ArgumentEntry PRED_CP_VCL_ARGS[] = {
    {"deltaTimes", " Column with delta deltaTimess ", CELL, "min", DELTA_TIMES_MEANING},
    RATE,
    IV_BOLUS,
    V1_,
    V2_,
    V3_,
    CL1,
    CL2,
    CL3,
};
inline constexpr FunctionEntry PredCpVCl{
    .worksheetName = "PredCpVCl",
    .helpText = " Predict plasma concentration (Vol Cl) ",
    .arguments = PRED_CP_VCL_ARGS,
    .purpose = "Predicts the plasma concentration under a dosing history for a drug given by its "
               "volumes and clearances (PredCp of their Cl2Hyb).",
    .result = COLUMN_PER_ROW,
    .cells = CP_ROWS,
    .errors = PRED_ERRORS,
    .example = "=PredCpVCl({0;1;1;1}, {0;10;10;0}, {20;0;0;0}, 4.27, 18.9, 238, 1.89, 1.29, "
               "0.836)",
};

// ---- Effect

// clang-format off
inline constexpr ArgumentEntry PRED_EFF_ARGS[] = {
    {"concEff", "Column with effect site concentration ", CELL, "dose/L",
     "the effect-site concentrations, such as PredCe's column"},
    {"eZero", " Ezero ", B, "effect unit", "the effect without drug"},
    {"eMax", " Emax ", B, "effect unit",
     "the effect at an infinite concentration (below eZero for an inhibitory effect)"},
    {"IC50", " IC50 ", B, "dose/L", "the concentration of half the maximal effect"},
    {"gam", " Gamma - steepness ", B, "", "the steepness (Hill coefficient)"},
};
// clang-format on
inline constexpr ResultCell EFFECT_ROWS[] = {
    {"effect", "effect unit",
     "(eMax - eZero) c^gam / (IC50^gam + c^gam) + eZero for the concentration c of the same row"}};
inline constexpr FunctionEntry PredEff{
    .worksheetName = "PredEff",
    .helpText = " Effect based on sigmoidal Emax model ",
    .arguments = PRED_EFF_ARGS,
    .purpose = "The sigmoid Emax (Hill) effect of each concentration of a column.",
    .result = COLUMN_PER_ROW,
    .cells = EFFECT_ROWS,
    .example = "=PredEff({0;1;3.08;6}, 93, 0, 3.08, 1.47)",
};

// ---- Effect models: the Eleveld propofol BIS model and two-drug interaction

// clang-format off
inline constexpr ArgumentEntry AGE = {"age", " Age (years) ", B, "years", "the patient's age",
    catalogue::Quantity::Age};
// clang-format on
inline constexpr const char* ELEVELD_SOURCES =
    "Eleveld DJ, Colin P, Absalom AR, Struys MMRF, Br J Anaesth 2018;120:942-59, "
    "doi:10.1016/j.bja.2018.01.018 (the pharmacodynamic part of the model whose "
    "pharmacokinetics is Velmora's PropEleveldFinal, whose seventh cell is the BIS ke0). The "
    "constants are those of the model author's own code (OpenPMX, propofol_eleveld.c), "
    "unrounded: Ce50 exp(1.124750) ug/mL at 35 years, -0.006348370 per year on ln Ce50, E0 "
    "92.98240, gamma exp(0.6386410) below Ce50 and exp(0.3877210) from Ce50 on.";
inline constexpr const char* ELEVELD_CONTESTED[] = {
    "The published constants are rounded (3.08 ug/mL, -0.00635, 93.0, 1.89, 1.47); they move BIS "
    "by up to 0.05.",
    "The R package tci puts the two gammas the other way round (1.47 below Ce50); the model "
    "author's code and the paper's supplement put 1.89 below: BIS at 6 ug/mL, age 35, is 25.32 "
    "here and would be 20.49 swapped.",
    "The supplement reportedly blends the two gammas near Ce50; the author's code switches at "
    "Ce50, as here (both give E0/2 there, so BIS is continuous).",
    "A BIS display delay (the R package tci: 15 + exp(0.0517 age), in seconds by inference) has "
    "one source and an unconfirmed unit: not applied.",
};

inline constexpr ArgumentEntry CE50_ELEVELD_ARGS[] = {AGE};
inline constexpr ResultCell CE50_CELL[] = {
    {"Ce50", "ug/mL", "exp(1.124750 - 0.006348370 (age - 35)): 3.079 at 35 years"}};
inline constexpr ErrorCause CE50_ERRORS[] = {
    {"#NUM!",
     "an age so far out (beyond about 100 000 years either way) that Ce50 is 0 or not finite"}};
inline constexpr FunctionEntry Ce50Eleveld{
    .worksheetName = "Ce50Eleveld",
    .helpText = " Ce50 of propofol for BIS (Eleveld BJA 2018) ",
    .arguments = CE50_ELEVELD_ARGS,
    .purpose = "The effect-site propofol concentration of half the largest fall of BIS in the "
               "Eleveld model, at the patient's age.",
    .result = "one number",
    .cells = CE50_CELL,
    .errors = CE50_ERRORS,
    .example = "=Ce50Eleveld(35)",
    .notes = "Ages are not clamped: CovariateCheck judges the patient beside PropEleveldFinal.",
    .sources = ELEVELD_SOURCES,
    .contested = ELEVELD_CONTESTED,
};

// clang-format off
inline constexpr ArgumentEntry BIS_ELEVELD_ARGS[] = {
    {"concEff", " Column with effect site concentrations ", CELL, "ug/mL",
     "the effect-site propofol concentrations, such as PredCe's column with the BIS ke0 of "
     "PropEleveldFinal; one cell is a column of one"},
    AGE,
};
// clang-format on
inline constexpr ResultCell BIS_ROWS[] = {
    {"BIS", "",
     "the typical BIS at the concentration of the same row: 92.98240 without drug, half that "
     "at Ce50, towards 0 at high concentrations"}};
inline constexpr ErrorCause BIS_ERRORS[] = {
    {"#NUM!", "in a row: a concentration below 0 or not a finite number; in every row: an age so "
              "far out (beyond about 100 000 years either way) that Ce50 is 0 or not finite"}};
inline constexpr FunctionEntry BisEleveld{
    .worksheetName = "BisEleveld",
    .helpText = " BIS from propofol Ce (Eleveld BJA 2018) ",
    .arguments = BIS_ELEVELD_ARGS,
    .purpose = "The typical BIS of the Eleveld model at each effect-site propofol concentration "
               "of a column: E0 (1 - Ce^gam / (Ce^gam + Ce50^gam)), with the steeper gamma "
               "below Ce50.",
    .result = COLUMN_PER_ROW,
    .cells = BIS_ROWS,
    .errors = BIS_ERRORS,
    .example = "=BisEleveld({0;1;2;3.08;6}, 35)",
    .sources = ELEVELD_SOURCES,
    .contested = ELEVELD_CONTESTED,
};

// clang-format off
inline constexpr ArgumentEntry CE_FOR_BIS_ARGS[] = {
    {"bis", " Column with BIS targets ", CELL, "",
     "the wanted BIS values; one cell is a column of one"},
    AGE,
};
// clang-format on
inline constexpr ResultCell CE_FOR_BIS_ROWS[] = {
    {"Ce", "ug/mL",
     "the effect-site concentration whose typical BIS is the bis of the same row, the target "
     "for TciCe; 0 for a bis at or above 92.98240"}};
inline constexpr ErrorCause CE_FOR_BIS_ERRORS[] = {
    {"#NUM!", "in a row: a bis of 0 or below (no concentration gives it) or not a finite "
              "number; in every row: an age so far out (beyond about 100 000 years either way) "
              "that Ce50 is 0 or not finite"}};
inline constexpr FunctionEntry CeForBisEleveld{
    .worksheetName = "CeForBisEleveld",
    .helpText = " Propofol Ce for a BIS target (Eleveld BJA 2018) ",
    .arguments = CE_FOR_BIS_ARGS,
    .purpose = "The effect-site propofol concentration that the Eleveld model expects to give a "
               "wanted BIS, the inverse of BisEleveld: with f = 1 - bis/E0, Ce50 (f / (1 - "
               "f))^(1/gam), the steeper gamma for f < 0.5.",
    .result = COLUMN_PER_ROW,
    .cells = CE_FOR_BIS_ROWS,
    .errors = CE_FOR_BIS_ERRORS,
    .example = "=CeForBisEleveld({90;60;50;40}, 35)",
    .notes = "BisEleveld of the result gives back the bis to about 15 digits. The target is a "
             "typical patient's: the BIS of one patient scatters about it.",
    .sources = ELEVELD_SOURCES,
    .contested = ELEVELD_CONTESTED,
};

// clang-format off
inline constexpr ArgumentEntry P_NO_RESP_HIER_ARGS[] = {
    {"concProp", " Column with propofol concentrations ", CELL, "ug/mL",
     "the propofol (effect-site) concentrations"},
    {"concOpioid", " Column with opioid concentrations ", CELL, "ng/mL",
     "the opioid (effect-site) concentrations, as many rows as concProp"},
    {"C50prop", " C50 of propofol ", B, "ug/mL",
     "the propofol concentration of half probability at stimulus intensity 1"},
    {"gamProp", " Gamma of propofol ", B, "", "the steepness of the propofol curve"},
    {"C50opioid", " C50 of the opioid ", B, "ng/mL",
     "the opioid concentration that halves a stimulus of intensity 1"},
    {"gamOpioid", " Gamma of the opioid ", B, "",
     "the steepness of the opioid's reduction of the stimulus"},
    {"preIntensity", " Stimulus intensity before the opioid ", B, "",
     "the intensity of the stimulus before the opioid (above 0)"},
};
// clang-format on
inline constexpr ResultCell P_NO_RESP_ROWS[] = {
    {"P(no response)", "",
     "the probability of no response to the stimulus at the concentrations of the same row: 0 "
     "without propofol, 1 for any propofol once the opioid has removed the whole stimulus"}};
inline constexpr ErrorCause P_NO_RESP_ERRORS[] = {
    LENGTHS,
    {"#NUM!", "in a row: a concentration below 0 or not a finite number; in every row: a C50 or a "
              "steepness of 0 or below, a preIntensity of 0 or below, or an argument that is not "
              "a finite number"}};
inline constexpr const char* P_NO_RESP_CONTESTED[] = {
    "stanpumpR and the Python Anesthesia Simulator both give Bouillon 2004, Table 4, as the "
    "source of their laryngoscopy sets and differ in all five numbers (C50prop 6.68 or 8.04, "
    "gamProp 6.9 or 5.1, C50opioid 1.01 or 1.07, gamOpioid 0.72 or 0.97, preIntensity 0.83 or "
    "1.05): no set is built in.",
    "stanpumpR's function named for no response returns the probability of a response (1 - P); "
    "this one returns the probability of no response.",
};
inline constexpr FunctionEntry PNoRespHier{
    .worksheetName = "PNoRespHier",
    .helpText = " Probability of no response, propofol and opioid (hierarchical model) ",
    .arguments = P_NO_RESP_HIER_ARGS,
    .purpose = "The probability of no response to a stimulus (such as laryngoscopy) under "
               "propofol and an opioid, by the hierarchical model: the opioid lowers the "
               "stimulus intensity to post = pre (1 - H(Cr; C50opioid pre, gamOpioid)), and "
               "propofol suppresses the rest, P = H(Cp; C50prop post, gamProp), with H(c; c50, "
               "gam) = c^gam / (c^gam + c50^gam). Row by row of the two concentration columns.",
    .result = COLUMN_PER_ROW,
    .cells = P_NO_RESP_ROWS,
    .errors = P_NO_RESP_ERRORS,
    .example = "=PNoRespHier({0;2;4;4;6}, {0;0;0;2;2}, 6.68, 6.9, 1.01, 0.72, 0.83)",
    .notes = "The example is the laryngoscopy set as stanpumpR gives it from Bouillon 2004 (not "
             "checked against the paper; see below).",
    .sources = "Bouillon TW, Bruhn J, Radulescu L, et al., Anesthesiology 2004;100:1353-72 (the "
               "model); its structure as stanpumpR and the Python Anesthesia Simulator "
               "implement it alike.",
    .contested = P_NO_RESP_CONTESTED,
};

// clang-format off
inline constexpr ArgumentEntry CONC_A = {"concA", " Column with concentrations of drug A ", CELL,
    "dose/L", "the concentrations of drug A (propofol, for instance, in ug/mL)"};
inline constexpr ArgumentEntry CONC_B = {"concB", " Column with concentrations of drug B ", CELL,
    "dose/L",
    "the concentrations of drug B (an opioid, for instance, in ng/mL), as many rows as concA"};
inline constexpr ArgumentEntry C50_A = {"C50a", " C50 of drug A ", B, "dose/L",
    "the concentration of drug A alone of half effect"};
inline constexpr ArgumentEntry C50_B = {"C50b", " C50 of drug B ", B, "dose/L",
    "the concentration of drug B alone of half effect"};
inline constexpr ArgumentEntry SURFACE_GAMMA = {"gam", " Gamma - steepness ", B, "",
    "the steepness of the surface (above 0)"};
// clang-format on
inline constexpr const char* SURFACE_SOURCES =
    "Minto CF, Schnider TW, Short TG, et al., Anesthesiology 2000;92:1603-16 (the surface); "
    "its form as the Python Anesthesia Simulator implements it. The example set is the "
    "propofol-remifentanil BIS set that the Python Anesthesia Simulator attributes to Bouillon "
    "2004.";
inline constexpr const char* SURFACE_CONTESTED[] = {
    "The Bouillon BIS set differs between versions of the Python Anesthesia Simulator (gamma "
    "1.43 or 1.13), and its later Kern 2004, Mertens 2003 and Johnson 2008 sets are not checked "
    "against the papers: no set is built in.",
};

// clang-format off
inline constexpr ArgumentEntry EFF_MINTO_ARGS[] = {
    CONC_A, CONC_B, C50_A, C50_B, SURFACE_GAMMA,
    {"beta", " Interaction beta ", B, "",
     "the interaction: 0 additive, above 0 synergy (U50 below 1 between the drugs)"},
    {"eZero", " Ezero ", B, "effect unit", "the effect without drug"},
    {"eMax", " Emax ", B, "effect unit", "the largest fall of the effect from eZero"},
};
// clang-format on
inline constexpr ResultCell EFF_MINTO_ROWS[] = {
    {"effect", "effect unit",
     "eZero - eMax U^gam / (1 + U^gam) at the concentrations of the same row; eZero without "
     "drug"}};
inline constexpr ErrorCause EFF_MINTO_ERRORS[] = {
    LENGTHS,
    {"#NUM!", "in a row: a concentration below 0 or not a finite number, or U50 of 0 or below "
              "(beta of 4 or more, between the drugs); in every row: a C50 or a steepness of 0 "
              "or below, or an argument that is not a finite number"}};
inline constexpr FunctionEntry EffMinto{
    .worksheetName = "EffMinto",
    .helpText = " Effect of two drugs (Minto response surface) ",
    .arguments = EFF_MINTO_ARGS,
    .purpose = "The effect of two drugs on a Minto response surface: with Ua = concA/C50a, Ub = "
               "concB/C50b and theta = Ua / (Ua + Ub), the potency U50 = 1 - beta theta + beta "
               "theta^2 of the mixture and U = (Ua + Ub) / U50, the effect eZero - eMax U^gam / "
               "(1 + U^gam). Row by row of the two concentration columns.",
    .result = COLUMN_PER_ROW,
    .cells = EFF_MINTO_ROWS,
    .errors = EFF_MINTO_ERRORS,
    .example = "=EffMinto({0;2;0;2;4}, {0;0;10;10;10}, 4.47, 19.3, 1.43, 0, 97.4, 97.4)",
    .notes = "The example is a BIS surface for propofol (ug/mL) and remifentanil (ng/mL): C50a "
             "4.47, C50b 19.3, gam 1.43, beta 0, eZero = eMax = 97.4, labelled Bouillon 2004 in "
             "the Python Anesthesia Simulator (see below). With beta = 0 the surface is "
             "additive: EffGreco with alpha = 0, scaled.",
    .sources = SURFACE_SOURCES,
    .contested = SURFACE_CONTESTED,
};

// clang-format off
inline constexpr ArgumentEntry EFF_GRECO_ARGS[] = {
    CONC_A, CONC_B, C50_A, C50_B, SURFACE_GAMMA,
    {"alpha", " Interaction alpha ", B, "",
     "the interaction: 0 additive, above 0 synergy, below 0 antagonism"},
};
// clang-format on
inline constexpr ResultCell EFF_GRECO_ROWS[] = {
    {"fraction", "", "I^gam / (1 + I^gam) at the concentrations of the same row, from 0 to 1"}};
inline constexpr ErrorCause EFF_GRECO_ERRORS[] = {
    LENGTHS,
    {"#NUM!", "in a row: a concentration below 0 or not a finite number, or I below 0 (alpha so "
              "far below 0 that it outweighs the sum); in every row: a C50 or a steepness of 0 "
              "or below, or an argument that is not a finite number"}};
inline constexpr FunctionEntry EffGreco{
    .worksheetName = "EffGreco",
    .helpText = " Fraction of effect of two drugs (Greco response surface) ",
    .arguments = EFF_GRECO_ARGS,
    .purpose = "The fraction of effect (or probability) of two drugs on a Greco response surface: "
               "with Ua = concA/C50a and Ub = concB/C50b, the interaction index I = Ua + Ub + "
               "alpha Ua Ub and the fraction I^gam / (1 + I^gam). Row by row of the two "
               "concentration columns.",
    .result = COLUMN_PER_ROW,
    .cells = EFF_GRECO_ROWS,
    .errors = EFF_GRECO_ERRORS,
    .example = "=EffGreco({0;2;0;2;4}, {0;0;10;10;10}, 4.47, 19.3, 1.43, 1)",
    .notes = "The example takes the potencies and steepness of the EffMinto example with alpha "
             "= 1, an illustration, not a published set.",
    .sources = "Greco WR, Bravo G, Parsons JC, Pharmacol Rev 1995;47:331-85 (the interaction "
               "form, as usually cited; its use for propofol-opioid pairs follows Kern 2004, "
               "Mertens 2003 and Johnson 2008); its form as the Python Anesthesia Simulator "
               "implements it.",
    .contested = SURFACE_CONTESTED,
};

// ---- Predictive performance (Varvel) and variability

inline constexpr const char* VARVEL_SOURCES =
    "Varvel JR, Donoho DL, Shafer SL, J Pharmacokinet Biopharm 1992;20:63-94, in the "
    "definitions the TCI literature repeats under this citation (the paper's full text was not "
    "read): PE relative to the prediction, MDPE, MDAPE, wobble and divergence as medians and a "
    "least-squares slope.";
inline constexpr const char* VARVEL_CONTESTED[] = {
    "Some code divides by the measured value; Varvel's PE divides by the prediction, as here.",
    "How the paper weights subjects in a population could not be checked: VarvelPopulation "
    "leaves it to the user (mean or median of the subjects' values, or every sample pooled).",
};
// clang-format off
inline constexpr ArgumentEntry MEASURED = {"measured", " Column with measured concentrations ",
    CELL, "dose/L", "the measured concentrations, one sample per row, empty where none; 0 (below "
    "the quantification limit) is a sample"};
inline constexpr ArgumentEntry PREDICTED = {"predicted", " Column with predicted concentrations ",
    CELL, "dose/L", "the model's concentration for the sample of the same row, such as PredCpVCl's "
    "at the sample's time"};
inline constexpr ArgumentEntry SAMPLE_TIMES = {"times", " Column with sample times ", CELL, "min",
    "the time of the sample of the same row"};
// clang-format on
inline constexpr ArgumentEntry VARVEL_ARGS[] = {MEASURED, PREDICTED};
inline constexpr ErrorCause VARVEL_ERRORS[] = {
    LENGTHS, NEGATIVE_MEASUREMENT, NON_POSITIVE_PREDICTION, NOT_FINITE_SAMPLE, NO_SAMPLES};
inline constexpr const char* VARVEL_NOTES =
    "A row with both a measured and a predicted value is a sample; a row with an empty cell is "
    "none and is skipped (never read as 0). A median is the middle value, or the mean of the two "
    "middle ones, as MEDIAN.";
inline constexpr ResultCell PE_ROWS[] = {
    {"PE", "%",
     "(measured - predicted) / predicted x 100 for the sample of the same row; #NUM! in "
     "a row that is no sample"}};
inline constexpr FunctionEntry VarvelPE{
    .worksheetName = "VarvelPE",
    .helpText = " Performance errors of predicted concentrations (Varvel) ",
    .arguments = VARVEL_ARGS,
    .purpose = "The performance error of each sample: how far the measured concentration lies "
               "from the model's prediction, in percent of the prediction.",
    .result = COLUMN_PER_ROW,
    .cells = PE_ROWS,
    .errors = VARVEL_ERRORS,
    .example = "=VarvelPE({1.1;0.8;1.5;1}, {1;1;1;1})",
    .notes = VARVEL_NOTES,
    .sources = VARVEL_SOURCES,
    .contested = VARVEL_CONTESTED,
};
inline constexpr ResultCell MDPE_CELL[] = {{"MDPE", "%", "the median of the PE: the bias"}};
inline constexpr FunctionEntry VarvelMDPE{
    .worksheetName = "VarvelMDPE",
    .helpText = " Median performance error, bias (Varvel) ",
    .arguments = VARVEL_ARGS,
    .purpose = "The bias of the predictions: the median of the performance errors (VarvelPE).",
    .result = "one number",
    .cells = MDPE_CELL,
    .errors = VARVEL_ERRORS,
    .example = "=VarvelMDPE({1.1;0.8;1.5;1}, {1;1;1;1})",
    .notes = VARVEL_NOTES,
    .sources = VARVEL_SOURCES,
    .contested = VARVEL_CONTESTED,
};
inline constexpr ResultCell MDAPE_CELL[] = {
    {"MDAPE", "%", "the median of the absolute PE: the inaccuracy"}};
inline constexpr FunctionEntry VarvelMDAPE{
    .worksheetName = "VarvelMDAPE",
    .helpText = " Median absolute performance error, inaccuracy (Varvel) ",
    .arguments = VARVEL_ARGS,
    .purpose = "The inaccuracy of the predictions: the median of the absolute performance "
               "errors.",
    .result = "one number",
    .cells = MDAPE_CELL,
    .errors = VARVEL_ERRORS,
    .example = "=VarvelMDAPE({1.1;0.8;1.5;1}, {1;1;1;1})",
    .notes = VARVEL_NOTES,
    .sources = VARVEL_SOURCES,
    .contested = VARVEL_CONTESTED,
};
inline constexpr ResultCell WOBBLE_CELL[] = {
    {"wobble", "%", "the median of |PE - MDPE|: how much the errors scatter about the bias"}};
inline constexpr FunctionEntry VarvelWobble{
    .worksheetName = "VarvelWobble",
    .helpText = " Wobble: median absolute deviation of the performance errors (Varvel) ",
    .arguments = VARVEL_ARGS,
    .purpose = "The wobble of the predictions: the median of the absolute differences between "
               "each performance error and their median (MDPE).",
    .result = "one number",
    .cells = WOBBLE_CELL,
    .errors = VARVEL_ERRORS,
    .example = "=VarvelWobble({1.1;0.8;1.5;1}, {1;1;1;1})",
    .notes = VARVEL_NOTES,
    .sources = VARVEL_SOURCES,
    .contested = VARVEL_CONTESTED,
};
inline constexpr ArgumentEntry DIVERGENCE_ARGS[] = {SAMPLE_TIMES, MEASURED, PREDICTED};
inline constexpr ErrorCause DIVERGENCE_ERRORS[] = {
    LENGTHS,           NEGATIVE_MEASUREMENT, NON_POSITIVE_PREDICTION,
    NOT_FINITE_SAMPLE, NO_SAMPLES,           TOO_FEW_FOR_DIVERGENCE};
inline constexpr ResultCell DIVERGENCE_CELL[] = {
    {"divergence", "%/h",
     "the least-squares slope of |PE| on the sample time, per hour of minutes"}};
inline constexpr FunctionEntry VarvelDivergence{
    .worksheetName = "VarvelDivergence",
    .helpText = " Divergence: slope of the absolute performance error in time, %/h (Varvel) ",
    .arguments = DIVERGENCE_ARGS,
    .purpose = "The divergence of the predictions: how fast the inaccuracy grows (or, below 0, "
               "shrinks) with time, as the ordinary least-squares slope of the absolute "
               "performance errors on the sample times, per hour.",
    .result = "one number",
    .cells = DIVERGENCE_CELL,
    .errors = DIVERGENCE_ERRORS,
    .example = "=VarvelDivergence({0;60;120}, {0.9;1.2;0.7}, {1;1;1})",
    .notes = "Times in minutes; the slope per minute is multiplied by 60. At least 2 samples at "
             "2 distinct times.",
    .sources = VARVEL_SOURCES,
    .contested = VARVEL_CONTESTED,
};
// clang-format off
inline constexpr ArgumentEntry POPULATION_ARGS[] = {
    {"subject", " Column with subject ids (texts or numbers) ", CELL, "",
     "the name or number of the subject of each sample (12 and \"12\" are one subject); a "
     "subject's rows need not be adjacent"},
    SAMPLE_TIMES,
    MEASURED,
    PREDICTED,
    {"method", " 0 mean of subjects, 1 median of subjects, 2 pooled ", B, "",
     "0: the mean of the subjects' measures, 1: their median, 2: every sample in one set"},
};
// clang-format on
inline constexpr ErrorCause POPULATION_ERRORS[] = {
    LENGTHS,   NEGATIVE_MEASUREMENT,   NON_POSITIVE_PREDICTION, NOT_FINITE_SAMPLE, NO_SAMPLES,
    NO_METHOD, TOO_FEW_FOR_DIVERGENCE, TOO_FEW_IN_A_SUBJECT};
inline constexpr ResultCell POPULATION_CELLS[] = {
    {"MDPE", "%", "the bias"},
    {"MDAPE", "%", "the inaccuracy"},
    {"divergence", "%/h", "the drift of the inaccuracy"},
    {"wobble", "%", "the scatter about the bias"},
};
inline constexpr FunctionEntry VarvelPopulation{
    .worksheetName = "VarvelPopulation",
    .helpText = " Varvel measures of a population: MDPE, MDAPE, divergence, wobble ",
    .arguments = POPULATION_ARGS,
    .purpose = "The four Varvel measures of a population of subjects: each subject's measures "
               "first and then their mean (method 0) or median (1), or one set of every sample "
               "of every subject (2).",
    .result = "a column of 4 cells: MDPE, MDAPE, divergence, wobble",
    .cells = POPULATION_CELLS,
    .errors = POPULATION_ERRORS,
    .example = "=VarvelPopulation({1;1;2;2;2}, {0;60;0;30;60}, {1.1;1.3;0.8;1;1.4}, "
               "{1;1;1;1;1}, 0)",
    .notes = "Methods 0 and 1 need 2 samples at 2 distinct times in each subject, method 2 in "
             "the pool. The subjects are taken in the order they first appear.",
    .sources = VARVEL_SOURCES,
    .contested = VARVEL_CONTESTED,
};

inline constexpr const char* LOG_NORMAL_NOTES =
    "A parameter is P_typical x exp(eta), eta normal with variance omega2. The shortcut "
    "omega2 = CV^2 overstates large variances: CV 66 % is omega2 0.362, not 0.436.";
inline constexpr ArgumentEntry CV_FROM_OMEGA2_ARGS[] = {
    {"omega2", " Variance of eta (omega squared) ", B, "", "the variance of eta"}};
inline constexpr ErrorCause CV_FROM_OMEGA2_ERRORS[] = {NEGATIVE_VARIANCE};
inline constexpr ResultCell CV_CELL[] = {
    {"CV", "", "sqrt(exp(omega2) - 1), a fraction (0.5 for 50 %)"}};
inline constexpr FunctionEntry CVFromOmega2{
    .worksheetName = "CVFromOmega2",
    .helpText = " Coefficient of variation of a log-normal parameter from omega squared ",
    .arguments = CV_FROM_OMEGA2_ARGS,
    .purpose = "The exact coefficient of variation of a log-normally distributed parameter whose "
               "eta has the variance omega2.",
    .result = "one number",
    .cells = CV_CELL,
    .errors = CV_FROM_OMEGA2_ERRORS,
    .example = "=CVFromOmega2(0.362)",
    .notes = LOG_NORMAL_NOTES,
};
inline constexpr ArgumentEntry OMEGA2_FROM_CV_ARGS[] = {
    {"cv", " Coefficient of variation (0.5 for 50%) ", B, "",
     "the coefficient of variation as a fraction"}};
inline constexpr ErrorCause OMEGA2_FROM_CV_ERRORS[] = {NEGATIVE_CV};
inline constexpr ResultCell OMEGA2_CELL[] = {{"omega2", "", "ln(1 + cv^2)"}};
inline constexpr FunctionEntry Omega2FromCV{
    .worksheetName = "Omega2FromCV",
    .helpText = " Omega squared of a log-normal parameter from its coefficient of variation ",
    .arguments = OMEGA2_FROM_CV_ARGS,
    .purpose = "The exact variance of eta of a log-normally distributed parameter with a given "
               "coefficient of variation.",
    .result = "one number",
    .cells = OMEGA2_CELL,
    .errors = OMEGA2_FROM_CV_ERRORS,
    .example = "=Omega2FromCV(0.66)",
    .notes = LOG_NORMAL_NOTES,
};

// clang-format off
inline constexpr ArgumentEntry SEED = {"seed", " Seed: a whole number from 0 to 2^53 ", B, "",
    "the stream's seed"};
// clang-format on
inline constexpr ArgumentEntry RAND_NORM_ARGS[] = {
    SEED,
    {"n", " Number of the draw, from 0 ", B, "", "which draw of the stream"},
};
inline constexpr ErrorCause RAND_NORM_ERRORS[] = {BAD_SEED, BAD_DRAW_INDEX};
inline constexpr ResultCell RAND_NORM_CELL[] = {
    {"z", "", "draw n of the seed's stream of standard normal numbers"}};
inline constexpr FunctionEntry RandNorm{
    .worksheetName = "RandNorm",
    .helpText = " Reproducible standard normal draw n of a seed ",
    .arguments = RAND_NORM_ARGS,
    .purpose = "A standard normal random number that is the same in every front end and on "
               "every machine: draw n of the stream of a seed.",
    .result = "one number",
    .cells = RAND_NORM_CELL,
    .errors = RAND_NORM_ERRORS,
    .example = "=RandNorm(1234567, 0)",
    .notes = "Output n of SplitMix64 for the seed, x = seed + (n + 1) x 0x9E3779B97F4A7C15 "
             "mixed, becomes the uniform u = ((x >> 12) + 0.5) / 2^52 in (0, 1) and the normal "
             "quantile of u by Wichura's AS 241 (PPND16). Every draw is computed directly: "
             "RandNorm(seed, 1000000) costs no more than RandNorm(seed, 0).",
    .sources = "Steele GL, Lea D, Flood CH, Fast splittable pseudorandom number generators, "
               "OOPSLA 2014 (SplitMix64); Wichura MJ, Algorithm AS "
               "241, Appl Stat 1988;37:477-84 (the coefficients as published).",
};

inline constexpr const char* VIRTUAL_PATIENT_NOTES =
    "Patient i (from 0) takes the normal draws 7i ... 7i + 6 of the seed (RandNorm), one per slot "
    "V1, V2, V3, Cl1, Cl2, Cl3, ke0 whether or not the slot varies, so a seed gives the same "
    "person under every model. eta = L z, L the lower Cholesky factor of omega; a zero pivot (a "
    "slot without variance, or one that moves only with others) gives a zero column.";
// clang-format off
inline constexpr ArgumentEntry PARAMETER_ROW = {"row", " Row with V1, V2, V3, Cl1, Cl2, Cl3 [, ke0] ",
    CELL, "L, L/min, 1/min", "the typical parameters of one patient, such as a Velmora model's "
    "first 6 or 7 cells: V1, V2, V3 (L), Cl1, Cl2, Cl3 (L/min) and ke0 (1/min)"};
inline constexpr ArgumentEntry OMEGA = {"omega", " 7 variances of eta, or a 7x7 block ", CELL, "",
    "the variances of eta of V1, V2, V3, Cl1, Cl2, Cl3 and ke0 (0 where a parameter does not "
    "vary), such as ModelOmega's column; or the 7x7 covariance block in that order"};
// clang-format on
inline constexpr ArgumentEntry VIRTUAL_PATIENT_ARGS[] = {
    PARAMETER_ROW,
    OMEGA,
    SEED,
    {"index", " Number of the patient, from 0 ", B, "", "which patient of the seed"},
};
inline constexpr ErrorCause VIRTUAL_PATIENT_ERRORS[] = {
    ROW_LENGTH, OMEGA_SHAPE,      OMEGA_VARIANCE, OMEGA_ASYMMETRIC, OMEGA_NOT_SEMIDEFINITE,
    BAD_SEED,   BAD_PATIENT_INDEX};
inline constexpr ResultCell VIRTUAL_PATIENT_CELLS[] = {
    {"V1 ... ke0", "as row", "row's parameter k times exp(eta_k), as many cells as row has"}};
inline constexpr FunctionEntry VirtualPatient{
    .worksheetName = "VirtualPatient",
    .helpText = " Parameters of virtual patient number index of a seed ",
    .arguments = VIRTUAL_PATIENT_ARGS,
    .purpose = "One patient of a virtual population around a model's typical parameters: each "
               "parameter times exp(eta), eta normal with the variances (or covariances) omega. "
               "The same seed and index give the same patient in every front end.",
    .result = CELL_PER_ROW_CELL,
    .cells = VIRTUAL_PATIENT_CELLS,
    .errors = VIRTUAL_PATIENT_ERRORS,
    .example = "=VirtualPatient({4.27;18.9;238;1.89;1.29;0.836;0.456}, "
               "{0.61;0.565;0.597;0.265;0.346;0.209;0.702}, 1234567, 0)",
    .notes = VIRTUAL_PATIENT_NOTES,
};

inline constexpr ArgumentEntry BAND_ARGS[] = {
    DELTA_TIMES,
    RATE,
    IV_BOLUS,
    PARAMETER_ROW,
    OMEGA,
    SEED,
    {"nPatients", " Number of virtual patients ", B, "",
     "the patients 0 ... nPatients - 1 of the seed, as VirtualPatient gives them"},
    {"k", " Percentile, from 0 to 1 ", B, "", "the percentile: 0.05, 0.5 (the median), 0.95"},
};
inline constexpr ErrorCause CP_BAND_ERRORS[] = {BAD_SEED,
                                                PATIENT_COUNT,
                                                CELL_BAND_PATIENTS,
                                                CELL_BAND_SIZE,
                                                LENGTHS,
                                                ROW_LENGTH,
                                                OMEGA_SHAPE,
                                                OMEGA_VARIANCE,
                                                OMEGA_ASYMMETRIC,
                                                OMEGA_NOT_SEMIDEFINITE,
                                                PERCENTILE_RANGE,
                                                NEGATIVE_OR_MISSING};
inline constexpr ErrorCause CE_BAND_ERRORS[] = {BAD_SEED,
                                                PATIENT_COUNT,
                                                CELL_BAND_PATIENTS,
                                                CELL_BAND_SIZE,
                                                LENGTHS,
                                                ROW_LENGTH,
                                                NO_KE0_IN_ROW,
                                                OMEGA_SHAPE,
                                                OMEGA_VARIANCE,
                                                OMEGA_ASYMMETRIC,
                                                OMEGA_NOT_SEMIDEFINITE,
                                                PERCENTILE_RANGE,
                                                NEGATIVE_OR_MISSING};
inline constexpr ResultCell CP_BAND_ROWS[] = {
    {"Cp", "dose/L",
     "the k-th percentile of the patients' plasma concentrations at the end of row "
     "k's interval, just after its bolus"}};
inline constexpr ResultCell CE_BAND_ROWS[] = {
    {"Ce", "dose/L",
     "the k-th percentile of the patients' effect-site concentrations at the end "
     "of row k's interval"}};
inline constexpr const char* BAND_NOTES =
    "Each patient's concentrations are PredCpVCl's (Ce: PredCe's on Cl2Hyb of the patient's row "
    "and its ke0). The percentile is interpolated at rank (n - 1) k as PERCENTILE.INC does. From "
    "the first row whose interval, rate or bolus is not a number on, the cells are #NUM!. A cell "
    "takes at most a million patients and 100000000 patient rows; the Python module's band "
    "takes any number.";
inline constexpr FunctionEntry CpBandVCl{
    .worksheetName = "CpBandVCl",
    .helpText = " Percentile of plasma concentration over virtual patients (Vol Cl) ",
    .arguments = BAND_ARGS,
    .purpose = "How a population would respond to one dosing history: the k-th percentile of "
               "each row's plasma concentration over nPatients virtual patients.",
    .result = COLUMN_PER_ROW,
    .cells = CP_BAND_ROWS,
    .errors = CP_BAND_ERRORS,
    .example = "=CpBandVCl({0;1;1;1}, {0;10;10;0}, {20;0;0;0}, "
               "{4.27;18.9;238;1.89;1.29;0.836}, {0.61;0.565;0.597;0.265;0.346;0.209;0}, 1, "
               "1000, 0.95)",
    .notes = BAND_NOTES,
};
inline constexpr FunctionEntry CeBandVCl{
    .worksheetName = "CeBandVCl",
    .helpText = " Percentile of effect site concentration over virtual patients (Vol Cl) ",
    .arguments = BAND_ARGS,
    .purpose = "The k-th percentile of each row's effect-site concentration over nPatients "
               "virtual patients under one dosing history; row holds ke0.",
    .result = COLUMN_PER_ROW,
    .cells = CE_BAND_ROWS,
    .errors = CE_BAND_ERRORS,
    .example = "=CeBandVCl({0;1;1;1}, {0;10;10;0}, {20;0;0;0}, "
               "{4.27;18.9;238;1.89;1.29;0.836;0.456}, "
               "{0.61;0.565;0.597;0.265;0.346;0.209;0.702}, 1, 1000, 0.5)",
    .notes = BAND_NOTES,
};

inline constexpr const char* MAP_SOURCES =
    "The objective as NONMEM's -2 log likelihood with interaction, the ln var term kept; the "
    "search the simplex method of Nelder and Mead (Computer Journal 1965) in the form of "
    "Lagarias et al. (SIAM J Optim 1998), restarted from its best vertex until it no longer "
    "improves.";
// clang-format off
inline constexpr ArgumentEntry SIGMA_PROP = {"sigmaProp", " Proportional residual SD (0.2 for 20%) ",
    B, "", "the SD of the proportional error, a fraction of the prediction; 0 for none"};
inline constexpr ArgumentEntry SIGMA_ADD = {"sigmaAdd", " Additive residual SD ", B, "dose/L",
    "the SD of the additive error; 0 for none"};
inline constexpr ArgumentEntry SIGMA_LOG = {"sigmaLog", " Log residual SD (optional) ", CELL, "",
    "the SD of ln measured - ln predicted; given, it replaces the other two, which must be 0"};
inline constexpr ArgumentEntry SAMPLED = {"measured", " Column with measured concentrations, empty where not sampled ",
    CELL, "dose/L", "the concentration measured at the end of the row's interval, before the "
    "row's bolus; an empty cell where none was measured"};
inline constexpr ArgumentEntry MAP_OBJECTIVE_ARGS[] = {
    {"eta", " Column with the estimated etas ", CELL, "", "the etas of the estimated parameters"},
    {"omega", " Variances of the etas, or their block ", CELL, "",
     "one variance per eta (a row or a column) or their square covariance block, positive "
     "definite"},
    {"measured", " Column with measured concentrations ", CELL, "dose/L",
     "the measured concentrations; an empty cell is no sample"},
    {"predicted", " Column with predicted concentrations ", CELL, "dose/L",
     "the model's concentration at each sample for the etas; an empty cell is no sample"},
    SIGMA_PROP,
    SIGMA_ADD,
    SIGMA_LOG,
};
// clang-format on
inline constexpr ErrorCause MAP_OBJECTIVE_ERRORS[] = {
    ETA_NOT_FINITE,     ETA_COUNT,         ETA_OMEGA_SHAPE,
    OMEGA_VARIANCE,     OMEGA_ASYMMETRIC,  OMEGA_NOT_SEMIDEFINITE,
    OMEGA_NOT_DEFINITE, LENGTHS,           RESIDUAL_ERROR,
    LOG_ERROR_ALONE,    NOT_FINITE_SAMPLE, NEGATIVE_MEASUREMENT,
    LOG_MEASUREMENT,    MAP_PREDICTION,    NO_SAMPLES};
inline constexpr ResultCell MAP_OBJECTIVE_CELL[] = {
    {"OFV", "",
     "sum over the samples of (measured - predicted)^2 / var + ln var, plus eta' "
     "Omega^-1 eta: -2 log posterior up to a constant"}};
inline constexpr FunctionEntry MapObjective{
    .worksheetName = "MapObjective",
    .helpText = " Bayesian objective (-2 log posterior) of etas and samples ",
    .arguments = MAP_OBJECTIVE_ARGS,
    .purpose = "How improbable a patient's etas are given the measured concentrations: the "
               "residuals weighted by their variances, with ln var, plus the prior eta' "
               "Omega^-1 eta. The etas minimising it are the Bayesian (MAP) estimate.",
    .result = "one number",
    .cells = MAP_OBJECTIVE_CELL,
    .errors = MAP_OBJECTIVE_ERRORS,
    .example = "=MapObjective({0.3}, {0.5}, {2;1.2}, {1.5;1}, 0.1, 0.2, )",
    .notes = "var = (sigmaProp x predicted)^2 + sigmaAdd^2, the variances added; with sigmaLog "
             "the residual is ln measured - ln predicted and var = sigmaLog^2. A row with an "
             "empty measured or predicted cell is no sample.",
    .sources = MAP_SOURCES,
};

inline constexpr ArgumentEntry MAP_FIT_ARGS[] = {
    DELTA_TIMES, RATE, IV_BOLUS, SAMPLED, PARAMETER_ROW, OMEGA, SIGMA_PROP, SIGMA_ADD, SIGMA_LOG,
};
inline constexpr ErrorCause MAP_FIT_ERRORS[] = {
    RESIDUAL_ERROR,     LOG_ERROR_ALONE,      LENGTHS,          ROW_LENGTH,
    OMEGA_SHAPE,        OMEGA_VARIANCE,       OMEGA_ASYMMETRIC, OMEGA_NOT_SEMIDEFINITE,
    OMEGA_NOT_DEFINITE, NEGATIVE_OR_MISSING,  NO_SAMPLES,       DOSING_BEFORE_SAMPLE,
    NOT_FINITE_SAMPLE,  NEGATIVE_MEASUREMENT, LOG_MEASUREMENT,  MAP_PREDICTION,
    FIT_NOT_CONVERGED};
inline constexpr ResultCell MAP_FIT_CELLS[] = {
    {"V1 ... ke0", "as row",
     "row's parameter k times exp(eta_k) at the most probable etas, as "
     "many cells as row has"}};
inline constexpr FunctionEntry MapIndividualVCl{
    .worksheetName = "MapIndividualVCl",
    .helpText = " Bayesian individual parameters from measured concentrations (Vol Cl) ",
    .arguments = MAP_FIT_ARGS,
    .purpose = "A model individualised to a patient: the parameters at the etas that make the "
               "measured plasma concentrations most probable (MapObjective's minimum), the "
               "predictions PredCpVCl's of the individual row.",
    .result = CELL_PER_ROW_CELL,
    .cells = MAP_FIT_CELLS,
    .errors = MAP_FIT_ERRORS,
    .example = "=MapIndividualVCl({0;2;2;2}, {0;10;10;0}, {20;0;0;0}, {0;2.1;1.9;1.2}, "
               "{4.27;18.9;238;1.89;1.29;0.836}, {0.61;0;0;0.265;0;0;0}, 0.2, 0.05, )",
    .notes = "The parameters with a variance above 0 in omega are estimated, the others keep "
             "their typical values; ke0 takes its most probable value given the estimated etas "
             "(its typical value unless omega's block gives it covariances). A sample is "
             "compared with the concentration at the end of its row's interval, before its "
             "bolus.",
    .sources = MAP_SOURCES,
};

// ---- Decrement times

inline constexpr ArgumentEntry DECR_CE_ARGS[] = {
    DELTA_TIMES,
    RATE,
    IV_BOLUS,
    {"decrConc", " Column with decrement concentration (Ce) ", CELL, "dose/L",
     "the effect-site concentration to fall to, per row; row 0 is not read"},
    A_,
    B_,
    C_,
    L1,
    L2,
    L3,
    KE0_TRANSFER,
};
inline constexpr ResultCell DECREMENT_ROWS[] = {
    {"decrement time", "min",
     "the time from the end of row k's interval until the effect-site concentration falls to row "
     "k's decrConc, were all dosing stopped there; 0 where it is already at or below"}};
inline constexpr ErrorCause DECR_CE_ERRORS[] = {LENGTHS, NEGATIVE, NON_POSITIVE_LEVEL,
                                                DECREMENT_NOT_FOUND};
inline constexpr FunctionEntry decrCe{
    .worksheetName = "decrCe",
    .helpText = " Calculation of decrement times ",
    .arguments = DECR_CE_ARGS,
    .purpose = "For every row of a dosing history, how long the effect-site concentration would "
               "take to fall to a given level if all dosing stopped at the end of that row.",
    .result = COLUMN_PER_ROW,
    .cells = DECREMENT_ROWS,
    .errors = DECR_CE_ERRORS,
    .example = "=decrCe({0;1;1;1}, {0;100;50;0}, {100;0;0;0}, {1.5;1.5;1.5;1.5}, 0.2282, "
               "0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 0.456)",
    .notes = "A decrConc of 0 or below has no finite answer.",
};

inline constexpr ResultCell CONTEXT_ROWS[] = {
    {"decrement time", "min",
     "the time after an infusion of row k's duration until the concentration has fallen by decr "
     "percent"}};
inline constexpr ErrorCause CONTEXT_ERRORS[] = {NOT_ASCENDING, CHECK_DECREMENT, CONTEXT_TOO_LONG};
// CsDtCe also brings the effect site to its peak first.
inline constexpr ErrorCause EFFECT_CONTEXT_ERRORS[] = {NOT_ASCENDING, CHECK_DECREMENT,
                                                       CONTEXT_TOO_LONG, PEAK_NOT_FOUND};
inline constexpr ArgumentEntry CS_DT_CE_ARGS[] = {
    TIMES, A_, B_, C_, L1, L2, L3, KE0_TRANSFER, DECR,
};
inline constexpr FunctionEntry CsDtCe{
    .worksheetName = "CsDtCe",
    .helpText = " Calculates the decrement times of effect site concentration ",
    .arguments = CS_DT_CE_ARGS,
    .purpose = "Context-sensitive decrement times of the effect-site concentration: the effect "
               "site is brought to 1 at its peak by a short infusion, then the plasma "
               "concentration is held at 1; for each infusion duration, the time after stopping "
               "until the effect-site concentration has fallen by decr percent.",
    .result = COLUMN_PER_ROW,
    .cells = CONTEXT_ROWS,
    .errors = EFFECT_CONTEXT_ERRORS,
    .example = "=CsDtCe({10;30;60;120;240}, 0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, "
               "0.002412, 0.456, 50)",
    .notes = "Rows at or before the time of peak effect give 0. The conventions page defines the "
             "holding steps.",
};

inline constexpr ArgumentEntry CS_DT_CP_ARGS[] = {TIMES, A_, B_, C_, L1, L2, L3, DECR};
inline constexpr FunctionEntry CsDtCp{
    .worksheetName = "CsDtCp",
    .helpText = " Calculates the decrement times of plasma concentration ",
    .arguments = CS_DT_CP_ARGS,
    .purpose = "Context-sensitive decrement times of the plasma concentration: the plasma "
               "concentration is held at 1 from time zero; for each infusion duration, the time "
               "after stopping until it has fallen by decr percent (50: the context-sensitive "
               "half-time).",
    .result = COLUMN_PER_ROW,
    .cells = CONTEXT_ROWS,
    .errors = CONTEXT_ERRORS,
    .example = "=CsDtCp({10;30;60;120;240}, 0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, "
               "0.002412, 50)",
    .notes = "The conventions page defines the holding steps.",
};

inline constexpr ArgumentEntry CS_DT_CP_VCL_ARGS[] = {
    {"Times", " Time columns ", CELL, "min", TIMES_MEANING}, V1_, V2_, V3_, CL1, CL2, CL3, DECR,
};
inline constexpr FunctionEntry CsDtCpVCl{
    .worksheetName = "CsDtCpVCl",
    .helpText = " Calculates the decrement times of plasma concentration ",
    .arguments = CS_DT_CP_VCL_ARGS,
    .purpose = "Context-sensitive decrement times of the plasma concentration for a drug given by "
               "its volumes and clearances (CsDtCp of their Cl2Hyb).",
    .result = COLUMN_PER_ROW,
    .cells = CONTEXT_ROWS,
    .errors = CONTEXT_ERRORS,
    .example = "=CsDtCpVCl({10;30;60;120;240}, 4.27, 18.9, 238, 1.89, 1.29, 0.836, 50)",
};

// ---- TCI

inline constexpr ResultCell RATE_ROWS[] = {
    {"rate", "dose/min",
     "the infusion rate during row k's interval, from 0 to maxRate; row 0 is 0"}};
inline constexpr ErrorCause TCI_CP_ERRORS[] = {NEGATIVE, LENGTHS};
inline constexpr ArgumentEntry TCI_CP_ARGS[] = {
    DELTA_TIMES_TCI, TARGET, MAX_RATE, A_, B_, C_, L1, L2, L3,
};
inline constexpr FunctionEntry TciCp{
    .worksheetName = "TciCp",
    .helpText = " TCI for plasma ",
    .arguments = TCI_CP_ARGS,
    .purpose = "A plasma target-controlled infusion: for every interval the constant rate that "
               "brings the plasma concentration exactly to the row's target at its end, bounded "
               "by 0 and maxRate.",
    .result = COLUMN_PER_ROW,
    .cells = RATE_ROWS,
    .errors = TCI_CP_ERRORS,
    .example = "=TciCp({0;1;1;1;1}, {0;4;4;4;3}, 200, 0.2282, 0.005622, 0.0004083, 0.9642, "
               "0.04562, 0.002412)",
    .notes = "A target below what the previous rows leave gives 0 until the concentration has "
             "fallen to it.",
};

inline constexpr ArgumentEntry CALC_RATE_ARGS[] = {
    DELTA_TIMES_TCI,
    {"IVBolus", " For inclusion of manual bolus doses ", CELL, "dose",
     "manual boluses: row k's at the end of its interval, row 0's at time zero; each is counted in "
     "before the rate is chosen"},
    TARGET,
    MAX_RATE,
    A_,
    B_,
    C_,
    L1,
    L2,
    L3,
};
inline constexpr ErrorCause CALC_RATE_ERRORS[] = {LENGTHS, NEGATIVE};
inline constexpr FunctionEntry CalcRate{
    .worksheetName = "CalcRate",
    .helpText = " Plasma TCI; bolus doses possible ",
    .arguments = CALC_RATE_ARGS,
    .purpose = "A plasma target-controlled infusion with manual boluses: as TciCp, with each "
               "bolus counted in before the rate of its interval is chosen, so a bolus lowers or "
               "stops the infusion.",
    .result = COLUMN_PER_ROW,
    .cells = RATE_ROWS,
    .errors = CALC_RATE_ERRORS,
    .example = "=CalcRate({0;1;1;1;1}, {0;50;0;0;20}, {0;3;3;3;2}, 200, 0.2282, 0.005622, "
               "0.0004083, 0.9642, 0.04562, 0.002412)",
};

inline constexpr ArgumentEntry TCI_CE_ARGS[] = {
    DELTA_TIMES_TCI,
    {"targetConc", " Column with target concentrations ", CELL, "dose/L",
     "the effect-site target at the end of row k's interval; row 0 is not read"},
    MAX_RATE,
    A_,
    B_,
    C_,
    L1,
    L2,
    L3,
    KE0,
};
inline constexpr ErrorCause TCI_CE_ERRORS[] = {LENGTHS, CHECK_TCI_PARAMETERS,
                                               NON_POSITIVE_MAX_RATE};
inline constexpr FunctionEntry TciCe{
    .worksheetName = "TciCe",
    .helpText = " TCI for effect site ",
    .arguments = TCI_CE_ARGS,
    .purpose = "An effect-site target-controlled infusion: for every interval a constant rate "
               "that brings the effect site to the target without overshooting it, lets it fall "
               "freely when the target is lowered, and holds it by plasma targeting once within "
               "3 %.",
    .result = COLUMN_PER_ROW,
    .cells = RATE_ROWS,
    .errors = TCI_CE_ERRORS,
    .example = "=TciCe({0;0.1667;0.1667;0.1667;1;1}, {0;4;4;4;4;3}, 200, 0.2282, 0.005622, "
               "0.0004083, 0.9642, 0.04562, 0.002412, 0.456)",
    .notes = "The conventions page says how each row's rate is chosen.",
};

// ---- Peak effect

// The hybrid constants and ke0 (TPeak, VdPeak).
inline constexpr ArgumentEntry HYBRID_KE0_ARGS[] = {A_, B_, C_, L1, L2, L3, KE0};
inline constexpr ErrorCause PEAK_ERRORS[] = {PEAK_NOT_FOUND};
inline constexpr ResultCell TPEAK_CELL[] = {
    {"time to peak", "min", "the time from a bolus to the peak of the effect-site concentration"}};
inline constexpr FunctionEntry TPeak{
    .worksheetName = "TPeak",
    .helpText = "Calculates the time to peak effect ",
    .arguments = HYBRID_KE0_ARGS,
    .purpose = "The time from a bolus to the peak effect-site concentration.",
    .result = "one number",
    .cells = TPEAK_CELL,
    .errors = PEAK_ERRORS,
    .example = "=TPeak(0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 0.456)",
    .notes = "The search looks from 0 to 1000 minutes.",
};

inline constexpr ResultCell VDPEAK_CELL[] = {
    {"volume at peak effect", "L",
     "the dose divided by the peak effect-site concentration it gives"}};
inline constexpr FunctionEntry VdPeak{
    .worksheetName = "VdPeak",
    .helpText = "Calculation of Volume of distribution at peak effect ",
    .arguments = HYBRID_KE0_ARGS,
    .purpose = "The volume of distribution at peak effect: a bolus divided by the peak "
               "effect-site concentration it gives, so dose = target x VdPeak.",
    .result = "one number",
    .cells = VDPEAK_CELL,
    .errors = PEAK_ERRORS,
    .example = "=VdPeak(0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 0.456)",
};

inline constexpr ArgumentEntry TPEAK2KE0_ARGS[] = {
    A_,
    B_,
    C_,
    L1,
    L2,
    L3,
    {"peak_time", " Time to peak effect ", B, "min", "the time from a bolus to the peak effect"},
};
inline constexpr ResultCell KE0_CELL[] = {
    {"ke0", "1/min", "the ke0 whose effect-site peak after a bolus falls at peak_time"}};
inline constexpr ErrorCause TPEAK2KE0_ERRORS[] = {NEGATIVE_PEAK_TIME, CHECK_PEAK_PARAMETERS,
                                                  KE0_NOT_FOUND};
inline constexpr FunctionEntry TPeak2ke0{
    .worksheetName = "TPeak2ke0",
    .helpText = "Calculates ke0 from a given tpeak ",
    .arguments = TPEAK2KE0_ARGS,
    .purpose = "The ke0 for which the effect-site peak after a bolus falls at a given time: how a "
               "model without ke0 gets one from a published time to peak effect.",
    .result = "one number",
    .cells = KE0_CELL,
    .errors = TPEAK2KE0_ERRORS,
    .example = "=TPeak2ke0(0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 1.6)",
};

// ---- Body size

// A weight or a height in its covariate's unit (catalogue/covariates.h).
constexpr ArgumentEntry BodySize(catalogue::Quantity quantity, const char* name,
                                 const char* description, const char* meaning) {
    return {name, description, B, catalogue::covariate(quantity).unit, meaning, quantity};
}
using catalogue::Quantity;
inline constexpr ArgumentEntry BMI_ARGS[] = {
    BodySize(Quantity::Weight, "Weight", "The patients weight in kg ", "total body weight"),
    BodySize(Quantity::Height, "Height", "The pateints height in cm ", "height"),
};
inline constexpr ResultCell BMI_CELL[] = {
    {"BMI", catalogue::covariate(Quantity::BodyMassIndex).unit, "weight / (height/100)²"}};
inline constexpr FunctionEntry BMI{
    .worksheetName = "BMI",
    .helpText = " Computes the BMI (body mass index) ",
    .arguments = BMI_ARGS,
    .purpose = "The body mass index.",
    .result = "one number",
    .cells = BMI_CELL,
    .example = "=BMI(70, 170)",
};

// Weight, height and sex of the lean-body-mass formulas, in the words of the James formulas
// (JLBM, JJLBM) and of Janmahasatian's (JanLBM).
inline constexpr ArgumentEntry LBM_MALE = {"MALE",
                                           " Gender, male=1, female=0 ",
                                           CELL,
                                           catalogue::covariate(Quantity::Flag).unit,
                                           "1 (or TRUE) for a man, 0 (or FALSE) for a woman",
                                           Quantity::Flag};
inline constexpr ArgumentEntry JAMES_ARGS[] = {
    BodySize(Quantity::Weight, "weight", " Weight in kg ", "total body weight"),
    BodySize(Quantity::Height, "height", " Height in cm ", "height"),
    LBM_MALE,
};
inline constexpr ArgumentEntry JAN_LBM_ARGS[] = {
    BodySize(Quantity::Weight, "weight", "The patient's weight in kg ", "total body weight"),
    BodySize(Quantity::Height, "height", "The patient's height in cm ", "height"),
    LBM_MALE,
};
inline constexpr ResultCell LBM_CELL[] = {
    {"LBM", catalogue::covariate(Quantity::LeanBodyMass).unit, "lean body mass"}};
inline constexpr FunctionEntry JLBM{
    .worksheetName = "JLBM",
    .helpText = " LBM (formula of James) ",
    .arguments = JAMES_ARGS,
    .purpose = "Lean body mass by the formula of James: 1.1 W - 128 (W/H)² for men, 1.07 W - 148 "
               "(W/H)² for women.",
    .result = "one number",
    .cells = LBM_CELL,
    .example = "=JLBM(70, 170, 1)",
    .notes = "The formula falls with weight above a BMI of 43 (men) or 36 (women) and is "
             "negative above 86 or 72: use JJLBM or JanLBM for obese patients.",
};
inline constexpr FunctionEntry JanLBM{
    .worksheetName = "JanLBM",
    .helpText = "Computes LBM based on Janmahasatian Clin Pharm ",
    .arguments = JAN_LBM_ARGS,
    .purpose = "Lean (fat-free) mass by the formula of Janmahasatian: 9270 W / (6680 + 216 BMI) "
               "for men, 9270 W / (8780 + 244 BMI) for women.",
    .result = "one number",
    .cells = LBM_CELL,
    .example = "=JanLBM(70, 170, 0)",
};
inline constexpr FunctionEntry JJLBM{
    .worksheetName = "JJLBM",
    .helpText = " LBM (formula James Adjusted) ",
    .arguments = JAMES_ARGS,
    .purpose = "Lean body mass by the James formula up to a BMI of 28.0759 (men) or 22.7688 "
               "(women), and above it by the Janmahasatian curve shifted to join it there.",
    .result = "one number",
    .cells = LBM_CELL,
    .example = "=JJLBM(120, 170, 1)",
};

// ---- The schedule check

// clang-format off
inline constexpr ArgumentEntry SCHEDULE_CHECK_ARGS[] = {
    {"deltaTimes", " Column with delta times (optional) ", CELL, "min",
     "the interval column of PredCp, PredCe, TciCp, CalcRate, TciCe or decrCe, or left out"},
    {"Times", " Time column (optional) ", CELL, "min",
     "the context-time column of CsDtCp, CsDtCpVCl or CsDtCe, or left out"},
    {"decr", " The decrement (e.g. 50 for 50%) (optional) ", CELL, "%",
     "the decrement of the context-sensitive decrement times, or left out"},
};
// clang-format on
inline constexpr ResultCell SCHEDULE_CHECK_CELLS[] = {
    {"finding", "",
     "\"OK\" when nothing is to be said; otherwise one finding per cell, errors first"},
};
inline constexpr ErrorCause SCHEDULE_CHECK_ERRORS[] = {
    {"invalid OPER structure (memory could be exhausted), deltaTimes Not unidemensional",
     "deltaTimes is a range of more than one row and more than one column, or an error value "
     "(Times likewise)"},
};
inline constexpr FunctionEntry ScheduleCheck{
    .worksheetName = "ScheduleCheck",
    .helpText =
        " Checks a schedule: intervals in seconds, unordered times, a decrement as a fraction ",
    .arguments = SCHEDULE_CHECK_ARGS,
    .purpose = "Checks the columns of a schedule before a tool reads them: an interval above 30 "
               "that looks like seconds (the models' time unit is the minute), a negative or "
               "empty interval, context times that do not ascend, and a decrement of at most 1 "
               "that looks like a fraction where a percentage is meant. It never changes a "
               "tool's numbers.",
    .result = "a column of texts: \"OK\", or one line per finding",
    .cells = SCHEDULE_CHECK_CELLS,
    .errors = SCHEDULE_CHECK_ERRORS,
    .example = "=ScheduleCheck({0;60;60;60}, , 0.5)",
    .notes = "Row 0 of deltaTimes is time zero and is not read, as in the tools. Each kind of "
             "finding is named once, at its first row, with the count of the other rows.",
};

} // namespace entries

// Corvane's functions: every tool, then the schedule check, each routine beside its entry.
// clang-format off
inline constexpr std::tuple CORVANE_FUNCTIONS{
    catalogue::Row{&Cl2Hyb,        &entries::Cl2Hyb},
    catalogue::Row{&Hyb2Cl,        &entries::Hyb2Cl},
    catalogue::Row{&PredCp,        &entries::PredCp},
    catalogue::Row{&PredCe,        &entries::PredCe},
    catalogue::Row{&PredCpVCl,     &entries::PredCpVCl},
    catalogue::Row{&PredEff,       &entries::PredEff},
    catalogue::Row{&Ce50Eleveld,   &entries::Ce50Eleveld},
    catalogue::Row{&BisEleveld,    &entries::BisEleveld},
    catalogue::Row{&CeForBisEleveld, &entries::CeForBisEleveld},
    catalogue::Row{&PNoRespHier,   &entries::PNoRespHier},
    catalogue::Row{&EffMinto,      &entries::EffMinto},
    catalogue::Row{&EffGreco,      &entries::EffGreco},
    catalogue::Row{&VarvelPE,      &entries::VarvelPE},
    catalogue::Row{&VarvelMDPE,    &entries::VarvelMDPE},
    catalogue::Row{&VarvelMDAPE,   &entries::VarvelMDAPE},
    catalogue::Row{&VarvelWobble,  &entries::VarvelWobble},
    catalogue::Row{&VarvelDivergence, &entries::VarvelDivergence},
    catalogue::Row{&VarvelPopulation, &entries::VarvelPopulation},
    catalogue::Row{&CVFromOmega2,  &entries::CVFromOmega2},
    catalogue::Row{&Omega2FromCV,  &entries::Omega2FromCV},
    catalogue::Row{&RandNorm,      &entries::RandNorm},
    catalogue::Row{&VirtualPatient, &entries::VirtualPatient},
    catalogue::Row{&CpBandVCl,     &entries::CpBandVCl},
    catalogue::Row{&CeBandVCl,     &entries::CeBandVCl},
    catalogue::Row{&MapObjective,  &entries::MapObjective},
    catalogue::Row{&MapIndividualVCl, &entries::MapIndividualVCl},
    catalogue::Row{&decrCe,        &entries::decrCe},
    catalogue::Row{&CsDtCe,        &entries::CsDtCe},
    catalogue::Row{&CsDtCp,        &entries::CsDtCp},
    catalogue::Row{&CsDtCpVCl,     &entries::CsDtCpVCl},
    catalogue::Row{&TciCp,         &entries::TciCp},
    catalogue::Row{&CalcRate,      &entries::CalcRate},
    catalogue::Row{&TciCe,         &entries::TciCe},
    catalogue::Row{&TPeak,         &entries::TPeak},
    catalogue::Row{&VdPeak,        &entries::VdPeak},
    catalogue::Row{&TPeak2ke0,     &entries::TPeak2ke0},
    catalogue::Row{&BMI,           &entries::BMI},
    catalogue::Row{&JLBM,          &entries::JLBM},
    catalogue::Row{&JanLBM,        &entries::JanLBM},
    catalogue::Row{&JJLBM,         &entries::JJLBM},
    catalogue::Row{&ScheduleCheck, &entries::ScheduleCheck},
};
// clang-format on
static_assert(catalogue::rowsFit(CORVANE_FUNCTIONS),
              "a Corvane routine does not fit its entry, or two rows share a name");

} // namespace pktools
