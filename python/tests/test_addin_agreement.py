"""Every function of both modules against the add-ins, through the command-line host: the
same arguments give the same cells bit for bit, and a refusal the same text."""

import itertools

import numpy as np
import pytest

import corvane
import velmora
from conftest import (STANDARD_HYBRID, STANDARD_KE0, STANDARD_ROW, evaluate, formula,
                      python_cells, same_bits)

# Covariates by keyword name, for an adult and for a child; any other number gets 60.
ADULT = {"age": 53, "weight": 77, "height": 177, "lbm": 59, "mass": 77, "pma": 53.75}
CHILD = {"age": 5, "weight": 20, "height": 110, "lbm": 16.5, "mass": 20, "pma": 5.75}
OTHER_NUMBER = 60


def model_calls():
    """Each model of numbers and flags (whatever the catalogue holds) for both patients and
    every flag setting."""
    for name in velmora.__all__:
        if any(kind not in ("number", "flag") for _, _, kind in velmora.ARGUMENTS[name]):
            continue
        parameters = [keyword for keyword, _, _ in velmora.ARGUMENTS[name]]
        flags = [keyword for keyword, _, kind in velmora.ARGUMENTS[name] if kind == "flag"]
        for patient in (ADULT, CHILD):
            for setting in itertools.product((False, True), repeat=len(flags)):
                chosen = dict(zip(flags, setting))
                args = [chosen[p] if p in chosen else patient.get(p, OTHER_NUMBER)
                        for p in parameters]
                yield pytest.param(velmora, name, args, id=f"{name}{args}")


H = list(STANDARD_HYBRID)
KE0 = STANDARD_KE0
VCL = list(STANDARD_ROW[:6])
# A dosing history: a bolus at time zero, infusions of several lengths, a bolus later.
DT = [0, 0.5, 0.5, 1, 2, 2, 5, 10]
RATE = [0, 100, 100, 20, 10, 0, 5, 0]
BOLUS = [140, 0, 0, 0, 20, 0, 0, 0]
DECR = [0, 1, 1, 1, 0.5, 0.5, 0.2, 0.1]
# The Overview's schedule: 10 s steps for 5 min, 4 ug/mL, then 3 from 3 min.
TEN_S = 1 / 6
TCI_DT = [0] + [TEN_S] * 30
TCI_TARGET = [0] + [4] * 18 + [3] * 12
TCI_BOLUS = [0] * 10 + [30] + [0] * 20
TIMES = [0, 10, 30, 60, 120, 240]
# The example sets of the reference pages: the hierarchical model's (laryngoscopy, as
# stanpumpR gives it) and a surface's potencies and steepness (propofol-remifentanil BIS).
P_NO_RESP = [6.68, 6.9, 1.01, 0.72, 0.83]
SURFACE = [4.47, 19.3, 1.43]

