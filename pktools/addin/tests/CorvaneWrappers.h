#pragma once

// Corvane's twenty worksheet wrappers, each with the shape of what it returns.

#include "Corvane.h"
#include "HostileRecords.h"

#include <vector>

inline std::vector<hostile::Wrapper> CorvaneWrappers() {
    using hostile::Shape;
    return {
        HOSTILE_WRAPPER(xlCl2Hyb, Shape::FixedColumn, 6),
        HOSTILE_WRAPPER(xlHyb2Cl, Shape::FixedColumn, 6),
        HOSTILE_WRAPPER(xlPredCp, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlPredCe, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlPredCpVCl, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlPredEff, Shape::FirstColumn),
        HOSTILE_WRAPPER(xldecrCe, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlCsDtCe, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlCsDtCp, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlCsDtCpVCl, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlTciCp, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlCalcRate, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlTciCe, Shape::FirstColumn),
        HOSTILE_WRAPPER(xlTPeak, Shape::Number),
        HOSTILE_WRAPPER(xlVdPeak, Shape::Number),
        HOSTILE_WRAPPER(xlTPeak2ke0, Shape::Number),
        HOSTILE_WRAPPER(xlBMI, Shape::Number),
        HOSTILE_WRAPPER(xlJLBM, Shape::Number),
        HOSTILE_WRAPPER(xlJanLBM, Shape::Number),
        HOSTILE_WRAPPER(xlJJLBM, Shape::Number),
    };
}
