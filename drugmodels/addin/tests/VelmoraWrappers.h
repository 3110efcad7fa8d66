#pragma once

// Velmora's nineteen worksheet wrappers, each with the length of the column it returns.

#include "HostileRecords.h"
#include "Velmora.h"
#include "drugmodels/catalogue.h"

#include <vector>

inline std::vector<hostile::Wrapper> VelmoraWrappers() {
    using drugmodels::Model;
    const auto rows = [](Model m) {
        return static_cast<std::int32_t>(drugmodels::modelEntry(m).rowLength);
    };
    using hostile::Shape;
    return {
        HOSTILE_WRAPPER(xlPropSchnider, Shape::FixedColumn, rows(Model::PropSchnider)),
        HOSTILE_WRAPPER(xlPropSchniderTrick, Shape::FixedColumn, rows(Model::PropSchniderTrick)),
        HOSTILE_WRAPPER(xlPropMarsh, Shape::FixedColumn, rows(Model::PropMarsh)),
        HOSTILE_WRAPPER(xlPropWhite, Shape::FixedColumn, rows(Model::PropWhite)),
        HOSTILE_WRAPPER(xlPropKataria, Shape::FixedColumn, rows(Model::PropKataria)),
        HOSTILE_WRAPPER(xlDiprifusor, Shape::FixedColumn, rows(Model::Diprifusor)),
        HOSTILE_WRAPPER(xlPropPaedfusor, Shape::FixedColumn, rows(Model::PropPaedfusor)),
        HOSTILE_WRAPPER(xlPropEleveld, Shape::FixedColumn, rows(Model::PropEleveld)),
        HOSTILE_WRAPPER(xlPropEleveldFinal, Shape::FixedColumn, rows(Model::PropEleveldFinal)),
        HOSTILE_WRAPPER(xlABP700V1Eleveld, Shape::FixedColumn, rows(Model::ABP700V1Eleveld)),
        HOSTILE_WRAPPER(xlKetaDomino, Shape::FixedColumn, rows(Model::KetaDomino)),
        HOSTILE_WRAPPER(xlMidaGreenblatt, Shape::FixedColumn, rows(Model::MidaGreenblatt)),
        HOSTILE_WRAPPER(xlRemiMinto, Shape::FixedColumn, rows(Model::RemiMinto)),
        HOSTILE_WRAPPER(xlAlfentMaitre, Shape::FixedColumn, rows(Model::AlfentMaitre)),
        HOSTILE_WRAPPER(xlAlfentScott, Shape::FixedColumn, rows(Model::AlfentScott)),
        HOSTILE_WRAPPER(xlFentScott, Shape::FixedColumn, rows(Model::FentScott)),
        HOSTILE_WRAPPER(xlSufentGepts, Shape::FixedColumn, rows(Model::SufentGepts)),
        HOSTILE_WRAPPER(xlSufentHudson, Shape::FixedColumn, rows(Model::SufentHudson)),
        HOSTILE_WRAPPER(xlLidocainSchnider, Shape::FixedColumn, rows(Model::LidocainSchnider)),
    };
}
