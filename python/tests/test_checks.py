"""CovariateCheck and ScheduleCheck: the add-in's texts for a user's slips, each finding
also a warning of the module's category, "OK" silent, a wrong call raised."""

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


@pytest.mark.parametrize("call, error, text", [
    (lambda: velmora.CovariateCheck(3), TypeError, "parameter is not a text, model"),
    (lambda: velmora.CovariateCheck("PropSchnider", "40"), TypeError,
     "parameter is not a number, arg1 Conversion to Double"),
    (lambda: corvane.ScheduleCheck([[1, 2], [3, 4]]), ValueError,
     "parameter is not one-dimensional, delta_times Conversion to Column"),
    (lambda: corvane.ScheduleCheck(None, None, "50"), TypeError, "decr"),
])
def test_a_wrong_call_raises(call, error, text):
    with pytest.raises(error, match=text):
        call()


def test_the_warnings_filter_decides():
    with warnings.catch_warnings():
        warnings.simplefilter("error", velmora.CovariateWarning)
        with pytest.raises(velmora.CovariateWarning, match="Height 1.75 cm"):
            velmora.CovariateCheck("PropSchnider", 40, 70, 1.75, 56)
