#pragma once

// Every model routine at the index of its catalogue entry, so that a front end binds them
// all from one list. The build fails when a routine's parameters do not match its entry's
// arguments.

#include "catalogue/routine.h"
#include "drugmodels/catalogue.h"
#include "drugmodels/checks.h"
#include "drugmodels/models.h"

#include <tuple>
#include <utility>

namespace drugmodels {

inline constexpr std::tuple MODEL_ROUTINES{
    &PropSchnider, &PropSchniderTrick, &PropMarsh,      &PropWhite,        &PropKataria,
    &Diprifusor,   &PropPaedfusor,     &PropEleveld,    &PropEleveldFinal, &ABP700V1Eleveld,
    &RemiMinto,    &AlfentMaitre,      &AlfentScott,    &FentScott,        &SufentGepts,
    &SufentHudson, &KetaDomino,        &MidaGreenblatt, &LidocainSchnider, &DexmedHannivoort,
    &DexmedDyck,   &RemiEleveld,       &RemiKim,        &RemimazEleveld,   &RocuKleijn,
    &FentShafer,
};
static_assert(std::tuple_size_v<decltype(MODEL_ROUTINES)> == MODEL_COUNT);
static_assert(catalogue::routinesMatch(MODEL_ROUTINES, MODEL_CATALOGUE,
                                       std::make_index_sequence<MODEL_COUNT>{}),
              "a model routine does not match its catalogue entry");

// The covariate check beside the models.
static_assert(catalogue::routineMatches(&CovariateCheck, COVARIATE_CHECK),
              "the covariate check does not match its catalogue entry");

} // namespace drugmodels
