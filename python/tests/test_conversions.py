"""How arguments are read, what results are, and the texts of refusals."""

import numpy as np
import pytest

import corvane
import velmora


def test_flags_take_bools_and_exactly_one_or_zero():
    male = velmora.PropWhite(40, 70, True)
    female = velmora.PropWhite(40, 70, False)
    assert male.tobytes() != female.tobytes()
    for same_as_male in (1, 1.0, np.True_, np.int64(1), np.float32(1)):
        assert velmora.PropWhite(40, 70, same_as_male).tobytes() == male.tobytes()
    for same_as_female in (0, 0.0, -0.0, np.False_):
        assert velmora.PropWhite(40, 70, same_as_female).tobytes() == female.tobytes()
    for refused in (0.5, 2, -1, float("nan")):
        with pytest.raises(ValueError) as e:
            velmora.PropWhite(40, 70, refused)
        assert str(e.value) == "parameter is neither 0 nor 1, male Conversion to Bool"
    with pytest.raises(TypeError) as e:
        corvane.JJLBM(80, 180, None)
    assert str(e.value) == "parameter is missing, male Conversion to Bool"
    with pytest.raises(TypeError) as e:
        corvane.JJLBM(80, 180, "1")
    assert str(e.value) == "parameter is not a number, male Conversion to Bool"


def test_numbers_take_ints_floats_and_numpy_scalars_but_no_text():
    row = velmora.PropSchnider(53, 77, 177, 59)
    assert velmora.PropSchnider(53.0, np.float32(77), np.int16(177), np.float64(59)).tobytes() == row.tobytes()
    assert corvane.BMI(True, 1) == corvane.BMI(1.0, 1.0)
    with pytest.raises(TypeError) as e:
        velmora.PropSchnider(53, "77", 177, 59)
    assert str(e.value) == "parameter is not a number, weight Conversion to Double"
    with pytest.raises(TypeError) as e:
        velmora.PropSchnider(53, 77, None, 59)
    assert str(e.value) == "parameter is missing, height Conversion to Double"


def test_columns_take_one_row_one_column_or_one_number():
    conc = [0.0, 1.0, 2.5, 4.0]
    expected = corvane.PredEff(conc, 0, 100, 3, 2).tobytes()
    for form in (tuple(conc), np.array(conc), np.array(conc, dtype=np.float32),
                 np.array(conc).reshape(4, 1), np.array(conc).reshape(1, 4),
                 np.array([0, 1, 2.5, 4.0, 9])[:4], np.array([4.0, 2.5, 1, 0])[::-1]):
        assert corvane.PredEff(form, 0, 100, 3, 2).tobytes() == expected
    assert corvane.PredEff(2.5, 0, 100, 3, 2).tobytes() == corvane.PredEff([2.5], 0, 100, 3, 2).tobytes()
    refusals = {
        "parameter is not one-dimensional, conc_eff Conversion to Column": np.ones((2, 2)),
        "parameter is empty, conc_eff Conversion to Column": [],
    }
    for text, value in refusals.items():
        with pytest.raises(ValueError) as e:
            corvane.PredEff(value, 0, 100, 3, 2)
        assert str(e.value) == text
    for value, text in ((None, "parameter is missing"), ("1,2", "parameter is not a number"),
                        ([1, None], "parameter is not a number"), ([1, "2"], "parameter is not a number")):
        with pytest.raises(TypeError) as e:
            corvane.PredEff(value, 0, 100, 3, 2)
        assert str(e.value) == f"{text}, conc_eff Conversion to Column"


def test_conversions_follow_the_registered_order():
    # deltaTimes is read before the numbers: its error is the one raised.
    with pytest.raises(TypeError) as e:
        corvane.TciCe(None, [0, 1], "x", 1, 1, 1, 1, 1, 1, 1)
    assert "delta_times" in str(e.value)
    # CalcRate reads IVBolus before targetConc.
    with pytest.raises(TypeError) as e:
        corvane.CalcRate([0, 1], None, None, 100, 1, 1, 1, 1, 1, 1)
    assert "iv_bolus" in str(e.value)


def test_results_are_new_float64_arrays_or_python_floats():
    row = velmora.PropMarsh(70)
    assert isinstance(row, np.ndarray) and row.dtype == np.float64 and row.shape == (6,)
    assert row.flags.writeable and row.flags.owndata
    assert row is not velmora.PropMarsh(70)
    assert type(corvane.TPeak(0.2, 0.01, 0.001, 1, 0.05, 0.002, 0.4)) is float
    dt = np.array([0, 1.0, 1.0])
    rates = corvane.TciCp(dt, [0, 3, 3], 500, 0.2, 0.01, 0.001, 1, 0.05, 0.002)
    assert rates.shape == (3,) and dt.tolist() == [0, 1.0, 1.0]


def test_a_routines_refusal_is_a_value_error_with_its_text():
    with pytest.raises(ValueError) as e:
        corvane.PredCp([0, 1], [0, 1, 2], [0, 0], 0.2, 0.01, 0.001, 1, 0.05, 0.002)
    assert str(e.value) == "Columns of different length!"
    with pytest.raises(ValueError) as e:
        corvane.Cl2Hyb([1, 2])
    assert str(e.value) == "We need exactly 6 parameters!"
