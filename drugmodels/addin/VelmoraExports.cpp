// Velmora's exported wrappers: each hands the host's arguments, as the host
// passes them for their type codes, to the routine of its row of drugmodels::VELMORA_FUNCTIONS
// (xlf::CallRow).
// Written from the rows by the exports generator (framework/generator): do not edit.
// `cmake --build <build> --target exports` writes it anew; a test fails when it is stale.

// clang-format off
#include "Velmora.h"
#include "drugmodels/catalogue.h"
#include "xlf/Call.h"

static_assert(xlf::ExportsFitRows(VELMORA_EXPORTS, drugmodels::VELMORA_FUNCTIONS),
              "the exported wrappers do not follow the rows: cmake --build <build> --target "
              "exports writes them anew");

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropSchnider(double Age, double Weight, double Height,
                                                double LBM) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 0>(Age, Weight, Height, LBM);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropSchniderTrick(double Age, double Weight, double Height,
                                                     LPXLOPER12 male) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 1>(Age, Weight, Height, male);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropMarsh(double Weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 2>(Weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropWhite(double Age, double Weight, LPXLOPER12 MALE) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 3>(Age, Weight, MALE);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropKataria(double mass, double age) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 4>(mass, age);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDiprifusor(double Age, double Weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 5>(Age, Weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropPaedfusor(double Age, double Weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 6>(Age, Weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropEleveld(double weight, double age, LPXLOPER12 male,
                                               LPXLOPER12 patient) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 7>(weight, age, male, patient);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropEleveldFinal(double weight, double height, double pma,
                                                    double age, LPXLOPER12 male, LPXLOPER12 venous,
                                                    LPXLOPER12 opiates, LPXLOPER12 patient) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 8>(weight, height, pma, age, male, venous,
                                                          opiates, patient);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlABP700V1Eleveld(double weight, double age, double height,
                                                   LPXLOPER12 male) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 9>(weight, age, height, male);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlKetaDomino(double Weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 10>(Weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMidaGreenblatt(double Weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 11>(Weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiMinto(double Age, double LBM) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 12>(Age, LBM);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlAlfentMaitre(double Age, double Weight, LPXLOPER12 MALE) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 13>(Age, Weight, MALE);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlAlfentScott() {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 14>();
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlFentScott(double Weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 15>(Weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlSufentGepts() {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 16>();
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlSufentHudson(double Weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 17>(Weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlLidocainSchnider(double Weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 18>(Weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDexmedHannivoort(double weight) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 19>(weight);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDexmedDyck(double height) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 20>(height);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiEleveld(double weight, double age, double height,
                                               LPXLOPER12 male) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 21>(weight, age, height, male);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiKim(double weight, double age, double height,
                                           LPXLOPER12 male) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 22>(weight, age, height, male);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemimazEleveld(double weight, double age, LPXLOPER12 male,
                                                  LPXLOPER12 opiates, LPXLOPER12 hepatic) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 23>(weight, age, male, opiates, hepatic);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRocuKleijn(double weight, double age, double crcl,
                                              LPXLOPER12 asian, LPXLOPER12 sevoflurane) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 24>(weight, age, crcl, asian, sevoflurane);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlFentShafer() {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 25>();
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlModelOmega(LPXLOPER12 Model) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 26>(Model);
}

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCovariateCheck(LPXLOPER12 Model, LPXLOPER12 arg1,
                                                  LPXLOPER12 arg2, LPXLOPER12 arg3, LPXLOPER12 arg4,
                                                  LPXLOPER12 arg5, LPXLOPER12 arg6, LPXLOPER12 arg7,
                                                  LPXLOPER12 arg8) {
    return xlf::CallRow<drugmodels::VELMORA_FUNCTIONS, 27>(Model, arg1, arg2, arg3, arg4, arg5,
                                                           arg6, arg7, arg8);
}
