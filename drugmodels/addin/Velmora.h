#pragma once

// Velmora's worksheet functions, as the host calls them: one per row of
// drugmodels::VELMORA_FUNCTIONS (drugmodels/catalogue.h).
// Written from the rows by the exports generator (framework/generator): do not edit.
// `cmake --build <build> --target exports` writes it anew; a test fails when it is stale.

// clang-format off
#include "xlf/Exports.h"
#include "xlf/HostApi.h"

#include <tuple>

using xlf::LPXLOPER12;

XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropSchnider(double Age, double Weight, double Height,
                                                double LBM);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropSchniderTrick(double Age, double Weight, double Height,
                                                     LPXLOPER12 male);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropMarsh(double Weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropWhite(double Age, double Weight, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropKataria(double mass, double age);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDiprifusor(double Age, double Weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropPaedfusor(double Age, double Weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropEleveld(double weight, double age, LPXLOPER12 male,
                                               LPXLOPER12 patient);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPropEleveldFinal(double weight, double height, double pma,
                                                    double age, LPXLOPER12 male, LPXLOPER12 venous,
                                                    LPXLOPER12 opiates, LPXLOPER12 patient);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlABP700V1Eleveld(double weight, double age, double height,
                                                   LPXLOPER12 male);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlKetaDomino(double Weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMidaGreenblatt(double Weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiMinto(double Age, double LBM);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlAlfentMaitre(double Age, double Weight, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlAlfentScott();
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlFentScott(double Weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlSufentGepts();
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlSufentHudson(double Weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlLidocainSchnider(double Weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDexmedHannivoort(double weight);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlDexmedDyck(double height);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiEleveld(double weight, double age, double height,
                                               LPXLOPER12 male);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemiKim(double weight, double age, double height,
                                           LPXLOPER12 male);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRemimazEleveld(double weight, double age, LPXLOPER12 male,
                                                  LPXLOPER12 opiates, LPXLOPER12 hepatic);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlRocuKleijn(double weight, double age, double crcl,
                                              LPXLOPER12 asian, LPXLOPER12 sevoflurane);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlFentShafer();
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlModelOmega(LPXLOPER12 Model);
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlCovariateCheck(LPXLOPER12 Model, LPXLOPER12 arg1,
                                                  LPXLOPER12 arg2, LPXLOPER12 arg3, LPXLOPER12 arg4,
                                                  LPXLOPER12 arg5, LPXLOPER12 arg6, LPXLOPER12 arg7,
                                                  LPXLOPER12 arg8);

// Every exported wrapper with its name, in the order of the rows.
inline constexpr std::tuple VELMORA_EXPORTS{
    xlf::Export{"xlPropSchnider", &xlPropSchnider},
    xlf::Export{"xlPropSchniderTrick", &xlPropSchniderTrick},
    xlf::Export{"xlPropMarsh", &xlPropMarsh},
    xlf::Export{"xlPropWhite", &xlPropWhite},
    xlf::Export{"xlPropKataria", &xlPropKataria},
    xlf::Export{"xlDiprifusor", &xlDiprifusor},
    xlf::Export{"xlPropPaedfusor", &xlPropPaedfusor},
    xlf::Export{"xlPropEleveld", &xlPropEleveld},
    xlf::Export{"xlPropEleveldFinal", &xlPropEleveldFinal},
    xlf::Export{"xlABP700V1Eleveld", &xlABP700V1Eleveld},
    xlf::Export{"xlKetaDomino", &xlKetaDomino},
    xlf::Export{"xlMidaGreenblatt", &xlMidaGreenblatt},
    xlf::Export{"xlRemiMinto", &xlRemiMinto},
    xlf::Export{"xlAlfentMaitre", &xlAlfentMaitre},
    xlf::Export{"xlAlfentScott", &xlAlfentScott},
    xlf::Export{"xlFentScott", &xlFentScott},
    xlf::Export{"xlSufentGepts", &xlSufentGepts},
    xlf::Export{"xlSufentHudson", &xlSufentHudson},
    xlf::Export{"xlLidocainSchnider", &xlLidocainSchnider},
    xlf::Export{"xlDexmedHannivoort", &xlDexmedHannivoort},
    xlf::Export{"xlDexmedDyck", &xlDexmedDyck},
    xlf::Export{"xlRemiEleveld", &xlRemiEleveld},
    xlf::Export{"xlRemiKim", &xlRemiKim},
    xlf::Export{"xlRemimazEleveld", &xlRemimazEleveld},
    xlf::Export{"xlRocuKleijn", &xlRocuKleijn},
    xlf::Export{"xlFentShafer", &xlFentShafer},
    xlf::Export{"xlModelOmega", &xlModelOmega},
    xlf::Export{"xlCovariateCheck", &xlCovariateCheck},
};
