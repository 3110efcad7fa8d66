"""CovariateCheck and ScheduleCheck: the add-in's texts for a user's slips, each finding
also a warning of the module's category, "OK" silent, a wrong call raised."""

import math
import subprocess
import warnings

import numpy as np
import pytest

import corvane
import velmora
from conftest import evaluate, literal

SLIPS = [
    (velmora.CovariateCheck, ("PropSchnider", 40, 70, 1.75, 56)),      # height in metres
    (velmora.CovariateCheck, ("PropSchnider", 40, 70, 175, None)),     # LBM left out
    (velmora.CovariateCheck, ("PropSchnider", 40, -70, 175, 56)),      # negative weight
    (velmora.CovariateCheck, ("PropKataria", 15, 36)),                 # arguments swapped
    (velmora.CovariateCheck, ("PropSchnider", 400, 70000, 175, 56)),   # months, grams: two
    (velmora.CovariateCheck, ("PropUnknown", 40)),                     # unknown model
    (corvane.ScheduleCheck, (None, None, 0.5)),                        # decrement as a fraction
    (corvane.ScheduleCheck, ([0, 60, 60, 60], None, None)),            # intervals in seconds
    (corvane.ScheduleCheck, (None, [0, 30, 10], 50)),                  # Times not ascending
]
GOOD = [
    (velmora.CovariateCheck, ("PropSchnider", 53, 77, 177, 59)),
    (corvane.ScheduleCheck, ([0] + [1 / 6] * 30, [0, 10, 30], 50)),
    (corvane.ScheduleCheck, (None, None, None)),
]


def check_formula(function, args):
    """The sheet's formula: a text quoted, a left-out argument empty."""
    cells = ['"' + a + '"' if isinstance(a, str) else "" if a is None else literal(a)
             for a in args]
    return f"={function.__name__}({','.join(cells)})"


def category(function):
    return velmora.CovariateWarning if function is velmora.CovariateCheck \
        else corvane.ScheduleWarning


@pytest.mark.parametrize("function, args", SLIPS + GOOD,
                         ids=lambda x: x.__name__ if callable(x) else repr(x))
def test_same_texts_as_the_addin(sheethost, function, args):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        got = function(*args)
    assert got == evaluate(sheethost, check_formula(function, args))


@pytest.mark.parametrize("function, args", SLIPS, ids=lambda x: getattr(x, "__name__", repr(x)))
def test_each_finding_is_a_warning_of_the_checks_category(function, args):
    assert issubclass(category(function), UserWarning)
    with pytest.warns(category(function)) as caught:
        findings = function(*args)
    assert findings != ["OK"]
    assert [str(w.message) for w in caught if w.category is category(function)] == findings
    assert all(w.filename == __file__ for w in caught)  # pointing at the caller's line


@pytest.mark.parametrize("function, args", GOOD)
def test_ok_is_silent(function, args):
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        assert function(*args) == ["OK"]


def test_keywords_and_left_out_arguments():
    with pytest.warns(velmora.CovariateWarning):
        assert velmora.CovariateCheck(model="PropSchnider", arg1=40, arg2=70, arg3=1.75,
                                      arg4=56) == velmora.CovariateCheck("PropSchnider", 40, 70,
                                                                         1.75, 56)
    with pytest.warns(corvane.ScheduleWarning):
        assert corvane.ScheduleCheck(decr=np.float64(0.5)) == corvane.ScheduleCheck(None, None,
                                                                                     0.5)


def test_the_models_do_not_warn():
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        velmora.PropSchnider(40, 70, 1.75, 56)  # the slip above, computed as the add-in does
        corvane.BMI(70, 1.75)


