#pragma once

// The reference of Corvane's functions: what each tool computes, its arguments with their
// units, the cells it returns, the texts it can show instead and what causes them. Each
// entry of the catalogue points to the reference of the same name.
//
// No unit is ever converted: volumes, clearances, doses, rates and times may be in any
// consistent set, and rate constants are per time unit of the time columns. With Velmora's
// models that is litres, minutes and the drug's dose unit.

#include "catalogue/reference.h"

namespace pktools::reference {

using catalogue::ArgumentReference;
using catalogue::ErrorCause;
using catalogue::Reference;
using catalogue::ResultCell;

// ---- Arguments shared by many tools

inline constexpr ArgumentReference A_ = {
    "A", "1/L",
    "hybrid coefficient of the fastest exponential (plasma concentration per unit dose)"};
inline constexpr ArgumentReference B_ = {
    "B", "1/L", "hybrid coefficient of the middle exponential; 0 for a one-compartment model"};
inline constexpr ArgumentReference C_ = {
    "C", "1/L", "hybrid coefficient of the slowest exponential; 0 for a two-compartment model"};
inline constexpr ArgumentReference L1 = {"l1", "1/min",
                                         "largest exponent (the fastest rate constant)"};
inline constexpr ArgumentReference L2 = {"l2", "1/min", "middle exponent"};
inline constexpr ArgumentReference L3 = {"l3", "1/min", "smallest exponent"};
inline constexpr ArgumentReference KE0 = {
    "ke0", "1/min", "rate constant of the equilibration between plasma and effect site"};
inline constexpr ArgumentReference V1_ = {"V1", "L", "volume of the central compartment"};
inline constexpr ArgumentReference V2_ = {
    "V2", "L", "volume of the rapidly equilibrating peripheral compartment"};
inline constexpr ArgumentReference V3_ = {
    "V3", "L", "volume of the slowly equilibrating peripheral compartment"};
inline constexpr ArgumentReference CL1 = {"Cl1", "L/min", "elimination clearance"};
inline constexpr ArgumentReference CL2 = {"Cl2", "L/min",
                                          "clearance between the central compartment and V2"};
inline constexpr ArgumentReference CL3 = {"Cl3", "L/min",
                                          "clearance between the central compartment and V3"};
inline constexpr ArgumentReference DELTA_TIMES = {
    "deltaTimes", "min",
    "the length of each row's interval: row k runs from the time of row k-1 to the time of row k; "
    "row 0 is time zero and is not read"};
inline constexpr ArgumentReference RATE = {
    "Rate", "dose/min", "the infusion rate during row k's interval; row 0 is not read"};
inline constexpr ArgumentReference IV_BOLUS = {
    "IVBolus", "dose", "the bolus given at the end of row k's interval; row 0's at time zero"};
inline constexpr ArgumentReference TARGET = {
    "targetConc", "dose/L",
    "the target concentration at the end of row k's interval; row 0 is not read"};
inline constexpr ArgumentReference MAX_RATE = {"maxRate", "dose/min",
                                               "the pump's highest rate; no row's rate exceeds it"};
inline constexpr ArgumentReference TIMES = {
    "Times", "min",
    "the infusion durations (contexts), strictly ascending; a first value of 0 gives 0"};
inline constexpr ArgumentReference DECR = {
    "decr", "%", "the fall to time, in percent of the concentration held (50 for half)"};

// ---- Texts the tools show instead of a result

inline constexpr ErrorCause LENGTHS = {"Columns of different length!",
                                       "the columns do not all have as many rows"};
inline constexpr ErrorCause NEGATIVE_OR_MISSING = {
    "Negative or missing PK parameter!",
    "A, l1 (or V1, Cl1), or ke0 where it is taken, is 0 or below (an empty cell is 0), or another "
    "constant is below 0"};
inline constexpr ErrorCause NEGATIVE = {"Negative PK parameter!",
                                        "a hybrid constant (or ke0 where it is taken) is below 0"};
inline constexpr ErrorCause CHECK_DECREMENT = {"Check PK parameters and/or decrement!",
                                               "A or l1 (or ke0 where it is taken) is 0 or below, "
                                               "another constant below 0, or decr is 0 or below"};
inline constexpr ErrorCause NOT_ASCENDING = {"#Times have to be in ascending order!",
                                             "a context time is not above the one before it"};
inline constexpr ErrorCause SIX_PARAMETERS = {"We need exactly 6 parameters!",
                                              "param does not hold exactly six numbers"};

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

// ---- Compartment model arithmetic

inline constexpr ArgumentReference CL2HYB_ARGS[] = {
    {"param", "L, L/min",
     "V1, V2, V3, Cl1, Cl2, Cl3 as six cells in a column or a row, such as the first six cells of "
     "a Velmora model"}};
inline constexpr ErrorCause PARAM_ERRORS[] = {SIX_PARAMETERS};
inline constexpr Reference Cl2Hyb{
    "Turns volumes and clearances into the hybrid constants of the tri-exponential disposition "
    "function: after a unit bolus the plasma concentration is A e^(-l1 t) + B e^(-l2 t) + C e^(-l3 "
    "t).",
    CL2HYB_ARGS,
    "a column of 6 cells: A, B, C, l1, l2, l3",
    HYBRID_ROW,
    PARAM_ERRORS,
    "=Cl2Hyb(PropMarsh(70))",
    nullptr,
    "A volume of 0 removes its clearance and a clearance of 0 its volume: V3 = Cl3 = 0 gives a "
    "two-compartment result (C = l3 = 0). A set that fits neither three, two nor one compartments "
    "gives six zeros."};

inline constexpr ArgumentReference HYB2CL_ARGS[] = {
    {"param", "1/L, 1/min", "A, B, C, l1, l2, l3 as six cells in a column or a row"}};
inline constexpr Reference Hyb2Cl{
    "Turns the six hybrid constants back into volumes and clearances.",
    HYB2CL_ARGS,
    "a column of 6 cells: V1, V2, V3, Cl1, Cl2, Cl3",
    VOLUME_ROW,
    PARAM_ERRORS,
    "=Hyb2Cl(Cl2Hyb(PropMarsh(70)))",
    nullptr,
    "C = 0 (or l3 = 0) gives a two-compartment result, B = 0 a one-compartment one."};

// ---- Prediction

inline constexpr ArgumentReference PRED_CP_ARGS[] = {DELTA_TIMES, RATE, IV_BOLUS, A_, B_,
                                                     C_,          L1,   L2,       L3};
inline constexpr ResultCell CP_ROWS[] = {
    {"Cp", "dose/L",
     "the plasma concentration at the end of row k's interval, just after row k's bolus"}};
inline constexpr ErrorCause PRED_ERRORS[] = {NEGATIVE_OR_MISSING, LENGTHS};
inline constexpr Reference PredCp{
    "Predicts the plasma concentration under a dosing history of intervals, infusion rates and "
    "boluses, exactly (in closed form), for a drug given by its hybrid constants.",
    PRED_CP_ARGS,
    COLUMN_PER_ROW,
    CP_ROWS,
    PRED_ERRORS,
    "=PredCp({0;1;1;1}, {0;10;10;0}, {20;0;0;0}, 0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, "
    "0.002412)",
    nullptr,
    "Row 0 is time zero: its value is the concentration just after the first bolus."};

inline constexpr ArgumentReference PRED_CE_ARGS[] = {
    DELTA_TIMES, RATE, IV_BOLUS, A_, B_, C_, L1, L2, L3, {"ke0", "1/min", KE0.meaning}};
inline constexpr ResultCell CE_ROWS[] = {
    {"Ce", "dose/L", "the effect-site concentration at the end of row k's interval"}};
inline constexpr Reference PredCe{"Predicts the effect-site concentration under a dosing history, "
                                  "exactly, for a drug given by its hybrid constants and ke0.",
                                  PRED_CE_ARGS,
                                  COLUMN_PER_ROW,
                                  CE_ROWS,
                                  PRED_ERRORS,
                                  "=PredCe({0;1;1;1}, {0;10;10;0}, {20;0;0;0}, 0.2282, 0.005622, "
                                  "0.0004083, 0.9642, 0.04562, 0.002412, 0.456)",
                                  nullptr,
                                  "Row 0 is always 0: the effect site starts empty, and a bolus "
                                  "shows there from the next row on."};

inline constexpr ArgumentReference PRED_CP_VCL_ARGS[] = {DELTA_TIMES, RATE, IV_BOLUS, V1_, V2_,
                                                         V3_,         CL1,  CL2,      CL3};
inline constexpr Reference PredCpVCl{
    "Predicts the plasma concentration under a dosing history for a drug given by its volumes and "
    "clearances (PredCp of their Cl2Hyb).",
    PRED_CP_VCL_ARGS,
    COLUMN_PER_ROW,
    CP_ROWS,
    PRED_ERRORS,
    "=PredCpVCl({0;1;1;1}, {0;10;10;0}, {20;0;0;0}, 4.27, 18.9, 238, 1.89, 1.29, 0.836)",
    nullptr};

inline constexpr ArgumentReference PRED_EFF_ARGS[] = {
    {"concEff", "dose/L", "the effect-site concentrations, such as PredCe's column"},
    {"eZero", "effect unit", "the effect without drug"},
    {"eMax", "effect unit",
     "the effect at an infinite concentration (below eZero for an inhibitory effect)"},
    {"IC50", "dose/L", "the concentration of half the maximal effect"},
    {"gam", "", "the steepness (Hill coefficient)"}};
inline constexpr ResultCell EFFECT_ROWS[] = {
    {"effect", "effect unit",
     "(eMax - eZero) c^gam / (IC50^gam + c^gam) + eZero for the concentration c of the same row"}};
inline constexpr Reference PredEff{
    "The sigmoid Emax (Hill) effect of each concentration of a column.",
    PRED_EFF_ARGS,
    COLUMN_PER_ROW,
    EFFECT_ROWS,
    {},
    "=PredEff({0;1;3.08;6}, 93, 0, 3.08, 1.47)",
    nullptr};

// ---- Effect models: the Eleveld propofol BIS model and two-drug interaction

inline constexpr ArgumentReference AGE = {"age", "years", "the patient's age",
                                          catalogue::Quantity::Age};
// The number error of the two-drug functions, with what else gives it in a row and in every
// row for each.
#define CORVANE_TWO_DRUG_NO_ANSWER(inARow, inEveryRow)                                             \
    ErrorCause {                                                                                   \
        "#NUM!", "in a row: a concentration below 0 or not a finite number" inARow                 \
                 "; in every row: a C50 or a steepness of 0 or below" inEveryRow                   \
                 ", or an argument that is not a finite number"                                    \
    }
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

inline constexpr ArgumentReference CE50_ELEVELD_ARGS[] = {AGE};
inline constexpr ResultCell CE50_CELL[] = {
    {"Ce50", "ug/mL", "exp(1.124750 - 0.006348370 (age - 35)): 3.079 at 35 years"}};
inline constexpr Reference Ce50Eleveld{
    "The effect-site propofol concentration of half the largest fall of BIS in the Eleveld "
    "model, at the patient's age.",
    CE50_ELEVELD_ARGS,
    "one number",
    CE50_CELL,
    {},
    "=Ce50Eleveld(35)",
    nullptr,
    "Ages are not clamped: CovariateCheck judges the patient beside PropEleveldFinal.",
    ELEVELD_SOURCES,
    ELEVELD_CONTESTED};

inline constexpr ArgumentReference BIS_ELEVELD_ARGS[] = {
    {"concEff", "ug/mL",
     "the effect-site propofol concentrations, such as PredCe's column with the BIS ke0 of "
     "PropEleveldFinal; one cell is a column of one"},
    AGE};
inline constexpr ResultCell BIS_ROWS[] = {
    {"BIS", "",
     "the typical BIS at the concentration of the same row: 92.98240 without drug, "
     "half that at Ce50, towards 0 at high concentrations"}};
inline constexpr ErrorCause BIS_ERRORS[] = {
    {"#NUM!", "in a row: a concentration below 0 or not a finite number; in every row: an age "
              "that is not a finite number"}};
inline constexpr Reference BisEleveld{
    "The typical BIS of the Eleveld model at each effect-site propofol concentration of a "
    "column: E0 (1 - Ce^gam / (Ce^gam + Ce50^gam)), with the steeper gamma below Ce50.",
    BIS_ELEVELD_ARGS,
    COLUMN_PER_ROW,
    BIS_ROWS,
    BIS_ERRORS,
    "=BisEleveld({0;1;2;3.08;6}, 35)",
    nullptr,
    "",
    ELEVELD_SOURCES,
    ELEVELD_CONTESTED};

inline constexpr ArgumentReference CE_FOR_BIS_ARGS[] = {
    {"bis", "", "the wanted BIS values; one cell is a column of one"}, AGE};
inline constexpr ResultCell CE_FOR_BIS_ROWS[] = {
    {"Ce", "ug/mL",
     "the effect-site concentration whose typical BIS is the bis of the same row, the target "
     "for TciCe; 0 for a bis at or above 92.98240"}};
inline constexpr ErrorCause CE_FOR_BIS_ERRORS[] = {
    {"#NUM!", "in a row: a bis of 0 or below (no concentration gives it) or not a finite "
              "number; in every row: an age that is not a finite number"}};
inline constexpr Reference CeForBisEleveld{
    "The effect-site propofol concentration that the Eleveld model expects to give a wanted BIS, "
    "the inverse of BisEleveld: with f = 1 - bis/E0, Ce50 (f / (1 - f))^(1/gam), the steeper "
    "gamma for f < 0.5.",
    CE_FOR_BIS_ARGS,
    COLUMN_PER_ROW,
    CE_FOR_BIS_ROWS,
    CE_FOR_BIS_ERRORS,
    "=CeForBisEleveld({90;60;50;40}, 35)",
    nullptr,
    "BisEleveld of the result gives back the bis to about 15 digits. The target is a typical "
    "patient's: the BIS of one patient scatters about it.",
    ELEVELD_SOURCES,
    ELEVELD_CONTESTED};

inline constexpr ArgumentReference P_NO_RESP_HIER_ARGS[] = {
    {"concProp", "ug/mL", "the propofol (effect-site) concentrations"},
    {"concOpioid", "ng/mL", "the opioid (effect-site) concentrations, as many rows as concProp"},
    {"C50prop", "ug/mL", "the propofol concentration of half probability at stimulus intensity 1"},
    {"gamProp", "", "the steepness of the propofol curve"},
    {"C50opioid", "ng/mL", "the opioid concentration that halves a stimulus of intensity 1"},
    {"gamOpioid", "", "the steepness of the opioid's reduction of the stimulus"},
    {"preIntensity", "", "the intensity of the stimulus before the opioid (above 0)"}};
inline constexpr ResultCell P_NO_RESP_ROWS[] = {
    {"P(no response)", "",
     "the probability of no response to the stimulus at the concentrations of the same row: 0 "
     "without propofol, 1 for any propofol once the opioid has removed the whole stimulus"}};
inline constexpr ErrorCause P_NO_RESP_ERRORS[] = {
    LENGTHS, CORVANE_TWO_DRUG_NO_ANSWER("", ", a preIntensity of 0 or below")};
inline constexpr const char* P_NO_RESP_CONTESTED[] = {
    "stanpumpR and the Python Anesthesia Simulator both give Bouillon 2004, Table 4, as the "
    "source of their laryngoscopy sets and differ in all five numbers (C50prop 6.68 or 8.04, "
    "gamProp 6.9 or 5.1, C50opioid 1.01 or 1.07, gamOpioid 0.72 or 0.97, preIntensity 0.83 or "
    "1.05): no set is built in.",
    "stanpumpR's function named for no response returns the probability of a response (1 - P); "
    "this one returns the probability of no response.",
};
inline constexpr Reference PNoRespHier{
    "The probability of no response to a stimulus (such as laryngoscopy) under propofol and an "
    "opioid, by the hierarchical model: the opioid lowers the stimulus intensity to post = pre (1 "
    "- H(Cr; C50opioid pre, gamOpioid)), and propofol suppresses the rest, P = H(Cp; C50prop "
    "post, gamProp), with H(c; c50, gam) = c^gam / (c^gam + c50^gam). Row by row of the two "
    "concentration columns.",
    P_NO_RESP_HIER_ARGS,
    COLUMN_PER_ROW,
    P_NO_RESP_ROWS,
    P_NO_RESP_ERRORS,
    "=PNoRespHier({0;2;4;4;6}, {0;0;0;2;2}, 6.68, 6.9, 1.01, 0.72, 0.83)",
    nullptr,
    "The example is the laryngoscopy set as stanpumpR gives it from Bouillon 2004 (not checked "
    "against the paper; see below).",
    "Bouillon TW, Bruhn J, Radulescu L, et al., Anesthesiology 2004;100:1353-72 (the model); "
    "its structure as stanpumpR and the Python Anesthesia Simulator implement it alike.",
    P_NO_RESP_CONTESTED};

inline constexpr ArgumentReference CONC_A = {
    "concA", "dose/L", "the concentrations of drug A (propofol, for instance, in ug/mL)"};
inline constexpr ArgumentReference CONC_B = {
    "concB", "dose/L",
    "the concentrations of drug B (an opioid, for instance, in ng/mL), as many rows as concA"};
inline constexpr ArgumentReference C50_A = {"C50a", "dose/L",
                                            "the concentration of drug A alone of half effect"};
inline constexpr ArgumentReference C50_B = {"C50b", "dose/L",
                                            "the concentration of drug B alone of half effect"};
inline constexpr ArgumentReference SURFACE_GAMMA = {"gam", "",
                                                    "the steepness of the surface (above 0)"};
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

inline constexpr ArgumentReference EFF_MINTO_ARGS[] = {
    CONC_A,
    CONC_B,
    C50_A,
    C50_B,
    SURFACE_GAMMA,
    {"beta", "", "the interaction: 0 additive, above 0 synergy (U50 below 1 between the drugs)"},
    {"eZero", "effect unit", "the effect without drug"},
    {"eMax", "effect unit", "the largest fall of the effect from eZero"}};
inline constexpr ResultCell EFF_MINTO_ROWS[] = {
    {"effect", "effect unit",
     "eZero - eMax U^gam / (1 + U^gam) at the concentrations of the same row; eZero without "
     "drug"}};
inline constexpr ErrorCause EFF_MINTO_ERRORS[] = {
    LENGTHS, CORVANE_TWO_DRUG_NO_ANSWER(
                 ", or U50 of 0 or below (beta of 4 or more, between the drugs)", "")};
inline constexpr Reference EffMinto{
    "The effect of two drugs on a Minto response surface: with Ua = concA/C50a, Ub = concB/C50b "
    "and theta = Ua / (Ua + Ub), the potency U50 = 1 - beta theta + beta theta^2 of the mixture "
    "and U = (Ua + Ub) / U50, the effect eZero - eMax U^gam / (1 + U^gam). Row by row of the "
    "two concentration columns.",
    EFF_MINTO_ARGS,
    COLUMN_PER_ROW,
    EFF_MINTO_ROWS,
    EFF_MINTO_ERRORS,
    "=EffMinto({0;2;0;2;4}, {0;0;10;10;10}, 4.47, 19.3, 1.43, 0, 97.4, 97.4)",
    nullptr,
    "The example is a BIS surface for propofol (ug/mL) and remifentanil (ng/mL): C50a 4.47, "
    "C50b 19.3, gam 1.43, beta 0, eZero = eMax = 97.4, labelled Bouillon 2004 in the Python "
    "Anesthesia Simulator (see below). With beta = 0 the surface is additive: EffGreco with "
    "alpha = 0, scaled.",
    SURFACE_SOURCES,
    SURFACE_CONTESTED};

inline constexpr ArgumentReference EFF_GRECO_ARGS[] = {
    CONC_A,
    CONC_B,
    C50_A,
    C50_B,
    SURFACE_GAMMA,
    {"alpha", "", "the interaction: 0 additive, above 0 synergy, below 0 antagonism"}};
inline constexpr ResultCell EFF_GRECO_ROWS[] = {
    {"fraction", "", "I^gam / (1 + I^gam) at the concentrations of the same row, from 0 to 1"}};
inline constexpr ErrorCause EFF_GRECO_ERRORS[] = {
    LENGTHS, CORVANE_TWO_DRUG_NO_ANSWER(
                 ", or I below 0 (alpha so far below 0 that it outweighs the sum)", "")};
inline constexpr Reference EffGreco{
    "The fraction of effect (or probability) of two drugs on a Greco response surface: with Ua = "
    "concA/C50a and Ub = concB/C50b, the interaction index I = Ua + Ub + alpha Ua Ub and the "
    "fraction I^gam / (1 + I^gam). Row by row of the two concentration columns.",
    EFF_GRECO_ARGS,
    COLUMN_PER_ROW,
    EFF_GRECO_ROWS,
    EFF_GRECO_ERRORS,
    "=EffGreco({0;2;0;2;4}, {0;0;10;10;10}, 4.47, 19.3, 1.43, 1)",
    nullptr,
    "The example takes the potencies and steepness of the EffMinto example with alpha = 1, an "
    "illustration, not a published set.",
    "Greco WR, Bravo G, Parsons JC, Pharmacol Rev 1995;47:331-85 (the interaction form, as "
    "usually cited; its use for propofol-opioid pairs follows Kern 2004, Mertens 2003 and "
    "Johnson 2008); its form as the Python Anesthesia Simulator implements it.",
    SURFACE_CONTESTED};

#undef CORVANE_TWO_DRUG_NO_ANSWER

// ---- Decrement times

inline constexpr ArgumentReference DECR_CE_ARGS[] = {
    DELTA_TIMES,
    RATE,
    IV_BOLUS,
    {"decrConc", "dose/L", "the effect-site concentration to fall to, per row; row 0 is not read"},
    A_,
    B_,
    C_,
    L1,
    L2,
    L3,
    {"ke0", "1/min", KE0.meaning}};
inline constexpr ResultCell DECREMENT_ROWS[] = {
    {"decrement time", "min",
     "the time from the end of row k's interval until the effect-site concentration falls to row "
     "k's decrConc, were all dosing stopped there; 0 where it is already at or below"}};
inline constexpr ErrorCause DECR_CE_ERRORS[] = {LENGTHS, NEGATIVE};
inline constexpr Reference decrCe{
    "For every row of a dosing history, how long the effect-site concentration would take to fall "
    "to a given level if all dosing stopped at the end of that row.",
    DECR_CE_ARGS,
    COLUMN_PER_ROW,
    DECREMENT_ROWS,
    DECR_CE_ERRORS,
    "=decrCe({0;1;1;1}, {0;100;50;0}, {100;0;0;0}, {1.5;1.5;1.5;1.5}, 0.2282, 0.005622, 0.0004083, "
    "0.9642, 0.04562, 0.002412, 0.456)",
    nullptr,
    "A decrConc of 0 or below has no finite answer."};

inline constexpr ResultCell CONTEXT_ROWS[] = {
    {"decrement time", "min",
     "the time after an infusion of row k's duration until the concentration has fallen by decr "
     "percent"}};
inline constexpr ErrorCause CONTEXT_ERRORS[] = {NOT_ASCENDING, CHECK_DECREMENT};
inline constexpr ArgumentReference CS_DT_CE_ARGS[] = {
    TIMES, A_, B_, C_, L1, L2, L3, {"ke0", "1/min", KE0.meaning}, DECR};
inline constexpr Reference CsDtCe{
    "Context-sensitive decrement times of the effect-site concentration: the effect site is "
    "brought to 1 at its peak by a short infusion, then the plasma concentration is held at 1; for "
    "each infusion duration, the time after stopping until the effect-site concentration has "
    "fallen by decr percent.",
    CS_DT_CE_ARGS,
    COLUMN_PER_ROW,
    CONTEXT_ROWS,
    CONTEXT_ERRORS,
    "=CsDtCe({10;30;60;120;240}, 0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 0.456, "
    "50)",
    nullptr,
    "Rows at or before the time of peak effect give 0. The conventions page defines the holding "
    "steps."};
inline constexpr ArgumentReference CS_DT_CP_ARGS[] = {TIMES, A_, B_, C_, L1, L2, L3, DECR};
inline constexpr Reference CsDtCp{
    "Context-sensitive decrement times of the plasma concentration: the plasma concentration is "
    "held at 1 from time zero; for each infusion duration, the time after stopping until it has "
    "fallen by decr percent (50: the context-sensitive half-time).",
    CS_DT_CP_ARGS,
    COLUMN_PER_ROW,
    CONTEXT_ROWS,
    CONTEXT_ERRORS,
    "=CsDtCp({10;30;60;120;240}, 0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 50)",
    nullptr,
    "The conventions page defines the holding steps."};
inline constexpr ArgumentReference CS_DT_CP_VCL_ARGS[] = {
    {"Times", "min", TIMES.meaning}, V1_, V2_, V3_, CL1, CL2, CL3, DECR};
inline constexpr Reference CsDtCpVCl{
    "Context-sensitive decrement times of the plasma concentration for a drug given by its volumes "
    "and clearances (CsDtCp of their Cl2Hyb).",
    CS_DT_CP_VCL_ARGS,
    COLUMN_PER_ROW,
    CONTEXT_ROWS,
    CONTEXT_ERRORS,
    "=CsDtCpVCl({10;30;60;120;240}, 4.27, 18.9, 238, 1.89, 1.29, 0.836, 50)",
    nullptr};

// ---- TCI

inline constexpr ResultCell RATE_ROWS[] = {
    {"rate", "dose/min",
     "the infusion rate during row k's interval, from 0 to maxRate; row 0 is 0"}};
inline constexpr ErrorCause TCI_CP_ERRORS[] = {NEGATIVE, LENGTHS};
inline constexpr ArgumentReference TCI_CP_ARGS[] = {DELTA_TIMES, TARGET, MAX_RATE, A_, B_,
                                                    C_,          L1,     L2,       L3};
inline constexpr Reference TciCp{
    "A plasma target-controlled infusion: for every interval the constant rate that brings the "
    "plasma concentration exactly to the row's target at its end, bounded by 0 and maxRate.",
    TCI_CP_ARGS,
    COLUMN_PER_ROW,
    RATE_ROWS,
    TCI_CP_ERRORS,
    "=TciCp({0;1;1;1;1}, {0;4;4;4;3}, 200, 0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412)",
    nullptr,
    "A target below what the previous rows leave gives 0 until the concentration has fallen to "
    "it."};
inline constexpr ArgumentReference CALC_RATE_ARGS[] = {
    DELTA_TIMES,
    {"IVBolus", "dose",
     "manual boluses: row k's at the end of its interval, row 0's at time zero; each is counted in "
     "before the rate is chosen"},
    TARGET,
    MAX_RATE,
    A_,
    B_,
    C_,
    L1,
    L2,
    L3};
inline constexpr ErrorCause CALC_RATE_ERRORS[] = {LENGTHS, NEGATIVE};
inline constexpr Reference CalcRate{
    "A plasma target-controlled infusion with manual boluses: as TciCp, with each bolus counted in "
    "before the rate of its interval is chosen, so a bolus lowers or stops the infusion.",
    CALC_RATE_ARGS,
    COLUMN_PER_ROW,
    RATE_ROWS,
    CALC_RATE_ERRORS,
    "=CalcRate({0;1;1;1;1}, {0;50;0;0;20}, {0;3;3;3;2}, 200, 0.2282, 0.005622, 0.0004083, 0.9642, "
    "0.04562, 0.002412)",
    nullptr};
inline constexpr ArgumentReference TCI_CE_ARGS[] = {
    DELTA_TIMES,
    {"targetConc", "dose/L",
     "the effect-site target at the end of row k's interval; row 0 is not read"},
    MAX_RATE,
    A_,
    B_,
    C_,
    L1,
    L2,
    L3,
    KE0};
inline constexpr ErrorCause TCI_CE_ERRORS[] = {
    LENGTHS,
    {"Check PK parameters!", "A, l1 or ke0 is 0 or below, or B, C, l2 or l3 below 0"},
    {"Maxrate has to be positive!", "maxRate is 0 or below"}};
inline constexpr Reference TciCe{
    "An effect-site target-controlled infusion: for every interval a constant rate that brings the "
    "effect site to the target without overshooting it, lets it fall freely when the target is "
    "lowered, and holds it by plasma targeting once within 3 %.",
    TCI_CE_ARGS,
    COLUMN_PER_ROW,
    RATE_ROWS,
    TCI_CE_ERRORS,
    "=TciCe({0;0.1667;0.1667;0.1667;1;1}, {0;4;4;4;4;3}, 200, 0.2282, 0.005622, 0.0004083, 0.9642, "
    "0.04562, 0.002412, 0.456)",
    nullptr,
    "The conventions page says how each row's rate is chosen."};

// ---- Peak effect

inline constexpr ArgumentReference PEAK_ARGS[] = {A_, B_, C_, L1, L2, L3, KE0};
inline constexpr ResultCell TPEAK_CELL[] = {
    {"time to peak", "min", "the time from a bolus to the peak of the effect-site concentration"}};
inline constexpr Reference TPeak{
    "The time from a bolus to the peak effect-site concentration.",
    PEAK_ARGS,
    "one number",
    TPEAK_CELL,
    {},
    "=TPeak(0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 0.456)",
    nullptr,
    "The search looks from 0 to 1000 minutes; 0 when it finds no peak."};
inline constexpr ResultCell VDPEAK_CELL[] = {
    {"volume at peak effect", "L",
     "the dose divided by the peak effect-site concentration it gives"}};
inline constexpr Reference VdPeak{
    "The volume of distribution at peak effect: a bolus divided by the peak effect-site "
    "concentration it gives, so dose = target x VdPeak.",
    PEAK_ARGS,
    "one number",
    VDPEAK_CELL,
    {},
    "=VdPeak(0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 0.456)",
    nullptr};
inline constexpr ArgumentReference TPEAK2KE0_ARGS[] = {
    A_, B_, C_, L1, L2, L3, {"peak_time", "min", "the time from a bolus to the peak effect"}};
inline constexpr ResultCell KE0_CELL[] = {
    {"ke0", "1/min", "the ke0 whose effect-site peak after a bolus falls at peak_time"}};
inline constexpr ErrorCause TPEAK2KE0_ERRORS[] = {
    {"Negative peack time!", "peak_time is 0 or below"},
    {"Check parameters!", "l1 is 0, or a hybrid constant is below 0"}};
inline constexpr Reference TPeak2ke0{
    "The ke0 for which the effect-site peak after a bolus falls at a given time: how a model "
    "without ke0 gets one from a published time to peak effect.",
    TPEAK2KE0_ARGS,
    "one number",
    KE0_CELL,
    TPEAK2KE0_ERRORS,
    "=TPeak2ke0(0.2282, 0.005622, 0.0004083, 0.9642, 0.04562, 0.002412, 1.6)",
    nullptr};

// ---- Body size

inline constexpr ArgumentReference BMI_ARGS[] = {{"Weight", "kg", "total body weight"},
                                                 {"Height", "cm", "height"}};
inline constexpr ResultCell BMI_CELL[] = {{"BMI", "kg/m²", "weight / (height/100)²"}};
inline constexpr Reference BMI{"The body mass index.", BMI_ARGS, "one number", BMI_CELL, {},
                               "=BMI(70, 170)",        nullptr};
inline constexpr ArgumentReference LBM_ARGS[] = {{"weight", "kg", "total body weight"},
                                                 {"height", "cm", "height"},
                                                 {"MALE", "1 or 0",
                                                  "1 (or TRUE) for a man, 0 (or FALSE) for a woman",
                                                  catalogue::Quantity::Flag}};
inline constexpr ResultCell LBM_CELL[] = {{"LBM", "kg", "lean body mass"}};
inline constexpr Reference JLBM{
    "Lean body mass by the formula of James: 1.1 W - 128 (W/H)² for men, 1.07 W - 148 (W/H)² for "
    "women.",
    LBM_ARGS,
    "one number",
    LBM_CELL,
    {},
    "=JLBM(70, 170, 1)",
    nullptr,
    "The formula falls with weight above a BMI of 43 (men) or 36 (women) and is negative above 86 "
    "or 72: use JJLBM or JanLBM for obese patients."};
inline constexpr Reference JanLBM{"Lean (fat-free) mass by the formula of Janmahasatian: 9270 W / "
                                  "(6680 + 216 BMI) for men, 9270 W / (8780 + 244 BMI) for women.",
                                  LBM_ARGS,
                                  "one number",
                                  LBM_CELL,
                                  {},
                                  "=JanLBM(70, 170, 0)",
                                  nullptr};
inline constexpr Reference JJLBM{
    "Lean body mass by the James formula up to a BMI of 28.0759 (men) or 22.7688 (women), and "
    "above it by the Janmahasatian curve shifted to join it there.",
    LBM_ARGS,
    "one number",
    LBM_CELL,
    {},
    "=JJLBM(120, 170, 1)",
    nullptr};

// ---- The schedule check

inline constexpr ArgumentReference SCHEDULE_CHECK_ARGS[] = {
    {"deltaTimes", "min",
     "the interval column of PredCp, PredCe, TciCp, CalcRate, TciCe or decrCe, or left out"},
    {"Times", "min", "the context-time column of CsDtCp, CsDtCpVCl or CsDtCe, or left out"},
    {"decr", "%", "the decrement of the context-sensitive decrement times, or left out"},
};
inline constexpr ResultCell SCHEDULE_CHECK_CELLS[] = {
    {"finding", "",
     "\"OK\" when nothing is to be said; otherwise one finding per cell, errors first"},
};
inline constexpr ErrorCause SCHEDULE_CHECK_ERRORS[] = {
    {"invalid OPER structure (memory could be exhausted), deltaTimes Not unidemensional",
     "deltaTimes is a range of more than one row and more than one column, or an error value "
     "(Times likewise)"},
};
inline constexpr Reference ScheduleCheck{
    "Checks the columns of a schedule before a tool reads them: an interval above 30 that "
    "looks like seconds (the models' time unit is the minute), a negative or empty interval, "
    "context times that do not ascend, and a decrement of at most 1 that looks like a fraction "
    "where a percentage is meant. It never changes a tool's numbers.",
    SCHEDULE_CHECK_ARGS,
    "a column of texts: \"OK\", or one line per finding",
    SCHEDULE_CHECK_CELLS,
    SCHEDULE_CHECK_ERRORS,
    "=ScheduleCheck({0;60;60;60}, , 0.5)",
    nullptr,
    "Row 0 of deltaTimes is time zero and is not read, as in the tools. Each kind of finding is "
    "named once, at its first row, with the count of the other rows.",
};

} // namespace pktools::reference