TOOL_CALLS = {
    "Cl2Hyb": [[VCL], [[1, 2, 3]], [[4, 0, 10, 1, 0, 1]], [[4, 10, 0, 1, 1, 0]]],
    "Hyb2Cl": [[H], [H[:5]], [[0.2, 0, 0, 0.5, 0, 0]]],
    "PredCp": [[DT, RATE, BOLUS, *H], [DT, RATE[:5], BOLUS, *H], [DT, RATE, BOLUS, -1, *H[1:]]],
    "PredCe": [[DT, RATE, BOLUS, *H, KE0], [DT, RATE, BOLUS, *H, H[3]],
               [DT, RATE, BOLUS, *H, 0], [DT, RATE, BOLUS[:3], *H, KE0]],
    "PredCpVCl": [[DT, RATE, BOLUS, *VCL], [DT, RATE, BOLUS, 0, *VCL[1:]]],
    "PredEff": [[[0, 0.5, 1, 2, 4, 8], 0, 100, 3, 2.5], [2.0, 10, 90, 2, 1]],
    "Ce50Eleveld": [[35], [1], [90]],
    "BisEleveld": [[[0, 1, 2, 3.0794468909545571, 6, 1e300], 35], [[0, -1, 4], 80], [6, 35]],
    "CeForBisEleveld": [[[92.9824, 100, 90, 60, 46.4912, 40, 5, 0, -5], 35],
                        [[5, 20, 50, 80, 90], 1], [50, 90]],
    "PNoRespHier": [[[0, 2, 4, 4, 6], [0, 0, 0, 2, 1e300], *P_NO_RESP],
                    [[1, 2], [1], *P_NO_RESP], [[1, 2], [1, 1], *P_NO_RESP[:4], 0]],
    "EffMinto": [[[0, 2, 0, 2, 4], [0, 0, 10, 10, 10], *SURFACE, 0, 97.4, 97.4],
                 [[1, 2, 3, 4.47], [5, 10, 20, 19.3], *SURFACE, 5, 97.4, 97.4],
                 [[1, 2], [1], *SURFACE, 0, 97.4, 97.4]],
    "EffGreco": [[[0, 2, 0, 2, 4], [0, 0, 10, 10, 10], *SURFACE, 1],
                 [[4.47, 1], [19.3, 1], *SURFACE, -10], [[1], [1], 0, 19.3, 1.43, 0]],
    "VarvelPE": [[[1.1, 0.8, 1.5, 1, 0], [1, 1, 1, 1, 2]], [[1, 2], [1, 0]]],
    "VarvelMDPE": [[[1.1, 0.8, 1.5, 1], [1, 1, 1, 1]], [[0.003, 0.2, 7], [0.004, 0.25, 5]]],
    "VarvelMDAPE": [[[1.1, 0.8, 1.5, 1], [1, 1, 1, 1]], [[0.003, 0.2, 7], [0.004, 0.25, 5]]],
    "VarvelWobble": [[[1.1, 0.8, 1.5, 1], [1, 1, 1, 1]], [[0.003, 0.2, 7], [0.004, 0.25, 5]]],
    "VarvelDivergence": [[[30, 0, 15, 240], [1, 1.2, 0.3, 4.1], [1, 1, 0.5, 3.3]],
                         [[5, 5], [1, 2], [1, 1]]],
    "VarvelPopulation": [[[1, 1, 2, 2, 2], [0, 60, 0, 30, 60], [1.1, 1.3, 0.8, 1, 1.4], [1] * 5, m]
                         for m in (0, 1, 2)],
    "CVFromOmega2": [[0.61], [0.0197], [-0.1]],
    "Omega2FromCV": [[0.66], [0.26]],
    "RandNorm": [[1234567, 0], [1234567, 4], [9007199254740992, 9007199254740992],
                 [42, 1e9], [0.5, 0]],
    "decrCe": [[DT, RATE, BOLUS, DECR, *H, KE0], [DT, RATE, BOLUS, [1] * 7 + [0], *H, KE0],
               [DT, RATE, BOLUS, DECR[:4], *H, KE0], [DT, RATE, BOLUS, DECR, *H, -1]],
    "CsDtCe": [[TIMES, *H, KE0, 50], [TIMES, *H, KE0, 80], [TIMES, *H, KE0, 0],
               [[0, 30, 10], *H, KE0, 50], [[1, 2e6], *H, KE0, 50]],
    "CsDtCp": [[TIMES, *H, 50], [TIMES, *H, 20], [TIMES, *H, 100]],
    "CsDtCpVCl": [[TIMES, *VCL, 50], [TIMES[::-1], *VCL, 50]],
    "TciCp": [[TCI_DT, TCI_TARGET, 1200, *H], [TCI_DT, TCI_TARGET, 200, *H],
              [TCI_DT, TCI_TARGET, 1200, *H[:5], -0.1], [TCI_DT, TCI_TARGET[:5], 1200, *H]],
    "CalcRate": [[TCI_DT, TCI_BOLUS, TCI_TARGET, 1200, *H], [TCI_DT, TCI_BOLUS[:3], TCI_TARGET, 1200, *H]],
    "TciCe": [[TCI_DT, TCI_TARGET, 200, *H, KE0], [TCI_DT, TCI_TARGET, 1200, *H, KE0],
              [TCI_DT, TCI_TARGET, 0, *H, KE0], [TCI_DT, TCI_TARGET, 200, *H, -1],
              [TCI_DT[:4], TCI_TARGET, 200, *H, KE0]],
    "TPeak": [[*H, KE0], [*H, 0.1]],
    "VdPeak": [[*H, KE0], [*H, 2]],
    "TPeak2ke0": [[*H, 1.6], [*H, 3], [*H, -1], [*H[:3], 0, *H[4:], 1.6]],
    "BMI": [[77, 177], [150, 165]],
    "JLBM": [[80, 180, True], [80, 180, False], [150, 160, 0]],
    "JanLBM": [[80, 180, True], [80, 180, False]],
    "JJLBM": [[80, 180, True], [150, 160, False], [150, 160, True], [60, 170, 0]],
}


def tool_calls():
    for name, calls in TOOL_CALLS.items():
        for args in calls:
            yield pytest.param(corvane, name, args, id=f"{name}-{formula(name, args)[:60]}")


MODEL_OMEGA_CALLS = [["PropEleveldFinal"], ["remiminto"], ["DexmedHannivoort"], ["RemiEleveld"],
                     ["PropSchnider"], ["NoSuchModel"]]


@pytest.mark.parametrize("args", MODEL_OMEGA_CALLS, ids=lambda args: args[0])
def test_the_models_variances_as_the_addin(sheethost, args):
    expected = evaluate(sheethost, formula("ModelOmega", args))
    got = python_cells(velmora.ModelOmega, args)
    assert same_bits(got, expected), (formula("ModelOmega", args), got, expected)


def test_the_table_covers_every_tool():
    assert set(TOOL_CALLS) | {"ScheduleCheck"} == set(corvane._corvane.__all__)  # test_checks.py


@pytest.mark.parametrize("module, name, args", [*model_calls(), *tool_calls()])
def test_same_cells_as_the_addin(sheethost, module, name, args):
    expected = evaluate(sheethost, formula(name, args))
    got = python_cells(getattr(module, name), args)
    assert same_bits(got, expected), (formula(name, args), got, expected)


def test_the_table_holds_refusals_and_values():
    """The table is not only errors, nor only values: both kinds for most tools."""
    refusals = 0
    for name, calls in TOOL_CALLS.items():
        for args in calls:
            cells = python_cells(getattr(corvane, name), args)
            refusals += isinstance(cells[0], str)
    assert 15 <= refusals <= 30
