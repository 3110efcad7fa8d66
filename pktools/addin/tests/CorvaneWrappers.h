#pragma once

// Corvane's worksheet wrappers, each with the shape of what it returns.

#include "CallPatterns.h"
#include "Corvane.h"
#include "HostileRecords.h"
#include "pktools/catalogue.h"

#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

inline std::vector<hostile::Wrapper> CorvaneWrappers() {
    return hostile::WrappersOf(CORVANE_EXPORTS, pktools::CORVANE_FUNCTIONS);
}

// Sane arguments per function: the numbers, and the records in their order.
struct CorvaneSane {
    std::vector<double> numbers;
    // A record of one element is a flag or one number; of none, an argument left out.
    std::vector<std::vector<double>> columns;
};

inline std::map<std::string, CorvaneSane> CorvaneSaneArguments() {
    const std::vector<double> v = {4.27, 18.9, 238, 1.89, 1.29, 0.836};
    const std::vector<double> h = pktools::Cl2Hyb(v);
    const double ke0 = 0.456;
    const std::vector<double> dt = {0, 1, 1, 2, 5}, rate = {0, 10, 10, 0, 3},
                              bolus = {2, 0, 0, 1, 0}, levels = {1, 0.5, 0.5, 0.2, 0.1},
                              times = {0, 10, 60, 240, 600}, targets = {0, 3, 3, 3, 2};
    const std::vector<double> hyb = {h[0], h[1], h[2], h[3], h[4], h[5]};
    const std::vector<double> omega = {0.61, 0.565, 0.597, 0.265, 0.346, 0.209, 0.702};
    auto with = [](std::vector<double> a, std::initializer_list<double> b) {
        a.insert(a.begin(), b);
        return a;
    };
    auto plus = [](std::vector<double> a, std::initializer_list<double> b) {
        a.insert(a.end(), b);
        return a;
    };
    return {
        {"xlCl2Hyb", {{}, {v}}},
        {"xlHyb2Cl", {{}, {hyb}}},
        {"xlPredCp", {hyb, {dt, rate, bolus}}},
        {"xlPredCe", {plus(hyb, {ke0}), {dt, rate, bolus}}},
        {"xlPredCpVCl", {v, {dt, rate, bolus}}},
        {"xlPredEff", {{0, 100, 1.5, 2.5}, {{0.5, 1, 2, 4}}}},
        {"xlCe50Eleveld", {{35}, {}}},
        {"xlBisEleveld", {{35}, {{0, 1, 3, 6}}}},
        {"xlCeForBisEleveld", {{35}, {{90, 60, 50, 40}}}},
        {"xlPNoRespHier", {{6.68, 6.9, 1.01, 0.72, 0.83}, {{0, 2, 4, 6}, {0, 1, 2, 3}}}},
        {"xlEffMinto", {{4.47, 19.3, 1.43, 1.5, 97.4, 97.4}, {{0, 2, 0, 4}, {0, 0, 10, 10}}}},
        {"xlEffGreco", {{4.47, 19.3, 1.43, 1}, {{0, 2, 0, 4}, {0, 0, 10, 10}}}},
        {"xlVarvelPE", {{}, {{1.1, 0.8, 1.5, 1}, {1, 1, 1, 1}}}},
        {"xlVarvelMDPE", {{}, {{1.1, 0.8, 1.5, 1}, {1, 1, 1, 1}}}},
        {"xlVarvelMDAPE", {{}, {{1.1, 0.8, 1.5, 1}, {1, 1, 1, 1}}}},
        {"xlVarvelWobble", {{}, {{1.1, 0.8, 1.5, 1}, {1, 1, 1, 1}}}},
        {"xlVarvelDivergence", {{}, {{0, 60, 120, 180}, {0.9, 1.2, 0.7, 1}, {1, 1, 1, 1}}}},
        {"xlVarvelPopulation",
         {{0}, {{1, 1, 2, 2}, {0, 60, 0, 60}, {0.9, 1.2, 0.7, 1}, {1, 1, 1, 1}}}},
        {"xlCVFromOmega2", {{0.61}, {}}},
        {"xlOmega2FromCV", {{0.66}, {}}},
        {"xlRandNorm", {{1234567, 3}, {}}},
        {"xlVirtualPatient", {{1234567, 3}, {plus(v, {ke0}), omega}}},
        {"xlCpBandVCl", {{1, 20, 0.5}, {dt, rate, bolus, v, omega}}},
        {"xlCeBandVCl", {{1, 20, 0.95}, {dt, rate, bolus, plus(v, {ke0}), omega}}},
        {"xlMapObjective", {{0.1, 0.2}, {{0.3}, {0.5}, {2, 1.2}, {1.5, 1}, {}}}},
        {"xlMapIndividualVCl",
         {{0.2, 0.05}, {dt, rate, bolus, {0, 2.5, 3.4, 3.0, 1.5}, v, omega, {}}}},
        {"xldecrCe", {plus(hyb, {ke0}), {dt, rate, bolus, levels}}},
        {"xlCsDtCe", {plus(hyb, {ke0, 50}), {times}}},
        {"xlCsDtCp", {plus(hyb, {50}), {times}}},
        {"xlCsDtCpVCl", {plus(v, {80}), {times}}},
        {"xlTciCp", {with(hyb, {1200}), {dt, targets}}},
        {"xlCalcRate", {with(hyb, {1200}), {dt, bolus, targets}}},
        {"xlTciCe", {plus(with(hyb, {1200}), {ke0}), {dt, targets}}},
        {"xlTPeak", {plus(hyb, {ke0}), {}}},
        {"xlVdPeak", {plus(hyb, {ke0}), {}}},
        {"xlTPeak2ke0", {plus(hyb, {1.6}), {}}},
        {"xlBMI", {{77, 177}, {}}},
        {"xlJLBM", {{77, 177}, {{1}}}},
        {"xlJanLBM", {{77, 177}, {{0}}}},
        {"xlJJLBM", {{130, 160}, {{1}}}},
        {"xlScheduleCheck", {{}, {dt, times, {50}}}},
    };
}

// Each wrapper with a sane parameter set and sane columns (a one-element record is a flag or
// one number, an empty one an argument left out).
inline std::vector<hostile::PreparedCall>
CorvaneSaneCalls(const std::vector<hostile::Wrapper>& wrappers, hostile::RecordArena& arena) {
    const auto sane = CorvaneSaneArguments();
    std::vector<hostile::PreparedCall> calls;
    for (const hostile::Wrapper& w : wrappers) {
        if (sane.count(w.name) == 0)
            throw std::logic_error("no sane arguments for " + w.name);
        const CorvaneSane& s = sane.at(w.name);
        hostile::PreparedCall call{&w, {}};
        std::size_t number = 0, record = 0;
        for (hostile::ArgKind kind : w.kinds) {
            hostile::Arg a;
            if (kind == hostile::ArgKind::Number) {
                a.number = s.numbers.at(number++);
            } else {
                const std::vector<double>& column = s.columns.at(record++);
                a.record = arena.Keep(column.empty()       ? arena.Of(xlf::xltypeMissing)
                                      : column.size() == 1 ? arena.Number(column[0])
                                                           : arena.Column(column));
            }
            call.args.push_back(a);
        }
        if (number != s.numbers.size() || record != s.columns.size()) {
            throw std::logic_error("wrong count of sane arguments for " + w.name);
        }
        calls.push_back(call);
    }
    return calls;
}