# What a user may type, each beside the formula that gives the sheet the same: texts, truth
# values, empty and left-out arguments, non-finite numbers and objects the sheet has no cell
# for (error values), lists and arrays of one cell or more, columns that are none.
TYPED = [
    (velmora.CovariateCheck, ("PropEleveld", 77, 53, "F", 1), '"PropEleveld",77,53,"F",1'),
    (velmora.CovariateCheck, ("PropEleveld", 77, 53, True, False),
     '"PropEleveld",77,53,TRUE,FALSE'),
    (velmora.CovariateCheck, ("PropEleveld", 77, 53, 1, None), '"PropEleveld",77,53,1,'),
    (velmora.CovariateCheck, ("PropSchnider", "40"), '"PropSchnider","40"'),
    (velmora.CovariateCheck, ("PropMarsh", ""), '"PropMarsh",""'),
    (velmora.CovariateCheck, ("PropMarsh", math.nan), '"PropMarsh",#NUM!'),
    (velmora.CovariateCheck, ("PropMarsh", -math.inf), '"PropMarsh",#NUM!'),
    (velmora.CovariateCheck, ("PropMarsh", 10 ** 400), '"PropMarsh",#NUM!'),
    (velmora.CovariateCheck, ("PropMarsh", 1 + 2j), '"PropMarsh",#VALUE!'),
    (velmora.CovariateCheck, ("PropMarsh", {"weight": 70}), '"PropMarsh",#VALUE!'),
    (velmora.CovariateCheck, ("PropMarsh", [70]), '"PropMarsh",{70}'),
    (velmora.CovariateCheck, ("PropMarsh", np.array([[700.0]])), '"PropMarsh",{700}'),
    (velmora.CovariateCheck, ("PropMarsh", [70, 80]), '"PropMarsh",{70,80}'),
    (velmora.CovariateCheck, ("PropMarsh", np.float32(0.25)), '"PropMarsh",0.25'),
    (velmora.CovariateCheck, ("PropWhite", 40, 70, np.int64(2)), '"PropWhite",40,70,2'),
    (velmora.CovariateCheck, (3, 70), "3,70"),
    (velmora.CovariateCheck, (None,), ""),
    (velmora.CovariateCheck, (["PropMarsh"], 700), '{"PropMarsh"},700'),
    (velmora.CovariateCheck, (("PropMarsh", "x"), 70), '{"PropMarsh","x"},70'),
    (velmora.CovariateCheck, ("JLBM", 77, 1.77, 1), '"JLBM",77,1.77,1'),
    (velmora.CovariateCheck, ("jlbm", 170, 170, "M"), '"jlbm",170,170,"M"'),
    (velmora.CovariateCheck, ("BMI", 77, 1.77), '"BMI",77,1.77'),
    (corvane.ScheduleCheck, ([[1, 2], [3, 4]],), "{1,2;3,4}"),
    (corvane.ScheduleCheck, (None, None, "50"), ',,"50"'),
    (corvane.ScheduleCheck, (None, None, True), ",,TRUE"),
    (corvane.ScheduleCheck, (None, None, [50, 60]), ",,{50,60}"),
    (corvane.ScheduleCheck, (None, None, [0.5]), ",,{0.5}"),
    (corvane.ScheduleCheck, (["0", " 60 "],), '{"0";" 60 "}'),
    (corvane.ScheduleCheck, ([0, "abc"],), '{0;"abc"}'),
    (corvane.ScheduleCheck, ([0, "inf"],), '{0;"inf"}'),
    (corvane.ScheduleCheck, ([0, True, 45],), "{0;TRUE;45}"),
    (corvane.ScheduleCheck, ("abc",), '"abc"'),
    (corvane.ScheduleCheck, (60,), "60"),
    (corvane.ScheduleCheck, (np.array([[0], [60]]),), "{0;60}"),
    (corvane.ScheduleCheck, ([[0, 60]],), "{0,60}"),
    (corvane.ScheduleCheck, (None, [0, 30, 10], "x"), ',{0;30;10},"x"'),
    (corvane.ScheduleCheck, (None, [[0, 30], [10, 20]], 50), ",{0,30;10,20},50"),
]


@pytest.mark.parametrize("function, args, cells", TYPED, ids=lambda x: repr(x)[:40])
def test_whatever_is_typed_gives_the_sheets_findings_as_warnings(sheethost, function, args,
                                                                 cells):
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        got = function(*args)
    assert got == evaluate(sheethost, f"={function.__name__}({cells})")
    warned = [str(w.message) for w in caught if w.category is category(function)]
    assert warned == ([] if got == ["OK"] else got)


def test_an_empty_cell_in_a_column(sheethost, tmp_path):
    sheet = tmp_path / "schedule.csv"
    sheet.write_text("0\n\n1\n=ScheduleCheck(A1:A3)\n")
    shown = subprocess.run([str(sheethost), str(sheet)], check=True, capture_output=True,
                           text=True).stdout.splitlines()[-1]
    with pytest.warns(corvane.ScheduleWarning):
        assert corvane.ScheduleCheck([0, None, 1]) == [shown.strip('"')]


def test_sex_as_text_is_named_not_raised():
    with pytest.warns(velmora.CovariateWarning, match="male is not a number: enter it in 1 or 0"):
        findings = velmora.CovariateCheck("PropEleveld", 77, 53, "F", 1)
    assert "male is not a number: enter it in 1 or 0" in findings


def test_the_body_size_slips_are_named():
    with pytest.warns(velmora.CovariateWarning):
        assert velmora.CovariateCheck("JLBM", 77, 1.77, 1) == [
            "height 1.77 cm is below 3 cm: height is in cm (1.77 m = 177 cm)"]
    with pytest.warns(velmora.CovariateWarning, match=r"a weight in lb\? \(170 lb = 77.1107 kg\)"):
        velmora.CovariateCheck("JLBM", 170, 170, 1)
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        assert velmora.CovariateCheck("JLBM", 77, 177, 1) == ["OK"]
        assert velmora.CovariateCheck("BMI", 77, 177) == ["OK"]


@pytest.mark.parametrize("call", [
    lambda: velmora.CovariateCheck("PropMarsh", 70, weight=70),
    lambda: velmora.CovariateCheck("PropMarsh", *range(9)),
    lambda: corvane.ScheduleCheck([0, 1], None, 50, 1),
])
def test_a_wrong_call_raises(call):
    with pytest.raises(TypeError):
        call()


def test_the_warnings_filter_decides():
    with warnings.catch_warnings():
        warnings.simplefilter("error", velmora.CovariateWarning)
        with pytest.raises(velmora.CovariateWarning, match="Height 1.75 cm"):
            velmora.CovariateCheck("PropSchnider", 40, 70, 1.75, 56)
