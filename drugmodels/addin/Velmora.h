#pragma once

// Velmora's worksheet functions, as the host calls them.

#include "xlf/HostApi.h"

using xlf::LPXLOPER12;

XLF_EXPORT LPXLOPER12 xlPropSchnider(double Age, double Weight, double Height, double LBM);
XLF_EXPORT LPXLOPER12 xlPropSchniderTrick(double Age, double Weight, double Height,
                                          LPXLOPER12 male);
XLF_EXPORT LPXLOPER12 xlPropMarsh(double Weight);
XLF_EXPORT LPXLOPER12 xlPropWhite(double Age, double Weight, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 xlPropKataria(double mass, double age);
XLF_EXPORT LPXLOPER12 xlDiprifusor(double Age, double Weight);
XLF_EXPORT LPXLOPER12 xlPropPaedfusor(double Age, double Weight);
XLF_EXPORT LPXLOPER12 xlPropEleveld(double weight, double age, LPXLOPER12 male, LPXLOPER12 patient);
XLF_EXPORT LPXLOPER12 xlPropEleveldFinal(double weight, double height, double pma, double age,
                                         LPXLOPER12 male, LPXLOPER12 venous, LPXLOPER12 opiates,
                                         LPXLOPER12 patient);
XLF_EXPORT LPXLOPER12 xlABP700V1Eleveld(double weight, double age, double height, LPXLOPER12 male);
XLF_EXPORT LPXLOPER12 xlKetaDomino(double Weight);
XLF_EXPORT LPXLOPER12 xlMidaGreenblatt(double Weight);
XLF_EXPORT LPXLOPER12 xlRemiMinto(double Age, double LBM);
XLF_EXPORT LPXLOPER12 xlAlfentMaitre(double Age, double Weight, LPXLOPER12 MALE);
XLF_EXPORT LPXLOPER12 xlAlfentScott();
XLF_EXPORT LPXLOPER12 xlFentScott(double Weight);
XLF_EXPORT LPXLOPER12 xlSufentGepts();
XLF_EXPORT LPXLOPER12 xlSufentHudson(double Weight);
XLF_EXPORT LPXLOPER12 xlLidocainSchnider(double Weight);
