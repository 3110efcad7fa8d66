#pragma once

// Velmora's worksheet wrappers, each with the length of the column it returns.

#include "CallPatterns.h"
#include "HostileRecords.h"
#include "Velmora.h"
#include "drugmodels/catalogue.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

inline std::vector<hostile::Wrapper> VelmoraWrappers() {
    return hostile::WrappersOf(VELMORA_EXPORTS, drugmodels::VELMORA_FUNCTIONS);
}

// Realistic covariates per function; flags TRUE.
inline std::map<std::string, std::vector<double>> VelmoraSaneNumbers() {
    return {
        {"xlPropSchnider", {53, 77, 177, 59}},
        {"xlPropSchniderTrick", {53, 120, 165}},
        {"xlPropMarsh", {77}},
        {"xlPropWhite", {53, 77}},
        {"xlPropKataria", {20, 6}},
        {"xlDiprifusor", {53, 77}},
        {"xlPropPaedfusor", {6, 20}},
        {"xlPropEleveld", {77, 53}},
        {"xlPropEleveldFinal", {77, 177, 53.75, 53}},
        {"xlABP700V1Eleveld", {77, 53, 177}},
        {"xlKetaDomino", {77}},
        {"xlMidaGreenblatt", {77}},
        {"xlRemiMinto", {53, 59}},
        {"xlAlfentMaitre", {53, 77}},
        {"xlAlfentScott", {}},
        {"xlFentScott", {77}},
        {"xlSufentGepts", {}},
        {"xlSufentHudson", {77}},
        {"xlLidocainSchnider", {77}},
        {"xlDexmedHannivoort", {77}},
        {"xlDexmedDyck", {177}},
        {"xlRemiEleveld", {77, 53, 177}},
        {"xlRemiKim", {120, 53, 165}},
        {"xlRemimazEleveld", {77, 53}},
        {"xlRocuKleijn", {77, 53, 95}},
        {"xlFentShafer", {}},
        {"xlModelOmega", {}},
        {"xlCovariateCheck", {}},
    };
}

// Each wrapper with realistic covariates and every flag TRUE; the covariate check with a
// model's name and that model's covariates, its other arguments left out; the models'
// variances with a model's name.
inline std::vector<hostile::PreparedCall>
VelmoraSaneCalls(const std::vector<hostile::Wrapper>& wrappers, hostile::RecordArena& arena) {
    const auto numbers = VelmoraSaneNumbers();
    xlf::LPXLOPER12 yes = arena.Keep(arena.Truth(true));
    std::vector<hostile::PreparedCall> calls;
    for (const hostile::Wrapper& w : wrappers) {
        if (numbers.count(w.name) == 0)
            throw std::logic_error("no sane covariates for " + w.name);
        const std::vector<double>& sane = numbers.at(w.name);
        hostile::PreparedCall call{&w, {}};
        std::size_t number = 0;
        for (hostile::ArgKind kind : w.kinds) {
            hostile::Arg a;
            if (kind == hostile::ArgKind::Number) {
                a.number = sane.at(number++);
            } else {
                a.record = yes;
            }
            call.args.push_back(a);
        }
        if (number != sane.size()) {
            throw std::logic_error("wrong count of sane numbers for " + w.name);
        }
        if (w.name == "xlCovariateCheck") {
            const std::vector<double>& covariates = numbers.at("xlPropSchnider");
            call.args[0].record = arena.Keep(arena.Text(u"PropSchnider"));
            for (std::size_t k = 1; k < call.args.size(); ++k)
                call.args[k].record =
                    arena.Keep(k <= covariates.size() ? arena.Number(covariates[k - 1])
                                                      : arena.Of(xlf::xltypeMissing));
        }
        if (w.name == "xlModelOmega")
            call.args[0].record = arena.Keep(arena.Text(u"PropEleveldFinal"));
        calls.push_back(call);
    }
    return calls;
}
